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
    std::unique_ptr<plat::HeldLock> second;
    std::thread other([&] { second = plat::LockFolder(t.path(), 50); });
    other.join();
    EXPECT_FALSE(second) << "the folder with and without its separator is one folder";
    TempFolder elsewhere;
    std::thread unrelated([&] { second = plat::LockFolder(elsewhere.path(), 0); });
    unrelated.join();
    EXPECT_TRUE(second) << "another folder's lock is free";
}

}  // namespace
