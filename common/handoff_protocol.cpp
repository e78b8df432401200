#include "common/handoff_protocol.h"

#include <unicode/utf8.h>

#include <array>
#include <cstdint>

namespace quor::handoff {

namespace {

constexpr std::string_view kPrefix = "quorvane-build/1 ";

struct Verb {
    Kind kind;
    std::string_view word;
    bool takesText;
};

constexpr std::array<Verb, 5> kVerbs = {{
    {Kind::Build, "build", true},
    {Kind::Accepted, "accepted", false},
    {Kind::Built, "built", false},
    {Kind::Refused, "refused", true},
    {Kind::Failed, "failed", true},
}};

const Verb& verbOf(Kind kind) {
    for (const Verb& verb : kVerbs) {
        if (verb.kind == kind) {
            return verb;
        }
    }
    return kVerbs[3];  // not reached: every kind has its verb
}

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

bool holdsControl(std::string_view text) {
    for (const char c : text) {
        if (isControl(static_cast<unsigned char>(c))) {
            return true;
        }
    }
    return false;
}

// The length of the well-formed UTF-8 character at text[at] that is not a
// control character (C1 controls included); 0 when there is none.
std::size_t printableCharLength(std::string_view text, std::size_t at) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t next = at;
    UChar32 point = 0;
    U8_NEXT(bytes, next, text.size(), point);
    const bool c0OrC1 = point >= 0 && point < 0xA0 && (point < 0x20 || point >= 0x7F);
    if (point < 0 || c0OrC1) {
        return 0;
    }
    return next - at;
}

}  // namespace

std::string printableText(std::string_view text, std::size_t maxBytes) {
    std::string shown;
    bool pendingBreak = false;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '\n' || c == '\r') {
            pendingBreak = !shown.empty();
            ++at;
            continue;
        }
        std::string_view piece = "?";
        std::size_t length = printableCharLength(text, at);
        if (length > 0) {
            piece = text.substr(at, length);
        } else {
            length = 1;
        }
        const std::size_t room = pendingBreak ? piece.size() + 2 : piece.size();
        if (shown.size() + room > maxBytes) {
            break;
        }
        if (pendingBreak) {
            shown += "; ";
            pendingBreak = false;
        }
        shown += piece;
        at += length;
    }
    return shown;
}

std::optional<std::string> requestLine(std::string_view listName) {
    if (holdsControl(listName)) {
        return std::nullopt;
    }
    std::string line = std::string(kPrefix) + "build";
    if (!listName.empty()) {
        line += ' ';
        line += listName;
    }
    line += '\n';
    if (line.size() > kMaxHandoffLine) {
        return std::nullopt;
    }
    return line;
}

std::string answerLine(Kind kind, std::string_view reason) {
    const Verb& verb = verbOf(kind);
    std::string line = std::string(kPrefix) + std::string(verb.word);
    if (verb.takesText) {
        const std::string shown = printableText(reason, kMaxHandoffLine - line.size() - 2);
        if (!shown.empty()) {
            line += ' ' + shown;
        }
    }
    return line + '\n';
}

std::optional<Message> parseLine(std::string_view line) {
    if (line.size() >= kMaxHandoffLine || !line.starts_with(kPrefix) || holdsControl(line)) {
        return std::nullopt;
    }
    line.remove_prefix(kPrefix.size());
    const std::size_t blank = line.find(' ');
    const std::string_view word = line.substr(0, blank);
    const std::string_view text =
        blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
    for (const Verb& verb : kVerbs) {
        if (verb.word != word) {
            continue;
        }
        const bool hasText = blank != std::string_view::npos;
        if (hasText && (!verb.takesText || text.empty())) {
            return std::nullopt;
        }
        // A reason is shown to the user as it is: only printable UTF-8.
        if (verb.kind != Kind::Build && printableText(text) != text) {
            return std::nullopt;
        }
        return Message{verb.kind, std::string(text)};
    }
    return std::nullopt;
}

}  // namespace quor::handoff
