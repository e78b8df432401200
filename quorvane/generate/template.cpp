#include "quorvane/generate/template.h"

#include "common/names.h"
#include "quorvane/generate/html_list.h"
#include "quorvane/generate/list_file_texts.h"
#include "quorvane/generate/summary.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

namespace {

void addLine(std::string& page, std::string_view line) {
    page += line;
    page += "\r\n";
}

// What the show settings of the page ask for, read once per page.
struct Shows {
    bool header;
    bool summary;
    bool footer;

    static Shows read(const store::AppSettings& settings) {
        return {settingIsOne(settings, store::kShowHeader),
                settingIsOne(settings, store::kShowSummary),
                settingIsOne(settings, store::kShowFooter)};
    }
};

std::string summaryOf(store::ListContext& context, const ListBody& body, std::string_view now) {
    return buildSummaryText(PageKind::Html, body.fileCount,
                            context.settings().get(store::kTotalSize), now);
}

// Lets the window's events run while a long body is rendered.
RenderPoll keepWindowLive(store::ListContext& context) {
    return [&context] { (void)context.user.keepResponsive(); };
}

}  // namespace

bool isTemplateMarker(std::string_view line, std::string_view marker) {
    return asciiLower(line) == marker;
}

std::string mergeTemplate(store::ListContext& context, const ListBody& body,
                          const std::vector<std::string>& templateLines, std::string_view now) {
    const Shows shows = Shows::read(context.settings());
    const HtmlRenderOptions options = HtmlRenderOptions::read(context.settings());
    std::string page;
    for (const std::string& line : templateLines) {
        if (isTemplateMarker(line, kHeaderMarker)) {
            if (shows.header) {
                addLine(page, readHeaderText(context, PageKind::Html));
            }
        } else if (isTemplateMarker(line, kListMarker)) {
            renderListBody(body, options, page, keepWindowLive(context));
            if (shows.summary) {
                addLine(page, (options.useTable ? "" : "<br>") + summaryOf(context, body, now));
            }
            addLine(page, "");
        } else if (isTemplateMarker(line, kFooterMarker)) {
            if (shows.footer) {
                addLine(page, readFooterText(context, PageKind::Html));
            }
        } else {
            addLine(page, line);
        }
    }
    return page;
}

std::string fallbackPage(store::ListContext& context, const ListBody& body, std::string_view now) {
    const Shows shows = Shows::read(context.settings());
    std::string page;
    if (shows.header) {
        addLine(page, readHeaderText(context, PageKind::Html));
    }
    renderFallbackBody(body, HtmlRenderOptions::read(context.settings()), page,
                       keepWindowLive(context));
    if (shows.summary) {
        addLine(page, "<br>" + summaryOf(context, body, now));
    }
    addLine(page, "");
    if (shows.footer) {
        addLine(page, readFooterText(context, PageKind::Html));
    }
    return page;
}

std::string missingTemplateText(const store::Places& places) {
    return "There was a problem opening " + places.templateFile().string() +
           "\nCreate an HTML page called Template.html that includes the following comments:"
           "\n<!--header-->\n<!--list-->\n<!--footer-->"
           "\nThese can be anywhere in your HTML file, but must be on a line by themselves."
           "\nThese comments will tell Quorvane where to insert the list data.";
}

}  // namespace quor::generate
