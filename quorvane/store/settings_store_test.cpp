#include "quorvane/store/settings_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/testing/temp_tree.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::store {
namespace {

using quor::testing::TempTree;

std::unique_ptr<SettingsStore> openStore(const std::filesystem::path& file) {
    auto opened = SettingsStore::open(file);
    EXPECT_TRUE(opened) << (opened ? "" : opened.error());
    return opened ? std::move(*opened) : nullptr;
}

TEST(SettingsStore, MissingValuesGiveTheDefault) {
    TempTree tree;
    auto store = openStore(tree.path("settings.db"));
    EXPECT_EQ(store->get("Quorvane", "Settings", "FileMask", "*.*"), "*.*");
    EXPECT_EQ(store->get("Quorvane", "Settings", "FileMask"), "");
    EXPECT_FALSE(store->contains("Quorvane", "Settings", "FileMask"));
}

TEST(SettingsStore, ApplicationSectionAndKeyIgnoreCase) {
    TempTree tree;
    auto store = openStore(tree.path("settings.db"));
    store->save("Quorvane", "0", "Pathname", "My Music");
    EXPECT_EQ(store->get("Quorvane", "0", "PathName"), "My Music");
    EXPECT_EQ(store->get("QUORVANE", "0", "pathname"), "My Music");
    store->save("quorvane", "0", "PATHNAME", "Rock");
    EXPECT_EQ(store->get("Quorvane", "0", "Pathname"), "Rock");
    EXPECT_EQ(store->keys("Quorvane", "0").size(), 1u);
    store->save("Quorvane", "Settings", "Key", "a");
    store->save("Quorvane", "settings", "Key2", "b");
    EXPECT_EQ(store->keys("Quorvane", "SETTINGS").size(), 2u);
}

TEST(SettingsStore, ApplicationsAndSectionsAreSeparate) {
    TempTree tree;
    auto store = openStore(tree.path("settings.db"));
    store->save("Quorvane", "Settings", "ListType", "1");
    store->save("Quorfind", "Settings", "ListType", "0");
    store->save("Quorvane", "1", "ListType", "2");
    EXPECT_EQ(store->get("Quorvane", "Settings", "ListType"), "1");
    EXPECT_EQ(store->get("Quorfind", "Settings", "ListType"), "0");
    EXPECT_EQ(store->get("Quorvane", "1", "ListType"), "2");
}

TEST(SettingsStore, ValuesAreTextKeptExactly) {
    TempTree tree;
    auto store = openStore(tree.path("settings.db"));
    for (const char* value : {"", " 42", "c:\\", "Müsik\n日本", "a'b\"c;--", "%&*"}) {
        store->save("Quorvane", "Settings", "Value", value);
        EXPECT_EQ(store->get("Quorvane", "Settings", "Value", "<default>"), value);
    }
    EXPECT_TRUE(store->contains("Quorvane", "Settings", "Value"));
}

TEST(SettingsStore, DeletesAKeyOrAWholeSection) {
    TempTree tree;
    auto store = openStore(tree.path("settings.db"));
    store->save("Quorvane", "2", "Path", "/a");
    store->save("Quorvane", "2", "Update", "1");
    store->save("Quorvane", "3", "Path", "/b");
    store->remove("Quorvane", "2", "UPDATE");
    EXPECT_EQ(store->get("Quorvane", "2", "Update", "gone"), "gone");
    EXPECT_EQ(store->get("Quorvane", "2", "Path"), "/a");
    store->removeSection("Quorvane", "2");
    EXPECT_TRUE(store->keys("Quorvane", "2").empty());
    EXPECT_EQ(store->get("Quorvane", "3", "Path"), "/b");
    store->remove("Quorvane", "9", "Nothing");  // deleting what is missing is fine
}

TEST(SettingsStore, ValuesAreReadWhenUsedNeverCached) {
    TempTree tree;
    auto first = openStore(tree.path("settings.db"));
    auto second = openStore(tree.path("settings.db"));
    first->save("Quorvane", "Settings", "HTML", "0");
    EXPECT_EQ(second->get("Quorvane", "Settings", "HTML"), "0");
    second->save("Quorvane", "Settings", "HTML", "1");
    EXPECT_EQ(first->get("Quorvane", "Settings", "HTML"), "1");
}

// A declared setting reads and writes the same stored value as its raw key,
// typed by its kind, with its fallback when the key is missing.
TEST(SettingsStore, DeclaredSettingsReadTheStoredTextOrTheirFallback) {
    TempTree tree;
    auto store = openStore(tree.path("settings.db"));
    AppSettings quorvane(*store, kQuorvane);
    EXPECT_EQ(quorvane.get(kFileMask), "*.*");
    EXPECT_EQ(quorvane.get(kShowHeader), 1.0);
    EXPECT_EQ(quorvane.get(kNumFiles), 0.0);
    EXPECT_EQ(quorvane.get(kNumFiles.withFallback("1")), 1.0);
    EXPECT_FALSE(quorvane.contains(kShowHeader));

    store->save("Quorvane", "Settings", "showheader", " 2.5 rows");
    EXPECT_TRUE(quorvane.contains(kShowHeader));
    EXPECT_EQ(quorvane.text(kShowHeader), " 2.5 rows");
    EXPECT_EQ(quorvane.get(kShowHeader), 2.5);

    quorvane.save(kSavePath, "/web/list.html");
    EXPECT_EQ(store->get("Quorvane", "Settings", "SavePath"), "/web/list.html");
    EXPECT_EQ(store->get("Quorfind", "Settings", "SavePath", "<missing>"), "<missing>");
}

TEST(SettingsStore, ATransactionIsAllOrNothing) {
    TempTree tree;
    auto store = openStore(tree.path("settings.db"));
    auto other = openStore(tree.path("settings.db"));
    store->save("Quorvane", "Settings", "NumPaths", "1");
    EXPECT_THROW(store->transaction([&] {
        store->save("Quorvane", "Settings", "NumPaths", "2");
        store->save("Quorvane", "1", "Path", "/new");
        store->transaction([&] { store->save("Quorvane", "1", "Update", "1"); });  // nested joins
        throw std::runtime_error("stop halfway");
    }),
                 std::runtime_error);
    EXPECT_EQ(store->get("Quorvane", "Settings", "NumPaths"), "1");
    EXPECT_FALSE(store->contains("Quorvane", "1", "Path"));

    store->transaction([&] {
        store->save("Quorvane", "Settings", "NumPaths", "2");
        store->save("Quorvane", "1", "Path", "/new");
    });
    EXPECT_EQ(other->get("Quorvane", "Settings", "NumPaths"), "2");
    EXPECT_EQ(other->get("Quorvane", "1", "Path"), "/new");
}

TEST(SettingsStore, TwoProcessesWritingAtOnceLoseNothing) {
    TempTree tree;
    const auto file = tree.path("settings.db");
    { auto created = openStore(file); }
    constexpr int kWrites = 300;
    pid_t children[2];
    for (int child = 0; child < 2; ++child) {
        children[child] = ::fork();
        ASSERT_GE(children[child], 0);
        if (children[child] == 0) {
            int failures = 0;
            try {
                auto opened = SettingsStore::open(file);
                if (!opened) {
                    ::_exit(3);
                }
                auto& store = **opened;
                const std::string app = child == 0 ? "Quorvane" : "Quorfind";
                for (int i = 0; i < kWrites; ++i) {
                    if (i % 3 == 0) {
                        store.transaction([&] {
                            // Read, then write: the case BEGIN IMMEDIATE exists for.
                            const std::string count = store.get("Quorvane", "Shared", "Count", "0");
                            store.save("Quorvane", "Shared", "Count",
                                       std::to_string(std::stoi(count) + 1));
                            store.save(app, "Settings", "Key" + std::to_string(i),
                                       std::to_string(i));
                        });
                    } else {
                        store.save(app, "Settings", "Key" + std::to_string(i), std::to_string(i));
                    }
                }
            } catch (...) {
                ++failures;
            }
            ::_exit(failures == 0 ? 0 : 1);
        }
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    auto store = openStore(file);
    for (const char* app : {"Quorvane", "Quorfind"}) {
        EXPECT_EQ(store->keys(app, "Settings").size(), static_cast<std::size_t>(kWrites)) << app;
    }
    EXPECT_EQ(store->get("Quorvane", "Shared", "Count"), std::to_string(2 * ((kWrites + 2) / 3)));
}

TEST(SettingsStore, AnUnusableFileIsAClearErrorAtOpen) {
    TempTree tree;
    tree.file("settings.db", std::string(4096, 'x'));
    auto opened = SettingsStore::open(tree.path("settings.db"));
    ASSERT_FALSE(opened);
    EXPECT_NE(opened.error().find("settings.db"), std::string::npos) << opened.error();
}

TEST(SettingsStore, CreatesItsFolder) {
    TempTree tree;
    auto store = openStore(tree.path("config/quorvane/settings.db"));
    ASSERT_NE(store, nullptr);
    EXPECT_TRUE(tree.exists("config/quorvane/settings.db"));
}

}  // namespace
}  // namespace quor::store
