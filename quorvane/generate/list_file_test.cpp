#include "quorvane/generate/list_file.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"
#include "quorvane/generate/html_list.h"
#include "quorvane/generate/list_body_fixture.h"
#include "quorvane/generate/list_file_texts.h"
#include "quorvane/generate/summary.h"
#include "quorvane/generate/template.h"
#include "quorvane/generate/text_list.h"

namespace quor::generate {
namespace {

using quor::testing::Box;
using quor::testing::crlf;

const std::string kEquals(67, '=');
constexpr std::string_view kNow = "07/12/26 10:00:00";

class ListFile : public testing::ListTest {
  protected:
    ListFile() {
        record(0, "/m", "M");
        cache(0, {"2048", "*M/", testing::cached("b", "1KB"), testing::cached("a", "1KB")});
        setSetting("SavePath", home.path("out/list.txt").string());
        setSetting("TotalSize", "2KB");
        home.folder("out");
    }
    std::string writeText() {
        store::ListContext c = context();
        const ListBody body = buildTextListBody(c);
        EXPECT_TRUE(writeTextListFile(c, body, kNow).ok());
        return home.read("out/list.txt");
    }
    std::string writeHtml() {
        store::ListContext c = context();
        const ListBody body = buildHtmlListBody(c);
        EXPECT_TRUE(writeHtmlListFile(c, body, kNow).ok());
        return home.read("out/list.txt");
    }
    std::string body() {
        return testing::listed("a", "1KB") + "\n" + testing::listed("b", "1KB") + "\n";
    }
};

TEST_F(ListFile, DefaultTextListWithoutHeaderFile) {
    EXPECT_EQ(writeText(),
              crlf("\n\nM/\n" + std::string(kFolderSeparator) + "\n" + body() + "\n" + kEquals +
                   "\nFiles: 2   Total Size: 2KB   List Created: " + std::string(kNow) + "\n\n"));
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].text,
              "There was a problem opening the header file!\n"
              "Go to the Options menu, and choose Header Text to edit.");
}

