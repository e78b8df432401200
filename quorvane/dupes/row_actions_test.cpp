#include "quorvane/dupes/row_actions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "common/testing/temp_tree.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::dupes {
namespace {

using quor::testing::Box;
using quor::testing::crlf;
using Rows = std::vector<std::string>;

struct RecordingOpener final : FileOpener {
    Status open(const std::string& path, std::string_view verb) override {
        calls.push_back(std::string(verb) + " " + path);
        if (std::find(working.begin(), working.end(), verb) != working.end()) {
            return Status::success();
        }
        return Error{"No application is set to open files of this type."};
    }
    std::vector<std::string_view> working = {"open"};
    Rows calls;
};

struct TypedName final : RenameDialog {
    explicit TypedName(std::optional<std::string> text) : text(std::move(text)) {}
    std::optional<std::string> ask(std::string_view currentName) override {
        shown = currentName;
        return text;
    }
    std::optional<std::string> text;
    std::string shown;
};

// A library in <tmp>/music with one record "Music" and two copies of one
// song; the duplicate list holds the pair.
class RowActionsTest : public quor::testing::StoreTest {
  protected:
    RowActionsTest() {
        home.file("music/song.mp3", "a");
        home.file("music/Sub/song.mp3", "b");
        setRecord(0, {home.path("music").string(), "Music", "1", "0"});
        setSetting(store::kNumPaths, "1");
        setSetting(store::kNumFiles, "3");
        cacheFile(0, kCache);
        list.add("Music/song.mp3  1B", "Music/song.mp3*      1B");
        list.add("Music/Sub/song.mp3  1B", "Music/Sub/song.mp3*      1B");
        list.add("", "");
    }

    std::string music(std::string_view relative) {
        return home.path("music").string() + "/" + std::string(relative);
    }

