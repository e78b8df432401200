#pragma once

// The version of the programs, as the build set it (the project version).

#include <string_view>

namespace quor {

std::string_view programVersion();

}  // namespace quor
