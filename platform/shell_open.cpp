#include "platform/shell_open.h"

#include "platform/process_start.h"

namespace quor::platform {

std::string pathArgument(std::string_view path) {
    if (path.starts_with('-')) {
        return "./" + std::string(path);
    }
    return std::string(path);
}

std::vector<std::string> shellOpenCommand(std::string_view target) {
    return {"xdg-open", pathArgument(target)};
}

Status shellOpen(std::string_view target) {
    return startDetached(shellOpenCommand(target));
}

}  // namespace quor::platform
