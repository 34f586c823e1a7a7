// The user's own program folder on Windows (run under Wine): the test of a
// writable folder, where the folder is, how it is filled in from the
// installed files without replacing anything, and which Tellwell a path in
// it names. The whole fallback from a folder the user cannot write is run
// by the process tests (tests/windows/process), which take the write right
// away.
#include "platform/system/win32/user_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/system/win32/windows_api.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const char kDefaultIni[] = "[mode]\r\nscMode=0\r\n[applic]\r\nappcurrent=0\r\n";

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Sets an environment variable of this process for the life of the object.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        char buf[MAX_PATH];
        const DWORD n = ::GetEnvironmentVariableA(name, buf, MAX_PATH);
        if (n > 0 && n < MAX_PATH) old_ = std::string(buf, n);
        ::SetEnvironmentVariableA(name, value);
    }
    ~EnvVar() { ::SetEnvironmentVariableA(name_, old_ ? old_->c_str() : nullptr); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// An installed folder (the programs, the default settings, two pictures)
// and a LOCALAPPDATA of the test's own.
class WinUserFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(installed + "\\vantrelsoftware\\corvane");
        fs::create_directories(local);
        tmp.Write("Programs/Tellwell.exe", "program");
        tmp.Write("Programs/corvane.ini", kDefaultIni);
        tmp.Write("Programs/vantrelsoftware/corvane/flag_background.bmp", "BM white");
        tmp.Write("Programs/vantrelsoftware/corvane/Logo.bmp", "BM logo");
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static std::vector<std::string> Names(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder tmp;
    std::string installed = Backslashed(tmp / "Programs");
    std::string local = Backslashed(tmp / "Local");
    std::string user = local + "\\Corvane";
    EnvVar localAppData{"LOCALAPPDATA", local.c_str()};
};

TEST_F(WinUserFolder, AFolderIsWritableOnlyWhenAFileCanBeMadeThere) {
    EXPECT_TRUE(win32::CanWriteIn(installed));
    EXPECT_EQ(Names(installed),
              (std::vector<std::string>{"Tellwell.exe", "corvane.ini", "vantrelsoftware"}));
    EXPECT_FALSE(win32::CanWriteIn(installed + "\\missing"));
    EXPECT_FALSE(win32::CanWriteIn(installed + "\\corvane.ini"));
}

TEST_F(WinUserFolder, TheFolderIsCorvaneInLocalAppData) {
    EXPECT_EQ(win32::UserFolderPath(), user);
    {
        EnvVar trailing("LOCALAPPDATA", (local + "\\").c_str());
        EXPECT_EQ(win32::UserFolderPath(), user);
    }
    // Without a usable variable, the system's own folder.
    for (const char* value : {"relative\\data", static_cast<const char*>(nullptr)}) {
        EnvVar unusable("LOCALAPPDATA", value);
        const std::string path = win32::UserFolderPath();
        ASSERT_GT(path.size(), 11u);
        EXPECT_EQ(path.substr(1, 2), ":\\");
        EXPECT_EQ(path.substr(path.size() - 8), "\\Corvane");
    }
}

TEST_F(WinUserFolder, AFolderTheUserCanWriteIsTheProgramFolder) {
    EXPECT_EQ(win32::ResolveProgramFolder(installed), installed);
    EXPECT_FALSE(fs::exists(user));
}

TEST_F(WinUserFolder, FirstUseCopiesTheSettingsAndPicturesAndLeavesTheInstalledFiles) {
    tmp.Write("Programs/vantrelsoftware/corvane/background.bmp", "BM someone's desktop");
    ::SetFileAttributesA((installed + "\\corvane.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string why;
    ASSERT_TRUE(win32::PrepareUserFolder(user, installed, &why)) << why;
    EXPECT_EQ(Names(user), (std::vector<std::string>{"corvane.ini", "vantrelsoftware"}));
    EXPECT_EQ(Read(user + "\\corvane.ini"), kDefaultIni);
    EXPECT_EQ(Names(user + "\\vantrelsoftware\\corvane"),
              (std::vector<std::string>{"Logo.bmp", "flag_background.bmp"}));
    EXPECT_EQ(Read(user + "\\vantrelsoftware\\corvane\\Logo.bmp"), "BM logo");
    // The user's settings can be written, whatever the installed file's.
    EXPECT_EQ(::GetFileAttributesA((user + "\\corvane.ini").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    ::SetFileAttributesA((installed + "\\corvane.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read(installed + "\\corvane.ini"), kDefaultIni);
    EXPECT_EQ(Names(installed),
              (std::vector<std::string>{"Tellwell.exe", "corvane.ini", "vantrelsoftware"}));
}

TEST_F(WinUserFolder, LaterStartsFillInWhatIsMissingAndReplaceNothing) {
    ASSERT_TRUE(win32::PrepareUserFolder(user, installed));
    const std::string pictures = user + "\\vantrelsoftware\\corvane\\";
    std::ofstream(user + "\\corvane.ini", std::ios::binary) << "[applic]\r\nappcurrent=7\r\n";
    std::ofstream(pictures + "Logo.bmp", std::ios::binary) << "BM my own logo";
    std::ofstream(pictures + "background.bmp", std::ios::binary) << "BM my desktop";
    fs::remove(pictures + "flag_background.bmp");
    ASSERT_TRUE(win32::PrepareUserFolder(user, installed));
    EXPECT_EQ(Read(user + "\\corvane.ini"), "[applic]\r\nappcurrent=7\r\n");
    EXPECT_EQ(Read(pictures + "Logo.bmp"), "BM my own logo");
    EXPECT_EQ(Read(pictures + "background.bmp"), "BM my desktop");
    EXPECT_EQ(Read(pictures + "flag_background.bmp"), "BM white");
    // No temporary copies are left beside them.
    EXPECT_EQ(Names(pictures.substr(0, pictures.size() - 1)),
              (std::vector<std::string>{"Logo.bmp", "background.bmp", "flag_background.bmp"}));
}

TEST_F(WinUserFolder, WithoutAFolderOrDefaultSettingsTheUserFolderIsRefused) {
    std::string why;
    tmp.Write("Local/Blocked", "a file where the folder would go");
    EXPECT_FALSE(win32::PrepareUserFolder(local + "\\Blocked", installed, &why));
    EXPECT_NE(why.find("cannot make"), std::string::npos) << why;
    EXPECT_FALSE(win32::PrepareUserFolder("", installed, &why));
    fs::remove(installed + "\\corvane.ini");
    EXPECT_FALSE(win32::PrepareUserFolder(user, installed, &why));
    EXPECT_NE(why.find("no corvane.ini"), std::string::npos) << why;
}

TEST_F(WinUserFolder, AFolderThatIsALinkIsRefused) {
    // The saver's writes would land wherever the link leads.
    const std::string elsewhere = local + "\\Elsewhere";
    fs::create_directories(elsewhere + "\\vantrelsoftware\\corvane");
    // (Wine's CreateSymbolicLink makes nothing; the process tests use a
    // link of the file system there.)
    if (!::CreateSymbolicLinkA(user.c_str(), elsewhere.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) ||
        ::GetFileAttributesA(user.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no symbolic links here";
    std::string why;
    EXPECT_FALSE(win32::PrepareUserFolder(user, installed, &why));
    EXPECT_NE(why.find("is a link"), std::string::npos) << why;
    EXPECT_FALSE(fs::exists(elsewhere + "\\corvane.ini"));
    ::RemoveDirectoryA(user.c_str());
    // The picture folder is refused the same way.
    fs::create_directories(user + "\\vantrelsoftware");
    ASSERT_TRUE(::CreateSymbolicLinkA((user + "\\vantrelsoftware\\corvane").c_str(),
                                      (elsewhere + "\\vantrelsoftware\\corvane").c_str(),
                                      SYMBOLIC_LINK_FLAG_DIRECTORY));
    EXPECT_FALSE(win32::PrepareUserFolder(user, installed, &why));
    EXPECT_NE(why.find("is a link"), std::string::npos) << why;
    EXPECT_TRUE(fs::is_empty(elsewhere + "\\vantrelsoftware\\corvane"));
    ::RemoveDirectoryA((user + "\\vantrelsoftware\\corvane").c_str());
}

TEST_F(WinUserFolder, TellwellNamedInTheUserFolderIsTheInstalledOne) {
    ASSERT_TRUE(win32::PrepareUserFolder(user, installed));
    const std::string named = user + "\\Tellwell.exe";
    EXPECT_EQ(win32::InstalledProgram(named, user, installed), installed + "\\Tellwell.exe");
    // Letter case and a trailing backslash do not matter to the folders.
    EXPECT_EQ(win32::InstalledProgram(local + "\\CORVANE\\Tellwell.exe", user + "\\", installed),
              installed + "\\Tellwell.exe");
    // One the user put there, one elsewhere, one not installed: as named.
    EXPECT_EQ(win32::InstalledProgram(installed + "\\Tellwell.exe", user, installed),
              installed + "\\Tellwell.exe");
    EXPECT_EQ(win32::InstalledProgram(user + "\\Other.exe", user, installed), user + "\\Other.exe");
    EXPECT_EQ(win32::InstalledProgram(local + "\\Tellwell.exe", user, installed),
              local + "\\Tellwell.exe");
    tmp.Write("Local/Corvane/Tellwell.exe", "the user's own");
    EXPECT_EQ(win32::InstalledProgram(named, user, installed), named);
    // A program folder of its own: every name as it is.
    EXPECT_EQ(win32::InstalledProgram(installed + "\\Missing.exe", installed, installed),
              installed + "\\Missing.exe");
}

}  // namespace
