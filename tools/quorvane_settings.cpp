// quorvane-settings: reads and changes quorvane's settings store from a
// terminal or a script (the same store the programs use: QUORVANE_HOME, else
// the XDG folders).
//
//   quorvane-settings get APP SECTION KEY
//   quorvane-settings set APP SECTION KEY VALUE
//   quorvane-settings add-folder PATH [DISPLAY-NAME]
//   quorvane-settings folders

#include <iostream>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "platform/program_folder.h"
#include "quorvane/store/folder_list.h"
#include "quorvane/store/folder_options.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/settings_store.h"

using namespace quor;

namespace {

int usage() {
    std::cerr << "usage: quorvane-settings get APP SECTION KEY\n"
                 "       quorvane-settings set APP SECTION KEY VALUE\n"
                 "       quorvane-settings add-folder PATH [DISPLAY-NAME]\n"
                 "       quorvane-settings folders\n";
    return 2;
}

int addFolder(store::SettingsStore& settings, const std::string& path, const std::string& name) {
    UnattendedInteraction ui("quorvane-settings");
    store::ListContext context{settings, store::Places::forThisUser(), ui};
    const auto index = store::addFolder(context, path);
    if (!index) {
        std::cerr << "quorvane-settings: " << path << " is already in the list\n";
        return 1;
    }
    if (!name.empty()) {
        store::FolderOptions options(context, *index);
        options.pathName = name;
        options.accept();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        return usage();
    }
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        std::cerr << "quorvane-settings: " << opened.error() << '\n';
        return 1;
    }
    store::SettingsStore& settings = **opened;
    try {
        if (args[0] == "get" && args.size() == 4) {
            if (!settings.contains(args[1], args[2], args[3])) {
                return 1;
            }
            std::cout << settings.get(args[1], args[2], args[3]) << '\n';
            return 0;
        }
        if (args[0] == "set" && args.size() == 5) {
            settings.save(args[1], args[2], args[3], args[4]);
            return 0;
        }
        if (args[0] == "add-folder" && (args.size() == 2 || args.size() == 3)) {
            return addFolder(settings, args[1], args.size() == 3 ? args[2] : "");
        }
        if (args[0] == "folders" && args.size() == 1) {
            const store::AppSettings app(settings, store::kQuorvane);
            const int count = store::numPaths(app);
            for (int i = 0; i < count; ++i) {
                const store::FolderRecord record = store::readFolderRecord(app, i);
                std::cout << i << '\t' << record.path << '\t' << record.pathname << '\n';
            }
            return 0;
        }
    } catch (const std::exception& error) {
        std::cerr << "quorvane-settings: " << error.what() << '\n';
        return 1;
    }
    return usage();
}
