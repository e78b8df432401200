#include "quorfind/recent_searches.h"

#include <gtest/gtest.h>

#include "quorfind/settings.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::find {
namespace {

class FindSettingsTest : public quor::testing::StoreTest {
  protected:
    store::AppSettings find() { return store::AppSettings(*store, store::kQuorfind); }
};

TEST_F(FindSettingsTest, RecentSearchesKeepEightNewestFirst) {
    RecentSearches recent = RecentSearches::load(find());
    for (int i = 1; i <= 9; ++i) {
        EXPECT_TRUE(recent.remember("text " + std::to_string(i)));
    }
    EXPECT_FALSE(recent.remember("text 5"));
    EXPECT_TRUE(recent.remember("TEXT 5"));  // case counts
    EXPECT_EQ(recent.items().front(), "TEXT 5");
    EXPECT_EQ(recent.items().back(), "text 3");
}

TEST_F(FindSettingsTest, RecentSearchesSurviveARestartEmptyOnesIncluded) {
    RecentSearches recent = RecentSearches::load(find());
    EXPECT_FALSE(recent.remember(""));  // the eight empty items hold it already
    recent.remember("beatles");
    store::AppSettings settings = find();
    recent.save(settings);
    EXPECT_EQ(settings.setting("SearchFav0", "<missing>"), "beatles");
    EXPECT_EQ(settings.setting("SearchFav7", "<missing>"), "");
    EXPECT_EQ(RecentSearches::load(find()).items(), recent.items());
}

TEST_F(FindSettingsTest, ReadsTheSettingsWithTheirDefaults) {
    FindSettings settings(*store);
    EXPECT_EQ(settings.listType(), ListType::OwnList);
    EXPECT_TRUE(settings.includeFolders());
    EXPECT_FALSE(settings.alwaysOnTop());
    EXPECT_EQ(settings.serviceName(), "mIRC");
    EXPECT_EQ(settings.sendTemplate(), "/DCC send %N %P");
    EXPECT_TRUE(settings.playlistPath().ends_with("/"));

    settings.saveListType(ListType::ListsFolder);
    EXPECT_EQ(settings.listType(), ListType::ListsFolder);
    settings.app().save(kListType, "7");
    EXPECT_EQ(settings.listType(), ListType::OwnList);
    settings.app().save(kIncludeFolders, "0");
    EXPECT_FALSE(settings.includeFolders());

    settings.saveIrcOptions("", "");
    EXPECT_EQ(settings.app().setting(kDdeServiceName.key), "mIRC");
    EXPECT_EQ(settings.app().setting(kDdeSendString.key), "/DCC send %N %P");
}

}  // namespace
}  // namespace quor::find
