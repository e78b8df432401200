#include "platform/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace quor::platform {

namespace fs = std::filesystem;

namespace {

// The value of an environment variable, or empty when unset or empty.
fs::path fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return (value != nullptr && *value != '\0') ? fs::path(value) : fs::path();
}

// An XDG base folder: the variable when it holds an absolute path (the XDG
// rule: relative values are ignored), else the fallback below home.
fs::path xdgFolder(const char* variable, const fs::path& fallbackBelowHome) {
    fs::path value = fromEnvironment(variable);
    if (!value.empty() && value.is_absolute()) {
        return value;
    }
    return homeFolder() / fallbackBelowHome;
}

}  // namespace

fs::path homeFolder() {
    fs::path home = fromEnvironment("HOME");
    if (!home.empty()) {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return "/";
}

fs::path programFolder() {
    fs::path home = fromEnvironment("QUORVANE_HOME");
    if (!home.empty()) {
        return home;
    }
    return xdgFolder("XDG_DATA_HOME", ".local/share") / "quorvane";
}

fs::path settingsDatabaseFile() {
    fs::path home = fromEnvironment("QUORVANE_HOME");
    if (!home.empty()) {
        return home / "settings.db";
    }
    return xdgFolder("XDG_CONFIG_HOME", ".config") / "quorvane" / "settings.db";
}

fs::path executableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

}  // namespace quor::platform
