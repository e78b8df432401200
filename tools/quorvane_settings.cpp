// quorvane-settings: reads and changes quorvane's settings store from a
// terminal or a script (the same store the programs use: QUORVANE_HOME, else
// the XDG folders).
//
//   quorvane-settings get APP SECTION KEY
//   quorvane-settings set APP SECTION KEY VALUE
//   quorvane-settings add-folder PATH [DISPLAY-NAME]
//   quorvane-settings folders
//   quorvane-settings --help

#include <iostream>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "platform/program_folder.h"
#include "quorvane/store/folder_list.h"
#include "quorvane/store/folder_options.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/settings_store.h"
#include "tools/settings_command.h"

using namespace quor;

namespace {

int usageError() {
    std::cerr << tools::kSettingsUsage;
    return 2;
}

int addFolder(store::SettingsStore& settings, const std::string& path, const std::string& name) {
    UnattendedInteraction user("quorvane-settings");
    store::ListContext context{settings, store::Places::forThisUser(), user};
    const auto index = store::addFolder(context, path);
    if (!index) {
        std::cerr << "quorvane-settings: " << path << " is already in the list\n";
        return 1;
    }
    if (!name.empty()) {
        store::FolderOptions options(context, *index);
        options.pathName = name;
        (void)options.accept();  // refused only for an empty path, and this one was just added
    }
    return 0;
}

int printFolders(store::SettingsStore& settings) {
    const store::AppSettings app(settings, store::kQuorvane);
    const int count = store::numPaths(app);
    for (int i = 0; i < count; ++i) {
        const store::FolderRecord record = store::readFolderRecord(app, i);
        std::cout << i << '\t' << record.path << '\t' << record.pathname << '\n';
    }
    return 0;
}

int run(store::SettingsStore& settings, const tools::SettingsCommand& command) {
    const std::vector<std::string>& a = command.operands;
    switch (command.verb) {
        case tools::SettingsVerb::Get:
            if (!settings.contains(a[0], a[1], a[2])) {
                return 1;
            }
            std::cout << settings.get(a[0], a[1], a[2]) << '\n';
            return 0;
        case tools::SettingsVerb::Set:
            settings.save(a[0], a[1], a[2], a[3]);
            return 0;
        case tools::SettingsVerb::AddFolder:
            return addFolder(settings, a[0], a.size() == 2 ? a[1] : "");
        case tools::SettingsVerb::Folders:
            return printFolders(settings);
        case tools::SettingsVerb::Help:
            break;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const auto command = tools::parseSettingsCommand({argv + 1, argv + argc});
    if (!command) {
        return usageError();
    }
    if (command->verb == tools::SettingsVerb::Help) {
        std::cout << tools::kSettingsUsage;
        return 0;
    }
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        std::cerr << "quorvane-settings: " << opened.error() << '\n';
        return 1;
    }
    try {
        return run(**opened, *command);
    } catch (const store::StoreError& error) {
        std::cerr << "quorvane-settings: " << error.what() << '\n';
        return 1;
    }
}
