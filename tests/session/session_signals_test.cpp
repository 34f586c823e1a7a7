// A program stopped by the session ends by the very signal that stopped
// it, so that its parent (a shell, a screen-saver daemon) sees an ordinary
// stop, and nothing of the program's own ending runs.
#include "platform/system/posix/session_signals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

std::string marker;  // written by the program's normal end, if it ever ran

void WriteMarker() {
    if (std::FILE* f = std::fopen(marker.c_str(), "w")) std::fclose(f);
}

// A child that takes the session's signals as a program does, sets up a
// normal end that would leave a file, and is then sent sig: its wait status.
int StatusAfter(int sig, bool fromOutside) {
    const pid_t child = ::fork();
    if (child == 0) {
        plat::EndOnSessionSignals();
        std::atexit(WriteMarker);
        if (!fromOutside) ::raise(sig);
        for (;;) ::pause();
    }
    if (fromOutside) {
        ::usleep(100 * 1000);
        ::kill(child, sig);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
}

TEST(SessionSignals, EndTheProcessByTheSignalAndRunNothingElse) {
    TempFolder t;
    marker = t / "ended-normally";
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        for (bool fromOutside : {true, false}) {
            const int status = StatusAfter(sig, fromOutside);
            EXPECT_TRUE(WIFSIGNALED(status))
                << "signal " << sig << ": exited with code " << WEXITSTATUS(status);
            if (WIFSIGNALED(status)) {
                EXPECT_EQ(WTERMSIG(status), sig);
            }
        }
    }
    EXPECT_FALSE(std::ifstream(marker).good()) << "the program's own end ran";
}

}  // namespace
