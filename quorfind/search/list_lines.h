#pragma once

// The lines of a list file, from its bytes given piece by piece, so that a
// list of any size is read in memory that does not grow with it. Lines end
// at LF, CR LF or a CR alone (lists made on old Macs); a line end split
// between two pieces still ends one line. Each line is decoded on its own
// (text_decoding.h): a UTF-8 byte order mark at the start is dropped, and a
// UTF-16 byte order mark makes the whole list UTF-16.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "quorfind/search/text_decoding.h"

namespace quor::find {

// Lines longer than this many bytes are cut to it: enough for any real
// list line, and a file without line ends never piles up in memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{2} << 20;

class ListLines {
  public:
    // Receives each line as UTF-8, without its line end (never empty);
    // returns false when it wants no more lines.
    using Sink = std::function<bool(std::string_view line)>;

    // Lines are cut to maxLineBytes bytes before they are decoded (a UTF-16
    // list's once it is UTF-8), at a character boundary when the line is
    // UTF-8; the rest of the line is dropped.
    explicit ListLines(std::size_t maxLineBytes = kMaxLineBytes);

    // From now on, plain ASCII lines in which folded (a folded search text)
    // does not stand, ASCII case ignored, are passed over unseen: they
    // cannot match it, and they are most lines of most searches. Lines of
    // other scripts are always delivered (folding may make them match).
    void passOverPlainLinesWithout(std::string_view folded);

    // Passes every line that bytes completes to onLine, in order; the text
    // after the last line end waits for the next piece. False when onLine
    // asked to stop.
    [[nodiscard]] bool feed(std::string_view bytes, const Sink& onLine);
    // Passes the last line, when the list does not end with a line end.
    [[nodiscard]] bool finish(const Sink& onLine);

  private:
    enum class Encoding { Unknown, Bytes, Utf16 };

    bool feedKnown(std::string_view bytes, const Sink& onLine);
    void chooseEncoding();
    bool split(std::string_view text, const Sink& onLine);
    void keep(std::string_view part);
    // Cuts, decodes and hands over one line; a line put together from two
    // pieces is checked here for being passed over (the others were before).
    bool deliver(std::string_view line, const Sink& onLine, bool checkPassOver);

    std::size_t maxLineBytes_;
    Encoding encoding_ = Encoding::Unknown;
    std::string head_;  // the first bytes, while they may still be a byte order mark
    std::unique_ptr<Utf16Decoder> utf16_;
    std::string decoded_;   // a piece of UTF-16 as UTF-8
    std::string carry_;     // the start of a line that the next piece goes on with
    bool afterCr_ = false;  // the last piece ended with a CR: an LF first is its pair
    std::string scratch_;
    bool passingOver_ = false;
    std::string wanted_;  // the folded text of passOverPlainLinesWithout
};

}  // namespace quor::find
