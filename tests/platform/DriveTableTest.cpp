#include <gtest/gtest.h>

#include "platform/DriveTable.h"

namespace kirafu {
namespace {

TEST(DriveTable, ReadsTheEnvironmentForm) {
    DriveTable t = DriveTable::FromSetting("c=/;D=/media/usb/;bad;e=relative;Z=/z");
    ASSERT_EQ(t.drives().size(), 3u);
    EXPECT_EQ(t.RootOf('C'), "/");
    EXPECT_EQ(t.RootOf('d'), "/media/usb");
    EXPECT_EQ(t.RootOf('E'), std::nullopt);
    EXPECT_EQ(t.RootOf('z'), "/z");
}

TEST(DriveTable, TakesDeviceBackedMountsInOrder) {
    DriveTable t = DriveTable::FromMounts(
        "proc /proc proc rw 0 0\n"
        "/dev/vda / ext4 rw 0 0\n"
        "tmpfs /tmp tmpfs rw 0 0\n"
        "/dev/sdb1 /media/usb\\040stick vfat rw 0 0\n"
        "overlay /var/lib/x overlay rw 0 0\n"
        "/dev/sdc1 /mnt/data ext4 rw 0 0\n");
    ASSERT_EQ(t.drives().size(), 3u);
    EXPECT_EQ(t.RootOf('C'), "/");
    EXPECT_EQ(t.RootOf('D'), "/media/usb stick");
    EXPECT_EQ(t.RootOf('E'), "/mnt/data");
}

TEST(DriveTable, HostPathsToDriveFormUseTheLongestRoot) {
    DriveTable t = DriveTable::FromSetting("C=/;E=/media/usb");
    EXPECT_EQ(t.ToDrivePath("/media/usb/photos"), "E:\\photos");
    EXPECT_EQ(t.ToDrivePath("/media/usb"), "E:");
    EXPECT_EQ(t.ToDrivePath("/media/usbx/a"), "C:\\media\\usbx\\a");
    EXPECT_EQ(t.ToDrivePath("/"), "C:");
    EXPECT_EQ(t.ToDrivePath("/home//me/"), "C:\\home\\me");
    EXPECT_EQ(t.ToDrivePath("/a/\xE3\x82\xBD"), "C:\\a\\\x83\x5C");
    EXPECT_EQ(DriveTable::FromSetting("E=/media").ToDrivePath("/home"), std::nullopt);
}

TEST(DriveTable, DrivePathsToHostPaths) {
    DriveTable t = DriveTable::FromSetting("C=/;E=/media/usb");
    EXPECT_EQ(t.ToHostPath("E:\\Kirafu\\zenkaidt.txt"), "/media/usb/Kirafu/zenkaidt.txt");
    EXPECT_EQ(t.ToHostPath("e:\\a"), "/media/usb/a");  // either case names the drive
    EXPECT_EQ(t.ToHostPath("C:"), "/");
    EXPECT_EQ(t.ToHostPath("C:\\a%5Cb"), "/a\\b");
    // 83 5C is the character ソ, not a separator.
    EXPECT_EQ(t.ToHostPath("C:\\\x83\x5C\\x"), "/\xE3\x82\xBD/x");
    EXPECT_EQ(t.ToHostPath("Q:\\a"), std::nullopt);
    EXPECT_EQ(t.ToHostPath("E:\\..\\etc"), std::nullopt);
}

}  // namespace
}  // namespace kirafu
