#include "quorvane/generate/file_mask.h"

#include <gtest/gtest.h>

namespace quor::generate {
namespace {

TEST(FileMask, WindowsWildcardMeaning) {
    const struct {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "README", true},  // also names without a dot
        {"*.*", "a.b.c", true},
        {"*", "anything", true},
        {"", "anything", true},
        {"*.mp3", "song.mp3", true},
        {"*.mp3", "SONG.MP3", true},
        {"*.MP3", "song.mp3", true},
        {"*.mp3", "song.mp3.txt", false},
        {"*.mp3", "mp3", false},
        {"song?.mp3", "song1.mp3", true},
        {"song?.mp3", "song.mp3", false},
        {"song?.mp3", "song12.mp3", false},
        {"?", "é", true},  // one character, not one byte
        {"*ÄRZTE*", "die ärzte - live.mp3", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"readme.*", "README", true},  // a trailing ".*" allows no extension
        {"readme.*", "readme.txt", true},
        {"readme.*", "readmeX", false},
        {"*.txt", "notes.txt~", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileMask(c.mask).matches(c.name), c.matches) << c.mask << " / " << c.name;
    }
}

TEST(FileMask, ManyStarsStayFast) {
    // Backtracking must not explode on patterns with several stars.
    const std::string name(2000, 'a');
    EXPECT_FALSE(FileMask("*a*a*a*a*a*a*a*b").matches(name));
}

}  // namespace
}  // namespace quor::generate
