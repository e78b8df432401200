#include "platform/shell_open.h"

#include <cctype>
#include <filesystem>

#include "platform/process_start.h"
#include "platform/watched_start.h"

namespace quor::platform {

namespace {

unsigned char uchar(char c) {
    return static_cast<unsigned char>(c);
}

// An address ("https://...", "file:///..."): a scheme of letters, digits,
// "+", "-" and ".", beginning with a letter, then "://". A path never is one
// here, since the callers pass absolute paths.
bool isAddress(std::string_view target) {
    const std::size_t end = target.find("://");
    if (end == std::string_view::npos || end == 0 || !std::isalpha(uchar(target[0]))) {
        return false;
    }
    for (const char c : target.substr(0, end)) {
        if (!std::isalnum(uchar(c)) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

bool pathExists(std::string_view path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

}  // namespace

std::string pathArgument(std::string_view path) {
    if (path.starts_with('-')) {
        return "./" + std::string(path);
    }
    return std::string(path);
}

std::vector<std::string> shellOpenCommand(std::string_view target, Opener opener) {
    const std::string argument = isAddress(target) ? std::string(target) : pathArgument(target);
    if (opener == Opener::Gio) {
        return {"gio", "open", argument};
    }
    return {"xdg-open", argument};
}

std::optional<Opener> installedOpener() {
    if (findExecutable("xdg-open")) {
        return Opener::XdgOpen;
    }
    if (findExecutable("gio")) {
        return Opener::Gio;
    }
    return std::nullopt;
}

std::string openFailureReason(Opener opener, int exitStatus) {
    if (opener == Opener::Gio) {
        return "No application is set to open files of this type (gio open failed).";
    }
    switch (exitStatus) {
        case 2:
            return "The file does not exist.";
        case 3:
            return "No application is set to open files of this type.";
        case 4:
            return "The application set for files of this type could not be started.";
        default:
            return "xdg-open could not open the file (exit status " + std::to_string(exitStatus) +
                   ").";
    }
}

Status shellOpen(std::string_view target, std::chrono::milliseconds patience) {
    if (!isAddress(target) && !pathExists(target)) {
        return Error{"The file does not exist."};
    }
    const std::optional<Opener> opener = installedOpener();
    if (!opener) {
        return Error{"No program that opens files is installed (xdg-open, from xdg-utils)."};
    }
    const Result<WatchedEnd> started = startWatched(shellOpenCommand(target, *opener), patience);
    if (!started) {
        return Error{started.error()};
    }
    const std::optional<int> exitStatus = started->exitStatus;
    if (exitStatus && *exitStatus != 0) {
        return Error{openFailureReason(*opener, *exitStatus)};
    }
    return Status::success();
}

}  // namespace quor::platform
