#pragma once

// The conversation with HexChat's D-Bus remote interface on a bus that is
// already open (the link opens the session bus; tests use a direct
// connection to a stand-in).

#include <string>

#include "common/result.h"

typedef struct sd_bus sd_bus;

namespace quor::platform {

// Connect on /org/hexchat/Remote (org.hexchat.connection) of service gives
// the object path of a connection whose context is the tab in front;
// Command (org.hexchat.plugin) runs command there; Disconnect
// (org.hexchat.connection) on that path ends it. Fails with the text the
// user sees when Connect or Command fails; a failed Disconnect is ignored.
Status hexChatConversation(sd_bus* bus, const std::string& service, const std::string& command);

}  // namespace quor::platform