TEST_F(ListFile, TextHeaderAndFooterWithoutSummary) {
    home.file("home/header.txt", "My list\nof things\n");
    home.file("home/footer.txt", "Bye\r\n");
    setSetting("ShowSummary", "0");
    setSetting("ShowFooter", "1");
    setSetting("BigList", "True");
    EXPECT_EQ(writeText(), crlf("My list\nof things\n\n" + body() + "\nBye\n"));
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(ListFile, TextListWithNothingAroundTheBodyStillEndsWithAnEmptyLine) {
    setSetting("ShowHeader", "0");
    setSetting("ShowSummary", "0");
    setSetting("BigList", "True");
    EXPECT_EQ(writeText(), crlf(body() + "\n"));
}

TEST_F(ListFile, TemplateMarkersAreFilledAndOtherLinesCopied) {
    home.file("home/Template.html",
              "<html>\n<!--HEADER-->\n<p>&amp; mine</p>\n<!--list--> \n<!--List-->\n"
              "<!--footer-->\n</html>");
    home.file("home/header.txt", "<h1>Top</h1>\nsecond");
    home.file("home/footer.txt", "end\nreally");
    setSetting("ShowFooter", "1");
    setSetting("UseHTMLTable", "0");
    setSetting("BigList", "True");
    const std::string summary =
        "<br><br>" + kEquals +
        "<br>Files:&nbsp;2&nbsp;&nbsp;&nbsp;Total&nbsp;Size:&nbsp;2KB&nbsp;&nbsp;&nbsp;List&nbsp;"
        "Created:&nbsp;07/12/26&nbsp;10:00:00";
    EXPECT_EQ(writeHtml(), crlf("<html>\n<h1>Top</h1><br>second<br>\n<p>&amp; mine</p>\n"
                                "<!--list--> \n<br>a" +
                                testing::filler("a") + "1KB\n<br>b" + testing::filler("b") +
                                "1KB\n" + summary + "\n\n<br>end<br>really\n</html>\n"));
}

TEST_F(ListFile, TemplateAndHeaderSavedWithCrOnlyLineEndsStillHaveTheirLines) {
    home.file("home/Template.html", "<html>\r<!--header-->\r\r<!--list-->\r</html>\r");
    home.file("home/header.txt", "<h1>Top</h1>\rsecond\r");
    setSetting("ShowSummary", "0");
    setSetting("UseHTMLTable", "0");
    setSetting("BigList", "True");
    EXPECT_EQ(writeHtml(),
              crlf("<html>\n<h1>Top</h1><br>second<br>\n\n<br>a" + testing::filler("a") +
                   "1KB\n<br>b" + testing::filler("b") + "1KB\n\n</html>\n"));
}

TEST_F(ListFile, TableSummaryFollowsTheTableDirectly) {
    home.file("home/Template.html", "<!--list-->\n");
    setSetting("ShowSummary", "1");
    const std::string page = writeHtml();
    EXPECT_NE(page.find("</table>\r\n<br>" + kEquals + "<br>Files:&nbsp;2"), std::string::npos);
}

TEST_F(ListFile, FallbackPageHasNoRawMarkers) {
    setSetting("ShowHeader", "0");
    setSetting("ShowSummary", "0");
    setSetting("IncludeLinks", "1");
    setSetting("BigList", "True");
    record(0, "/m", "M");
    cache(0, {"0", "*M/", testing::cached("a%2A", "a*", "1KB") + ">  M/", "b>  M/"});
    EXPECT_EQ(writeHtml(), crlf("<br><a href=\"/m/a*\">a*" + testing::filler("a*") +
                                "1KB  M/</a>\n<br><a href=\"/m/b\">b  M/</a>\n\n"));
    ASSERT_EQ(user.boxes().size(), 1u);
    EXPECT_EQ(user.boxes()[0].caption, "Notice!");
    EXPECT_EQ(user.boxes()[0].shown, Shown::Always);
    EXPECT_EQ(user.boxes()[0].text, missingTemplateText(context().places));
    EXPECT_NE(user.boxes()[0].text.find("/Template.html\nCreate an HTML page"), std::string::npos);
}

TEST_F(ListFile, UnwritableOutputIsReportedAndTheOldListKept) {
    home.file("out/list.txt", "old list");
    setSetting("SavePath", home.path("missing/list.txt").string());
    store::ListContext c = context();
    const ListBody body = buildTextListBody(c);
    EXPECT_FALSE(writeTextListFile(c, body, kNow).ok());
    ASSERT_FALSE(user.boxes().empty());
    EXPECT_EQ(user.boxes().back().text, "Can't write to the following file:\n" +
                                            home.path("missing/list.txt").string() +
                                            "\nPlease make sure this directory exists and there "
                                            "is enough disk space.");
    EXPECT_EQ(home.read("out/list.txt"), "old list");
}

TEST(Summary, TextAndHtmlForms) {
    EXPECT_EQ(buildSummaryText(PageKind::Text, 12, "1.50MB", "now"),
              kEquals + "\r\nFiles: 12   Total Size: 1.50MB   List Created: now");
    EXPECT_EQ(buildSummaryText(PageKind::Html, 0, "0B", "a b"),
              "<br>" + kEquals +
                  "<br>Files:&nbsp;0&nbsp;&nbsp;&nbsp;Total&nbsp;Size:&nbsp;0B&nbsp;&nbsp;&nbsp;"
                  "List&nbsp;Created:&nbsp;a&nbsp;b");
    // The size comes from the store, which a saved list fills.
    EXPECT_EQ(buildSummaryText(PageKind::Html, 1, "<b>1KB</b>", "1/2/24 &c"),
              "<br>" + kEquals +
                  "<br>Files:&nbsp;1&nbsp;&nbsp;&nbsp;Total&nbsp;Size:&nbsp;&lt;b&gt;1KB&lt;/b&gt;"
                  "&nbsp;&nbsp;&nbsp;List&nbsp;Created:&nbsp;1/2/24&nbsp;&amp;c");
}

TEST(TemplateMarker, WholeLineIgnoringCaseOnly) {
    EXPECT_TRUE(isTemplateMarker("<!--LIST-->", kListMarker));
    EXPECT_FALSE(isTemplateMarker("<!--list--> ", kListMarker));
    EXPECT_FALSE(isTemplateMarker(" <!--list-->", kListMarker));
    EXPECT_FALSE(isTemplateMarker("<!--header-->", kListMarker));
}

TEST(HeadFootEditor, LoadCreatesAndSaveReplacesWithCrLf) {
    quor::testing::TempTree tree;
    const auto file = tree.path("header.txt");
    Result<std::string> loaded = loadHeadFootText(file);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(*loaded, "");
    EXPECT_EQ(tree.read("header.txt"), "");
    ASSERT_TRUE(saveHeadFootText(file, "one\ntwo\r\nthree").ok());
    EXPECT_EQ(tree.read("header.txt"), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(*loadHeadFootText(file), "one\r\ntwo\r\nthree");
    EXPECT_FALSE(loadHeadFootText(tree.path("no/such/header.txt")).ok());
}

}  // namespace
}  // namespace quor::generate
