#include "quorvane/store/parse_filename.h"

#include <gtest/gtest.h>

#include "quorvane/store/saved_list_format.h"

namespace quor::store {
namespace {

TEST(ParseFilename, FileNamePartAndNameWithoutExtension) {
    EXPECT_EQ(fileNamePart("/home/ann/Web/music.html"), "music.html");
    EXPECT_EQ(fileNamePart("music.html"), "music.html");
    EXPECT_EQ(fileNamePart("/home/ann/"), "");
    EXPECT_EQ(fileNamePart(""), "");
    EXPECT_EQ(nameWithoutExtension("music.old.lst"), "music.old");
    EXPECT_EQ(nameWithoutExtension("mylist"), "mylist");
    EXPECT_EQ(nameWithoutExtension(""), "");
}

TEST(SavedListFiles, NamesComeFromTheTextBeforeTheFirstDot) {
    const SavedListFiles music("/d", "music.html");
    EXPECT_EQ(music.base(), "music");
    EXPECT_EQ(music.listFile(), "/d/music.lst");
    EXPECT_EQ(music.headerCopy(), "/d/music.hdr");
    EXPECT_EQ(music.footerCopy(), "/d/music.ftr");
    EXPECT_EQ(music.listingFile(0), "/d/music0.dat");
    EXPECT_EQ(music.listingFile(10), "/d/music10.dat");
    EXPECT_EQ(SavedListFiles("/d", "my.list.v2.lst").base(), "my");
    EXPECT_EQ(SavedListFiles("/d", "mylist").listFile(), "/d/mylist.lst");
}

}  // namespace
}  // namespace quor::store
