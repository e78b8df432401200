// Hostile file and folder names through the scan, the cache file, the text
// and HTML lists and the playlist export: no line is broken or corrupted,
// no name puts markup into the page, and every file is still named exactly.

#include <set>

#include "common/text_escape.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/cache_reader.h"
#include "quorvane/generate/hostile_tree_fixture.h"
#include "quorvane/generate/html_list.h"
#include "quorvane/generate/playlist.h"

namespace quor::generate {
namespace {

using quor::testing::holdsLineBreak;

std::vector<std::string> splitAtCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the text ends with a line end";
    return lines;
}

// An attribute value as a browser reads it.
std::string markupUnescaped(std::string text) {
    for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}}) {
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;) {
            text.replace(at, std::string_view(entity).size(), c);
        }
    }
    for (std::size_t at = text.find("&amp;"); at != std::string::npos;
         at = text.find("&amp;", at + 1)) {
        text.replace(at, 5, "&");
    }
    return text;
}

class HostileNamesTest : public testing::HostileTreeTest {
  protected:
    // Every file as folder and name, both as the lists show them.
    std::set<std::string> shownFiles() const {
        std::set<std::string> out;
        for (const auto& [relative, full] : files) {
            const std::size_t slash = relative.rfind('/');
            const std::string folder =
                slash == std::string::npos ? "" : relative.substr(0, slash + 1);
            out.insert(shownName("Music/" + folder) + "|" +
                       shownName(relative.substr(slash == std::string::npos ? 0 : slash + 1)));
        }
        return out;
    }
};

TEST_F(HostileNamesTest, TheCacheFileKeepsEveryNameWholeOnItsOwnLine) {
    buildList();
    std::set<std::string> listed;
    std::string folder;
    for (const std::string& line : splitAtCrLf(readCacheFile(0))) {
        ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos);
        if (cacheLineKind(line) == CacheLineKind::FolderHeading) {
            folder = decodeDisplayPath(line.substr(1));
        } else if (!folder.empty()) {
            const DecodedFileLine file = decodeFileLine(line);
            EXPECT_EQ(file.path, folder) << "the path column of " << file.name;
            listed.insert(folder.substr(6) + file.name);  // below "Music/"
        }
    }
    std::set<std::string> made;
    for (const auto& [relative, full] : files) {
        made.insert(relative);
    }
    EXPECT_EQ(listed, made);
}

TEST_F(HostileNamesTest, TheTextListShowsEveryFileOnOneLine) {
    setSetting("IncludePath", "0");
    buildList();
    const std::set<std::string> expected = shownFiles();
    std::multiset<std::string> listed;
    std::string folder;
    const std::vector<std::string> lines = splitAtCrLf(home.read("out/list.txt"));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << lines[i];
        if (i + 1 < lines.size() && lines[i + 1] == kFolderSeparator) {
            folder = lines[i++];
        } else if (!lines[i].empty()) {
            // The longest name of the folder the line begins with, followed
            // by the blanks before the columns.
            std::string found;
            for (const std::string& file : expected) {
                const std::string name = file.substr(file.find('|') + 1);
                if (file.starts_with(folder + "|") && lines[i].starts_with(name + " ") &&
                    name.size() > found.size()) {
                    found = name;
                }
            }
            listed.insert(folder + "|" + found);
        }
    }
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()), expected);
    EXPECT_EQ(listed.size(), expected.size()) << "one line per file";
}

TEST_F(HostileNamesTest, TheHtmlPageCarriesNoMarkupFromANameAndLinksToEachFile) {
    home.file("home/Template.html", "<html><body>\r\n<!--list-->\r\n</body></html>\r\n");
    setSetting("IncludeLinks", "1");
    setSetting("DownloadLink", "http://host/files");
    buildList(true);
    const std::string page = home.read("out/list.txt");
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<img"), std::string::npos);
    EXPECT_EQ(page.find("<dir>"), std::string::npos);
    EXPECT_EQ(page.find("\"><img"), std::string::npos);  // no attribute is closed early
    std::set<std::string> linked;
    for (std::size_t at = page.find("href=\""); at != std::string::npos;
         at = page.find("href=\"", at + 1)) {
        const std::size_t end = page.find('"', at + 6);
        const std::string target = page.substr(at + 6, end - at - 6);
        EXPECT_EQ(target.find_first_of("<> \r\n"), std::string::npos) << target;
        linked.insert(percentDecoded(markupUnescaped(target)));
    }
    std::set<std::string> expected;
    for (const auto& [relative, full] : files) {
        expected.insert("http://host/files" + full);
        EXPECT_NE(page.find(htmlEscape(shownName(relative.substr(relative.rfind('/') + 1)))),
                  std::string::npos)
            << relative;
    }
    EXPECT_EQ(linked, expected);
}

TEST_F(HostileNamesTest, ThePlaylistHoldsEveryFileThatALineCanCarry) {
    buildList();
    store::ListContext ctx = context();
    const std::vector<std::string> paths = buildPlaylistPaths(ctx);
    std::set<std::string> expected;
    for (const auto& [relative, full] : files) {
        if (!holdsLineBreak(full)) {
            expected.insert(full);
        }
    }
    EXPECT_EQ(std::set<std::string>(paths.begin(), paths.end()), expected);
    EXPECT_EQ(paths.size(), expected.size());
}

}  // namespace
}  // namespace quor::generate
