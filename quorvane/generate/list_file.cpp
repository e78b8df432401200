#include "quorvane/generate/list_file.h"

#include "common/file_io.h"
#include "quorvane/generate/cache_reader.h"
#include "quorvane/generate/list_file_texts.h"
#include "quorvane/generate/summary.h"
#include "quorvane/generate/template.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

namespace {

std::string cannotWriteText(const std::string& savePath) {
    return "Can't write to the following file:\n" + savePath +
           "\nPlease make sure this directory exists and there is enough disk space.";
}

Status writeList(store::ListContext& context, const std::string& contents) {
    const std::string savePath = context.settings().get(store::kSavePath);
    Status written = savePath.empty() ? Status(Error{"No list output file is set"})
                                      : writeFileAtomically(savePath, contents);
    if (!written) {
        context.ui.notice(cannotWriteText(savePath), store::kQuorvane);
    }
    return written;
}

}  // namespace

std::string TextListContents(store::ListContext& context, const ListBody& body,
                             std::string_view now) {
    const store::AppSettings settings = context.settings();
    std::string out;
    // Room for the body at once: the list is the largest text a build
    // holds, and growing it step by step would copy it and briefly need
    // twice its size.
    out.reserve(body.lines.textBytes() + 2 * body.lines.size() + 4096);
    if (settingIsOne(settings, store::kShowHeader)) {
        out += ReadHeaderText(context, PageKind::Text);
        out += "\r\n\r\n";
    }
    for (const std::string_view line : body.lines) {
        out += line;
        out += "\r\n";
    }
    if (settingIsOne(settings, store::kShowSummary)) {
        out += "\r\n";
        out +=
            BuildSummaryText(PageKind::Text, body.fileCount, settings.get(store::kTotalSize), now);
        out += "\r\n";
    }
    out += "\r\n";
    if (settingIsOne(settings, store::kShowFooter)) {
        out += ReadFooterText(context, PageKind::Text);
        out += "\r\n";
    }
    return out;
}

Status WriteTextListFile(store::ListContext& context, const ListBody& body) {
    return WriteTextListFile(context, body, currentDateTimeText());
}

Status WriteTextListFile(store::ListContext& context, const ListBody& body, std::string_view now) {
    return writeList(context, TextListContents(context, body, now));
}

Status WriteHtmlListFile(store::ListContext& context, const ListBody& body) {
    return WriteHtmlListFile(context, body, currentDateTimeText());
}

Status WriteHtmlListFile(store::ListContext& context, const ListBody& body, std::string_view now) {
    const std::filesystem::path templateFile = context.places.templateFile();
    Result<std::vector<std::string>> templateLines =
        isRegularFile(templateFile) ? readUserTextLines(templateFile)
                                    : Result<std::vector<std::string>>(Error{});
    if (templateLines) {
        return writeList(context, MergeTemplate(context, body, *templateLines, now));
    }
    context.ui.notice(missingTemplateText(context.places), "Notice!", Shown::Always);
    return writeList(context, FallbackPage(context, body, now));
}

}  // namespace quor::generate
