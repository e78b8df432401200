#include "quorfind/search/list_lines.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "quorfind/search/ascii_finder.h"
#include "quorfind/search/match.h"

namespace quor::find {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::size_t kLongestBom = 3;

// True while head is the start of a byte order mark, but not yet all of it.
bool mayGrowIntoBom(std::string_view head) {
    for (const std::string_view bom : {kUtf8Bom, kUtf16LeBom, kUtf16BeBom}) {
        if (head.size() < bom.size() && bom.starts_with(head)) {
            return true;
        }
    }
    return false;
}

// The line ends of a text, found front to back with each byte looked at
// once however the CRs and LFs are mixed.
class LineEnds {
  public:
    explicit LineEnds(std::string_view text) : text_(text) {}

    // The first CR or LF at or after from; text.size() when there is none.
    std::size_t next(std::size_t from) {
        if (!known_ || lf_ < from) {
            lf_ = find('\n', from);
        }
        if (!known_ || cr_ < from) {
            cr_ = find('\r', from);
        }
        known_ = true;
        return std::min(lf_, cr_);
    }

  private:
    std::size_t find(char c, std::size_t from) const {
        const void* hit = std::memchr(text_.data() + from, c, text_.size() - from);
        return hit == nullptr
                   ? text_.size()
                   : static_cast<std::size_t>(static_cast<const char*>(hit) - text_.data());
    }

    std::string_view text_;
    std::size_t lf_ = 0;
    std::size_t cr_ = 0;
    bool known_ = false;
};

// The first byte at or after from that is not ASCII; text.size() when none.
std::size_t findHighByte(std::string_view text, std::size_t from) {
    std::size_t i = from;
#ifdef __SSE2__
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        if (const int mask = _mm_movemask_epi8(x); mask != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        }
    }
#endif
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0x80) != 0) {
            return i;
        }
    }
    return text.size();
}

// The lines of a text that a search must look at: those where the folded
// search text stands (ASCII case ignored) and those that are not plain
// ASCII. The text is scanned once, front to back.
class LinesWorthReading {
  public:
    LinesWorthReading(std::string_view text, std::string_view folded)
        : text_(text), finder_(text, folded), asciiText_(isAscii(folded)) {}

    // The start of the first line worth reading at or after from, itself a
    // line start; with none, the start of the text after the last line end.
    std::size_t next(std::size_t from) {
        if (!known_ || occurrence_ < from) {
            const std::size_t found = asciiText_ ? finder_.find(from) : std::string_view::npos;
            occurrence_ = found == std::string_view::npos ? text_.size() : found;
        }
        if (!known_ || highByte_ < from) {
            highByte_ = findHighByte(text_, from);
        }
        known_ = true;
        const std::size_t target = std::min(occurrence_, highByte_);
        return target == from ? from : lineStart(from, target);
    }

  private:
    // Just after the last line end in [from, target), or from.
    std::size_t lineStart(std::size_t from, std::size_t target) const {
        const char* start = text_.data() + from;
        const auto* lf = static_cast<const char*>(::memrchr(start, '\n', target - from));
        const auto* cr = static_cast<const char*>(::memrchr(start, '\r', target - from));
        const char* end = std::max(lf, cr);  // null when neither is there
        return end == nullptr ? from : static_cast<std::size_t>(end - text_.data()) + 1;
    }

    std::string_view text_;
    AsciiFinder finder_;
    bool asciiText_;
    std::size_t occurrence_ = 0;
    std::size_t highByte_ = 0;
    bool known_ = false;
};

// The first maxBytes bytes of line, less the start of a UTF-8 character
// that the cut would split.
std::string_view cutAtCharacter(std::string_view line, std::size_t maxBytes) {
    std::size_t size = maxBytes;
    for (int k = 0; k < 3 && size > 0 && (static_cast<unsigned char>(line[size]) & 0xC0) == 0x80;
         ++k) {
        --size;
    }
    return line.substr(0, size);
}

}  // namespace

ListLines::ListLines(std::size_t maxLineBytes)
    : maxLineBytes_(std::max<std::size_t>(maxLineBytes, 4)) {}

