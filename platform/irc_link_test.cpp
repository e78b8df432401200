#include "platform/irc_link.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "common/testing/temp_tree.h"

namespace quor::platform {
namespace {

// A named pipe with a reader thread that collects everything written to it
// until the test closes the reading end.
class ReadPipe {
  public:
    explicit ReadPipe(std::filesystem::path path) : path_(std::move(path)) {
        ::mkfifo(path_.c_str(), 0600);
        fd_ = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
        reader_ = std::thread([this] {
            char buffer[512];
            while (!done_) {
                const ssize_t got = ::read(fd_, buffer, sizeof buffer);
                if (got > 0) {
                    std::lock_guard lock(mutex_);
                    text_.append(buffer, static_cast<std::size_t>(got));
                } else {
                    std::this_thread::yield();
                }
            }
        });
    }
    ~ReadPipe() {
        done_ = true;
        reader_.join();
        ::close(fd_);
    }
    // Everything read once the line count reaches lines (at most 10 s).
    std::string waitFor(std::size_t lines) {
        for (int i = 0; i < 10000; ++i) {
            {
                std::lock_guard lock(mutex_);
                if (static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '\n')) >=
                    lines) {
                    return text_;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::lock_guard lock(mutex_);
        return text_;
    }

  private:
    std::filesystem::path path_;
    int fd_ = -1;
    std::atomic<bool> done_{false};
    std::mutex mutex_;
    std::string text_;
    std::thread reader_;
};

TEST(FifoLink, WritesEachCommandAsOneStarredLine) {
    quor::testing::TempTree tree;
    const auto path = tree.path("weechat_fifo_123");
    ReadPipe pipe(path);
    const auto link = makeIrcLink(path.string());
    EXPECT_FALSE(link->quotesPaths());
    ASSERT_TRUE(link->send("/dcc send bob /m/a b.mp3").ok());
    ASSERT_TRUE(link->send("/msg friend hi").ok());
    EXPECT_EQ(pipe.waitFor(2), "*/dcc send bob /m/a b.mp3\n*/msg friend hi\n");
    EXPECT_FALSE(link->send("/dcc send bob x\n/quit").ok());
    EXPECT_FALSE(link->send("/a\rb").ok());
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
    EXPECT_EQ(findWeechatFifo({tree.path("missing"), tree.path("run"), tree.path("cache")}),
              tree.path("cache/weechat_fifo_2"));
    EXPECT_EQ(findWeechatFifo({tree.path("run")}), std::filesystem::path());
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
