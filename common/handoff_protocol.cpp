#include "common/handoff_protocol.h"

#include <array>

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

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 character at text[at] that is not a
// control character (C1 controls included); 0 when there is none.
std::size_t printableCharLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return isControl(lead) ? 0 : 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead == 0xC2) {
        length = 2;
        low = 0xA0;  // U+0080..U+009F are controls
    } else if (lead >= 0xC3 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(byte(i))) {
            return 0;
        }
    }
    return length;
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
