#include <gtest/gtest.h>

#include "platform/profile.h"
#include "tests/settingsfile/read_value.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(ProfileWrite, CreatesTheFileAndTheSection) {
    TempFolder t;
    ASSERT_TRUE(plat::WritePrivateProfileStringA("mode", "scMode", "0", t / "new.ini"));
    EXPECT_EQ(t.Read("new.ini"), "[mode]\r\nscMode=0\r\n");
    ASSERT_TRUE(plat::WritePrivateProfileStringA("applic", "appdisplay", "0", t / "new.ini"));
    EXPECT_EQ(t.Read("new.ini"), "[mode]\r\nscMode=0\r\n\r\n[applic]\r\nappdisplay=0\r\n");
}

TEST(ProfileWrite, KeepsEveryOtherLineAndTheLineEnds) {
    TempFolder t;
    t.Write("a.ini", "; comment\n[Mode]\nSCMODE = 1\nother=x\n\n[applic]\nappcurrent=2\n");
    ASSERT_TRUE(plat::WritePrivateProfileStringA("mode", "scmode", "0", t / "a.ini"));
    ASSERT_TRUE(plat::WritePrivateProfileStringA("MODE", "added", "y", t / "a.ini"));
    EXPECT_EQ(t.Read("a.ini"),
              "; comment\n[Mode]\nSCMODE=0\nother=x\nadded=y\n\n[applic]\nappcurrent=2\n");
}

TEST(ProfileWrite, AddsToTheLastSectionOfAFileWithoutFinalNewline) {
    TempFolder t;
    t.Write("a.ini", "[applic]\r\nappcurrent=2");
    ASSERT_TRUE(plat::WritePrivateProfileStringA("applic", "appcurrent", "3", t / "a.ini"));
    ASSERT_TRUE(plat::WritePrivateProfileStringA("applic", "appdisplay", "0", t / "a.ini"));
    EXPECT_EQ(Get(t / "a.ini", "applic", "appcurrent"), "3");
    EXPECT_EQ(Get(t / "a.ini", "applic", "appdisplay"), "0");
}

TEST(ProfileWrite, RefusesWhatWouldForgeOrLoseLines) {
    TempFolder t;
    t.Write("a.ini", "[mode]\nscMode=1\n");
    EXPECT_FALSE(plat::WritePrivateProfileStringA("mode", "scMode", "0\n[x]\ny=1", t / "a.ini"));
    EXPECT_FALSE(plat::WritePrivateProfileStringA("mo\rde", "k", "v", t / "a.ini"));
    EXPECT_FALSE(plat::WritePrivateProfileStringA("mode", "a=b", "v", t / "a.ini"));
    EXPECT_EQ(t.Read("a.ini"), "[mode]\nscMode=1\n");
    // A path that cannot be read as a file is never replaced.
    std::filesystem::create_directory(t / "dir.ini");
    EXPECT_FALSE(plat::WritePrivateProfileStringA("mode", "scMode", "0", t / "dir.ini"));
    EXPECT_TRUE(std::filesystem::is_directory(t / "dir.ini"));
    // A folder that does not exist.
    EXPECT_FALSE(plat::WritePrivateProfileStringA("mode", "scMode", "0", t / "no/a.ini"));
}

TEST(ProfileWrite, KeepsTheFilesPermissionsAndLeavesNoTemporaryFile) {
    TempFolder t;
    t.Write("a.ini", "[mode]\nscMode=1\n");
    std::filesystem::permissions(t / "a.ini", std::filesystem::perms(0640));
    ASSERT_TRUE(plat::WritePrivateProfileStringA("mode", "scMode", "0", t / "a.ini"));
    EXPECT_EQ(std::filesystem::status(t / "a.ini").permissions(), std::filesystem::perms(0640));
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(t.path())) files += !e.is_directory();
    EXPECT_EQ(files, 1);
}

TEST(ProfileWrite, WritesThroughASymbolicLink) {
    TempFolder t;
    t.Write("real.ini", "[mode]\nscMode=1\n");
    std::filesystem::create_symlink(t / "real.ini", t / "link.ini");
    ASSERT_TRUE(plat::WritePrivateProfileStringA("mode", "scMode", "0", t / "link.ini"));
    EXPECT_TRUE(std::filesystem::is_symlink(t / "link.ini"));
    EXPECT_EQ(Get(t / "real.ini", "mode", "scMode"), "0");
}

}  // namespace
