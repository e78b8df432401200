#include "platform/irc_link.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#include "common/names.h"
#include "platform/program_folder.h"

namespace quor::platform {

namespace fs = std::filesystem;

namespace {

// A link that has nothing to send to: every send fails with its reason.
class MissingLink final : public IrcLink {
  public:
    explicit MissingLink(std::string reason) : reason_(std::move(reason)) {}
    Status send(std::string_view) override { return Error{reason_}; }
    bool quotesPaths() const override { return false; }

  private:
    std::string reason_;
};

// The arguments of a process, from /proc/<pid>/cmdline.
std::vector<std::string> processArguments(const fs::path& procEntry) {
    std::ifstream in(procEntry / "cmdline", std::ios::binary);
    std::vector<std::string> args;
    std::string arg;
    while (std::getline(in, arg, '\0')) {
        args.push_back(arg);
    }
    return args;
}

bool isWeechatProgram(std::string_view program) {
    const std::string name = fs::path(program).filename().string();
    return name == "weechat" || name == "weechat-headless" || name == "weechat-curses";
}

// The folders given to one WeeChat process with --dir, -d or --dir=.
void addDirArguments(const std::vector<std::string>& args, std::vector<fs::path>& folders) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        if ((args[i] == "--dir" || args[i] == "-d") && i + 1 < args.size()) {
            folders.emplace_back(args[i + 1]);
        } else if (args[i].starts_with("--dir=")) {
            folders.emplace_back(args[i].substr(6));
        }
    }
}

}  // namespace

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string hexChatCommand(std::string_view typedLine) {
    if (typedLine.starts_with('/')) {
        return std::string(typedLine.substr(1));
    }
    return "say " + std::string(typedLine);
}

std::vector<std::string> hexChatServices(std::string_view serviceName) {
    if (serviceName.empty() || equalsIgnoringCase(serviceName, "mIRC") ||
        equalsIgnoringCase(serviceName, "hexchat")) {
        return {"org.hexchat.service", "io.github.Hexchat"};
    }
    return {std::string(serviceName)};
}

std::vector<fs::path> weechatDirFolders(const fs::path& proc, uid_t user) {
    std::vector<fs::path> folders;
    std::error_code error;
    for (fs::directory_iterator it(proc, error), end; !error && it != end; it.increment(error)) {
        const std::string pid = it->path().filename().string();
        if (pid.empty() || !std::all_of(pid.begin(), pid.end(), ::isdigit)) {
            continue;
        }
        // A process's folder belongs to the user it runs as: another user's
        // WeeChat could name any folder.
        struct stat owner {};
        if (::stat(it->path().c_str(), &owner) != 0 || owner.st_uid != user) {
            continue;
        }
        const std::vector<std::string> args = processArguments(it->path());
        if (!args.empty() && isWeechatProgram(args[0])) {
            addDirArguments(args, folders);
        }
    }
    return folders;
}

std::vector<fs::path> weechatFifoFolders(uid_t user) {
    std::vector<fs::path> folders;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime) {
        folders.push_back(fs::path(runtime) / "weechat");
    }
    const fs::path home = homeFolder();
    folders.push_back(home / ".cache" / "weechat");
    folders.push_back(home / ".weechat");
    for (fs::path& folder : weechatDirFolders("/proc", user)) {
        folders.push_back(std::move(folder));
    }
    return folders;
}

fs::path findWeechatFifo(const std::vector<fs::path>& folders, uid_t user) {
    for (const fs::path& folder : folders) {
        std::error_code error;
        std::vector<fs::path> pipes;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (it->path().filename().string().starts_with("weechat_fifo")) {
                pipes.push_back(it->path());
            }
        }
        std::sort(pipes.begin(), pipes.end());
        for (const fs::path& pipe : pipes) {
            if (openTrustedPipe(pipe, user)) {
                return pipe;
            }
        }
    }
    return {};
}

std::unique_ptr<IrcLink> makeIrcLink(std::string_view serviceName) {
    if (serviceName.find('/') != std::string_view::npos) {
        return makeFifoLink(fs::path(serviceName));
    }
    if (equalsIgnoringCase(serviceName, "weechat")) {
        const uid_t user = ::geteuid();
        const fs::path pipe = findWeechatFifo(weechatFifoFolders(user), user);
        if (pipe.empty()) {
            return std::make_unique<MissingLink>(
                "WeeChat is not running, or its fifo plugin is off: no weechat_fifo pipe of "
                "yours has a reader");
        }
        return makeFifoLink(pipe);
    }
    return makeHexChatLink(hexChatServices(serviceName));
}

}  // namespace quor::platform
