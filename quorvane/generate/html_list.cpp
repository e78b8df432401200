#include "quorvane/generate/html_list.h"

#include "common/number_text.h"
#include "common/text_escape.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/list_body_builder.h"
#include "quorvane/generate/table_colour.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

ListBody buildHtmlListBody(store::ListContext& context) {
    return ListBodyBuilder(context, ListKind::Html).build();
}

HtmlRenderOptions HtmlRenderOptions::read(const store::AppSettings& settings) {
    HtmlRenderOptions options;
    options.useTable = settingIsOne(settings, store::kUseHtmlTable);
    options.border = plainNumber(settings.get(store::kDisplayHtmlTable));
    options.alternateColors = settingIsOne(settings, store::kAlternateTableColors);
    options.tableColor = pageTableColour(settings.get(store::kHtmlTableColor));
    options.foldersOnly = settings.get(store::kIncludeFoldersOnly) != 0.0;
    options.includeLinks = settingIsOne(settings, store::kIncludeLinks);
    return options;
}

std::string htmlEscape(std::string_view text) {
    return markupEscaped(text);
}

namespace {

// A body line split into its name and the rest (filler, columns, path),
// both decoded, shown on one line and escaped for the page.
struct ShownLine {
    std::string name;
    std::string rest;
};

std::string pageText(std::string_view stored) {
    return htmlEscape(shownName(decodeCacheName(stored)));
}

ShownLine splitForPage(std::string_view line) {
    const std::size_t star = line.find('*');
    if (star != std::string_view::npos) {
        std::string rest(line.substr(star + 1));
        if (const std::size_t marker = rest.find('>'); marker != std::string::npos) {
            rest.erase(marker, 1);
        }
        return {pageText(line.substr(0, star)), pageText(rest)};
    }
    const std::size_t marker = line.find('>');
    if (marker != std::string_view::npos) {
        return {pageText(line.substr(0, marker)), pageText(line.substr(marker + 1))};
    }
    return {pageText(line), {}};
}

void addPiece(std::string& page, std::string_view piece) {
    page += piece;
    page += "\r\n";
}

std::string anchor(const std::string& target, const std::string& text) {
    return "<a href=\"" + htmlEscape(target) + "\">" + text + "</a>";
}

void renderRow(const ShownLine& line, const std::string& target, const std::string& colour,
               const HtmlRenderOptions& options, std::string& page) {
    if (target.empty()) {
        const std::string cell = options.foldersOnly ? colour : std::string("white");
        addPiece(page, "<tr><td bgcolor=" + cell + "><b>" + line.name + "</b></td></tr>");
        return;
    }
    const std::string name = options.linksOn() ? anchor(target, line.name) : line.name;
    addPiece(page, "<tr><td bgcolor=" + colour + ">" + name + "</td>");
    addPiece(page, line.rest.empty() ? "</tr>"
                                     : "<td bgcolor=" + colour + ">" + line.rest + "</td></tr>");
}

void renderPlain(const ShownLine& line, const std::string& target, const HtmlRenderOptions& options,
                 std::string& page) {
    if (target.empty()) {
        addPiece(page, "<br><b>" + line.name + "</b>");
    } else if (options.linksOn()) {
        addPiece(page, "<br>" + anchor(target, line.name) + line.rest);
    } else {
        addPiece(page, "<br>" + line.name + line.rest);
    }
}

const std::string& targetAt(const ListBody& body, std::size_t i) {
    static const std::string none;
    return i < body.linkTargets.size() ? body.linkTargets[i] : none;
}

}  // namespace

namespace {

// Lines rendered between two polls.
constexpr std::size_t kRenderLinesPerPoll = 4096;

void pollNow(const RenderPoll& poll, std::size_t line) {
    if (poll && line % kRenderLinesPerPoll == kRenderLinesPerPoll - 1) {
        poll();
    }
}

}  // namespace

void renderListBody(const ListBody& body, const HtmlRenderOptions& options, std::string& page,
                    const RenderPoll& poll) {
    if (options.useTable) {
        addPiece(page, "<table width= \"100%\" border=" + options.border + ">");
    }
    std::string colour = options.tableColor;
    for (std::size_t i = 0; i < body.lines.size(); ++i) {
        pollNow(poll, i);
        const ShownLine line = splitForPage(body.lines[i]);
        if (options.useTable && options.alternateColors) {
            colour = colour == options.tableColor ? "White" : options.tableColor;
        }
        if (options.useTable) {
            renderRow(line, targetAt(body, i), colour, options, page);
        } else {
            renderPlain(line, targetAt(body, i), options, page);
        }
    }
    if (options.useTable) {
        addPiece(page, "</table>");
    }
}

void renderFallbackBody(const ListBody& body, const HtmlRenderOptions& options, std::string& page,
                        const RenderPoll& poll) {
    for (std::size_t i = 0; i < body.lines.size(); ++i) {
        pollNow(poll, i);
        const ShownLine line = splitForPage(body.lines[i]);
        const std::string& target = targetAt(body, i);
        if (options.linksOn() && !target.empty()) {
            addPiece(page, "<br>" + anchor(target, line.name + line.rest));
        } else {
            addPiece(page, "<br>" + line.name + line.rest);
        }
    }
}

}  // namespace quor::generate
