// Where no session bus runs, a library's request for one fails instead of
// starting a bus; where one runs, and for the programs we start, the
// environment is left as it is.
#include "platform/desktop/linux/session_bus.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

std::optional<std::string> Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
}

// The two variables libdbus reads, set for one test and put back after.
class SessionBus : public ::testing::Test {
  protected:
    void SetUp() override {
        address_ = Env("DBUS_SESSION_BUS_ADDRESS");
        runtime_ = Env("XDG_RUNTIME_DIR");
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        ::setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
    }
    void TearDown() override {
        address_ ? ::setenv("DBUS_SESSION_BUS_ADDRESS", address_->c_str(), 1)
                 : ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        runtime_ ? ::setenv("XDG_RUNTIME_DIR", runtime_->c_str(), 1)
                 : ::unsetenv("XDG_RUNTIME_DIR");
    }
    TempFolder folder;

  private:
    std::optional<std::string> address_, runtime_;
};

TEST_F(SessionBus, WithoutABusLibrariesGetAnAddressThatStartsNothingUntilTheEnd) {
    folder.Write("bus", "a file, not a bus");
    EXPECT_FALSE(plat::SessionBusRuns());
    {
        const plat::NoBusAutolaunch noBus;
        const std::optional<std::string> address = Env("DBUS_SESSION_BUS_ADDRESS");
        ASSERT_TRUE(address.has_value());
        EXPECT_EQ(address->find("autolaunch"), std::string::npos);
    }
    EXPECT_FALSE(Env("DBUS_SESSION_BUS_ADDRESS").has_value());
}

TEST_F(SessionBus, ARunningBusIsLeftAlone) {
    // Named in the environment.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus", 1);
    EXPECT_TRUE(plat::SessionBusRuns());
    {
        const plat::NoBusAutolaunch noBus;
        EXPECT_EQ(Env("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/user/1000/bus");
    }
    EXPECT_EQ(Env("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/user/1000/bus");
    // Only as the socket in the user's runtime folder.
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string path = folder / "bus";
    ASSERT_LT(path.size(), sizeof addr.sun_path);
    std::strcpy(addr.sun_path, path.c_str());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    EXPECT_TRUE(plat::SessionBusRuns());
    {
        const plat::NoBusAutolaunch noBus;
        EXPECT_FALSE(Env("DBUS_SESSION_BUS_ADDRESS").has_value());
    }
    ::close(fd);
}

}  // namespace
