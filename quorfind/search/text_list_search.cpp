#include "quorfind/search/text_list_search.h"

#include <unicode/unistr.h>

#include <algorithm>
#include <system_error>

#include "common/file_io.h"
#include "common/text_lines.h"
#include "quorfind/search/match.h"
#include "quorfind/search/search_texts.h"
#include "quorfind/search/text_decoding.h"

namespace quor::find {

namespace fs = std::filesystem;

std::string upperCaseName(std::string_view name) {
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
    unicode.toUpper();
    std::string out;
    unicode.toUTF8String(out);
    return out;
}

long long searchLines(std::string_view text, std::string_view searchText, std::string_view prefix,
                      std::vector<SearchRow>& rows) {
    const TextMatcher matcher(searchText);
    long long added = 0;
    // Lists made on old Macs end their lines with CR alone: a CR that no LF
    // follows ends a line too, so a row never holds a line break.
    for (std::size_t pos = 0; pos < text.size();) {
        const std::string_view line = nextLine(text, pos, LoneCr::EndsLine);
        if (matcher.matches(line)) {
            rows.emplace_back(std::string(prefix) + std::string(line));
            ++added;
        }
    }
    return added;
}

namespace {

// A large list is searched in pieces of about this many bytes, with the
// window's events run between them, so a long list never freezes it.
constexpr std::size_t kPieceBytes = 1 << 20;

// The end of the piece starting at pos: just after the last line end (LF,
// CR LF or a lone CR) within kPieceBytes (the next one when a line is
// longer), or the end of text. A CR LF pair is never cut.
std::size_t pieceEnd(std::string_view text, std::size_t pos) {
    if (text.size() - pos <= kPieceBytes) {
        return text.size();
    }
    std::size_t end = text.find_last_of("\r\n", pos + kPieceBytes - 1);
    if (end == std::string_view::npos || end < pos) {
        end = text.find_first_of("\r\n", pos + kPieceBytes);
    }
    if (end == std::string_view::npos) {
        return text.size();
    }
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
        ++end;
    }
    return end + 1;
}

}  // namespace

SearchResult searchTextList(const fs::path& file, std::string_view searchText, Interaction& ui) {
    SearchResult result;
    std::error_code error;
    if (!fs::exists(file, error)) {
        return result;
    }
    const Result<std::string> contents =
        fs::is_directory(file, error) ? Result<std::string>(Error{file.string() + " is a folder"})
                                      : readFile(file);
    if (!contents) {
        ui.notice(kOpenTextListFailed, contents.error());
        result.failed = true;
        return result;
    }
    const std::string text = listTextAsUtf8(*contents);
    const std::string_view all(text);
    for (std::size_t pos = 0; pos < all.size();) {
        const std::size_t end = pieceEnd(all, pos);
        result.matches += searchLines(all.substr(pos, end - pos), searchText, "", result.rows);
        pos = end;
        if (pos < all.size() && ui.keepResponsive()) {
            result.stopped = true;
            break;
        }
    }
    return result;
}

namespace {

std::vector<fs::path> listFiles(const fs::path& folder, std::error_code& error) {
    std::vector<fs::path> files;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        if (!it->is_directory(typeError)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

SearchResult searchListsFolder(const fs::path& listsFolder, std::string_view searchText,
                               Interaction& ui) {
    SearchResult result;
    std::error_code error;
    const std::vector<fs::path> files = listFiles(listsFolder, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        ui.notice(listsFolderFailedText(listsFolder.parent_path().string()), error.message());
        result.failed = true;
        return result;
    }
    for (const fs::path& file : files) {
        ++result.listsRead;
        const Result<std::string> contents = readFile(file);
        if (!contents) {
            ui.notice(listsFileFailedText(file.string()), contents.error());
        } else {
            const std::string prefix = upperCaseName(file.filename().string()) + " - ";
            result.matches +=
                searchLines(listTextAsUtf8(*contents), searchText, prefix, result.rows);
        }
        if (ui.keepResponsive()) {
            result.stopped = true;
            break;
        }
    }
    if (result.listsRead == 0) {
        ui.notice(kNoListsText, kNoListsCaption);
    }
    return result;
}

}  // namespace quor::find
