#pragma once

// Work on the settings store from a window: a failing store (it throws) is
// told to the user instead of letting its exception escape into the event
// loop, and the window goes on with what it has.

#include <functional>
#include <string_view>

#include "common/interaction.h"

namespace quor::ui {

// Runs work; when it throws, tell gets the error's text. False when it threw.
[[nodiscard]] bool storeGuarded(const std::function<void()>& work,
                                const std::function<void(std::string_view error)>& tell);

// Runs work; when it throws, user is shown what failed, captioned with the
// error's text. False when it threw.
[[nodiscard]] bool storeGuarded(Interaction& user, std::string_view what,
                                const std::function<void()>& work);

}  // namespace quor::ui