    static constexpr std::string_view kCache =
        "2\r\n*Music/\r\nsong.mp3*      1B\r\n*Music/Sub/\r\nsong.mp3*      1B\r\nbare\r\n";
    DupesRows list;
    RecordingOpener opener;
};

TEST_F(RowActionsTest, OpenTriesOpenThenPlayAndReportsWhenBothFail) {
    EXPECT_EQ(openRow(context(), list, 1, opener), ActionOutcome::Done);
    EXPECT_EQ(opener.calls, (Rows{"open " + music("Sub/song.mp3")}));

    opener.calls.clear();
    opener.working = {"play"};
    EXPECT_EQ(openRow(context(), list, 0, opener), ActionOutcome::Done);
    EXPECT_EQ(opener.calls, (Rows{"open " + music("song.mp3"), "play " + music("song.mp3")}));
    EXPECT_TRUE(user.boxes().empty());

    opener.working = {};
    EXPECT_EQ(openRow(context(), list, 0, opener), ActionOutcome::Failed);
    ASSERT_EQ(user.boxes().size(), 1U);
    EXPECT_EQ(user.boxes()[0].text,
              "This file type is not registered with the system\n"
              "or the registered program could not be found.\n"
              "\n"
              "No application is set to open files of this type.");
}

// A file that is no sound never goes to the player: the failure of "open"
// is told with its reason.
TEST_F(RowActionsTest, OnlySoundFilesGoToThePlayer) {
    home.file("music/notes.txt", "n");
    list.add("Music/notes.txt  1B", "Music/notes.txt*      1B");
    opener.working = {"play"};
    EXPECT_EQ(openRow(context(), list, 3, opener), ActionOutcome::Failed);
    EXPECT_EQ(opener.calls, (Rows{"open " + music("notes.txt")}));
    EXPECT_EQ(user.texts(), (Rows{std::string(kNotRegistered) +
                                  "\n\nNo application is set to open files of this type."}));
}

TEST_F(RowActionsTest, RowsWithoutAFileDoNothing) {
    DupesRows initial = DupesRows::initial();
    for (std::optional<std::size_t> row :
         {std::optional<std::size_t>(2), std::optional<std::size_t>(),
          std::optional<std::size_t>(9)}) {
        EXPECT_EQ(openRow(context(), list, row, opener), ActionOutcome::Nothing);
    }
    EXPECT_EQ(openRow(context(), initial, 0, opener), ActionOutcome::Nothing);
    EXPECT_EQ(deleteRow(context(), initial, 0), ActionOutcome::Nothing);
    EXPECT_EQ(deleteRow(context(), list, 2), ActionOutcome::Nothing);
    EXPECT_TRUE(opener.calls.empty());
    EXPECT_TRUE(user.boxes().empty());

    TypedName dialog("x");
    EXPECT_EQ(renameRow(context(), list, std::nullopt, dialog), ActionOutcome::Nothing);
    EXPECT_EQ(deleteRow(context(), list, std::nullopt), ActionOutcome::Nothing);
    EXPECT_EQ(user.texts(), (Rows{"You must first select a file to rename!",
                                  "You must first select a file to delete!"}));
    EXPECT_EQ(list.rows.size(), 3U);
}

TEST_F(RowActionsTest, ResolutionPicksTheLowestRecordWhoseDisplayNameFits) {
    home.file("other/Sub/song.mp3", "c");
    setRecord(0, {home.path("other").string(), "MUSIC", "1", "0"});  // case ignored
    setRecord(1, {home.path("music").string(), "Music", "1", "0"});
    setSetting(store::kNumPaths, "2");
    EXPECT_EQ(openRow(context(), list, 1, opener), ActionOutcome::Done);
    EXPECT_EQ(opener.calls, (Rows{"open " + home.path("other").string() + "/Sub/song.mp3"}));
}

TEST_F(RowActionsTest, ResolutionFailuresAreReportedWithTheirReason) {
    struct Case {
        const char* stored;
        const char* reason;
    };
    const Case cases[] = {
        {"Pictures/a.jpg", "No catalogued folder holds Pictures/"},
        {"Music/..%2F..%2Fetc*  1B", "no usable file"},
        {"Music/../x.mp3", "outside"},
    };
    for (const Case& c : cases) {
        DupesRows rows;
        rows.add("row", c.stored);
        EXPECT_EQ(deleteRow(context(), rows, 0), ActionOutcome::Failed) << c.stored;
        ASSERT_FALSE(user.boxes().empty());
        EXPECT_EQ(user.boxes().back().text, "There was a problem deleting this file!");
        EXPECT_NE(user.boxes().back().caption.find(c.reason), std::string::npos)
            << user.boxes().back().caption;
        EXPECT_EQ(rows.rows.size(), 1U);
    }
    EXPECT_EQ(readCacheFile(0), kCache);
}

TEST_F(RowActionsTest, DeleteRemovesTheFileItsRowAndItsLineInItsOwnSectionOnly) {
    user.answerYes();
    EXPECT_EQ(deleteRow(context(), list, 1), ActionOutcome::Done);
    ASSERT_EQ(user.boxes().size(), 1U);
    EXPECT_EQ(user.boxes()[0].box, Box::Confirm);
    EXPECT_TRUE(user.boxes()[0].defaultNo);
    EXPECT_EQ(user.boxes()[0].text,
              "Are you sure you want to delete the\nfile: " + music("Sub/song.mp3") + "?");
    EXPECT_EQ(user.boxes()[0].caption, "Warning");
    EXPECT_FALSE(home.exists("music/Sub/song.mp3"));
    EXPECT_TRUE(home.exists("music/song.mp3"));
    EXPECT_EQ(list.rows, (Rows{"Music/song.mp3  1B", ""}));
    EXPECT_EQ(list.rowMap, (Rows{"Music/song.mp3*      1B", ""}));
    EXPECT_EQ(readCacheFile(0), crlf("2\n*Music/\nsong.mp3*      1B\n*Music/Sub/\nbare\n"));
    EXPECT_EQ(setting(store::kNumFiles), "2");
}

TEST_F(RowActionsTest, DeclinedDeleteChangesNothing) {
    user.answerNo();
    EXPECT_EQ(deleteRow(context(), list, 0), ActionOutcome::Cancelled);
    EXPECT_TRUE(home.exists("music/song.mp3"));
    EXPECT_EQ(list.rows.size(), 3U);
    EXPECT_EQ(readCacheFile(0), kCache);
    EXPECT_EQ(setting(store::kNumFiles), "3");
}

// Answers the disk question by inserting the disk (creating the file).
class InsertingInteraction final : public Interaction {
  public:
    InsertingInteraction(quor::testing::ScriptedInteraction& inner, std::filesystem::path file)
        : inner_(inner), file_(std::move(file)) {}
    void notice(std::string_view t, std::string_view c, Shown s) override {
        inner_.notice(t, c, s);
    }
    bool confirm(std::string_view t, std::string_view c) override { return inner_.confirm(t, c); }
    bool okOrCancel(std::string_view t, std::string_view c) override {
        const bool ok = inner_.okOrCancel(t, c);
        if (ok) {
            std::filesystem::create_directories(file_.parent_path());
            std::ofstream(file_) << "disk";
        }
        return ok;
    }
    bool retryOrCancel(std::string_view t, std::string_view c) override {
        return inner_.retryOrCancel(t, c);
    }
    void status(std::string_view t) override { inner_.status(t); }
    void busy(bool on) override { inner_.busy(on); }
    bool keepResponsive() override { return inner_.keepResponsive(); }
    bool unattended() const override { return false; }

