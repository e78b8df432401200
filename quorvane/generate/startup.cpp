#include "quorvane/generate/startup.h"

#include "common/names.h"

namespace quor::generate {

StartupRequest parseCommandLine(std::string_view commandLine) {
    StartupRequest request;
    const std::size_t p = asciiLower(commandLine).find("auto");
    if (p == std::string::npos) {
        return request;
    }
    request.unattended = true;
    const std::size_t nameStart = p + 5;  // after "auto" and one separator
    if (commandLine.size() > nameStart) {
        request.listName = std::string(commandLine.substr(nameStart)) + ".lst";
    }
    return request;
}

StartupRequest parseCommandLine(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += argument;
    }
    return parseCommandLine(joined);
}

}  // namespace quor::generate
