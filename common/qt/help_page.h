#pragma once

// The installed help pages of both programs, as the windows open them.

#include <QString>
#include <string_view>

#include "platform/installed_files.h"

namespace quor::ui {

// A page of the installed help (the build tree's own copy when run from
// there); "" when there is none.
QString helpPage(std::string_view page = platform::kHelpIndexPage);

}  // namespace quor::ui
