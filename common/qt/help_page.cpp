#include "common/qt/help_page.h"

namespace quor::ui {

QString helpPage(std::string_view page) {
    return QString::fromStdString(platform::helpPage(page).string());
}

}  // namespace quor::ui
