#pragma once

// DCC send: for each selected row of the own list, one command line built
// from the send template ("DDESendString") is handed to the running IRC
// client, which sends the file to another user. "%N" is the nickname asked
// for once and kept for the run, "%F" the path, "%P" the path in double
// quotes (unquoted for a client that keeps quotes as part of a file name);
// only the first occurrence of each is replaced.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/irc_link.h"
#include "quorfind/actions/action_context.h"

namespace quor::find {

inline constexpr std::string_view kIrcNickCaption = "IRC nick";
inline constexpr std::string_view kIrcNickLabel = "Name of person to receive the DCC:";
inline constexpr std::string_view kIrcClientFailed =
    "Make sure Mirc is your IRC client, and that its running!\n"
    "Also check Mirc File/Options/Servers menu. Make sure the DDE\n"
    "server is turned on, and that the DDE service name matches the\n"
    "name in the Quorfind Options/Mirc menu.";

// The command for one file: the template with the first "%N" replaced by
// nickname, then the first "%F" by path, then the first "%P" by the path
// in double quotes (quotePaths) or as it stands.
std::string buildDccCommand(std::string_view sendTemplate, std::string_view nickname,
                            std::string_view path, bool quotePaths);

// The "Notice" for a row that cannot be sent.
std::string cannotSendText(std::string_view rowText);

// The "Notice" for a row whose path holds a double quote, which a client
// that takes quoted paths cannot be given.
std::string cannotQuoteText(std::string_view rowText);

// The nickname kept for the run of the program (empty at start).
struct DccSession {
    std::string nickname;
};

// The nickname dialog: the current nickname in, the entered one out (empty
// for Cancel).
using AskNickname = std::function<std::string(const std::string& current)>;

// Makes the link for a service name setting.
using LinkFactory = std::function<std::unique_ptr<platform::IrcLink>(std::string_view)>;

// Sends each row (see above). A row whose text holds "%" or "$", whose
// command would hold a line break, or whose path holds a double quote that
// would go inside quotes ("%P" for a client that takes quoted paths), is
// passed over with its notice; a row that resolves to no file is passed
// over. A failure of the link shows the client failure message and ends the
// action. Waits one second after each command. Returns the number of
// commands sent.
int dccSend(const std::vector<SearchRow>& rows, const ActionContext& context,
            const FindSettings& settings, DccSession& session, const AskNickname& askNickname,
            const LinkFactory& makeLink = platform::makeIrcLink);

}  // namespace quor::find
