#include "platform/system/posix/user_folder.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/files.h"
#include "platform/system/posix/system.h"

namespace posixsys {
namespace {

constexpr const char* kPictureFolder = "/vantrelsoftware/corvane";
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The folder path and every missing one above it, mode 700 (as the XDG
// base directories ask for new folders).
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
    return IsFolder(path);
}

// The user's own folder, not open to everyone: another user's links there
// could turn the saver's writes onto any file of this user's. (Group write
// is allowed: with a group of one's own it is the usual umask 002.)
bool IsOwnFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & S_IWOTH) == 0;
}

// A symbolic link at link to target, unless something is there (even a
// dangling link: the user's folder is theirs to arrange). A link that
// cannot be made is a missing file, which the saver reports when it looks.
void LinkIfMissing(const std::string& target, const std::string& link) {
    struct stat st {};
    if (::lstat(link.c_str(), &st) == 0) return;
    if (::symlink(target.c_str(), link.c_str()) != 0) return;
}

void LinkPictures(const std::string& from, const std::string& to) {
    DIR* dir = ::opendir(from.c_str());
    if (!dir) return;
    while (dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name[0] != '.' && IsRegularFile(from + "/" + name))
            LinkIfMissing(from + "/" + name, to + "/" + name);
    }
    ::closedir(dir);
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return home;
    const passwd* pw = ::getpwuid(::getuid());
    return pw && pw->pw_dir && pw->pw_dir[0] == '/' ? pw->pw_dir : "";
}

std::string Parent(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? "" : path.substr(0, slash);
}

std::string Leaf(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

}  // namespace

std::string SharedDataFolder(const std::string& programFolder) {
    const std::string libexec = Parent(programFolder);
    const std::string prefix = Parent(libexec);
    if (Leaf(programFolder) != "corvane" || Leaf(libexec) != "libexec" ||
        IsRegularFile(programFolder + "/corvane.ini"))
        return "";
    const std::string data = prefix + "/share/corvane";
    return IsRegularFile(data + "/corvane.ini") ? data : "";
}

std::string UserFolderPath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/') return std::string(data) + "/corvane";
    const std::string home = HomeFolder();
    return home.empty() ? "" : (home == "/" ? "" : home) + "/.local/share/corvane";
}

bool PrepareUserFolder(const std::string& user, const std::string& data,
                       const std::string& programs) {
    if (user.empty() || !MakeFolders(user) || !IsOwnFolder(user) ||
        !MakeFolders(user + kPictureFolder))
        return false;
    const std::string ini = user + "/corvane.ini";
    if (!plat::FileExists(ini)) {
        const auto content = plat::ReadWholeFile(data + "/corvane.ini", kMaxSettingsBytes);
        if (content) CreateFileOnce(ini, *content);
    }
    LinkPictures(data + kPictureFolder, user + kPictureFolder);
    LinkIfMissing(programs + "/Tellwell", user + "/Tellwell");
    return IsRegularFile(ini);
}

std::string ResolveProgramFolder(const std::string& programFolder) {
    const std::string data = SharedDataFolder(programFolder);
    if (data.empty()) return programFolder;
    const std::string user = UserFolderPath();
    return PrepareUserFolder(user, data, programFolder) ? user : data;
}

}  // namespace posixsys
