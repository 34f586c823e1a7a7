#include <gtest/gtest.h>

#include <cstring>

#include "platform/profile.h"
#include "tests/settingsfile/read_value.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(ProfileRead, MatchesSectionsAndKeysWithoutRegardToCase) {
    TempFolder t;
    t.Write("a.ini", "[Mode]\r\nScMode=1\r\n[applic]\r\nappcurrent = 2 \r\n");
    EXPECT_EQ(Get(t / "a.ini", "mode", "scmode"), "1");
    EXPECT_EQ(Get(t / "a.ini", "MODE", "SCMODE"), "1");
    EXPECT_EQ(Get(t / "a.ini", "Applic", "AppCurrent"), "2");
}

TEST(ProfileRead, MissingFileSectionOrKeyGivesTheDefault) {
    TempFolder t;
    t.Write("a.ini", "[mode]\nscMode=1\n");
    EXPECT_EQ(Get(t / "none.ini", "mode", "scMode"), "");
    EXPECT_EQ(Get(t / "a.ini", "applic", "scMode", 255, "dflt"), "dflt");
    EXPECT_EQ(Get(t / "a.ini", "mode", "other", 255, "x"), "x");
    // A key of another section is not found in this one.
    t.Write("b.ini", "[one]\nk=1\n[two]\nj=2\n");
    EXPECT_EQ(Get(t / "b.ini", "two", "k"), "");
}

TEST(ProfileRead, CutsTheValueToTheBufferLessOne) {
    TempFolder t;
    t.Write("a.ini", "[s]\nk=" + std::string(300, 'v') + "\n");
    EXPECT_EQ(Get(t / "a.ini", "s", "k", 255).size(), 254u);
    EXPECT_EQ(Get(t / "a.ini", "s", "k", 1), "");
}

TEST(ProfileRead, DropsBlanksAndOnePairOfQuotes) {
    TempFolder t;
    t.Write("a.ini", "[s]\n  k  =   a b  \nq=\"quoted\"\nh=\"half\n");
    EXPECT_EQ(Get(t / "a.ini", "s", "k"), "a b");
    EXPECT_EQ(Get(t / "a.ini", "s", "q"), "quoted");
    EXPECT_EQ(Get(t / "a.ini", "s", "h"), "\"half");
}

TEST(ProfileRead, ReadsOddFilesWithoutHarm) {
    TempFolder t;
    // Byte-order mark, no final newline, LF only.
    t.Write("bom.ini", "\xEF\xBB\xBF[mode]\nscMode=1");
    EXPECT_EQ(Get(t / "bom.ini", "mode", "scMode"), "1");
    // Binary bytes and NULs around a good entry.
    std::string junk("\x00\xff\x01[\x00]\n=\n[[[\n", 13);
    t.Write("bin.ini", junk + "[s]\nk=v\n" + junk);
    EXPECT_EQ(Get(t / "bin.ini", "s", "k"), "v");
    // A line of a megabyte.
    t.Write("big.ini", "[s]\nk=" + std::string(1 << 20, 'x') + "\nj=2\n");
    EXPECT_EQ(Get(t / "big.ini", "s", "j"), "2");
    EXPECT_EQ(Get(t / "big.ini", "s", "k").size(), 254u);
    // A folder where the file should be.
    std::filesystem::create_directory(t / "dir.ini");
    EXPECT_EQ(Get(t / "dir.ini", "s", "k", 255, "d"), "d");
}

}  // namespace
