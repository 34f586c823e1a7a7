#include "platform/system/posix/user_folder.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
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

// Why a folder (or link) met on the way to the user's folder may not be
// trusted, or "": it must belong to the user or to root, and no other user
// may change what it holds. Group write counts as the user's own only for
// the user's own group (the usual umask 002 with a group of one's own); a
// folder everyone may write is safe only with the sticky bit (as /tmp),
// where nobody may rename or remove another's entries, and never for the
// folder the files go into: others could put links there under the names
// the saver writes.
std::string Distrust(const std::string& path, const struct stat& st, bool filesGoHere) {
    if (st.st_uid != ::getuid() && st.st_uid != 0) return path + " belongs to another user";
    if (S_ISLNK(st.st_mode)) return "";
    const bool sticky = (st.st_mode & S_ISVTX) != 0 && !filesGoHere;
    if ((st.st_mode & S_IWOTH) && !sticky) return path + " may be written by other users";
    if ((st.st_mode & S_IWGRP) && !sticky && !(st.st_uid == ::getuid() && st.st_gid == ::getgid()))
        return path + " may be written by its group";
    return "";
}

// Checks every folder from the root down to path (as ssh checks the
// folders above a key file): each one the user's or root's and closed to
// others. A link on the way is followed only when the user or root made
// it, and the folders it leads to are checked the same way; path itself
// must be a folder of the user's, not a link. "" when safe, else why not.
std::string CheckFolderChain(const std::string& path, int links = 0, bool onTheWay = false) {
    if (path.empty() || path[0] != '/') return path + " is not an absolute path";
    std::string done;  // the checked, link-free part
    std::size_t from = 1;
    while (from <= path.size()) {
        std::size_t slash = path.find('/', from);
        if (slash == std::string::npos) slash = path.size();
        const std::string name = path.substr(from, slash - from);
        from = slash + 1;
        if (name.empty() || name == ".") continue;
        if (name == "..") return path + " goes up through \"..\"";
        const std::string here = done + "/" + name;
        struct stat st {};
        if (::lstat(here.c_str(), &st) != 0) return here + " is missing";
        const bool last = from > path.size() && !onTheWay;
        if (S_ISLNK(st.st_mode)) {
            if (last) return here + " is a symbolic link";
            if (std::string why = Distrust(here, st, false); !why.empty()) return why;
            char real[PATH_MAX];
            if (++links > 40 || !::realpath(here.c_str(), real)) return here + " leads nowhere";
            if (std::string why = CheckFolderChain(real, links, true); !why.empty()) return why;
            done = real;
            continue;
        }
        if (!S_ISDIR(st.st_mode)) return here + " is not a folder";
        if (std::string why = Distrust(here, st, last); !why.empty()) return why;
        if (last && st.st_uid != ::getuid()) return here + " belongs to another user";
        done = here;
    }
    return "";
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
                       const std::string& programs, std::string* why) {
    std::string refused;
    if (user.empty()) refused = "no home folder";
    // Nothing is made under folders that are not safe.
    std::string existing = user;
    while (!existing.empty() && !plat::FileExists(existing)) existing = Parent(existing);
    if (refused.empty() && !existing.empty()) refused = CheckFolderChain(existing, 0, true);
    if (refused.empty() && !MakeFolders(user)) refused = "cannot make " + user;
    if (refused.empty()) refused = CheckFolderChain(user);
    // Inside it only the pictures and Tellwell are links; the picture
    // folder is a folder of the user's.
    if (refused.empty() && !MakeFolders(user + kPictureFolder))
        refused = "cannot make " + user + kPictureFolder;
    if (refused.empty()) refused = CheckFolderChain(user + kPictureFolder);
    if (!refused.empty()) {
        if (why) *why = refused;
        return false;
    }
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
    std::string why;
    if (PrepareUserFolder(user, data, programFolder, &why)) return user;
    std::fprintf(stderr,
                 "%s: not using the folder %s (%s); running from the installed files, "
                 "nothing is saved\n",
                 ProgramFileName().c_str(), user.c_str(), why.c_str());
    return data;
}

}  // namespace posixsys
