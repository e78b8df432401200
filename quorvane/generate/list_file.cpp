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

// Replaces the file at "SavePath" with what fill appends. When it cannot
// be written the user is told and the old file stays as it was.
template <typename Fill>
Status writeList(store::ListContext& context, Fill&& fill) {
    const std::string savePath = context.settings().get(store::kSavePath);
    Status written = Error{"No list output file is set"};
    if (!savePath.empty()) {
        Result<AtomicFileWriter> writer = AtomicFileWriter::create(savePath);
        if (writer) {
            fill(*writer);
            written = writer->commit();
        } else {
            written = Error{writer.error()};
        }
    }
    if (!written) {
        context.user.notice(cannotWriteText(savePath), store::kQuorvane);
    }
    return written;
}

Status writeListText(store::ListContext& context, const std::string& contents) {
    return writeList(context, [&contents](AtomicFileWriter& writer) { writer.append(contents); });
}

// Appends the text list to out, piece by piece, in order.
void appendTextList(store::ListContext& context, const ListBody& body, std::string_view now,
                    AtomicFileWriter& out) {
    const store::AppSettings settings = context.settings();
    if (settingIsOne(settings, store::kShowHeader)) {
        out.append(readHeaderText(context, PageKind::Text));
        out.append("\r\n\r\n");
    }
    for (const std::string_view line : body.lines) {
        out.append(line);
        out.append("\r\n");
    }
    if (settingIsOne(settings, store::kShowSummary)) {
        out.append("\r\n");
        out.append(
            buildSummaryText(PageKind::Text, body.fileCount, settings.get(store::kTotalSize), now));
        out.append("\r\n");
    }
    out.append("\r\n");
    if (settingIsOne(settings, store::kShowFooter)) {
        out.append(readFooterText(context, PageKind::Text));
        out.append("\r\n");
    }
}

}  // namespace

Status writeTextListFile(store::ListContext& context, const ListBody& body) {
    return writeTextListFile(context, body, currentDateTimeText());
}

// The text list goes to the file as it is made: the list is the largest
// text a build makes, and holding it whole beside the body would double
// the build's memory.
Status writeTextListFile(store::ListContext& context, const ListBody& body, std::string_view now) {
    return writeList(context,
                     [&](AtomicFileWriter& out) { appendTextList(context, body, now, out); });
}

Status writeHtmlListFile(store::ListContext& context, const ListBody& body) {
    return writeHtmlListFile(context, body, currentDateTimeText());
}

Status writeHtmlListFile(store::ListContext& context, const ListBody& body, std::string_view now) {
    const std::filesystem::path templateFile = context.places.templateFile();
    Result<std::vector<std::string>> templateLines =
        isRegularFile(templateFile) ? readUserTextLines(templateFile)
                                    : Result<std::vector<std::string>>(Error{});
    if (templateLines) {
        return writeListText(context, mergeTemplate(context, body, *templateLines, now));
    }
    context.user.notice(missingTemplateText(context.places), "Notice!", Shown::Always);
    return writeListText(context, fallbackPage(context, body, now));
}

}  // namespace quor::generate
