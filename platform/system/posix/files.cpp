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

namespace posixsys {
namespace {

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string ProgramFolder() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<std::size_t>(n));
    std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool ClaimInstance(const std::string& name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string folder = (runtime && *runtime) ? runtime : "";
    struct stat st {};
    if (folder.empty() || ::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        const char* tmp = std::getenv("TMPDIR");
        folder = (tmp && *tmp) ? tmp : "/tmp";
    }
    std::string path = folder;
    path.append("/").append(name).append("-").append(std::to_string(::getuid())).append(".lock");
    // Kept open (and locked) for the life of the process.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return true;  // cannot tell: let this copy run
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

}  // namespace posixsys

namespace plat {

using posixsys::EqualNoCase;
using posixsys::IsRegularFile;

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
