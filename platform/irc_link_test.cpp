#include "platform/irc_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "common/testing/temp_tree.h"

namespace quor::platform {
namespace {

// A named pipe held open for reading, as a running WeeChat holds it. A
// write to a pipe is in it once write() returns, so what the link sent is
// read back at once, without waiting.
class ReadPipe {
  public:
    explicit ReadPipe(std::filesystem::path path) : path_(std::move(path)) {
        ::mkfifo(path_.c_str(), 0600);
        fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
    }
    ~ReadPipe() { ::close(fd_); }
    ReadPipe(const ReadPipe&) = delete;
    ReadPipe& operator=(const ReadPipe&) = delete;

    // Everything written to the pipe since the last call.
    std::string sent() {
        std::string text;
        char buffer[512];
        for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(got));
        }
        return text;
    }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
};

TEST(FifoLink, WritesEachCommandAsOneStarredLine) {
    quor::testing::TempTree tree;
    const auto path = tree.path("weechat_fifo_123");
    ReadPipe pipe(path);
    const auto link = makeIrcLink(path.string());
    EXPECT_FALSE(link->quotesPaths());
    ASSERT_TRUE(link->send("/dcc send bob /m/a b.mp3").ok());
    ASSERT_TRUE(link->send("/msg friend hi").ok());
    EXPECT_EQ(pipe.sent(), "*/dcc send bob /m/a b.mp3\n*/msg friend hi\n");
    EXPECT_FALSE(link->send("/dcc send bob x\n/quit").ok());
    EXPECT_FALSE(link->send("/a\rb").ok());
    EXPECT_EQ(pipe.sent(), "");
}

TEST(FifoLink, TellsWhenNoClientReadsOrThereIsNoPipe) {
    quor::testing::TempTree tree;
    const auto path = tree.path("weechat_fifo_1");
    ::mkfifo(path.c_str(), 0600);
    const Status unread = makeFifoLink(path)->send("/x");
    ASSERT_FALSE(unread.ok());
    EXPECT_NE(unread.error().find("not running"), std::string::npos);
    EXPECT_FALSE(makeFifoLink(tree.path("none"))->send("/x").ok());
    const auto file = tree.file("plain", "");
    EXPECT_FALSE(makeFifoLink(file)->send("/x").ok());
    EXPECT_EQ(tree.read("plain"), "");
}

TEST(WeechatDiscovery, TakesTheFirstPipeWithAReader) {
    quor::testing::TempTree tree;
    tree.folder("run");
    tree.folder("cache");
    ::mkfifo(tree.path("run/weechat_fifo_1").c_str(), 0600);  // no reader
    ReadPipe live(tree.path("cache/weechat_fifo_2"));
    const uid_t me = ::geteuid();
    EXPECT_EQ(findWeechatFifo({tree.path("missing"), tree.path("run"), tree.path("cache")}, me),
              tree.path("cache/weechat_fifo_2"));
    EXPECT_EQ(findWeechatFifo({tree.path("run")}, me), std::filesystem::path());
}

struct stat statOf(mode_t mode, uid_t owner) {
    struct stat info {};
    info.st_mode = mode;
    info.st_uid = owner;
    return info;
}