  private:
    quor::testing::ScriptedInteraction& inner_;
    std::filesystem::path file_;
};

class DiskRowTest : public quor::testing::StoreTest {
  protected:
    DiskRowTest() {
        addRecords({home.path("fixed").string()});
        setRecord(1, {home.path("cdrom").string(), "Zip 2", "0", "1"});
        setSetting(store::kNumPaths, "2");
        setSetting(store::kNumFiles, "5");
        cacheFile(0, crlf("0\n*" + home.path("fixed").string() + "/\nx.txt\n"));
        cacheFile(1, crlf("?Zip 1\n10\n*Zip 1/\nx.txt\n*Zip 1/Docs/\nsong.mp3*  1B\n"
                          "?Zip 2\n20\n*Zip 2/\nsong.mp3*  1B\n"));
        list.add("Zip 1/Docs/song.mp3  1B", "zip 1/Docs/song.mp3*  1B");
    }
    DupesRows list;
    RecordingOpener opener;
};

TEST_F(DiskRowTest, AMissingDiskIsAskedForAndCancelChangesNothing) {
    user.answerYes();  // OK: checks again, still no disk; then Cancel
    EXPECT_EQ(deleteRow(context(), list, 0), ActionOutcome::Cancelled);
    const std::string prompt = "Please insert the disk " + home.path("cdrom").string() + "/Docs/";
    EXPECT_EQ(user.texts(), (Rows{prompt, prompt}));
    EXPECT_EQ(user.boxes()[0].caption, "File Not Found");
    EXPECT_EQ(user.unscriptedQuestions(), 1);
    EXPECT_EQ(list.rows.size(), 1U);
    EXPECT_EQ(setting(store::kNumFiles), "5");
}

TEST_F(DiskRowTest, InsertingTheDiskLetsTheActionGoOn) {
    InsertingInteraction inserting(user, home.path("cdrom/Docs/song.mp3"));
    user.answerYes();  // OK after inserting the disk
    const store::ListContext withDisk{*store, store::Places(home.home()), inserting};
    EXPECT_EQ(openRow(withDisk, list, 0, opener), ActionOutcome::Done);
    EXPECT_EQ(opener.calls, (Rows{"open " + home.path("cdrom").string() + "/Docs/song.mp3"}));
}

TEST_F(DiskRowTest, RenameOnADiskCorrectsOnlyThatDisksSection) {
    home.file("cdrom/Docs/song.mp3", "disk");
    TypedName dialog("tune.mp3");
    EXPECT_EQ(renameRow(context(), list, 0, dialog), ActionOutcome::Done);
    EXPECT_TRUE(home.exists("cdrom/Docs/tune.mp3"));
    EXPECT_EQ(readCacheFile(1), crlf("?Zip 1\n10\n*Zip 1/\nx.txt\n*Zip 1/Docs/\ntune.mp3*  1B\n"
                                     "?Zip 2\n20\n*Zip 2/\nsong.mp3*  1B\n"));
    EXPECT_EQ(list.rowMap[0], "zip 1/Docs/tune.mp3*  1B");
}

TEST_F(RowActionsTest, RenameCleansTheNameAndCorrectsRowsAndCacheLine) {
    list.add("Music/Sub/song.mp3  1B", "Music/Sub/song.mp3*      1B");  // same file again
    TypedName dialog("new?*name%.mp3");
    EXPECT_EQ(renameRow(context(), list, 1, dialog), ActionOutcome::Done);
    EXPECT_EQ(dialog.shown, "song.mp3");
    EXPECT_TRUE(home.exists("music/Sub/newname%.mp3"));
    EXPECT_FALSE(home.exists("music/Sub/song.mp3"));
    EXPECT_EQ(list.rows, (Rows{"Music/song.mp3  1B", "Music/Sub/newname%.mp3  1B", "",
                               "Music/Sub/newname%.mp3  1B"}));
    EXPECT_EQ(list.rowMap[1], "Music/Sub/newname%25.mp3*      1B");
    EXPECT_EQ(readCacheFile(0), crlf("2\n*Music/\nsong.mp3*      1B\n*Music/Sub/\n"
                                     "newname%25.mp3*      1B\nbare\n"));
    EXPECT_TRUE(user.boxes().empty());
}

TEST_F(RowActionsTest, RenameKeepsWhateverFollowsTheName) {
    home.file("music/bare", "x");
    home.file("music/Sub/bare", "y");
    home.file("music/Sub/far.txt", "z");
    cacheFile(0, crlf("2\n*Music/\nbare\n*Music/Sub/\nbare\nfar.txt>   Music/Sub/\n"));
    DupesRows rows;
    rows.add("Music/Sub/bare", "Music/Sub/bare");
    rows.add("Music/Sub/far.txt", "Music/Sub/far.txt>   Music/Sub/");
    TypedName first("plain");
    EXPECT_EQ(renameRow(context(), rows, 0, first), ActionOutcome::Done);
    TypedName second("near.txt");
    EXPECT_EQ(renameRow(context(), rows, 1, second), ActionOutcome::Done);
    EXPECT_EQ(readCacheFile(0),
              crlf("2\n*Music/\nbare\n*Music/Sub/\nplain\nnear.txt>   Music/Sub/\n"));
    EXPECT_EQ(rows.rows, (Rows{"Music/Sub/plain", "Music/Sub/near.txt"}));
}

TEST_F(RowActionsTest, RenameStopsAtAnExistingNameOrAnUnchangedOne) {
    home.file("music/Sub/taken.mp3", "t");
    TypedName taken("taken.mp3");
    EXPECT_EQ(renameRow(context(), list, 1, taken), ActionOutcome::Cancelled);
    EXPECT_EQ(user.texts(), (Rows{"Can't rename, the file taken.mp3 already exists!"}));
    EXPECT_EQ(user.boxes()[0].caption, "Notice");
    for (std::optional<std::string> typed :
         {std::optional<std::string>(), std::optional<std::string>("song.mp3"),
          std::optional<std::string>(""), std::optional<std::string>("*?")}) {
        TypedName dialog(typed);
        EXPECT_EQ(renameRow(context(), list, 1, dialog), ActionOutcome::Nothing);
    }
    EXPECT_TRUE(home.exists("music/Sub/song.mp3"));
    EXPECT_EQ(readCacheFile(0), kCache);
    EXPECT_EQ(list.rowMap[1], "Music/Sub/song.mp3*      1B");
}

TEST(RenameDialog, HandsBackTheCleanedNewName) {
    struct Case {
        std::optional<std::string> typed;
        const char* result;
    };
    const Case cases[] = {
        {std::nullopt, ""},
        {std::string("a.mp3"), "a.mp3"},
        {std::string(""), ""},
        {std::string("b?c*d/e<f\"g>h\\.mp3"), "bcdefgh.mp3"},
        {std::string("x:y.mp3"), "x:y.mp3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(renameDialogResult("a.mp3", c.typed), c.result);
    }
}

}  // namespace
}  // namespace quor::dupes
