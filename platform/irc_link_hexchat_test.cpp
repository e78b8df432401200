#include "platform/irc_link_hexchat.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quor::platform {
namespace {

// A stand-in for HexChat's remote interface on a direct connection: Connect
// answers with a connection path of the given type ("s" as HexChat does, or
// "o"); Command and Disconnect are recorded as "interface.member path [arg]".
class FakeHexChat {
  public:
    explicit FakeHexChat(char connectType, bool refuseCommand = false)
        : connectType_(connectType), refuseCommand_(refuseCommand) {
        int fds[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds), 0);
        clientFd_ = fds[0];
        serverThread_ = std::thread([this, fd = fds[1]] { serve(fd); });
    }
    ~FakeHexChat() { serverThread_.join(); }

    // The client end, open and started; the caller closes it, which ends the
    // stand-in.
    sd_bus* connect() {
        sd_bus* bus = nullptr;
        EXPECT_GE(sd_bus_new(&bus), 0);
        EXPECT_GE(sd_bus_set_fd(bus, clientFd_, clientFd_), 0);
        EXPECT_GE(sd_bus_start(bus), 0);
        return bus;
    }

    std::vector<std::string> calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

  private:
    void serve(int fd) {
        sd_bus* bus = nullptr;
        sd_id128_t id;
        sd_id128_randomize(&id);
        if (sd_bus_new(&bus) < 0 || sd_bus_set_fd(bus, fd, fd) < 0 ||
            sd_bus_set_server(bus, 1, id) < 0 ||
            sd_bus_add_filter(bus, nullptr, onMessage, this) < 0 || sd_bus_start(bus) < 0) {
            ADD_FAILURE() << "the stand-in could not start";
            close(fd);
            sd_bus_unref(bus);
            return;
        }
        // Runs until the client hangs up.
        for (;;) {
            const int r = sd_bus_process(bus, nullptr);
            if (r < 0) {
                break;
            }
            if (r == 0 && sd_bus_wait(bus, UINT64_MAX) < 0) {
                break;
            }
        }
        sd_bus_flush_close_unref(bus);
    }

    static int onMessage(sd_bus_message* m, void* self, sd_bus_error*) {
        return static_cast<FakeHexChat*>(self)->answer(m);
    }

    int answer(sd_bus_message* m) {
        if (!sd_bus_message_is_method_call(m, nullptr, nullptr)) {
            return 0;
        }
        std::string call = std::string(sd_bus_message_get_interface(m)) + "." +
                           sd_bus_message_get_member(m) + " " + sd_bus_message_get_path(m);
        const std::string member = sd_bus_message_get_member(m);
        if (member == "Command") {
            const char* command = nullptr;
            sd_bus_message_read(m, "s", &command);
            call += std::string(" ") + command;
        }
        {
            std::lock_guard lock(mutex_);
            calls_.push_back(call);
        }
        if (member == "Connect") {
            const char type[] = {connectType_, '\0'};
            return sd_bus_reply_method_return(m, type, "/org/hexchat/Remote/7");
        }
        if (member == "Command" && refuseCommand_) {
            return sd_bus_reply_method_errorf(m, "org.example.Refused", "no channel in front");
        }
        return sd_bus_reply_method_return(m, nullptr);
    }

    const char connectType_;
    const bool refuseCommand_;
    int clientFd_ = -1;
    std::mutex mutex_;
    std::vector<std::string> calls_;
    std::thread serverThread_;
};

TEST(HexChatConversation, ConnectCommandAndDisconnectOnTheGivenPath) {
    for (const char type : {'s', 'o'}) {
        FakeHexChat hexchat(type);
        sd_bus* bus = hexchat.connect();
        const Status status =
            hexChatConversation(bus, "org.hexchat.service", "DCC send bob \"/a b.mp3\"");
        sd_bus_flush_close_unref(bus);
        EXPECT_TRUE(status.ok()) << type << ": " << status.error();
        EXPECT_EQ(hexchat.calls(),
                  (std::vector<std::string>{
                      "org.hexchat.connection.Connect /org/hexchat/Remote",
                      "org.hexchat.plugin.Command /org/hexchat/Remote/7 DCC send bob \"/a b.mp3\"",
                      "org.hexchat.connection.Disconnect /org/hexchat/Remote/7"}))
            << type;
    }
}

TEST(HexChatConversation, ARefusedCommandIsAFailureAndStillDisconnects) {
    FakeHexChat hexchat('s', true);
    sd_bus* bus = hexchat.connect();
    const Status status = hexChatConversation(bus, "org.hexchat.service", "DCC send bob x");
    sd_bus_flush_close_unref(bus);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error(), "HexChat did not take the command: no channel in front");
    ASSERT_EQ(hexchat.calls().size(), 3u);
    EXPECT_EQ(hexchat.calls()[2], "org.hexchat.connection.Disconnect /org/hexchat/Remote/7");
}

}  // namespace
}  // namespace quor::platform
