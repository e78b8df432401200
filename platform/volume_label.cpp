#include "platform/volume_label.h"

#include <sstream>
#include <system_error>
#include <vector>

#include "common/file_io.h"
#include "common/text_escape.h"

namespace quor::platform {

namespace fs = std::filesystem;

namespace {

int octal(char c) {
    return (c >= '0' && c <= '7') ? c - '0' : -1;
}

struct Mount {
    std::string mountPoint;
    std::string source;
};

// The mounts of a mountinfo text: field 5 is the mount point, and the
// source follows the " - " separator and the file system type.
std::vector<Mount> parseMounts(std::string_view mountinfo) {
    std::vector<Mount> mounts;
    std::istringstream lines{std::string(mountinfo)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> parts;
        for (std::string field; fields >> field;) {
            parts.push_back(field);
        }
        std::size_t separator = 0;
        while (separator < parts.size() && parts[separator] != "-") {
            ++separator;
        }
        if (parts.size() < 5 || separator + 2 >= parts.size()) {
            continue;
        }
        mounts.push_back({unescapeMountField(parts[4]), unescapeMountField(parts[separator + 2])});
    }
    return mounts;
}

bool isBelow(const std::string& path, const std::string& mountPoint) {
    if (mountPoint == "/") {
        return true;
    }
    return path == mountPoint ||
           (path.size() > mountPoint.size() &&
            path.compare(0, mountPoint.size(), mountPoint) == 0 && path[mountPoint.size()] == '/');
}

std::string canonicalOrSame(const fs::path& path) {
    std::error_code ec;
    fs::path resolved = fs::canonical(path, ec);
    return ec ? path.lexically_normal().string() : resolved.string();
}

}  // namespace

std::string unescapeMountField(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && octal(field[i + 1]) >= 0 &&
            octal(field[i + 2]) >= 0 && octal(field[i + 3]) >= 0) {
            out += static_cast<char>(octal(field[i + 1]) * 64 + octal(field[i + 2]) * 8 +
                                     octal(field[i + 3]));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

std::string unescapeUdevName(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' &&
            hexDigitValue(name[i + 2]) >= 0 && hexDigitValue(name[i + 3]) >= 0) {
            out += static_cast<char>(hexDigitValue(name[i + 2]) * 16 + hexDigitValue(name[i + 3]));
            i += 3;
        } else {
            out += name[i];
        }
    }
    return out;
}

std::string volumeLabel(const fs::path& path, std::string_view mountinfo,
                        const fs::path& byLabelFolder) {
    const std::string target = canonicalOrSame(path);
    const Mount* best = nullptr;
    const std::vector<Mount> mounts = parseMounts(mountinfo);
    for (const Mount& mount : mounts) {
        // The last mount of the longest matching point is the one in effect.
        if (isBelow(target, mount.mountPoint) &&
            (best == nullptr || mount.mountPoint.size() >= best->mountPoint.size())) {
            best = &mount;
        }
    }
    if (best == nullptr) {
        return "";
    }
    if (!best->source.empty() && best->source[0] == '/') {
        const std::string device = canonicalOrSame(best->source);
        std::error_code ec;
        for (fs::directory_iterator it(byLabelFolder, ec), end; !ec && it != end;
             it.increment(ec)) {
            if (canonicalOrSame(it->path()) == device) {
                return unescapeUdevName(it->path().filename().string());
            }
        }
    }
    const std::string name = fs::path(best->mountPoint).filename().string();
    return name.empty() ? best->mountPoint : name;
}

std::string volumeLabel(const fs::path& path) {
    Result<std::string> mountinfo = readFile("/proc/self/mountinfo");
    return volumeLabel(path, mountinfo ? *mountinfo : std::string(), "/dev/disk/by-label");
}

}  // namespace quor::platform
