#include "platform/irc_link_hexchat.h"

#include <systemd/sd-bus.h>

#include <cstring>

#include "platform/irc_link.h"

namespace quor::platform {

namespace {

constexpr const char* kRemoteObject = "/org/hexchat/Remote";
constexpr const char* kConnection = "org.hexchat.connection";
constexpr const char* kPlugin = "org.hexchat.plugin";

// Owns one sd-bus object and frees it.
struct BusError {
    sd_bus_error error{};  // the all-null value SD_BUS_ERROR_NULL spells with a C99 literal
    ~BusError() { sd_bus_error_free(&error); }
    std::string text(int code) const {
        if (error.message != nullptr) {
            return error.message;
        }
        return std::strerror(-code);
    }
};
struct Message {
    sd_bus_message* message = nullptr;
    ~Message() { sd_bus_message_unref(message); }
};

// Connect answers with the object path of the new connection as a string
// (HexChat declares it "s"); an object path type is taken as well.
bool readConnectionPath(sd_bus_message* reply, std::string& path) {
    char type = 0;
    const char* contents = nullptr;
    if (sd_bus_message_peek_type(reply, &type, &contents) <= 0 || (type != 's' && type != 'o')) {
        return false;
    }
    const char* text = nullptr;
    if (sd_bus_message_read_basic(reply, type, &text) < 0 || text == nullptr) {
        return false;
    }
    path = text;
    return true;
}

// HexChat's remote interface: Connect gives an object for the tab in front,
// Command runs one command there (without its leading "/"), Disconnect ends.
class HexChatLink final : public IrcLink {
  public:
    explicit HexChatLink(std::vector<std::string> services) : services_(std::move(services)) {}

    Status send(std::string_view typedLine) override {
        if (holdsLineBreak(typedLine)) {
            return Error{"A command with a line break is never sent"};
        }
        sd_bus* bus = nullptr;
        const int opened = sd_bus_open_user(&bus);
        if (opened < 0) {
            return Error{std::string("Could not reach the session bus: ") + std::strerror(-opened)};
        }
        Status status = sendOn(bus, hexChatCommand(typedLine));
        sd_bus_flush_close_unref(bus);
        return status;
    }

    bool quotesPaths() const override { return true; }

  private:
    Status sendOn(sd_bus* bus, const std::string& command) {
        for (const std::string& service : services_) {
            if (hasOwner(bus, service)) {
                return hexChatConversation(bus, service, command);
            }
        }
        return Error{"HexChat is not running (no owner of " + services_.front() + ")"};
    }

    static bool hasOwner(sd_bus* bus, const std::string& service) {
        BusError error;
        Message reply;
        if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                               "org.freedesktop.DBus", "NameHasOwner", &error.error, &reply.message,
                               "s", service.c_str()) < 0) {
            return false;
        }
        int owned = 0;
        return sd_bus_message_read(reply.message, "b", &owned) >= 0 && owned != 0;
    }

    std::vector<std::string> services_;
};

}  // namespace

Status hexChatConversation(sd_bus* bus, const std::string& service, const std::string& command) {
    BusError error;
    Message reply;
    const int code = sd_bus_call_method(bus, service.c_str(), kRemoteObject, kConnection, "Connect",
                                        &error.error, &reply.message, "ssss", "quorfind",
                                        "Quorfind", "Quorfind DCC send", "1.0");
    if (code < 0) {
        return Error{"HexChat refused the connection: " + error.text(code)};
    }
    std::string path;
    if (!readConnectionPath(reply.message, path)) {
        return Error{"HexChat answered the connection with no object path"};
    }
    BusError commandError;
    const int sent = sd_bus_call_method(bus, service.c_str(), path.c_str(), kPlugin, "Command",
                                        &commandError.error, nullptr, "s", command.c_str());
    BusError closeError;
    (void)sd_bus_call_method(bus, service.c_str(), path.c_str(), kConnection, "Disconnect",
                             &closeError.error, nullptr, nullptr);
    if (sent < 0) {
        return Error{"HexChat did not take the command: " + commandError.text(sent)};
    }
    return Status::success();
}

std::unique_ptr<IrcLink> makeHexChatLink(std::vector<std::string> services) {
    return std::make_unique<HexChatLink>(std::move(services));
}

}  // namespace quor::platform
