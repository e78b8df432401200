#include "platform/recent_files.h"

#include <gtest/gtest.h>

#include "common/testing/scoped_environment.h"
#include "common/testing/temp_tree.h"
#include "platform/xml_outline.h"

namespace quor::platform {
namespace {

constexpr std::time_t kFirst = 1704067199;   // 2023-12-31T23:59:59Z
constexpr std::time_t kSecond = 1704153600;  // 2024-01-02T00:00:00Z

// Another application's entry, exactly as a desktop library writes it.
constexpr const char* kOthers =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
    ">\n"
    "  <bookmark href=\"file:///home/u/notes%20&amp;%20more.txt\" added=\"2023-01-01T00:00:00Z\" "
    "modified=\"2023-01-01T00:00:00Z\" visited=\"2023-01-01T00:00:00Z\">\n"
    "    <info>\n"
    "      <metadata owner=\"http://freedesktop.org\">\n"
    "        <mime:mime-type type=\"text/plain\"/>\n"
    "        <bookmark:applications>\n"
    "          <bookmark:application name=\"gedit\" exec=\"&apos;gedit %u&apos;\" "
    "modified=\"2023-01-01T00:00:00Z\" count=\"3\"/>\n"
    "        </bookmark:applications>\n"
    "      </metadata>\n"
    "    </info>\n"
    "  </bookmark>\n"
    "</xbel>\n";

class RecentFilesTest : public ::testing::Test {
  protected:
    std::filesystem::path list() const { return tree.path("data/recently-used.xbel"); }
    std::string contents() const { return tree.read("data/recently-used.xbel"); }
    quor::testing::TempTree tree;
};

TEST(RecentFileUris, PercentEncodeUtf8AndKeepPathCharacters) {
    EXPECT_EQ(fileUri("/home/u/My List.txt"), "file:///home/u/My%20List.txt");
    EXPECT_EQ(fileUri("/l/Müsik#1?.html"), "file:///l/M%C3%BCsik%231%3F.html");
    EXPECT_EQ(fileUri("/a/b(c)+d=e@f"), "file:///a/b(c)+d=e@f");
    EXPECT_EQ(listMimeType("/a/list.HTML"), "text/html");
    EXPECT_EQ(listMimeType("/a/list.txt"), "text/plain");
}

TEST_F(RecentFilesTest, NewListIsCreatedWithOneBookmark) {
    ASSERT_TRUE(addRecentDocument(list(), "/lists/my list.txt", kFirst).ok());
    const std::string text = contents();
    const auto outline = outlineXml(text);
    ASSERT_TRUE(outline.has_value());
    EXPECT_EQ((*outline)[0].name, "xbel");
    EXPECT_NE(text.find("<bookmark href=\"file:///lists/my%20list.txt\" "
                        "added=\"2023-12-31T23:59:59.000000Z\""),
              std::string::npos);
    EXPECT_NE(text.find("<mime:mime-type type=\"text/plain\"/>"), std::string::npos);
    EXPECT_NE(text.find("<bookmark:application name=\"quorvane\" exec=\"quorvane %u\" "
                        "modified=\"2023-12-31T23:59:59.000000Z\" count=\"1\"/>"),
              std::string::npos);
}

TEST_F(RecentFilesTest, SecondAddUpdatesTheSameBookmark) {
    ASSERT_TRUE(addRecentDocument(list(), "/lists/a.html", kFirst).ok());
    ASSERT_TRUE(addRecentDocument(list(), "/lists/a.html", kSecond).ok());
    const std::string text = contents();
    EXPECT_EQ(text.find("<bookmark href"), text.rfind("<bookmark href"));  // one bookmark
    EXPECT_NE(text.find("added=\"2023-12-31T23:59:59.000000Z\" "
                        "modified=\"2024-01-02T00:00:00.000000Z\" "
                        "visited=\"2024-01-02T00:00:00.000000Z\""),
              std::string::npos);
    EXPECT_NE(text.find("count=\"2\""), std::string::npos);
    EXPECT_NE(text.find("text/html"), std::string::npos);
    EXPECT_TRUE(outlineXml(text).has_value());
}

TEST_F(RecentFilesTest, ACountAtItsLimitStaysThere) {
    ASSERT_TRUE(addRecentDocument(list(), "/lists/a.html", kFirst).ok());
    std::string text = contents();
    const std::size_t count = text.find("count=\"1\"");
    ASSERT_NE(count, std::string::npos);
    for (const char* limit : {"9223372036854775807", "99999999999999999999"}) {
        tree.file("data/recently-used.xbel",
                  std::string(text).replace(count, 9, "count=\"" + std::string(limit) + "\""));
        ASSERT_TRUE(addRecentDocument(list(), "/lists/a.html", kSecond).ok());
        EXPECT_NE(contents().find("count=\"9223372036854775807\""), std::string::npos) << limit;
    }
}

TEST_F(RecentFilesTest, OtherApplicationsEntriesStayByteIdentical) {
    tree.file("data/recently-used.xbel", kOthers);
    ASSERT_TRUE(addRecentDocument(list(), "/lists/b.txt", kFirst).ok());
    const std::string text = contents();
    const std::string others(kOthers);
    const std::size_t keptUpTo = others.rfind("</xbel>");
    EXPECT_EQ(text.substr(0, keptUpTo), others.substr(0, keptUpTo));
    EXPECT_NE(text.find("file:///lists/b.txt"), std::string::npos);
    EXPECT_TRUE(text.ends_with("</bookmark>\n</xbel>\n"));

    // Another program's bookmark of the same file gets our application
    // added; its own entry stays.
    ASSERT_TRUE(addRecentDocument(list(), "/home/u/notes & more.txt", kSecond).ok());
    const std::string both = contents();
    EXPECT_NE(both.find("name=\"gedit\" exec=\"&apos;gedit %u&apos;\" "
                        "modified=\"2023-01-01T00:00:00Z\" count=\"3\"/>"),
              std::string::npos);
    EXPECT_NE(both.find("name=\"quorvane\""), std::string::npos);
    EXPECT_NE(both.find("added=\"2023-01-01T00:00:00Z\" modified=\"2024-01-02T00:00:00.000000Z\""),
              std::string::npos);
    EXPECT_TRUE(outlineXml(both).has_value());
}

TEST_F(RecentFilesTest, UnreadableListsAreLeftUntouched) {
    const char* broken[] = {
        "",
        "not xml at all",
        "<xbel version=\"1.0\"><bookmark href=\"x\"></xbel>",  // mismatched tags
        "<xbel><bookmark href=\"a&b\"/></xbel>",               // bare &
        "<xbel><!-- unclosed comment </xbel>",
        "<other/>",                                                // wrong root
        "<!DOCTYPE xbel [<!ENTITY e \"boom\">]><xbel>&e;</xbel>",  // internal subset
        "<xbel></xbel><xbel></xbel>",                              // two roots
        "<xbel a=\"1\" a=\"2\"></xbel>",                           // repeated attribute
        "<xbel>",                                                  // truncated
    };
    for (const char* text : broken) {
        tree.file("data/recently-used.xbel", text);
        const Status status = addRecentDocument(list(), "/lists/c.txt", kFirst);
        EXPECT_FALSE(status.ok()) << text;
        if (!status.ok()) {
            EXPECT_NE(status.error().find("was left as it is"), std::string::npos);
        }
        EXPECT_EQ(contents(), text);
    }
}

TEST_F(RecentFilesTest, ByteOrderMarkAndCommentsAreKept) {
    const std::string text =
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- kept -->\n"
        "<xbel version=\"1.0\"><![CDATA[<odd>]]></xbel>";
    tree.file("data/recently-used.xbel", text);
    ASSERT_TRUE(addRecentDocument(list(), "/lists/f.txt", kFirst).ok());
    const std::string after = contents();
    EXPECT_TRUE(after.starts_with("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- kept -->\n"));
    EXPECT_NE(after.find("<![CDATA[<odd>]]>\n  <bookmark href=\"file:///lists/f.txt\""),
              std::string::npos);
    EXPECT_TRUE(outlineXml(after).has_value());
}

TEST_F(RecentFilesTest, AddsMissingNamespacesToTheRoot) {
    tree.file("data/recently-used.xbel", "<xbel version=\"1.0\">\n</xbel>\n");
    ASSERT_TRUE(addRecentDocument(list(), "/lists/d.txt", kFirst).ok());
    const std::string text = contents();
    EXPECT_TRUE(text.starts_with("<xbel version=\"1.0\" xmlns:bookmark=\""));
    EXPECT_NE(text.find("xmlns:mime=\""), std::string::npos);
    EXPECT_TRUE(outlineXml(text).has_value());
}

TEST_F(RecentFilesTest, ListPlaceFollowsXdgDataHome) {
    const quor::testing::ScopedEnvironment dataHome("XDG_DATA_HOME", tree.path("data").string());
    EXPECT_EQ(recentFilesList(), tree.path("data/recently-used.xbel"));
    EXPECT_TRUE(AddToRecentDocuments(tree.path("e.txt")).ok());
    EXPECT_NE(contents().find(fileUri(tree.path("e.txt"))), std::string::npos);
}

}  // namespace
}  // namespace quor::platform
