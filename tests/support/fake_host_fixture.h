// A test fixture with a fake host installed and the program folder in a
// fresh temp folder; module state is reset for every test.
#pragma once
#include <gtest/gtest.h>

#include "platform/headless/fake_host.h"
#include "platform/profile.h"
#include "shell/module1.h"
#include "tests/support/temp_folder.h"

class HostTest : public ::testing::Test {
  protected:
    HostTest() {
        host.appPath = folder.path();
        plat::SetHost(&host);
        Module1::ResetState();
        Module1::PlatformId = 2;
    }
    ~HostTest() override { plat::SetHost(nullptr); }

    std::string Ini(const std::string& section, const std::string& key) {
        char buf[256];
        auto n = plat::GetPrivateProfileStringA(section, key, "", buf, 255, Module1::IniFilePath());
        return std::string(buf, n);
    }
    void SetIni(const std::string& section, const std::string& key, const std::string& v) {
        plat::WritePrivateProfileStringA(section, key, v, Module1::IniFilePath());
    }

    TempFolder folder;
    plat::FakeHost host;
};

// Runs f and says whether it ended the program.
template <typename F>
bool Ends(F&& f) {
    try {
        f();
    } catch (const plat::ProgramEnded&) {
        return true;
    }
    return false;
}
