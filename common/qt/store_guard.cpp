#include "common/qt/store_guard.h"

#include <exception>

namespace quor::ui {

bool storeGuarded(const std::function<void()>& work,
                  const std::function<void(std::string_view error)>& tell) {
    try {
        work();
        return true;
    } catch (const std::exception& error) {
        tell(error.what());
        return false;
    }
}

bool storeGuarded(Interaction& user, std::string_view what, const std::function<void()>& work) {
    return storeGuarded(work, [&](std::string_view error) { user.notice(what, error); });
}

}  // namespace quor::ui
