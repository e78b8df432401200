#include "quorvane/generate/list_file_texts.h"

#include "common/file_io.h"
#include "quorvane/generate/cache_reader.h"

namespace quor::generate {

namespace {

enum class Part { Header, Footer };

std::string problemText(Part part) {
    if (part == Part::Header) {
        return "There was a problem opening the header file!\n"
               "Go to the Options menu, and choose Header Text to edit.";
    }
    return "There was a problem opening the footer file!";
}

std::string joinForPage(const std::vector<std::string>& lines, Part part, PageKind kind) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (kind == PageKind::Text) {
            text += i == 0 ? "" : "\r\n";
            text += lines[i];
        } else if (part == Part::Header) {
            text += lines[i] + "<br>";
        } else {
            text += "<br>" + lines[i];
        }
    }
    return text;
}

std::string readPart(store::ListContext& context, Part part, PageKind kind) {
    BusyPointer busy(context.user);
    const std::filesystem::path file =
        part == Part::Header ? context.places.headerFile() : context.places.footerFile();
    Result<std::vector<std::string>> lines =
        isRegularFile(file) ? readUserTextLines(file) : Result<std::vector<std::string>>(Error{});
    if (!lines) {
        context.user.notice(problemText(part), store::kQuorvane);
        return {};
    }
    return joinForPage(*lines, part, kind);
}

}  // namespace

std::string readHeaderText(store::ListContext& context, PageKind kind) {
    return readPart(context, Part::Header, kind);
}

std::string readFooterText(store::ListContext& context, PageKind kind) {
    return readPart(context, Part::Footer, kind);
}

Result<std::string> loadHeadFootText(const std::filesystem::path& file) {
    if (!isRegularFile(file)) {
        if (Status made = writeFileAtomically(file, ""); !made) {
            return Error{made.error()};
        }
    }
    Result<std::vector<std::string>> lines = readUserTextLines(file);
    if (!lines) {
        return Error{lines.error()};
    }
    std::string text;
    for (std::size_t i = 0; i < lines->size(); ++i) {
        text += i == 0 ? "" : "\r\n";
        text += (*lines)[i];
    }
    return text;
}

Status saveHeadFootText(const std::filesystem::path& file, std::string_view text) {
    std::string contents;
    contents.reserve(text.size() + 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;  // the LF that follows writes the CR LF
        }
        if (text[i] == '\n') {
            contents += "\r\n";
        } else {
            contents += text[i];
        }
    }
    contents += "\r\n";
    return writeFileAtomically(file, contents);
}

}  // namespace quor::generate
