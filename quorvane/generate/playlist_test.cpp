#include "quorvane/generate/playlist.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"
#include "quorvane/generate/list_body_fixture.h"

namespace quor::generate {
namespace {

using quor::testing::crlf;
using Lines = std::vector<std::string>;

class Playlist : public testing::ListTest {
  protected:
    Lines paths() {
        store::ListContext c = context();
        return buildPlaylistPaths(c);
    }
};

TEST_F(Playlist, RealPathsWhateverTheDisplayName) {
    record(0, "/home/u/Music", "/home/u/Music");
    cache(0, {"0", "*/home/u/Music/", "*/home/u/Music/Rock/", testing::cached("song.mp3", "3KB")});
    record(1, "/srv/Music", "Tunes");
    cache(1, {"0", "*Tunes/", "b.txt", "*tunes/Rock/", "x.mp3>  Tunes/Rock/"});
    EXPECT_EQ(paths(),
              (Lines{"/home/u/Music/Rock/song.mp3", "/srv/Music/b.txt", "/srv/Music/Rock/x.mp3"}));
}

TEST_F(Playlist, DiskSetsUseTheirMountedFolder) {
    record(0, "/media/cd", "CDs", "1");
    cache(0,
          {"?Disk 1", "10", "*Disk 1/", "a", "*Disk 1/Sub/", "b", "?Disk 2", "5", "*Disk 2/", "c"});
    EXPECT_EQ(paths(), (Lines{"/media/cd/a", "/media/cd/c", "/media/cd/Sub/b"}));
}

TEST_F(Playlist, NamesAreDecodedAndLineBreaksLeftOut) {
    record(0, "/m", "M");
    cache(0, {"0", "*M/", "*M/100%25/", "a%2Ab%3F.mp3", "bad%0Aname.mp3", "also%0Dbad"});
    EXPECT_EQ(paths(), (Lines{"/m/100%/a*b?.mp3"}));
}

TEST_F(Playlist, MissingCacheFileIsReportedAndSkipped) {
    record(0, "/gone", "G");
    record(1, "/m", "M");
    cache(1, {"0", "*M/", "a"});
    EXPECT_EQ(paths(), (Lines{"/m/a"}));
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].caption, "Warning");
}

TEST_F(Playlist, AppendsKeepingWhatTheFileHeld) {
    record(0, "/m", "M");
    cache(0, {"0", "*M/", "b", "a"});
    home.file("list.m3u", "/old/one.mp3");  // no line end after the last line
    const auto playlist = home.path("list.m3u");
    store::ListContext c = context();
    ASSERT_TRUE(saveToPlaylist(c, playlist).ok());
    ASSERT_TRUE(saveToPlaylist(c, playlist).ok());
    EXPECT_EQ(home.read("list.m3u"), crlf("/old/one.mp3\n/m/a\n/m/b\n/m/a\n/m/b\n"));
    EXPECT_EQ(setting("PlaylistPath"), playlist.string());
    EXPECT_EQ(playlistStartFolder(c), home.root().string() + "/");
}

TEST_F(Playlist, FailedSaveTellsTheUserAndKeepsThePlaylistPath) {
    record(0, "/m", "M");
    cache(0, {"0", "*M/", "a"});
    setSetting("PlaylistPath", "/before/p.m3u");
    store::ListContext c = context();
    const auto bad = home.path("no/such/folder/p.m3u");
    EXPECT_FALSE(saveToPlaylist(c, bad).ok());
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text,
              "There was a problem saving the MP3 playlist to: \n" + bad.string() + "!");
    EXPECT_EQ(setting("PlaylistPath"), "/before/p.m3u");
}

TEST(PlaylistFolder, HeadingForms) {
    EXPECT_EQ(playlistFolderOf("Tunes", "Tunes", "/srv/m/", false), "Tunes");
    EXPECT_EQ(playlistFolderOf("TUNES/a/", "Tunes", "/srv/m", false), "/srv/m/a/");
    EXPECT_EQ(playlistFolderOf("Other/a/", "Tunes", "/srv/m/", false), "Other/a/");
    EXPECT_EQ(playlistFolderOf("Disk 1/a/", "CDs", "/media/cd/", true), "/media/cd/a/");
}

}  // namespace
}  // namespace quor::generate
