#include "quorfind/terminal_text.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quor::find {

namespace {

enum class Kind { Plain, Control, Invalid };

struct Piece {
    Kind kind;
    std::size_t size;  // bytes; 1 for an invalid byte
};

bool continuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
    return byte >= low && byte <= high;
}

// The UTF-8 sequence (or invalid byte) at the start of text, which is not
// empty.
Piece pieceAt(std::string_view text) {
    const auto at = [&](std::size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        return {lead < 0x20 || lead == 0x7F ? Kind::Control : Kind::Plain, 1};
    }
    if (lead >= 0xC2 && lead <= 0xDF && continuation(at(1))) {
        // U+0080..U+009F are C2 80..C2 9F.
        return {lead == 0xC2 && at(1) <= 0x9F ? Kind::Control : Kind::Plain, 2};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        if (continuation(at(1), low, high) && continuation(at(2))) {
            return {Kind::Plain, 3};
        }
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        if (continuation(at(1), low, high) && continuation(at(2)) && continuation(at(3))) {
            return {Kind::Plain, 4};
        }
    }
    return {Kind::Invalid, 1};
}

// The length of the run of printable ASCII that text starts with.
std::size_t printableAsciiRun(std::string_view text) {
    std::size_t i = 0;
#ifdef __SSE2__
    // Sixteen bytes at a time: as signed bytes, those below 0x20 and those
    // of 0x80 and above are less than 0x20; DEL is the one other.
    const __m128i space = _mm_set1_epi8(0x20), del = _mm_set1_epi8(0x7F);
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const int stops =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmplt_epi8(x, space), _mm_cmpeq_epi8(x, del)));
        if (stops != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(stops)));
        }
    }
#endif
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte >= 0x7F) {
            break;
        }
        ++i;
    }
    return i;
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendTerminalText(out, text);
    return out;
}

void appendTerminalText(std::string& out, std::string_view text) {
    while (!text.empty()) {
        const std::size_t plain = printableAsciiRun(text);
        if (plain > 0) {
            out.append(text.substr(0, plain));
            text.remove_prefix(plain);
            continue;
        }
        const Piece piece = pieceAt(text);
        if (piece.kind == Kind::Plain) {
            out.append(text.substr(0, piece.size));
        } else {
            out += '?';
        }
        text.remove_prefix(piece.size);
    }
}

bool holdsControl(std::string_view text) {
    while (!text.empty()) {
        const Piece piece = pieceAt(text);
        if (piece.kind == Kind::Control) {
            return true;
        }
        text.remove_prefix(piece.size);
    }
    return false;
}

}  // namespace quor::find
