// The operating-system family and the password flag from the registry.
#include "shell/startup.h"
#include "tests/support/fake_host_fixture.h"

namespace {

using RegistryTest = HostTest;

const char* kDesktop = "Control Panel\\Desktop";

TEST_F(RegistryTest, DwordValuesReadAsThreeDigits) {
    host.SetRegistryDword(plat::HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword", 1);
    EXPECT_EQ(
        Module1::ReadRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword"),
        "001");
    host.SetRegistryDword(plat::HKEY_CURRENT_USER, kDesktop, "Big", 123456);
    EXPECT_EQ(Module1::ReadRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "Big"), "123");
}

TEST_F(RegistryTest, StringsAndFailures) {
    host.SetRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "S", "hello");
    EXPECT_EQ(Module1::ReadRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "S"), "hello");
    EXPECT_EQ(Module1::ReadRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "none"), "");
    EXPECT_EQ(Module1::ReadRegistryString(plat::HKEY_CURRENT_USER, "No\\Key", "S"), "");
    // A handle outside the predefined hives is not even tried.
    EXPECT_EQ(Module1::ReadRegistryString(0x80000007u, kDesktop, "S"), "");
    EXPECT_EQ(Module1::ReadRegistryString(1, kDesktop, "S"), "");
    // A value too long for the 255-byte buffer fails.
    host.SetRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "Long", std::string(300, 'x'));
    EXPECT_EQ(Module1::ReadRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "Long"), "");
}

TEST_F(RegistryTest, MainReadsThePasswordFlagAndTheFamily) {
    struct Case {
        bool dword;
        std::string text;
        int expected;
    };
    for (const Case& c : {Case{true, "1", 1}, Case{false, "1", 1}, Case{false, "0", 0},
                          Case{false, "", 0}, Case{false, " 2x", 2}, Case{false, "99999", 1}}) {
        SCOPED_TRACE(c.text);
        if (c.dword)
            host.SetRegistryDword(plat::HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword",
                                  std::stoul(c.text));
        else
            host.SetRegistryString(plat::HKEY_CURRENT_USER, kDesktop, "ScreenSaveUsePassword",
                                   c.text);
        host.command = "/a";  // a mode that returns at once
        Module1::Main();
        EXPECT_EQ(Module1::UsePassword, c.expected);
    }
    plat::FakeHost bare;  // no registry value at all, version query fails
    bare.versionFails = true;
    bare.command = "/a";
    plat::SetHost(&bare);
    Module1::Main();
    EXPECT_EQ(Module1::UsePassword, 0);
    EXPECT_EQ(Module1::PlatformId, 0);
    plat::SetHost(&host);
}

}  // namespace
