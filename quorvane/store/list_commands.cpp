#include "quorvane/store/list_commands.h"

#include <algorithm>
#include <system_error>

#include "common/file_io.h"
#include "common/names.h"
#include "common/number_text.h"
#include "quorvane/store/operation_failure.h"
#include "quorvane/store/parse_filename.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/saved_lists.h"

namespace quor::store {

namespace fs = std::filesystem;

std::string currentListName(const AppSettings& settings) {
    return fileNamePart(settings.get(kSavePath));
}

namespace {

// The current list saved afresh under its own name. Each step shows its own
// failure box, and a failed step does not stop the command that follows.
void resaveCurrentList(ListContext& context) {
    const std::string current = currentListName(context.settings());
    (void)deletesavedlist(context, current);
    (void)savelist(context, current);
}

Status openCheckedList(ListContext& context, ListSession& session, std::string_view chosenListName,
                       bool& opened) {
    if (Status made = createFolders(context.places.dataFolder()); !made) {
        return made;
    }
    if (chosenListName.empty()) {
        return Status::success();
    }
    // Checked before anything changes, so that a list that cannot be
    // opened leaves the current one as it was.
    const std::filesystem::path chosen = context.places.dataFolder() / std::string(chosenListName);
    if (Result<SavedList> checked = readSavedListFile(chosen); !checked) {
        return Error{checked.error()};
    }
    resaveCurrentList(context);
    (void)deletecurrentlist(context);  // shows its own failure; loadlist replaces it all
    session.openedListName = std::string(chosenListName);
    (void)loadlist(context, chosenListName);  // shows its own failure
    opened = true;
    return Status::success();
}

}  // namespace

void newList(ListContext& context, ListSession& session) {
    resaveCurrentList(context);
    (void)deletecurrentlist(context);  // shows its own failure
    session.openedListName.clear();
}

bool openList(ListContext& context, ListSession& session, std::string_view chosenListName) {
    bool opened = false;
    const bool done =
        runOperation(context.user, {"There was a problem opening the list! (openlist)"},
                     [&] { return openCheckedList(context, session, chosenListName, opened); });
    return done && opened;
}

void deleteList(ListContext& context, std::string_view chosenListName) {
    (void)runOperation(context.user, {"There was a problem deleting the list!"}, [&]() -> Status {
        if (Status made = createFolders(context.places.dataFolder()); !made) {
            return made;
        }
        if (!chosenListName.empty()) {
            (void)deletesavedlist(context, chosenListName);  // shows its own failure
        }
        return Status::success();
    });
}

void saveOnClose(ListContext& context, const ListSession& session) {
    // Each shows its own failure; the window closes either way.
    (void)deletesavedlist(context, session.openedListName);
    (void)savelist(context, currentListName(context.settings()));
}

std::string listLabelText(const AppSettings& settings) {
    return "List: " + currentListName(settings) + ", " + generalNumber(settings.get(kNumFiles)) +
           " files" + ", " + settings.get(kTotalSize);
}

std::string windowCaption(const AppSettings& settings) {
    const std::string name = currentListName(settings);
    return name.empty() ? "Quorvane" : "Quorvane - " + name;
}

ChooserTexts chooserTexts(ChooserMode mode) {
    if (mode == ChooserMode::Delete) {
        return {"Delete List", "Select the saved list to delete:", "Delete"};
    }
    return {"Open List", "Select the saved list to open:", "Open"};
}

std::vector<std::string> savedListNames(const Places& places) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(places.dataFolder(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.size() > 4 && file.ends_with(".lst") && isRegularFile(it->path())) {
            names.push_back(nameWithoutExtension(file));
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = asciiLower(a);
        const std::string lb = asciiLower(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

std::optional<std::size_t> preselectedList(const std::vector<std::string>& names,
                                           std::string_view current) {
    if (!current.empty()) {
        const std::string base = savedListBase(current);
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == current || names[i] + ".lst" == current || names[i] == base) {
                return i;
            }
        }
    }
    if (names.size() == 1) {
        return 0;
    }
    return std::nullopt;
}

std::optional<std::string> chooseSavedList(Interaction& user, ChooserMode mode,
                                           const std::optional<std::string>& selectedItem) {
    if (!selectedItem) {
        user.notice("Please select a saved list!");
        return std::nullopt;
    }
    if (mode == ChooserMode::Delete &&
        !user.confirmDestructive("Are you sure you want to delete this list?")) {
        return std::string();
    }
    return *selectedItem + ".lst";
}

}  // namespace quor::store
