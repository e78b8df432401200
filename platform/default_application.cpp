#include "platform/default_application.h"

#include <cctype>
#include <cstdlib>

#include "common/file_io.h"
#include "platform/process_start.h"
#include "platform/shell_open.h"

namespace quor::platform {

namespace fs = std::filesystem;

namespace {

// Larger files are not configuration anyone wrote by hand; they are skipped.
constexpr std::size_t kMostBytes = 4 * 1024 * 1024;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        const std::string_view part = text.substr(0, end);
        if (!part.empty()) {
            parts.emplace_back(part);
        }
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return parts;
}

std::vector<fs::path> folders(const std::string& home, const std::string& fallbackHome,
                              const std::string& list, const std::string& fallbackList) {
    std::vector<fs::path> result{home.empty() ? fs::path(fallbackHome) : fs::path(home)};
    for (const std::string& folder : split(list.empty() ? fallbackList : list, ':')) {
        result.emplace_back(folder);
    }
    return result;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

// The value of key in group of a desktop-entry-style file; empty when absent.
std::string valueOf(std::string_view contents, std::string_view group, std::string_view key) {
    bool inGroup = false;
    for (const std::string& rawLine : split(contents, '\n')) {
        const std::string_view line = trimmed(rawLine);
        if (line.starts_with('[')) {
            inGroup = line == "[" + std::string(group) + "]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inGroup && equals != std::string_view::npos && trimmed(line.substr(0, equals)) == key) {
            return std::string(trimmed(line.substr(equals + 1)));
        }
    }
    return {};
}

std::string readOrEmpty(const fs::path& file) {
    Result<std::string> contents = readFile(file, kMostBytes);
    return contents ? std::move(*contents) : std::string();
}

void addCandidates(std::vector<std::string>& candidates, const fs::path& file,
                   std::string_view group, std::string_view mimeType) {
    for (const std::string& id : split(valueOf(readOrEmpty(file), group, mimeType), ';')) {
        candidates.push_back(id);
    }
}

// The desktop IDs named for mimeType, in the order they are to be tried.
std::vector<std::string> candidateIds(std::string_view mimeType, const XdgFolders& xdg) {
    std::vector<fs::path> lists;
    for (const fs::path& folder : xdg.config) {
        for (const std::string& desktop : xdg.desktops) {
            lists.push_back(folder / (desktop + "-mimeapps.list"));
        }
        lists.push_back(folder / "mimeapps.list");
    }
    for (const fs::path& folder : xdg.data) {
        for (const std::string& desktop : xdg.desktops) {
            lists.push_back(folder / "applications" / (desktop + "-mimeapps.list"));
        }
        lists.push_back(folder / "applications" / "mimeapps.list");
    }
    std::vector<std::string> ids;
    for (const fs::path& list : lists) {
        addCandidates(ids, list, "Default Applications", mimeType);
    }
    for (const fs::path& list : lists) {
        addCandidates(ids, list, "Added Associations", mimeType);
    }
    for (const fs::path& folder : xdg.data) {
        addCandidates(ids, folder / "applications" / "defaults.list", "Default Applications",
                      mimeType);
    }
    for (const fs::path& folder : xdg.data) {
        addCandidates(ids, folder / "applications" / "mimeinfo.cache", "MIME Cache", mimeType);
    }
    return ids;
}

// A desktop ID names a file of an applications folder; "-" in it may stand
// for a sub-folder ("kde-kate.desktop" is kde/kate.desktop).
std::optional<fs::path> desktopEntryFile(const std::string& id, const XdgFolders& xdg) {
    if (id.find('/') != std::string::npos || !id.ends_with(".desktop")) {
        return std::nullopt;
    }
    for (const fs::path& folder : xdg.data) {
        const fs::path applications = folder / "applications";
        std::error_code error;
        if (fs::is_regular_file(applications / id, error)) {
            return applications / id;
        }
        const std::size_t dash = id.find('-');
        if (dash != std::string::npos) {
            const fs::path nested = applications / id.substr(0, dash) / id.substr(dash + 1);
            if (fs::is_regular_file(nested, error)) {
                return nested;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> entryCommand(const fs::path& entryFile,
                                                     const std::string& file) {
    const std::string contents = readOrEmpty(entryFile);
    constexpr std::string_view group = "Desktop Entry";
    if (valueOf(contents, group, "Hidden") == "true" ||
        valueOf(contents, group, "Terminal") == "true") {
        return std::nullopt;
    }
    const std::string tryExec = valueOf(contents, group, "TryExec");
    if (!tryExec.empty() && !findExecutable(tryExec)) {
        return std::nullopt;
    }
    std::vector<std::string> command = execCommand(valueOf(contents, group, "Exec"), file);
    if (command.empty() || !findExecutable(command.front())) {
        return std::nullopt;
    }
    return command;
}

// The escapes of a desktop entry string value: \s, \n, \t, \r and \\.
// Any other backslash is left for the quoting of the Exec value.
std::string unescapedValue(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char next = i + 1 < value.size() ? value[i + 1] : 'x';
        const std::size_t escape = std::string_view("sntr\\").find(next);
        if (value[i] == '\\' && escape != std::string_view::npos) {
            text += " \n\t\r\\"[escape];
            ++i;
        } else {
            text += value[i];
        }
    }
    return text;
}

// One word of an Exec value being built.
struct ExecWord {
    std::string text;
    bool quoted = false;  // a quoted word is kept even when empty
};

}  // namespace

std::vector<std::string> execCommand(std::string_view exec, const std::string& file) {
    const std::string value = unescapedValue(exec);
    std::vector<ExecWord> words(1);
    bool inQuotes = false;
    bool tookFile = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        ExecWord& word = words.back();
        if (inQuotes) {
            if (c == '"') {
                inQuotes = false;
            } else if (c == '\\' && i + 1 < value.size()) {
                word.text += value[++i];
            } else {
                word.text += c;
            }
        } else if (c == '"') {
            inQuotes = word.quoted = true;
        } else if (c == ' ' || c == '\t') {
            words.emplace_back();
        } else if (c == '%' && i + 1 < value.size()) {
            const char code = value[++i];
            if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
                word.text += pathArgument(file);
                tookFile = true;
            } else if (code == '%') {
                word.text += '%';
            }
        } else {
            word.text += c;
        }
    }
    if (inQuotes) {
        return {};
    }
    std::vector<std::string> command;
    for (ExecWord& word : words) {
        if (!word.text.empty() || word.quoted) {
            command.push_back(std::move(word.text));
        }
    }
    if (command.empty()) {
        return {};
    }
    if (!tookFile) {
        command.push_back(pathArgument(file));
    }
    return command;
}

XdgFolders XdgFolders::fromEnvironment() {
    const std::string home = environment("HOME");
    XdgFolders xdg;
    xdg.config = folders(environment("XDG_CONFIG_HOME"), home + "/.config",
                         environment("XDG_CONFIG_DIRS"), "/etc/xdg");
    xdg.data = folders(environment("XDG_DATA_HOME"), home + "/.local/share",
                       environment("XDG_DATA_DIRS"), "/usr/local/share:/usr/share");
    for (std::string desktop : split(environment("XDG_CURRENT_DESKTOP"), ':')) {
        for (char& c : desktop) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        xdg.desktops.push_back(desktop);
    }
    return xdg;
}

std::optional<std::vector<std::string>> defaultApplicationCommand(std::string_view mimeType,
                                                                  const std::string& file,
                                                                  const XdgFolders& folders) {
    for (const std::string& id : candidateIds(mimeType, folders)) {
        if (const std::optional<fs::path> entry = desktopEntryFile(id, folders)) {
            if (auto command = entryCommand(*entry, file)) {
                return command;
            }
        }
    }
    return std::nullopt;
}

}  // namespace quor::platform
