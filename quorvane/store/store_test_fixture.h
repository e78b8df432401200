#pragma once

// The situation most tests start from: a temporary program folder and
// settings store (QUORVANE_HOME), a scripted user, and helpers to lay out
// folder records and cache files in one line each.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/testing/scripted_interaction.h"
#include "common/testing/temp_tree.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/list_context.h"
#include "quorvane/store/settings_store.h"

namespace quor::testing {

class StoreTest : public ::testing::Test {
  protected:
    StoreTest() {
        auto opened = store::SettingsStore::open(home.home() / "settings.db");
        if (!opened) {
            throw std::runtime_error(opened.error());
        }
        store = std::move(*opened);
        (void)context().places.ensureFolders();
    }

    store::ListContext context() {
        return store::ListContext{*store, store::Places(home.home()), user};
    }
    store::AppSettings settings() { return store::AppSettings(*store, store::kQuorvane); }

    std::string setting(std::string_view key) { return settings().setting(key, "<missing>"); }
    void setSetting(std::string_view key, std::string_view value) {
        settings().saveSetting(key, value);
    }
    template <store::ValueKind Kind>
    std::string setting(const store::Setting<Kind>& declared) {
        return setting(declared.key);
    }
    template <store::ValueKind Kind>
    void setSetting(const store::Setting<Kind>& declared, std::string_view value) {
        setSetting(declared.key, value);
    }

    // Adds folder records with the given paths (display name = path, Update
    // 1, cdrom 0) and sets NumPaths.
    void addRecords(const std::vector<std::string>& paths) {
        store::AppSettings s = settings();
        int n = store::numPaths(s);
        for (const std::string& path : paths) {
            store::writeFolderRecord(s, n++, {path, path, "1", "0"});
        }
        s.save(store::kNumPaths, std::to_string(n));
    }

    void setRecord(int i, const store::FolderRecord& record) {
        store::AppSettings s = settings();
        store::writeFolderRecord(s, i, record);
    }
    store::FolderRecord record(int i) { return store::readFolderRecord(settings(), i); }

    // Writes the cache file of record i in the program folder.
    void cacheFile(int i, std::string_view contents) {
        home.file("home/" + std::to_string(i) + ".txt", contents);
    }
    std::string readCacheFile(int i) { return home.read("home/" + std::to_string(i) + ".txt"); }
    std::string readHome(std::string_view relative) {
        return home.read("home/" + std::string(relative));
    }
    bool existsInHome(std::string_view relative) {
        return home.exists("home/" + std::string(relative));
    }

    TempHome home;
    std::unique_ptr<store::SettingsStore> store;
    ScriptedInteraction user;
};

}  // namespace quor::testing
