#pragma once

// The hand-over of an unattended build to the running window: one request
// and its answers, each a line of text on the window's local socket.
//
//   request   "quorvane-build/1 build NAME"   NAME: the saved list
//                                            ("music.lst"), or nothing for
//                                            the current configuration
//   answers   "quorvane-build/1 accepted"     the window is building it
//             "quorvane-build/1 built"        the list was written
//             "quorvane-build/1 refused WHY"  nothing was done
//             "quorvane-build/1 failed WHY"   the build did not write a whole list
//
// Every line ends with "\n" and is at most kMaxHandoffLine bytes with it;
// the "/1" is the version of the protocol, so that a later one is refused
// rather than misread. Both ends read at most kMaxHandoffLine bytes for a
// line and treat anything that is not a line of this form as refused.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quor::handoff {

inline constexpr std::size_t kMaxHandoffLine = 4096;

enum class Kind { Build, Accepted, Built, Refused, Failed };

struct Message {
    Kind kind = Kind::Refused;
    std::string text;  // the list name of Build, the reason of Refused and Failed

    bool operator==(const Message&) const = default;
};

// The request line for listName. Nothing when the name cannot be carried:
// it holds a control character or is too long for a line.
std::optional<std::string> requestLine(std::string_view listName);

// An answer line. The reason is made printable (line breaks become "; ")
// and shortened to fit the line; a kind without a reason drops it.
std::string answerLine(Kind kind, std::string_view reason = {});

// One line as read, without its "\n". Nothing unless it is a message of
// this version with a text that fits its kind (a reason must be printable
// UTF-8; a list name is any bytes but control characters).
std::optional<Message> parseLine(std::string_view line);

// text as it may be shown on a terminal: line breaks become "; ", other
// control characters and bytes that are not UTF-8 become "?", and the result
// is at most maxBytes long (cut between characters).
std::string printableText(std::string_view text, std::size_t maxBytes = kMaxHandoffLine);

}  // namespace quor::handoff
