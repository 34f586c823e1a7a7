// Whole-file reads and crash-safe replacement of a file's content.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/files.h"
#include "platform/system/posix/system.h"

namespace plat {
namespace {

constexpr std::time_t kStaleSeconds = 60;

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// Follows a symbolic link so that the link stays and its target is replaced.
std::string ResolveTarget(const std::string& path) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf)) return buf;
    return path;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Temporary files of earlier writes of name that were killed half-way:
// ours, and older than any write takes, so another writer's live file stays.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
    const std::string prefix = "." + name + ".";
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (dirent* e = ::readdir(dir)) {
        const std::string entry = e->d_name;
        if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = folder + "/" + entry;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid() &&
            now - st.st_mtime > kStaleSeconds)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new temporary file beside name in folder, holding content, flushed to
// disk, with the given mode: its path, or "" (and nothing left) on failure.
std::string WriteTemporary(const std::string& folder, const std::string& name, mode_t mode,
                           const std::string& content) {
    std::string tmpl = folder + "/." + name + ".XXXXXX";
    std::vector<char> tmp(tmpl.begin(), tmpl.end());
    tmp.push_back('\0');
    RemoveStaleTemporaries(folder, name);
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return "";
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(tmp.data());
        return "";
    }
    return tmp.data();
}

}  // namespace

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.append(buf, static_cast<std::size_t>(n));
        if (out.size() > maxBytes) {
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return out;
}

bool ReplaceFileContent(const std::string& path, const std::string& content) {
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A file the user may not write (or that has no write bit at all, which
    // stops root too, as a read-only file does on Windows) stays as it is:
    // renaming over it would replace it behind the user's back.
    if (exists && (::access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0)) {
        errno = EACCES;
        return false;
    }
    const mode_t mode = exists ? (st.st_mode & 07777) : 0644;
    const std::string tmp = WriteTemporary(folder, NameOf(target), mode, content);
    if (tmp.empty()) return false;
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        ::unlink(tmp.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace plat

namespace posixsys {

bool CreateFileOnce(const std::string& path, const std::string& content) {
    const std::string folder = plat::FolderOf(path);
    const std::string tmp = plat::WriteTemporary(folder, plat::NameOf(path), 0644, content);
    if (tmp.empty()) return plat::FileExists(path);
    // link() fails when path exists: a file made meanwhile stays as it is.
    if (::link(tmp.c_str(), path.c_str()) == 0) plat::SyncFolder(folder);
    ::unlink(tmp.c_str());
    return plat::FileExists(path);
}

}  // namespace posixsys
