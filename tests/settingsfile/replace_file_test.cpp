// Replacing a file's content: two writers at once (two saver copies, one per
// monitor, saving the same desktop picture) never share a temporary file, so
// the file is always one writer's whole content and nothing is left beside it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(ReplaceFile, TwoWritersAtOnceLeaveOneWholeFileAndNoTemporaryFile) {
    TempFolder t;
    const std::string a(200000, 'a'), b(300000, 'b');
    auto writer = [&](const std::string& content) {
        for (int i = 0; i < 40; ++i) plat::ReplaceFileContent(t / "background.bmp", content);
    };
    std::thread first(writer, a), second(writer, b);
    first.join();
    second.join();
    const std::string now = t.Read("background.bmp");
    EXPECT_TRUE(now == a || now == b) << "a file of " << now.size() << " bytes";
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(t.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(ReplaceFile, ReadsBackWhatItWroteAndRefusesAMissingFolder) {
    TempFolder t;
    ASSERT_TRUE(plat::ReplaceFileContent(t / "x.bin", std::string("\0\1\2", 3)));
    EXPECT_EQ(plat::ReadWholeFile(t / "x.bin", 16), std::string("\0\1\2", 3));
    EXPECT_FALSE(plat::ReadWholeFile(t / "x.bin", 2));  // larger than allowed
    EXPECT_FALSE(plat::ReplaceFileContent(t / "no-such-folder/x.bin", "x"));
    EXPECT_FALSE(plat::FileExists(t / "no-such-folder"));
}

}  // namespace

namespace {

namespace fs = std::filesystem;

TEST(ReplaceFile, AReadOnlyFileStaysAsItIs) {
    TempFolder t;
    t.Write("corvane.ini", "[mode]\r\nscMode=1\r\n");
    fs::permissions(t / "corvane.ini",
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(plat::ReplaceFileContent(t / "corvane.ini", "x"));
    EXPECT_EQ(t.Read("corvane.ini"), "[mode]\r\nscMode=1\r\n");
    EXPECT_EQ(fs::status(t / "corvane.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST(ReplaceFile, StaleTemporariesOfKilledWritesGoAtTheNextWrite) {
    TempFolder t;
    t.Write(".corvane.ini.AbC123", "half");  // a write killed an hour ago
    t.Write(".corvane.ini.XyZ789", "live");  // another writer's, just made
    t.Write(".other.ini.AbC123", "not ours to judge");
    fs::last_write_time(t / ".corvane.ini.AbC123",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
    ASSERT_TRUE(plat::ReplaceFileContent(t / "corvane.ini", "new"));
    EXPECT_FALSE(fs::exists(t / ".corvane.ini.AbC123"));
    EXPECT_TRUE(fs::exists(t / ".corvane.ini.XyZ789"));
    EXPECT_TRUE(fs::exists(t / ".other.ini.AbC123"));
}

}  // namespace
