#include "quorfind/start_quorvane.h"

#include <unistd.h>

#include <system_error>

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

bool start(Interaction& ui, const std::optional<std::vector<std::string>>& command) {
    if (command && platform::startDetached(*command).ok()) {
        return true;
    }
    ui.notice(kQuorvaneNotFound, kQuorfindTitle, Shown::Always);
    return false;
}

}  // namespace

bool runQuorvane(Interaction& ui, const fs::path& ownFolder) {
    const auto quorvane = quorvaneExecutable(ownFolder);
    return start(ui, quorvane ? std::optional(runQuorvaneCommand(*quorvane)) : std::nullopt);
}

bool updateCurrentList(Interaction& ui, const fs::path& ownFolder, ListType type,
                       std::string_view currentListPath) {
    const auto quorvane = quorvaneExecutable(ownFolder);
    return start(ui, quorvane ? std::optional(updateListCommand(*quorvane, type, currentListPath))
                              : std::nullopt);
}

}  // namespace quor::find
