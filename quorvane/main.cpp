// quorvane: catalogues the files of the user's folders and publishes the
// catalogue as a text or HTML list.
//
// Until the list build exists, this prints the current configuration: the
// program folder, the folder records and the saved lists.

#include <cstdio>
#include <iostream>

#include "platform/program_folder.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/list_commands.h"
#include "quorvane/store/places.h"
#include "quorvane/store/settings_store.h"

using namespace quor;

int main() {
    const store::Places places = store::Places::forThisUser();
    if (Status made = places.ensureFolders(); !made) {
        std::cerr << "quorvane: " << made.error() << '\n';
        return 1;
    }
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        std::cerr << "quorvane: " << opened.error() << '\n';
        return 1;
    }
    try {
        store::AppSettings settings(**opened, store::kQuorvane);
        std::cout << "Program folder: " << places.programFolder().string() << '\n'
                  << "Settings store: " << (*opened)->file().string() << '\n'
                  << store::listLabelText(settings) << '\n';
        const auto rows = store::folderListRows(settings);
        std::cout << "Folders (" << rows.size() << "):\n";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const auto record = store::readFolderRecord(settings, static_cast<int>(i));
            std::cout << "  " << i << "  " << record.path << "  shown as " << record.pathname
                      << (store::isRemovableDiskSet(record) ? "  (removable disks)" : "") << '\n';
        }
        std::cout << "Saved lists:\n";
        for (const std::string& name : store::savedListNames(places)) {
            std::cout << "  " << name << '\n';
        }
    } catch (const std::exception& error) {
        std::cerr << "quorvane: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
