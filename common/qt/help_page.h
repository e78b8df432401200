#pragma once

// The installed help pages of both programs.

#include <QString>

namespace quor::ui {

// The help page index.html: beside the program (an installed tree, or the
// build tree's own copy), else where the installation put it; "" when
// there is none.
QString helpPage();

}  // namespace quor::ui
