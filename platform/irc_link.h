#pragma once

// The link to the running IRC client: one command line is handed to the
// client, which runs it as if the user had typed it. Which client is
// chosen by the service name setting:
//
//   "mIRC" or "hexchat" (any case), or any other D-Bus service name
//       HexChat's D-Bus remote interface on the session bus
//   a path (holding "/")
//       a WeeChat fifo pipe: one line "*" + the typed text
//   "weechat" (any case)
//       the fifo of a running WeeChat of this user, found in its usual
//       folders
//
// A pipe is written only when no other user can be reading it: it must be
// a named pipe owned by this user, in a folder owned by this user (or root)
// that nobody else may write to (so the pipe cannot be swapped).
//
// No client reports a failed command back: a link reports only what it can
// see (no client running, no pipe, a failed call).

#include <sys/stat.h>
#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "common/unique_fd.h"

namespace quor::platform {

class IrcLink {
  public:
    virtual ~IrcLink() = default;

    // Hands one typed command line to the client. Never sends a line that
    // holds CR or LF (it would be a second command).
    virtual Status send(std::string_view typedLine) = 0;

    // Whether paths in commands are quoted for this client ("%P"). WeeChat
    // reads a file name to the end of the line and keeps quotes in it.
    virtual bool quotesPaths() const = 0;
};

std::unique_ptr<IrcLink> makeIrcLink(std::string_view serviceName);

// The link to a WeeChat fifo pipe at path.
std::unique_ptr<IrcLink> makeFifoLink(std::filesystem::path path);

// The link to HexChat, trying the given D-Bus service names in order.
std::unique_ptr<IrcLink> makeHexChatLink(std::vector<std::string> services);

// The D-Bus service names of HexChat for a service name setting.
std::vector<std::string> hexChatServices(std::string_view serviceName);

// The command HexChat's Command call takes for a typed line: without its
// leading "/", or "say " + the line when it has none.
std::string hexChatCommand(std::string_view typedLine);

// True when text holds a carriage return or line feed.
bool holdsLineBreak(std::string_view text);

// Why a pipe found as pipe (fstat of the opened descriptor) in a folder
// found as folder may not be written by the user user; nothing when it may.
// Refused: not a named pipe, a pipe owned by another user, a folder owned by
// another user than user or root, a folder that group or others may write.
std::optional<std::string> untrustedPipe(const struct stat& pipe, const struct stat& folder,
                                         uid_t user);

// Opens the pipe at path for writing, without blocking, without following a
// link at its last component, when untrustedPipe allows it for user. Fails
// with the reason; ENXIO (errno) when the pipe has no reader, which the
// message tells as "not running".
Result<UniqueFd> openTrustedPipe(const std::filesystem::path& path, uid_t user);

// The folders a WeeChat fifo can be in, in the order they are tried:
// $XDG_RUNTIME_DIR/weechat, ~/.cache/weechat, ~/.weechat, then the folders
// given with --dir (or -d) to running WeeChat processes of user.
std::vector<std::filesystem::path> weechatFifoFolders(uid_t user);

// The folders given with --dir (or -d) to the WeeChat processes of user
// listed in proc (a /proc tree: one folder per process id, owned by the
// process's user, holding "cmdline").
std::vector<std::filesystem::path> weechatDirFolders(const std::filesystem::path& proc, uid_t user);

// The first "weechat_fifo_<pid>" pipe in folders that user may write
// (openTrustedPipe) and that has a reader; empty when none has.
std::filesystem::path findWeechatFifo(const std::vector<std::filesystem::path>& folders,
                                      uid_t user);

}  // namespace quor::platform
