// The program folder of a shared installation: each user's own folder,
// filled in from the installed files without changing them.
#include "platform/system/posix/user_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "platform/system/posix/system.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

const char kDefaultIni[] = "[mode]\nscMode=0\n[applic]\nappcurrent=0\nappalert=3\nappdisplay=1\n";

// Sets an environment variable for the life of the object.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~EnvVar() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// PREFIX/libexec/corvane with Tellwell, PREFIX/share/corvane with the
// default settings and two pictures; XDG_DATA_HOME in the temp folder.
class UserFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(programs);
        fs::create_directories(pictures);
        tmp.Write("usr/libexec/corvane/Tellwell", "program");
        tmp.Write("usr/share/corvane/corvane.ini", kDefaultIni);
        tmp.Write("usr/share/corvane/vantrelsoftware/corvane/flag_background.bmp", "BM white");
        tmp.Write("usr/share/corvane/vantrelsoftware/corvane/logo.bmp", "BM logo");
    }
    std::string LinkTarget(const std::string& path) { return fs::read_symlink(path).string(); }
    mode_t Mode(const std::string& path) {
        struct stat st {};
        ::lstat(path.c_str(), &st);
        return st.st_mode & 07777;
    }

    TempFolder tmp;
    std::string programs = tmp / "usr/libexec/corvane";
    std::string data = tmp / "usr/share/corvane";
    std::string pictures = data + "/vantrelsoftware/corvane";
    std::string user = tmp / "home/.data/corvane";
    EnvVar xdg{"XDG_DATA_HOME", (tmp / "home/.data").c_str()};
};

TEST_F(UserFolder, FirstUseMakesTheUsersProgramFolder) {
    ASSERT_EQ(posixsys::ResolveProgramFolder(programs), user);
    EXPECT_EQ(tmp.Read("home/.data/corvane/corvane.ini"), kDefaultIni);
    EXPECT_EQ(LinkTarget(user + "/Tellwell"), programs + "/Tellwell");
    EXPECT_EQ(LinkTarget(user + "/vantrelsoftware/corvane/logo.bmp"), pictures + "/logo.bmp");
    EXPECT_EQ(LinkTarget(user + "/vantrelsoftware/corvane/flag_background.bmp"),
              pictures + "/flag_background.bmp");
    // The picture folder is a folder of the user's: background.bmp goes
    // there, beside the links, and not into the installed folder.
    EXPECT_FALSE(fs::is_symlink(user + "/vantrelsoftware/corvane"));
    EXPECT_EQ(Mode(user), 0700u);
    EXPECT_EQ(Mode(tmp / "home/.data"), 0700u);
    tmp.Write("home/.data/corvane/vantrelsoftware/corvane/background.bmp", "BM desktop");
    EXPECT_FALSE(fs::exists(pictures + "/background.bmp"));
    EXPECT_EQ(tmp.Read("usr/share/corvane/corvane.ini"), kDefaultIni);
}

TEST_F(UserFolder, LaterUsesKeepWhatTheUserHasAndFillInWhatIsMissing) {
    ASSERT_EQ(posixsys::ResolveProgramFolder(programs), user);
    tmp.Write("home/.data/corvane/corvane.ini", "[mode]\nscMode=1\n");
    tmp.Write("home/.data/corvane/vantrelsoftware/corvane/background.bmp", "BM desktop");
    fs::remove(user + "/vantrelsoftware/corvane/logo.bmp");
    fs::remove(user + "/Tellwell");
    fs::create_symlink("/elsewhere/flag_background.bmp",
                       user + "/vantrelsoftware/corvane/FLAG_BACKGROUND.BMP");
    // A newer package brings a picture more.
    tmp.Write("usr/share/corvane/vantrelsoftware/corvane/flag_small.bmp", "BM small");

    ASSERT_EQ(posixsys::ResolveProgramFolder(programs), user);
    EXPECT_EQ(tmp.Read("home/.data/corvane/corvane.ini"), "[mode]\nscMode=1\n");
    EXPECT_EQ(tmp.Read("home/.data/corvane/vantrelsoftware/corvane/background.bmp"), "BM desktop");
    EXPECT_EQ(LinkTarget(user + "/vantrelsoftware/corvane/logo.bmp"), pictures + "/logo.bmp");
    EXPECT_EQ(LinkTarget(user + "/vantrelsoftware/corvane/flag_small.bmp"),
              pictures + "/flag_small.bmp");
    EXPECT_EQ(LinkTarget(user + "/Tellwell"), programs + "/Tellwell");
    EXPECT_EQ(LinkTarget(user + "/vantrelsoftware/corvane/FLAG_BACKGROUND.BMP"),
              "/elsewhere/flag_background.bmp");
}

