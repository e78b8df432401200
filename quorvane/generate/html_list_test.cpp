#include "quorvane/generate/html_list.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"
#include "quorvane/generate/link_target.h"
#include "quorvane/generate/list_body_fixture.h"
#include "quorvane/generate/table_colour.h"

namespace quor::generate {
namespace {

using quor::testing::crlf;
using testing::cached;
using testing::filler;
using testing::texts;
using Lines = std::vector<std::string>;

const std::string kRule(kFolderSeparator);

class HtmlListBody : public testing::ListTest {
  protected:
    // /home/u/Music shown as Tunes: b.mp3 with a size, Rock/song.mp3 bare.
    void tunes() {
        record(0, "/home/u/Music", "Tunes");
        cache(0, {"3072", "*Tunes/", cached("b.mp3", "      3KB"), "*Tunes/Rock/", "song.mp3"});
    }
    ListBody build() {
        store::ListContext c = context();
        return buildHtmlListBody(c);
    }
    std::string render() {
        const ListBody body = build();
        std::string page;
        renderListBody(body, HtmlRenderOptions::read(settings()), page);
        return page;
    }
};

TEST_F(HtmlListBody, KeepsCacheFormAndOneLinkTargetPerFile) {
    tunes();
    setSetting("IncludeLinks", "1");
    setSetting("DownloadLink", "http://host:8080/files");
    const ListBody body = build();
    EXPECT_EQ(texts(body.lines), (Lines{"Tunes/", kRule, cached("b.mp3", "      3KB"), "",
                                        "Tunes/Rock/", kRule, "song.mp3"}));
    EXPECT_EQ(body.linkTargets, (Lines{"", "", "http://host:8080/files/home/u/Music/b.mp3", "", "",
                                       "", "http://host:8080/files/home/u/Music/Rock/song.mp3"}));
    EXPECT_EQ(body.fileCount, 2);
}

// A long body lets the window's events run while it is rendered, and the
// page is the same as without.
TEST_F(HtmlListBody, ALongBodyPollsWhileRendered) {
    ListBody body;
    for (int n = 0; n < 10000; ++n) {
        body.lines.push_back("song " + std::to_string(n) + ".mp3");
        body.linkTargets.emplace_back();
    }
    const HtmlRenderOptions options = HtmlRenderOptions::read(settings());
    std::string polled;
    std::string plain;
    int polls = 0;
    renderListBody(body, options, polled, [&] { ++polls; });
    renderListBody(body, options, plain);
    EXPECT_EQ(polled, plain);
    EXPECT_EQ(polls, 10000 / 4096);
}

TEST_F(HtmlListBody, TableWithAlternatingColoursAndLinks) {
    tunes();
    setSetting("IncludeLinks", "1");
    setSetting("DownloadLink", "http://host:8080/files");
    setSetting("HTMLTableColor", "Tan");
    setSetting("DisplayHTMLTable", "2");
    EXPECT_EQ(render(), crlf("<table width= \"100%\" border=2>\n"
                             "<tr><td bgcolor=white><b>Tunes/</b></td></tr>\n"
                             "<tr><td bgcolor=white><b>" +
                             kRule +
                             "</b></td></tr>\n"
                             "<tr><td bgcolor=White><a href=\"http://host:8080/files/home/u/"
                             "Music/b.mp3\">b.mp3</a></td>\n"
                             "<td bgcolor=White>" +
                             filler("b.mp3") +
                             "      3KB</td></tr>\n"
                             "<tr><td bgcolor=white><b></b></td></tr>\n"
                             "<tr><td bgcolor=white><b>Tunes/Rock/</b></td></tr>\n"
                             "<tr><td bgcolor=white><b>" +
                             kRule +
                             "</b></td></tr>\n"
                             "<tr><td bgcolor=White><a href=\"http://host:8080/files/home/u/"
                             "Music/Rock/song.mp3\">song.mp3</a></td>\n"
                             "</tr>\n"
                             "</table>\n"));
}

TEST_F(HtmlListBody, TableWithoutAlternationOrLinksKeepsTheChosenColour) {
    tunes();
    setSetting("AlternateTableColors", "0");
    const std::string page = render();
    EXPECT_NE(page.find("<tr><td bgcolor=LightGray>b.mp3</td>\r\n<td bgcolor=LightGray>"),
              std::string::npos);
    EXPECT_NE(page.find("<tr><td bgcolor=LightGray>song.mp3</td>\r\n</tr>"), std::string::npos);
    EXPECT_EQ(page.find("href"), std::string::npos);
}

TEST_F(HtmlListBody, PlainLinesWithoutTable) {
    tunes();
    setSetting("UseHTMLTable", "0");
    setSetting("IncludeLinks", "1");  // no base: links to the local disk
    EXPECT_EQ(render(),
              crlf("<br><b>Tunes/</b>\n<br><b>" + kRule +
                   "</b>\n"
                   "<br><a href=\"/home/u/Music/b.mp3\">b.mp3</a>" +
                   filler("b.mp3") + "      3KB\n<br><b></b>\n<br><b>Tunes/Rock/</b>\n<br><b>" +
                   kRule + "</b>\n<br><a href=\"/home/u/Music/Rock/song.mp3\">song.mp3</a>\n"));
}

TEST_F(HtmlListBody, HostileNamesShowAsThemselvesAndLinkToThemselves) {
    record(0, "/home/u/Music", "Music");
    cache(0, {"0", "*Music/", "*Music/<b>%3E/", "<img src=x onerror=alert(1)%3E.mp3", "a#b%3F.mp3",
              cached("50%25 off&.mp3", "50% off&.mp3", "1KB"), "x%0Dy\"z"});
    setSetting("UseHTMLTable", "0");
    setSetting("IncludeLinks", "1");
    EXPECT_EQ(render(),
              crlf("<br><b>Music/</b>\n<br><b>" + kRule +
                   "</b>\n<br><b></b>\n"
                   "<br><b>Music/&lt;b&gt;&gt;/</b>\n<br><b>" +
                   kRule +
                   "</b>\n"
                   "<br><a href=\"/home/u/Music/%3Cb%3E%3E/%3Cimg%20src=x%20onerror=alert(1)"
                   "%3E.mp3\">&lt;img src=x onerror=alert(1)&gt;.mp3</a>\n"
                   "<br><a href=\"/home/u/Music/%3Cb%3E%3E/50%25%20off&amp;.mp3\">"
                   "50% off&amp;.mp3</a>" +
                   filler("50% off&.mp3") +
                   "1KB\n"
                   "<br><a href=\"/home/u/Music/%3Cb%3E%3E/a%23b%3F.mp3\">a#b?.mp3</a>\n"
                   "<br><a href=\"/home/u/Music/%3Cb%3E%3E/x%0Dy%22z\">x?y&quot;z</a>\n"));
}

// What the store holds (typed, hand-edited or loaded from a saved list)
// reaches the table as text or a checked colour, never as markup.
TEST_F(HtmlListBody, StoredValuesNeverBecomeMarkupInTheTable) {
    record(0, "/home/u/Music", "Music");
    cache(0, {"0", "*Music/", "a<b&\"c.mp3"});
    setSetting("IncludeLinks", "1");
    setSetting("DownloadLink", "http://h/\"><script>x</script>");
    setSetting("AlternateTableColors", "0");
    setSetting("HTMLTableColor", "red><script>alert(1)</script>");
    EXPECT_EQ(render(), crlf("<table width= \"100%\" border=1>\n"
                             "<tr><td bgcolor=white><b>Music/</b></td></tr>\n"
                             "<tr><td bgcolor=white><b>" +
                             kRule +
                             "</b></td></tr>\n"
                             "<tr><td bgcolor=LightGray><a href=\"http://h/&quot;&gt;&lt;script&gt;"
                             "x&lt;/script&gt;/home/u/Music/a%3Cb&amp;%22c.mp3\">"
                             "a&lt;b&amp;&quot;c.mp3</a></td>\n"
                             "</tr>\n"
                             "</table>\n"));
}

TEST(TableColour, OfferedNamesAndHexColoursAreKeptAnythingElseIsTheDefault) {
    const struct {
        const char* stored;
        const char* page;
    } cases[] = {
        {"Tan", "Tan"},
        {"LightGray", "LightGray"},
        {"lightgrey", "lightgrey"},
        {" DodgerBlue ", "DodgerBlue"},
        {"#a0B1c2", "#a0B1c2"},
        {"", "LightGray"},
        {"Red", "LightGray"},
        {"red><script>alert(1)</script>", "LightGray"},
        {"Tan onmouseover=alert(1)", "LightGray"},
        {"#12345", "LightGray"},
        {"#1234567", "LightGray"},
        {"#12345g", "LightGray"},
        {"\"#123456\"", "LightGray"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pageTableColour(c.stored), c.page) << c.stored;
    }
    for (const TableColour& offered : kTableColours) {
        EXPECT_EQ(pageTableColour(offered.value), offered.value);
    }
}

TEST_F(HtmlListBody, NumbersStandInsideTheAnchor) {
    tunes();
    setSetting("IncludeLinks", "1");
    setSetting("IncludeFileNums", "1");
    setSetting("BigList", "True");
    setSetting("IncludePath", "1");
    const std::string page = render();
    EXPECT_NE(page.find("<a href=\"/home/u/Music/b.mp3\">1. Tunes/b.mp3</a></td>"),
              std::string::npos);
    EXPECT_NE(page.find("<a href=\"/home/u/Music/Rock/song.mp3\">2. Tunes/Rock/song.mp3</a>"),
              std::string::npos);
}

TEST_F(HtmlListBody, FolderModesNeverLinkAndColourTheirRows) {
    tunes();
    setSetting("IncludeLinks", "1");
    setSetting("IncludeFoldersOnly", "1");
    EXPECT_EQ(render(), crlf("<table width= \"100%\" border=1>\n"
                             "<tr><td bgcolor=White><b>Tunes/</b></td></tr>\n"
                             "<tr><td bgcolor=LightGray><b>Tunes/Rock/</b></td></tr>\n"
                             "</table>\n"));
}

TEST_F(HtmlListBody, DisplayRootIsMatchedWithoutRegardToCase) {
    record(0, "/srv/Music", "Tunes");
    cache(0, {"0", "*TUNES/Rock/", "a.mp3"});
    EXPECT_EQ(build().linkTargets, (Lines{"", "", "/srv/Music/Rock/a.mp3"}));
}

TEST(LinkTarget, BaseFormsAndPathEncoding) {
    EXPECT_EQ(linkTarget(linkRootOf(true, "\\\\server\\share", "/m"), "/m/", "a b.mp3"),
              "\\\\server\\share/m/a%20b.mp3");
    EXPECT_EQ(linkTarget(linkRootOf(true, "http:\\\\host", "/m"), "/m/", "a.mp3"),
              "http://host/m/a.mp3");
    EXPECT_EQ(linkTarget(linkRootOf(false, "http://host", "/m"), "/m/", "a.mp3"), "/m/a.mp3");
    EXPECT_EQ(percentEncodePath("/é/~a-b_c.d!$'()*+,;=:@"), "/%C3%A9/~a-b_c.d!$'()*+,;=:@");
    EXPECT_EQ(percentEncodePath("%#?[]\\\x01"), "%25%23%3F%5B%5D%5C%01");
}

TEST(LinkTarget, CleaningATypedBase) {
    EXPECT_EQ(cleanDownloadLink(" http://my host/mp3s/ "), "http://myhost/mp3s");
    EXPECT_EQ(cleanDownloadLink("http://h//"), "http://h/");
    EXPECT_EQ(cleanDownloadLink("\\\\pc\\share\\"), "\\\\pc\\share");
    EXPECT_EQ(cleanDownloadLink("a*?<>\"b"), "ab");
}

}  // namespace
}  // namespace quor::generate
