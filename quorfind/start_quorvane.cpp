#include "quorfind/start_quorvane.h"

#include <unistd.h>

#include <system_error>

#include "common/handoff_protocol.h"
#include "platform/process_start.h"
#include "quorvane/store/parse_filename.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::find {

namespace fs = std::filesystem;

std::optional<fs::path> quorvaneExecutable(const fs::path& ownFolder) {
    const fs::path beside = ownFolder / "quorvane";
    std::error_code error;
    if (!ownFolder.empty() && fs::is_regular_file(beside, error) &&
        ::access(beside.c_str(), X_OK) == 0) {
        return beside;
    }
    return platform::findExecutable("quorvane");
}

std::vector<std::string> runQuorvaneCommand(const fs::path& quorvane) {
    return {quorvane.string()};
}

std::vector<std::string> updateListCommand(const fs::path& quorvane, ListType type,
                                           std::string_view currentListPath) {
    const std::string base = store::savedListBase(store::fileNamePart(currentListPath));
    if (type != ListType::OwnList || base.empty()) {
        return {quorvane.string(), "auto"};
    }
    return {quorvane.string(), "auto", base};
}

namespace {

bool start(Interaction& user, const std::optional<std::vector<std::string>>& command) {
    if (command && platform::startDetached(*command).ok()) {
        return true;
    }
    user.notice(kQuorvaneNotFound, kQuorfindTitle, Shown::Always);
    return false;
}

}  // namespace

bool runQuorvane(Interaction& user, const fs::path& ownFolder) {
    const auto quorvane = quorvaneExecutable(ownFolder);
    return start(user, quorvane ? std::optional(runQuorvaneCommand(*quorvane)) : std::nullopt);
}

std::optional<std::vector<std::string>> updateCurrentListCommand(const fs::path& ownFolder,
                                                                 ListType type,
                                                                 std::string_view currentListPath) {
    const auto quorvane = quorvaneExecutable(ownFolder);
    if (!quorvane) {
        return std::nullopt;
    }
    return updateListCommand(*quorvane, type, currentListPath);
}

namespace {

constexpr std::size_t kReasonLines = 4;
constexpr std::size_t kReasonLineBytes = 400;

// The last kReasonLines lines of output that hold text, printable, without
// the "quorvane: " that starts each.
std::string lastLines(std::string_view output) {
    std::vector<std::string> lines;
    while (!output.empty()) {
        const std::size_t end = output.rfind('\n', output.size() - 1);
        const std::size_t start = end == std::string_view::npos ? 0 : end + 1;
        std::string_view line = output.substr(start);
        output = output.substr(0, end == std::string_view::npos ? 0 : end);
        if (line.starts_with("quorvane: ")) {
            line.remove_prefix(10);
        }
        std::string shown = handoff::printableText(line, kReasonLineBytes);
        if (!shown.empty()) {
            lines.insert(lines.begin(), std::move(shown));
        }
        if (lines.size() == kReasonLines) {
            break;
        }
    }
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? "" : "\n") + line;
    }
    return text;
}

std::string statusMeaning(std::optional<int> exitStatus) {
    if (!exitStatus) {
        return "Quorvane was ended before it had finished.";
    }
    if (*exitStatus == 75) {
        return "Another copy of Quorvane was running and did not build the list.";
    }
    return "Quorvane ended with exit status " + std::to_string(*exitStatus) + ".";
}

}  // namespace

std::optional<std::string> updateFailureText(std::optional<int> exitStatus,
                                             std::string_view errorOutput) {
    if (exitStatus == 0) {
        return std::nullopt;
    }
    std::string reason = lastLines(errorOutput);
    if (reason.empty()) {
        reason = statusMeaning(exitStatus);
    }
    if (reason[0] >= 'a' && reason[0] <= 'z') {
        reason[0] = static_cast<char>(reason[0] - 'a' + 'A');  // a sentence of its own
    }
    return std::string(kListNotRebuilt) + "\n" + reason;
}

}  // namespace quor::find
