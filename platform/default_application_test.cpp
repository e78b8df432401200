#include "platform/default_application.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"

namespace quor::platform {
namespace {

using Args = std::vector<std::string>;

TEST(ExecCommand, SplitsQuotedWordsAndPutsTheFileInItsFieldCode) {
    const std::string file = "/home/ann/My Page.html";
    const std::vector<std::pair<std::string, Args>> cases = {
        {"gedit %U", {"gedit", file}},
        {"kate -b %u %i %c %k", {"kate", "-b", file}},
        {"\"/opt/my editor/edit\" --new-window %f", {"/opt/my editor/edit", "--new-window", file}},
        {"editor", {"editor", file}},
        {"editor --file=%f", {"editor", "--file=" + file}},
        {"editor \"\" %f", {"editor", "", file}},
        {"editor \"a\\\\\\\\b\\\"c\" %F", {"editor", "a\\b\"c", file}},
        {"\"my\\sedit\" %%x %f", {"my edit", "%x", file}},
        {"editor\t%f", {"editor", file}},
        {"\"unclosed %f", {}},
        {"", {}},
        {"%i %c", {}},
    };
    for (const auto& [exec, expected] : cases) {
        EXPECT_EQ(execCommand(exec, file), expected) << exec;
    }
    EXPECT_EQ(execCommand("edit %f", "-x"), (Args{"edit", "./-x"}));
}

// Applications folders with desktop entries; sh stands for an installed
// editor, since the program must exist.
class DefaultApplicationTest : public ::testing::Test {
  protected:
    DefaultApplicationTest() {
        xdg.config = {tree.path("config"), tree.path("etc")};
        xdg.data = {tree.path("local"), tree.path("share")};
        xdg.desktops = {"xfce"};
        entry("share", "sys.desktop", "Exec=sh sys %f");
        entry("share", "cached.desktop", "Exec=sh cached %f");
        tree.file("share/applications/mimeinfo.cache",
                  "[MIME Cache]\ntext/html=cached.desktop;\ntext/plain=cached.desktop;\n");
    }
    void entry(const std::string& folder, const std::string& id, const std::string& lines) {
        tree.file(folder + "/applications/" + id,
                  "[Desktop Entry]\nType=Application\nName=X\n" + lines + "\n");
    }
    std::string program(const char* type = "text/plain") {
        const auto command = defaultApplicationCommand(type, "/t/Template.html", xdg);
        return command ? command->at(1) : "<none>";
    }

    quor::testing::TempTree tree;
    XdgFolders xdg;
};

TEST_F(DefaultApplicationTest, TheDeclaredApplicationWhenNoneIsChosen) {
    EXPECT_EQ(program(), "cached");
    EXPECT_EQ(defaultApplicationCommand("text/plain", "/t/Template.html", xdg),
              (Args{"sh", "cached", "/t/Template.html"}));
    EXPECT_EQ(program("image/png"), "<none>");
}

TEST_F(DefaultApplicationTest, TheUsersChoiceComesFirstThenTheDesktopsThenTheSystems) {
    tree.file("share/applications/defaults.list",
              "[Default Applications]\ntext/plain=sys.desktop\n");
    EXPECT_EQ(program(), "sys");
    tree.file("etc/mimeapps.list", "[Default Applications]\ntext/plain=sys.desktop\n");
    entry("local", "mine.desktop", "Exec=sh mine");
    tree.file("config/mimeapps.list",
              "[Added Associations]\ntext/plain=sys.desktop;\n"
              "[Default Applications]\ntext/html=sys.desktop\n text/plain = "
              "gone.desktop;mine.desktop;\n");
    EXPECT_EQ(program(), "mine");
    entry("local", "xfce-pad.desktop", "Exec=sh pad %U");  // found as xfce-pad.desktop
    tree.file("config/xfce-mimeapps.list", "[Default Applications]\ntext/plain=xfce-pad.desktop\n");
    EXPECT_EQ(program(), "pad");
}

TEST_F(DefaultApplicationTest, PassesOverEntriesThatCannotEditHere) {
    tree.file("config/mimeapps.list",
              "[Default Applications]\ntext/plain=hidden.desktop;term.desktop;absent.desktop;"
              "tried.desktop;../escape.desktop;kde-nested.desktop\n");
    entry("local", "hidden.desktop", "Exec=sh hidden\nHidden=true");
    entry("local", "term.desktop", "Exec=sh term\nTerminal=true");
    entry("local", "absent.desktop", "Exec=no-such-editor-here %f");
    entry("local", "tried.desktop", "TryExec=no-such-editor-here\nExec=sh tried");
    tree.file("local/escape.desktop", "[Desktop Entry]\nExec=sh escape\n");
    EXPECT_EQ(program(), "cached");
    tree.file("local/applications/kde/nested.desktop", "[Desktop Entry]\nExec=sh nested\n");
    EXPECT_EQ(program(), "nested");
}

}  // namespace
}  // namespace quor::platform
