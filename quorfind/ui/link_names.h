#pragma once

// The names of the programs that Queue and DCC send reach, for the tips of
// their menu items (whose captions keep the names "Winamp" and "Mirc").

#include <string>
#include <string_view>

#include "platform/players.h"

namespace quor::find::ui {

// The audio player that verb starts with the command template (the
// installed one when the template is blank); "" when there is none.
std::string audioPlayerName(platform::PlayerVerb verb, std::string_view commandTemplate,
                            const platform::InstalledCheck& installed = {});

// The IRC client that the link of a service name setting reaches (as
// platform::makeIrcLink chooses it).
std::string ircClientName(std::string_view serviceName);

}  // namespace quor::find::ui