TEST_F(UserFolder, AFolderOfItsOwnIsTheProgramFolder) {
    // Settings beside the programs: a per-user install or the build tree.
    tmp.Write("usr/libexec/corvane/corvane.ini", kDefaultIni);
    EXPECT_EQ(posixsys::ResolveProgramFolder(programs), programs);
    fs::remove(tmp / "usr/libexec/corvane/corvane.ini");
    // Not PREFIX/libexec/corvane.
    fs::create_directories(tmp / "usr/lib/corvane");
    EXPECT_EQ(posixsys::ResolveProgramFolder(tmp / "usr/lib/corvane"), tmp / "usr/lib/corvane");
    // No installed settings.
    fs::remove(data + "/corvane.ini");
    EXPECT_EQ(posixsys::ResolveProgramFolder(programs), programs);
    EXPECT_FALSE(fs::exists(user));
}

TEST_F(UserFolder, TheFolderFollowsTheXdgDataHome) {
    EnvVar home("HOME", (tmp / "home").c_str());
    EXPECT_EQ(posixsys::UserFolderPath(), user);
    // Relative or empty: not a base folder, so the default under HOME.
    EnvVar relative("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(posixsys::UserFolderPath(), tmp / "home/.local/share/corvane");
    EnvVar empty("XDG_DATA_HOME", "");
    EXPECT_EQ(posixsys::UserFolderPath(), tmp / "home/.local/share/corvane");
}

TEST_F(UserFolder, WithoutAUserFolderTheInstalledFilesServeReadOnly) {
    fs::create_directories(tmp / "home");
    tmp.Write("home/file", "not a folder");
    EnvVar blocked("XDG_DATA_HOME", (tmp / "home/file").c_str());
    EXPECT_EQ(posixsys::ResolveProgramFolder(programs), data);
}

TEST_F(UserFolder, AFolderOthersMayWriteIsNotUsed) {
    fs::create_directories(user);
    fs::permissions(user, fs::perms::all);
    EXPECT_EQ(posixsys::ResolveProgramFolder(programs), data);
    fs::permissions(user, fs::perms::owner_all);
    EXPECT_EQ(posixsys::ResolveProgramFolder(programs), user);
}

// Another user who may write a folder on the way swaps the user's folder
// for a link to the victim's home after the first run: the next run must
// not write corvane.ini, the pictures or the Tellwell link there.
TEST_F(UserFolder, AFolderReachedThroughOthersFoldersOrALinkIsRefused) {
    const std::string victim = tmp / "victim";
    fs::create_directories(victim);
    fs::permissions(victim, fs::perms::owner_all);
    const auto untouched = [&] {
        return std::distance(fs::directory_iterator(victim), fs::directory_iterator()) == 0;
    };
    // XDG_DATA_HOME inside a folder every user may write (no sticky bit).
    fs::create_directories(tmp / "shared/data");
    fs::permissions(tmp / "shared", fs::perms::all);
    {
        EnvVar xdgShared{"XDG_DATA_HOME", (tmp / "shared/data").c_str()};
        EXPECT_EQ(posixsys::ResolveProgramFolder(programs), data);
        EXPECT_FALSE(fs::exists(tmp / "shared/data/corvane")) << "made under others' folder";
    }
    // The same swap one level down, where only the user may write above:
    // the folder itself a link.
    fs::permissions(tmp / "shared", fs::perms::owner_all);
    fs::create_symlink(victim, tmp / "shared/data/corvane");
    std::string why;
    EXPECT_FALSE(posixsys::PrepareUserFolder(tmp / "shared/data/corvane", data, programs, &why));
    EXPECT_NE(why.find("symbolic link"), std::string::npos) << why;
    EXPECT_TRUE(untouched());
    // The picture folder inside a good folder is no link either.
    fs::create_directories(user + "/vantrelsoftware");
    fs::create_symlink(victim, user + "/vantrelsoftware/corvane");
    EXPECT_FALSE(posixsys::PrepareUserFolder(user, data, programs, &why));
    EXPECT_NE(why.find("vantrelsoftware/corvane is a symbolic link"), std::string::npos) << why;
    EXPECT_TRUE(untouched());
    // A folder on the way writable by a group not the user's own.
    fs::remove(user + "/vantrelsoftware/corvane");
    ASSERT_EQ(::chown((tmp / "home").c_str(), ::getuid(), ::getgid() + 1), 0);
    fs::permissions(tmp / "home", fs::perms::owner_all | fs::perms::group_all);
    EXPECT_FALSE(posixsys::PrepareUserFolder(user, data, programs, &why));
    EXPECT_NE(why.find("written by its group"), std::string::npos) << why;
    // A link the user made on the way, to folders that are safe, is fine.
    fs::permissions(tmp / "home", fs::perms::owner_all);
    fs::rename(tmp / "home", tmp / "real-home");
    fs::create_symlink(tmp / "real-home", tmp / "home");
    EXPECT_EQ(posixsys::ResolveProgramFolder(programs), user);
}

// A folder planted by another user in a shared sticky folder (as /tmp) is
// not the user's; the user's own folder there is.
TEST_F(UserFolder, AFolderPlantedInAStickySharedFolderIsRefused) {
    if (::getuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    const std::string shared = tmp / "sticky";
    fs::create_directories(shared + "/planted/corvane");
    fs::create_directories(shared + "/own");
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    ASSERT_EQ(::chown((shared + "/planted").c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown((shared + "/planted/corvane").c_str(), 65534, 65534), 0);
    std::string why;
    EXPECT_FALSE(posixsys::PrepareUserFolder(shared + "/planted/corvane", data, programs, &why));
    EXPECT_NE(why.find("planted belongs to another user"), std::string::npos) << why;
    EXPECT_FALSE(fs::exists(shared + "/planted/corvane/corvane.ini"));
    // Another user's link in the shared folder, to a folder of the user's.
    fs::create_symlink(shared + "/own", shared + "/link");
    ASSERT_EQ(::lchown((shared + "/link").c_str(), 65534, 65534), 0);
    EXPECT_FALSE(posixsys::PrepareUserFolder(shared + "/link/corvane", data, programs, &why));
    EXPECT_NE(why.find("link belongs to another user"), std::string::npos) << why;
    EXPECT_TRUE(posixsys::PrepareUserFolder(shared + "/own/corvane", data, programs, &why)) << why;
}

TEST_F(UserFolder, ProgramsStartingTogetherShareOneCompleteSettingsFile) {
    std::vector<std::thread> starts;
    std::vector<std::string> folders(8);
    for (auto& f : folders)
        starts.emplace_back([&] { f = posixsys::ResolveProgramFolder(programs); });
    for (auto& t : starts) t.join();
    for (const auto& f : folders) EXPECT_EQ(f, user);
    EXPECT_EQ(tmp.Read("home/.data/corvane/corvane.ini"), kDefaultIni);
    const auto entries = std::distance(fs::directory_iterator(user), fs::directory_iterator());
    EXPECT_EQ(entries, 3) << "corvane.ini, Tellwell, vantrelsoftware and no temporary file";
}

TEST(CreateFileOnce, WritesANewFileAndNeverReplacesOne) {
    TempFolder tmp;
    EXPECT_TRUE(posixsys::CreateFileOnce(tmp / "a.ini", "first"));
    EXPECT_TRUE(posixsys::CreateFileOnce(tmp / "a.ini", "second"));
    EXPECT_EQ(tmp.Read("a.ini"), "first");
    EXPECT_FALSE(posixsys::CreateFileOnce(tmp / "missing/a.ini", "x"));
}

}  // namespace