void ListLines::passOverPlainLinesWithout(std::string_view folded) {
    passingOver_ = true;
    wanted_ = folded;
}

bool ListLines::feed(std::string_view bytes, const Sink& onLine) {
    if (encoding_ != Encoding::Unknown) {
        return feedKnown(bytes, onLine);
    }
    const std::size_t taken = std::min(bytes.size(), kLongestBom - head_.size());
    head_.append(bytes.substr(0, taken));
    if (mayGrowIntoBom(head_)) {
        return true;
    }
    chooseEncoding();
    const std::string head = std::exchange(head_, {});
    return feedKnown(head, onLine) && feedKnown(bytes.substr(taken), onLine);
}

bool ListLines::finish(const Sink& onLine) {
    if (encoding_ == Encoding::Unknown) {
        chooseEncoding();
        const std::string head = std::exchange(head_, {});
        if (!feedKnown(head, onLine)) {
            return false;
        }
    }
    if (utf16_ != nullptr) {
        decoded_.clear();
        utf16_->finish(decoded_);
        if (!split(decoded_, onLine)) {
            return false;
        }
    }
    afterCr_ = false;
    const std::string last = std::exchange(carry_, {});
    return deliver(last, onLine, true);
}

// Decides from the first bytes (head_) and takes a byte order mark off them.
void ListLines::chooseEncoding() {
    encoding_ = Encoding::Bytes;
    std::string_view head(head_);
    if (head.starts_with(kUtf16LeBom) || head.starts_with(kUtf16BeBom)) {
        encoding_ = Encoding::Utf16;
        utf16_ = std::make_unique<Utf16Decoder>(head.starts_with(kUtf16BeBom));
        head_.erase(0, kUtf16LeBom.size());
    } else if (head.starts_with(kUtf8Bom)) {
        head_.erase(0, kUtf8Bom.size());
    }
}

bool ListLines::feedKnown(std::string_view bytes, const Sink& onLine) {
    if (utf16_ == nullptr) {
        return split(bytes, onLine);
    }
    decoded_.clear();
    utf16_->decode(bytes, decoded_);
    return split(decoded_, onLine);
}

bool ListLines::split(std::string_view text, const Sink& onLine) {
    std::size_t pos = 0;
    if (afterCr_ && !text.empty()) {
        afterCr_ = false;
        pos = text[0] == '\n' ? 1 : 0;
    }
    LineEnds ends(text);
    std::optional<LinesWorthReading> worthReading;
    if (passingOver_) {
        worthReading.emplace(text, wanted_);
    }
    while (pos < text.size()) {
        if (worthReading && carry_.empty()) {
            pos = worthReading->next(pos);
            if (pos == text.size()) {
                afterCr_ = text.back() == '\r';
                break;
            }
        }
        const std::size_t end = ends.next(pos);
        if (end == text.size()) {
            keep(text.substr(pos));
            return true;
        }
        std::string_view line = text.substr(pos, end - pos);
        const bool joined = !carry_.empty();
        if (joined) {
            keep(line);
            line = carry_;
        }
        pos = end + 1;
        if (text[end] == '\r') {
            if (pos == text.size()) {
                afterCr_ = true;
            } else if (text[pos] == '\n') {
                ++pos;
            }
        }
        const bool more = deliver(line, onLine, joined);
        carry_.clear();
        if (!more) {
            return false;
        }
    }
    return true;
}

// Keeps the start of an unfinished line, up to one byte past the cut, so
// that the cut can tell where the last whole character ends.
void ListLines::keep(std::string_view part) {
    const std::size_t room = maxLineBytes_ + 1 - carry_.size();
    carry_.append(part.substr(0, std::min(part.size(), room)));
}

bool ListLines::deliver(std::string_view line, const Sink& onLine, bool checkPassOver) {
    if (line.size() > maxLineBytes_) {
        line = cutAtCharacter(line, maxLineBytes_);
    }
    if (line.empty()) {
        return true;
    }
    if (checkPassOver && passingOver_ && isAscii(line) &&
        (!isAscii(wanted_) || AsciiFinder(line, wanted_).find(0) == std::string_view::npos)) {
        return true;
    }
    return onLine(lineAsUtf8(line, scratch_));
}

}  // namespace quor::find
