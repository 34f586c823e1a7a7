// A writer killed at any moment leaves the old or the new file, never a
// broken one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/profile.h"
#include "tests/settingsfile/read_value.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(ProfileCrashSafety, KilledWritersLeaveAWholeFile) {
    TempFolder t;
    const std::string file = t / "corvane.ini";
    // Padding makes each write long enough to be caught in the middle.
    std::string padding(64 * 1024, 'p');
    ASSERT_TRUE(plat::WritePrivateProfileStringA("pad", "p", padding, file));
    ASSERT_TRUE(plat::WritePrivateProfileStringA("applic", "appcurrent", "0", file));
    for (int round = 0; round < 20; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 1;; ++i)
                plat::WritePrivateProfileStringA("applic", "appcurrent", std::to_string(i), file);
        }
        usleep(2000 + 1500 * round);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::string value = Get(file, "applic", "appcurrent");
        ASSERT_FALSE(value.empty()) << "round " << round;
        ASSERT_EQ(value.find_first_not_of("0123456789"), std::string::npos);
        char buf[256];
        ASSERT_EQ(plat::GetPrivateProfileStringA("pad", "p", "", buf, 255, file), 254u);
    }
}

}  // namespace
