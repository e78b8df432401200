#include "quorfind/dcc/dcc_send.h"

namespace quor::find {

namespace {

std::string replaceFirst(std::string text, std::string_view token, std::string_view value) {
    const std::size_t at = text.find(token);
    if (at != std::string::npos) {
        text.replace(at, token.size(), value);
    }
    return text;
}

}  // namespace

std::string buildDccCommand(std::string_view sendTemplate, std::string_view nickname,
                            std::string_view path, bool quotePaths) {
    std::string command = replaceFirst(std::string(sendTemplate), "%N", nickname);
    command = replaceFirst(std::move(command), "%F", path);
    const std::string quoted = quotePaths ? "\"" + std::string(path) + "\"" : std::string(path);
    return replaceFirst(std::move(command), "%P", quoted);
}

std::string cannotSendText(std::string_view rowText) {
    return "The file: " + std::string(rowText) +
           "\ncould not be sent to Mirc.\nMirc can't accept the $ or % symbols, please rename the "
           "file.";
}

std::string cannotQuoteText(std::string_view rowText) {
    return "The file: " + std::string(rowText) +
           "\ncould not be sent.\nThe IRC client can't take a \" in a quoted file name, please "
           "rename the file.";
}

int dccSend(const std::vector<SearchRow>& rows, const ActionContext& context,
            const FindSettings& settings, DccSession& session, const AskNickname& askNickname,
            const LinkFactory& makeLink) {
    if (refusedUnlessOwnList(context, RowAction::DccSend)) {
        return 0;
    }
    const std::string sendTemplate = settings.sendTemplate();
    if (sendTemplate.find("%N") != std::string::npos) {
        const std::string previous = session.nickname;
        session.nickname = askNickname(session.nickname);
        if (session.nickname.empty()) {
            session.nickname = previous;
            return 0;
        }
    }
    int sent = 0;
    for (const SearchRow& row : rows) {
        if (row.text().find_first_of("%$") != std::string::npos) {
            context.user.notice(cannotSendText(row.text()));
            continue;
        }
        const std::string path = resolvedPath(context, row);
        if (path.empty()) {
            continue;
        }
        const std::unique_ptr<platform::IrcLink> link = makeLink(settings.serviceName());
        const bool quotePaths = link->quotesPaths();
        // Quotes cannot be escaped inside a quoted argument: such a name would
        // end the path early and send another file or none.
        if (quotePaths && sendTemplate.find("%P") != std::string::npos &&
            path.find('"') != std::string::npos) {
            context.user.notice(cannotQuoteText(row.text()));
            continue;
        }
        const std::string command =
            buildDccCommand(sendTemplate, session.nickname, path, quotePaths);
        if (platform::holdsLineBreak(command)) {
            context.user.notice(cannotSendText(row.text()));
            continue;
        }
        if (const Status status = link->send(command); !status) {
            context.user.notice(std::string(kIrcClientFailed) + "\n\n(" + status.error() + ")",
                                "Quorfind");
            return sent;
        }
        ++sent;
        context.pause(std::chrono::milliseconds(1000));
        (void)context.user.keepResponsive();
    }
    return sent;
}

}  // namespace quor::find
