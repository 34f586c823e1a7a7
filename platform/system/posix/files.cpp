#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>

#include "platform/system/posix/system.h"
#include "platform/system/posix/text.h"
#include "platform/system/posix/user_folder.h"

namespace posixsys {

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The running program's file, or "" when it cannot be told.
std::string ProgramFile() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : "";
}

std::string ProgramFileName() {
    const std::string path = ProgramFile();
    return path.empty() ? "program" : path.substr(path.rfind('/') + 1);
}

namespace {

// A folder only this user can write: XDG_RUNTIME_DIR when it is usable,
// else a private folder (mode 700) in the temp folder; "" when neither is.
std::string PrivateFolder() {
    struct stat st {};
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && ::stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == ::getuid() && ::access(runtime, W_OK | X_OK) == 0)
        return runtime;
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = (tmp && *tmp) ? tmp : "/tmp";
    folder += "/corvane-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    // Someone else's folder, a link or one others may write is no place
    // for our claim.
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return "";
    return folder;
}

// The display as part of a file name: ":0" is "0", "host:1.0" "host_1.0".
std::string DisplayName() {
    const char* display = std::getenv("DISPLAY");
    std::string name = (display && *display) ? display : "none";
    if (!name.empty() && name[0] == ':') name.erase(0, 1);
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-') c = '_';
    return name;
}

}  // namespace

bool ClaimInstance(const std::string& name) {
    const std::string folder = PrivateFolder();
    if (folder.empty()) return true;  // cannot tell: let this copy run
    std::string path =
        folder + "/" + name + "-" + std::to_string(::getuid()) + "-" + DisplayName() + ".lock";
    // Kept open (and locked) for the life of the process; not inherited by
    // the programs it starts.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return true;
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

}  // namespace posixsys

namespace plat {

using posixsys::EqualNoCase;
using posixsys::IsRegularFile;

std::string ProgramFolder() {
    // Told once per process: for a shared installation the first call
    // prepares the user's folder.
    static const std::string folder = [] {
        const std::string path = posixsys::ProgramFile();
        if (path.empty()) return std::string(".");
        const std::size_t slash = path.rfind('/');
        return posixsys::ResolveProgramFolder(slash == 0 ? "/" : path.substr(0, slash));
    }();
    return folder;
}

std::string StoredName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return "";
    if (IsRegularFile(path)) return name;
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return "";
    std::string found;
    while (dirent* e = ::readdir(dir)) {
        if (EqualNoCase(e->d_name, name) && IsRegularFile(folder + "/" + e->d_name)) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

}  // namespace plat
