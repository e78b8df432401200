#include "platform/players.h"

#include <gtest/gtest.h>

#include <set>

namespace quor::platform {
namespace {

using Args = std::vector<std::string>;

TEST(PlayerTemplate, PutsThePathInAsOneArgument) {
    struct Case {
        const char* commandTemplate;
        const char* path;
        Args args;
    };
    const Case cases[] = {
        {"mpv %F", "/m/a b.mp3", {"mpv", "/m/a b.mp3"}},
        {"mpv --no-video", "/m/x.mp3", {"mpv", "--no-video", "/m/x.mp3"}},
        {"\"/opt/my player/run\" --file=%F -q", "/x", {"/opt/my player/run", "--file=/x", "-q"}},
        {"cmus-remote -q %F", "-rf", {"cmus-remote", "-q", "./-rf"}},
        {"sh -c %F", "; rm x", {"sh", "-c", "; rm x"}},
        {"   ", "/x", {}},
        {"", "/x", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(commandFromTemplate(c.commandTemplate, c.path), c.args) << c.commandTemplate;
    }
}

TEST(PlayerFallback, TakesTheFirstInstalledPlayer) {
    const auto only = [](std::set<std::string> names) {
        return [names](std::string_view name) { return names.count(std::string(name)) > 0; };
    };
    EXPECT_EQ(fallbackPlayerCommand(PlayerVerb::Play, "/a.mp3", only({"audacious", "vlc"})),
              (Args{"audacious", "-p", "/a.mp3"}));
    EXPECT_EQ(fallbackPlayerCommand(PlayerVerb::Enqueue, "/a.mp3", only({"audacious"})),
              (Args{"audacious", "-e", "/a.mp3"}));
    EXPECT_EQ(fallbackPlayerCommand(PlayerVerb::Play, "/a.mp3", only({"vlc", "xdg-open"})),
              (Args{"vlc", "--one-instance", "--play-and-exit", "/a.mp3"}));
    EXPECT_EQ(fallbackPlayerCommand(PlayerVerb::Enqueue, "-a.mp3", only({"vlc"})),
              (Args{"vlc", "--one-instance", "--playlist-enqueue", "./-a.mp3"}));
    EXPECT_EQ(fallbackPlayerCommand(PlayerVerb::Play, "/a.mp3", only({"xdg-open"})),
              (Args{"xdg-open", "/a.mp3"}));
    EXPECT_FALSE(fallbackPlayerCommand(PlayerVerb::Enqueue, "/a.mp3", only({"xdg-open"})));
    EXPECT_EQ(playerCommand(PlayerVerb::Play, "mpv", "/a.mp3", only({"audacious"})),
              (Args{"mpv", "/a.mp3"}));
    EXPECT_EQ(playerCommand(PlayerVerb::Play, "", "/a.mp3", only({"audacious"})),
              (Args{"audacious", "-p", "/a.mp3"}));
}

TEST(AudioFile, KnowsSoundAndPlaylistTypesByExtension) {
    const std::vector<std::pair<std::string_view, bool>> cases = {
        {"/m/a.mp3", true},       {"/m/A.MP3", true},
        {"/m/b.FlAc", true},      {"/m/c.ogg", true},
        {"/m/list.m3u8", true},   {"/m/d.wav", true},
        {"/m/notes.txt", false},  {"/m/page.html", false},
        {"/m/mp3", false},        {"/m/.mp3", false},
        {"/m.mp3/readme", false}, {"/m/a.mp3.txt", false},
        {"/m/a.mp3x", false},     {"", false},
        {"/m/trailing.", false},  {"/m/long.mp3mp3mp3", false},
    };
    for (const auto& [path, audio] : cases) {
        EXPECT_EQ(isAudioFile(path), audio) << path;
    }
}

}  // namespace
}  // namespace quor::platform
