#pragma once

// A catalogued folder whose files and folders have hostile names (see
// common/testing/hostile_names.h), built into a list, its cache file and
// its saved list the way a build does it, for the tests that follow every
// name through the programs.

#include <map>
#include <string>

#include "common/testing/hostile_names.h"
#include "quorvane/generate/build_driver.h"
#include "quorvane/store/store_test_fixture.h"

namespace quor::testing {

class HostileTreeTest : public StoreTest {
  protected:
    HostileTreeTest() {
        for (const std::string& name : hostileFileNames()) {
            EXPECT_EQ(name.find('/'), std::string::npos) << "a file name, not a path: " << name;
            addFile(name);
        }
        for (const std::string& folder : hostileFolderNames()) {
            addFile(folder + "/inner " + folder + ".mp3");
        }
        const std::string music = home.path("Music").string();
        addRecords({music});
        setRecord(0, {music, "Music", "1", "0"});
        setSetting("SavePath", home.path("out/list.txt").string());
        home.folder("out");
        setSetting("ShowHeader", "0");
        setSetting("ShowSummary", "0");
        setSetting("IncludeFileSize", "2");
        setSetting("IncludeMP3Info", "1");
        setSetting("IncludePath", "1");
        setSetting("PathAtEnd", "1");
    }

    // Builds the list (text or HTML), the cache file and the saved list.
    void buildList(bool html = false) {
        setSetting("HTML", html ? "1" : "0");
        store::ListContext ctx = context();
        generate::ListBuild build(ctx);
        ASSERT_EQ(build.MakeList(), generate::BuildResult::Written);
        ASSERT_TRUE(build.problems().empty()) << build.problems().front();
    }

    // Every file made, by its path below Music.
    std::map<std::string, std::string> files;  // relative path -> full path

  private:
    void addFile(const std::string& relative) {
        std::string contents = "\xFF\xFB\x90\x00";  // an MP3 frame for the MP3 columns
        contents.resize(500 + files.size(), 'x');
        files[relative] = home.file("Music/" + relative, contents).string();
    }
};

}  // namespace quor::testing
