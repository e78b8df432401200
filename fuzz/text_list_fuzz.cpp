// Text lists from other people (any encoding, any line ends, none at all):
// the lines are the same however the bytes are cut into pieces; every line
// is UTF-8, one line and not empty; a line that is valid UTF-8 comes out as
// it stands, any other as Windows-1252; and a search's rows are the lines
// that match, read from a file in pieces of any size.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/interaction.h"
#include "fuzz/fuzz_input.h"
#include "quorfind/search/list_lines.h"
#include "quorfind/search/match.h"
#include "quorfind/search/text_decoding.h"
#include "quorfind/search/text_list_search.h"

namespace quor::fuzz {
namespace {

using namespace quor::find;
using Lines = std::vector<std::string>;

// The lines of bytes fed to ListLines in pieces whose sizes (1 to 64) follow
// from seed; in one piece for seed 0.
Lines linesInPieces(std::string_view bytes, unsigned seed, std::size_t maxLineBytes) {
    ListLines lines(maxLineBytes);
    Lines out;
    const ListLines::Sink collect = [&out](std::string_view line) {
        out.emplace_back(line);
        return true;
    };
    unsigned state = seed;
    for (std::size_t pos = 0; pos < bytes.size();) {
        state = state * 1103515245u + 12345u;
        const std::size_t size = seed == 0 ? bytes.size() : 1 + (state >> 16) % 64;
        check(lines.feed(bytes.substr(pos, size), collect), "a sink that never stops");
        pos += size;
    }
    check(lines.finish(collect), "a sink that never stops");
    return out;
}

bool startsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// The lines of a list that is not UTF-16, split and decoded the plain way.
Lines plainLines(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    Lines out;
    std::string scratch;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size(); ++i) {
        if (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n') {
            continue;
        }
        const std::string_view raw = bytes.substr(start, i - start);
        if (!raw.empty()) {
            const std::string_view decoded = lineAsUtf8(raw, scratch);
            check(!isValidUtf8(raw) || decoded == raw, "a UTF-8 line stays as it is");
            out.emplace_back(decoded);
        }
        if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    return out;
}

void checkLines(const Lines& lines, std::size_t maxLineBytes) {
    for (const std::string& line : lines) {
        check(!line.empty(), "a line is not empty");
        check(line.find_first_of("\r\n") == std::string::npos, "a line holds no line end");
        check(isValidUtf8(line), "a line is UTF-8");
        check(line.size() <= 3 * maxLineBytes, "a line is cut");
    }
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    using namespace quor::find;
    FuzzInput in(data, size);
    const std::string searchText = cleanSearchText(in.text(8));
    const unsigned seed = in.byte();
    const std::size_t shortLine = 4 + in.byte() % 16;
    const std::string_view bytes = in.rest();

    const Lines whole = linesInPieces(bytes, 0, kMaxLineBytes);
    checkLines(whole, kMaxLineBytes);
    check(linesInPieces(bytes, seed + 1, kMaxLineBytes) == whole, "pieces give the same lines");
    if (!startsUtf16(bytes)) {
        check(whole == plainLines(bytes), "lines are split and decoded one by one");
    }
    const Lines cut = linesInPieces(bytes, 0, shortLine);
    checkLines(cut, shortLine);
    check(linesInPieces(bytes, seed + 1, shortLine) == cut, "pieces give the same cut lines");

    const std::filesystem::path file = scratchFolder() / "list.txt";
    check(quor::writeFileAtomically(file, bytes).ok(), "the list is written");
    quor::UnattendedInteraction user("quorfind");
    SearchLimits limits;
    limits.pieceBytes = 1 + seed % 64;
    const SearchResult found = searchTextList(file, searchText, user, limits);
    const TextMatcher matcher(searchText);
    Lines expected;
    for (const std::string& line : whole) {
        if (matcher.matches(line)) {
            expected.push_back(line);
        }
    }
    Lines rows;
    for (const SearchRow& row : found.rows) {
        rows.push_back(row.text());
    }
    check(!found.failed, "a regular file is read");
    check(rows == expected, "the rows are the matching lines");
    check(found.matches == static_cast<long long>(rows.size()), "one row per match");
    return 0;
}
