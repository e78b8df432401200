#pragma once

// Actions tests start from an own list "list" with one folder record "Music"
// whose real folder holds a few files, and a scripted user.

#include <chrono>
#include <vector>

#include "quorfind/actions/action_context.h"
#include "quorfind/search/saved_list_fixture.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::testing {

class ActionTest : public StoreTest {
  protected:
    ActionTest() {
        music = home.folder("music").string();
        home.file("music/a.mp3", "a");
        home.file("music/Rock/b.mp3", "b");
        home.file("music/Rock/c d.mp3", "c");
        writeSavedList(home, "list", {{"0", music, "Music", "0\n"}});
        list = *find::loadOwnList(home.home() / "data", "/web/list.txt");
    }

    find::ActionContext context(find::ListType type = find::ListType::OwnList) {
        return find::ActionContext{type, list, user, [this](std::chrono::milliseconds ms) {
                                       pauses.push_back(static_cast<int>(ms.count()));
                                   }};
    }

    static find::SearchRow row(std::string text) { return find::SearchRow(std::move(text)); }

    std::string music;
    find::OwnList list;
    std::vector<int> pauses;
};

}  // namespace quor::testing
