#include "platform/volume_label.h"

#include <gtest/gtest.h>

#include "common/testing/temp_tree.h"

namespace quor::platform {
namespace {

using quor::testing::TempTree;

// A mountinfo line for a mount point with its source device.
std::string mountLine(int id, const std::string& point, const std::string& source) {
    return std::to_string(id) + " 1 8:1 / " + point + " rw,relatime shared:1 - ext4 " + source +
           " rw\n";
}

TEST(VolumeLabel, FindsTheLabelOfTheDeviceMountedWhereThePathLies) {
    TempTree tree;
    tree.file("dev/sr0");
    tree.file("dev/sdb1");
    tree.folder("by-label");
    std::filesystem::create_symlink(tree.path("dev/sr0"), tree.path("by-label/MY\\x20CD"));
    std::filesystem::create_symlink(tree.path("dev/sdb1"), tree.path("by-label/STICK"));
    const std::string cd = tree.folder("media/cdrom").string();
    tree.folder("media/cdrom/music");
    const std::string mountinfo = mountLine(1, "/", "/dev/root") +
                                  mountLine(2, tree.root().string(), "tmpfs") +
                                  mountLine(3, cd, tree.path("dev/sr0").string());
    EXPECT_EQ(volumeLabel(cd, mountinfo, tree.path("by-label")), "MY CD");
    EXPECT_EQ(volumeLabel(cd + "/music", mountinfo, tree.path("by-label")), "MY CD");
}

TEST(VolumeLabel, WithoutALabelGivesTheMountPointsName) {
    TempTree tree;
    tree.folder("by-label");
    const std::string stick = tree.folder("media/ann/USB STICK").string();
    const std::string mountinfo =
        mountLine(1, "/", "/dev/root") +
        mountLine(2, tree.path("media/ann/USB\\040STICK").string(), "/dev/unlabelled");
    EXPECT_EQ(volumeLabel(stick, mountinfo, tree.path("by-label")), "USB STICK");
    EXPECT_EQ(volumeLabel("/", mountLine(1, "/", "server:/export"), tree.path("by-label")), "/");
    EXPECT_EQ(volumeLabel("/x", "", tree.path("by-label")), "");
}

TEST(VolumeLabel, Unescaping) {
    EXPECT_EQ(unescapeMountField("a\\040b\\011c"), "a b\tc");
    EXPECT_EQ(unescapeMountField("trailing\\04"), "trailing\\04");
    EXPECT_EQ(unescapeUdevName("My\\x20Disk\\x2f1"), "My Disk/1");
    EXPECT_EQ(unescapeUdevName("plain"), "plain");
}

}  // namespace
}  // namespace quor::platform
