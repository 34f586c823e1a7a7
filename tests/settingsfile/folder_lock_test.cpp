// A folder's lock: two saver copies (one per monitor) that save the desktop
// picture and read it back take turns, and a holder that hangs holds the
// other off only for as long as it is willing to wait.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/files.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(FolderLock, ASecondHolderWaitsUntilTheFirstLetsGo) {
    TempFolder t;
    auto first = plat::LockFolder(t.path(), 5000);
    ASSERT_TRUE(first);
    std::atomic<bool> released{false}, sawReleased{false}, got{false};
    std::thread second([&] {
        auto lock = plat::LockFolder(t.path(), 5000);
        got = lock != nullptr;
        sawReleased = released.load();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    released = true;
    first.reset();
    second.join();
    EXPECT_TRUE(got);
    EXPECT_TRUE(sawReleased) << "the second holder got the lock while the first held it";
    EXPECT_TRUE(plat::LockFolder(t.path(), 0)) << "the lock stayed held after both went";
}

TEST(FolderLock, GivesUpAfterItsWaitForTheSameFolderWrittenOtherwise) {
    TempFolder t;
    auto first = plat::LockFolder(t.path() + "/", 5000);
    ASSERT_TRUE(first);
    // Each taken and let go on its own thread, as a lock is held.
    bool same = true, other = false;
    std::thread([&] { same = plat::LockFolder(t.path(), 50) != nullptr; }).join();
    EXPECT_FALSE(same) << "the folder with and without its separator is one folder";
    TempFolder elsewhere;
    std::thread([&] { other = plat::LockFolder(elsewhere.path(), 0) != nullptr; }).join();
    EXPECT_TRUE(other) << "another folder's lock is free";
}

}  // namespace