TEST(WeechatPipeTrust, OnlyTheUsersOwnPipeInAFolderNobodyElseWrites) {
    constexpr uid_t me = 1000, other = 1001;
    struct Case {
        const char* what;
        struct stat pipe;
        struct stat folder;
        bool trusted;
    };
    const Case cases[] = {
        {"own pipe, own private folder", statOf(S_IFIFO | 0600, me), statOf(S_IFDIR | 0700, me),
         true},
        {"own pipe, root's folder", statOf(S_IFIFO | 0600, me), statOf(S_IFDIR | 0755, 0), true},
        {"a regular file", statOf(S_IFREG | 0600, me), statOf(S_IFDIR | 0700, me), false},
        {"a device", statOf(S_IFCHR | 0600, me), statOf(S_IFDIR | 0700, me), false},
        {"another user's pipe", statOf(S_IFIFO | 0600, other), statOf(S_IFDIR | 0700, me), false},
        {"another user's folder", statOf(S_IFIFO | 0600, me), statOf(S_IFDIR | 0700, other), false},
        {"a folder all may write", statOf(S_IFIFO | 0600, me), statOf(S_IFDIR | 0777, me), false},
        {"a folder the group may write", statOf(S_IFIFO | 0600, me), statOf(S_IFDIR | 0770, me),
         false},
        {"root's sticky shared folder", statOf(S_IFIFO | 0600, me),
         statOf(S_IFDIR | S_ISVTX | 0777, 0), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(!untrustedPipe(c.pipe, c.folder, me).has_value(), c.trusted) << c.what;
    }
}

// A pipe that would be written but for where it lies: a reader is open, and
// nothing may arrive.
class UntrustedPipe : public ::testing::Test {
  protected:
    void expectRefusedAndUnread(const std::filesystem::path& path,
                                const std::filesystem::path& pipe) {
        const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(reader, 0);
        const Status sent = makeFifoLink(path)->send("/dcc send bob /m/a.mp3");
        EXPECT_FALSE(sent.ok());
        EXPECT_EQ(findWeechatFifo({path.parent_path()}, ::geteuid()), std::filesystem::path());
        char buffer[64];
        EXPECT_LE(::read(reader, buffer, sizeof buffer), 0);
        ::close(reader);
    }
    quor::testing::TempTree tree;
};

TEST_F(UntrustedPipe, InAFolderOthersMayWriteIsRefused) {
    const auto shared = tree.folder("shared");
    const auto pipe = shared / "weechat_fifo_7";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::permissions(shared, std::filesystem::perms::all);
    expectRefusedAndUnread(pipe, pipe);
}

TEST_F(UntrustedPipe, ALinkToAPipeIsRefused) {
    const auto pipe = tree.path("real_fifo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    tree.folder("links");
    std::filesystem::create_symlink(pipe, tree.path("links/weechat_fifo_8"));
    expectRefusedAndUnread(tree.path("links/weechat_fifo_8"), pipe);
}

TEST(WeechatDiscovery, FollowsOnlyTheUsersOwnWeechatProcesses) {
    using namespace std::string_literals;
    quor::testing::TempTree proc;
    proc.file("100/cmdline", "weechat\0--dir\0/a\0"s);
    proc.file("101/cmdline", "/usr/bin/weechat-headless\0--dir=/b\0"s);
    proc.file("102/cmdline", "vim\0--dir\0/c\0"s);
    proc.file("self/cmdline", "weechat\0-d\0/d\0"s);
    std::vector<std::filesystem::path> mine = weechatDirFolders(proc.root(), ::geteuid());
    std::sort(mine.begin(), mine.end());
    EXPECT_EQ(mine, (std::vector<std::filesystem::path>{"/a", "/b"}));
    EXPECT_TRUE(weechatDirFolders(proc.root(), ::geteuid() + 1).empty());
}

TEST(HexChat, CommandsAndServiceNames) {
    EXPECT_EQ(hexChatCommand("/DCC send bob \"/a b.mp3\""), "DCC send bob \"/a b.mp3\"");
    EXPECT_EQ(hexChatCommand("hello there"), "say hello there");
    EXPECT_EQ(hexChatServices("MIRC"),
              (std::vector<std::string>{"org.hexchat.service", "io.github.Hexchat"}));
    EXPECT_EQ(hexChatServices("HexChat").size(), 2u);
    EXPECT_EQ(hexChatServices("org.example.irc"), std::vector<std::string>{"org.example.irc"});
    EXPECT_TRUE(makeIrcLink("mIRC")->quotesPaths());
    EXPECT_FALSE(makeHexChatLink({"org.example.none"})->send("/x\n").ok());
}

}  // namespace
}  // namespace quor::platform
