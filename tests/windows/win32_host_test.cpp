// The Windows host against the real API (run under Wine): registry text and
// numbers, the program's folder, folder listing, the instance claim, the
// generator, text in the ANSI code page, and the saver window's events.
#include "platform/desktop/win32/win32_host.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/profile.h"
#include "platform/saver_window.h"
#include "platform/system/win32/windows_api.h"

namespace {

class Win32HostTest : public ::testing::Test {
  protected:
    win32::Win32Host host;
};

TEST_F(Win32HostTest, RndFollowsTheRuntimesGeneratorFromItsStartValue) {
    EXPECT_NEAR(host.Rnd(), 0.7055475, 1e-7);
    EXPECT_NEAR(host.Rnd(), 0.533424, 1e-6);
    EXPECT_NEAR(host.Rnd(), 0.5795186, 1e-7);
    host.Randomize();
    for (int i = 0; i < 1000; ++i) {
        const double r = host.Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

class RegistryTest : public Win32HostTest {
  protected:
    static constexpr const char* kKey = "Software\\CorvaneTest";
    void SetUp() override {
        ::HKEY k = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                    &k, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(k, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
        const DWORD one = 1;
        ::RegSetValueExA(k, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
        const char accented[] = "caf\xE9";  // in code page 1252
        ::RegSetValueExA(k, "Accented", 0, REG_SZ, reinterpret_cast<const BYTE*>(accented), 5);
        ::RegCloseKey(k);
    }
    void TearDown() override { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

    long Query(const std::string& name, std::uint32_t& type, std::string& data,
               std::uint32_t room) {
        plat::HKEY key = 0;
        long rc = host.RegOpenKeyExA(0x80000001u, kKey, 0, 0x20019, &key);
        if (rc != ERROR_SUCCESS) return rc;
        data.assign(room, ' ');
        std::uint32_t len = room;
        rc = host.RegQueryValueExA(key, name, &type, reinterpret_cast<std::uint8_t*>(data.data()),
                                   &len);
        data.resize(len);
        host.RegCloseKey(key);
        return rc;
    }
};

TEST_F(RegistryTest, TextAndNumbersComeBackWithTheirTypeAndLength) {
    std::uint32_t type = 0;
    std::string data;
    ASSERT_EQ(Query("Text", type, data, 255), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_SZ));
    EXPECT_EQ(data, std::string("1\0", 2));
    ASSERT_EQ(Query("Number", type, data, 255), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<std::uint32_t>(REG_DWORD));
    EXPECT_EQ(data, std::string("\1\0\0\0", 4));
}

TEST_F(RegistryTest, MissingValuesAndShortBuffersAreReported) {
    std::uint32_t type = 0;
    std::string data;
    EXPECT_EQ(Query("Absent", type, data, 255), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Query("Text", type, data, 1), ERROR_MORE_DATA);
    EXPECT_EQ(data.size(), 2u);  // the length needed
    plat::HKEY key = 0;
    EXPECT_NE(host.RegOpenKeyExA(0x80000001u, "Software\\CorvaneTest\\Absent", 0, 0x20019, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(key, 0u);
}

TEST_F(RegistryTest, AnsiTextIsReturnedAsUtf8) {
    if (::GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << ::GetACP();
    std::uint32_t type = 0;
    std::string data;
    ASSERT_EQ(Query("Accented", type, data, 255), ERROR_SUCCESS);
    EXPECT_EQ(data, std::string("caf\xC3\xA9\0", 6));
}

TEST_F(Win32HostTest, AppPathIsTheProgramsFolderWithoutTrailingBackslash) {
    char file[MAX_PATH];
    ::GetModuleFileNameA(nullptr, file, MAX_PATH);
    std::string expected(file);
    expected.resize(expected.find_last_of('\\'));
    EXPECT_EQ(host.AppPath(), expected);
    EXPECT_EQ(host.PathSeparator(), '\\');
    EXPECT_EQ(host.ExeSuffix(), ".exe");
}

TEST_F(Win32HostTest, DirGivesTheStoredNameOfNormalFilesOnly) {
    const auto folder = std::filesystem::temp_directory_path() / "corvane-dir-test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "Sub.bmp");
    std::ofstream(folder / "Flag_Background.BMP") << "x";
    const std::string base = folder.string() + "\\";
    EXPECT_EQ(host.Dir(base + "flag_background.bmp"), "Flag_Background.BMP");
    EXPECT_EQ(host.Dir(base + "sub.bmp"), "");
    EXPECT_EQ(host.Dir(base + "logo.bmp"), "");
    std::filesystem::remove_all(folder);
}

TEST_F(Win32HostTest, TheFirstCopyHoldsTheInstanceClaim) {
    EXPECT_FALSE(host.PrevInstance());
    EXPECT_FALSE(host.PrevInstance());
}

TEST_F(Win32HostTest, WithoutPasswordCplTheCheckLetsTheRunEnd) {
    // No password.cpl beside the tests, and Wine has none of its own.
    EXPECT_TRUE(host.VerifyScreenSavePwd(0));
}

TEST_F(Win32HostTest, ScreenInTwipsIsPixelsTimesTwipsPerPixel) {
    const double tpp = host.TwipsPerPixelX();
    EXPECT_GT(tpp, 0.0);
    EXPECT_DOUBLE_EQ(host.ScreenWidth(), ::GetSystemMetrics(SM_CXSCREEN) * tpp);
    EXPECT_DOUBLE_EQ(host.ScreenHeight(), ::GetSystemMetrics(SM_CYSCREEN) * host.TwipsPerPixelY());
}

TEST(Win32Profile, Utf8ValuesAreStoredInTheAnsiCodePage) {
    if (::GetACP() != 1252) GTEST_SKIP() << "ANSI code page " << ::GetACP();
    const std::string path = (std::filesystem::temp_directory_path() / "corvane-ansi.ini").string();
    std::remove(path.c_str());
    ASSERT_TRUE(plat::WritePrivateProfileStringA("mode", "name", "caf\xC3\xA9", path));
    std::ifstream in(path, std::ios::binary);
    const std::string raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    EXPECT_NE(raw.find("name=caf\xE9"), std::string::npos);
    char buf[255];
    const auto n = plat::GetPrivateProfileStringA("MODE", "NAME", "", buf, 255, path);
    EXPECT_EQ(std::string(buf, n), "caf\xC3\xA9");
    // Cut to the buffer at a character boundary: the two-byte letter does
    // not fit in 4 bytes with the terminator.
    EXPECT_EQ(plat::GetPrivateProfileStringA("mode", "name", "", buf, 5, path), 3u);
    EXPECT_STREQ(buf, "caf");
    std::remove(path.c_str());
}

struct RecordedEvents : plat::SaverEvents {
    std::vector<std::string> seen;
    void Form_KeyDown(std::int16_t key, std::int16_t shift) override {
        if (key == 'X') throw std::runtime_error("from a handler");
        seen.push_back("key " + std::to_string(key) + " " + std::to_string(shift));
    }
    void Form_MouseDown(std::int16_t b, std::int16_t, float x, float y) override {
        seen.push_back("down " + std::to_string(b) + " " + std::to_string(static_cast<int>(x)) +
                       " " + std::to_string(static_cast<int>(y)));
    }
    void Form_MouseMove(std::int16_t b, std::int16_t, float x, float y) override {
        seen.push_back("move " + std::to_string(b) + " " + std::to_string(static_cast<int>(x)) +
                       " " + std::to_string(static_cast<int>(y)));
    }
};

TEST_F(Win32HostTest, SaverWindowFeedsItsHandlersInTwips) {
    RecordedEvents events;
    auto window = host.CreateSaverWindow(events);
    ASSERT_NE(window->hWnd(), 0u);
    EXPECT_NE(window->hDC(), 0u);
    EXPECT_EQ(window->hDC(), window->hDC());
    const double tpp = host.TwipsPerPixelX();
    EXPECT_DOUBLE_EQ(window->ScaleWidth(), ::GetSystemMetrics(SM_CXSCREEN) * tpp);

    const auto hwnd = win32::ToHandle<::HWND>(window->hWnd());
    ::SendMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 20));
    ::SendMessageA(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4));
    const int t = static_cast<int>(tpp);
    EXPECT_EQ(events.seen,
              (std::vector<std::string>{
                  "key 32 0", "move 1 " + std::to_string(10 * t) + " " + std::to_string(20 * t),
                  "down 2 " + std::to_string(3 * t) + " " + std::to_string(4 * t)}));

    // An error in a handler reaches the code that pumped the message.
    ::PostMessageA(hwnd, WM_KEYDOWN, 'X', 0);
    EXPECT_THROW(host.DoEvents(), std::runtime_error);
    window->Close();
    EXPECT_EQ(window->hWnd(), 0u);
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST_F(Win32HostTest, TheSaverWindowCoversEveryMonitorAndFollowsADisplayChange) {
    RecordedEvents events;
    auto window = host.CreateSaverWindow(events);
    const auto hwnd = win32::ToHandle<::HWND>(window->hWnd());
    const RECT virt{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                    ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    auto covers = [&] {
        RECT r{};
        ::GetWindowRect(hwnd, &r);
        return r.left == virt.left && r.top == virt.top && r.right == virt.right &&
               r.bottom == virt.bottom;
    };
    EXPECT_TRUE(covers());
    window->Show();
    EXPECT_TRUE(covers());
    // The saver's screen while it runs; the forms centre on the primary one.
    const double tpp = host.TwipsPerPixelX();
    EXPECT_DOUBLE_EQ(host.ScreenWidth(), (virt.right - virt.left) * tpp);
    ::SetWindowPos(hwnd, nullptr, 10, 10, 100, 100, SWP_NOZORDER);
    ::SendMessageA(hwnd, WM_DISPLAYCHANGE, 32, MAKELPARAM(100, 100));
    EXPECT_TRUE(covers());
    window->Close();
    EXPECT_DOUBLE_EQ(host.ScreenWidth(), ::GetSystemMetrics(SM_CXSCREEN) * tpp);
}

}  // namespace
