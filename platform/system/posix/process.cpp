#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/system/posix/system.h"

namespace posixsys {
namespace {

[[noreturn]] void ExecGrandchild(const std::string& path, const std::vector<std::string>& args,
                                 int errPipe) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int devnull = ::open("/dev/null", O_RDWR);
    if (devnull >= 0) {
        ::dup2(devnull, 0);
        if (devnull > 2) ::close(devnull);
    }
    ::execv(path.c_str(), argv.data());
    int e = errno;
    (void)!::write(errPipe, &e, sizeof e);
    ::_exit(127);
}

}  // namespace

bool SpawnDetached(const std::string& path, const std::vector<std::string>& args) {
    if (path.empty() || ::access(path.c_str(), X_OK) != 0) return false;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return false;
    }
    if (child == 0) {
        // The middle process leaves at once, so the program is adopted by
        // init and outlives us without becoming a zombie.
        ::close(fds[0]);
        ::setsid();
        pid_t grandchild = ::fork();
        if (grandchild == 0) ExecGrandchild(path, args, fds[1]);
        ::_exit(grandchild < 0 ? 1 : 0);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    ssize_t n;
    do {
        n = ::read(fds[0], &execError, sizeof execError);
    } while (n < 0 && errno == EINTR);
    ::close(fds[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

bool HasNetworkInterface() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) return false;
    bool found = false;
    for (ifaddrs* i = list; i && !found; i = i->ifa_next) {
        if (!i->ifa_addr || !(i->ifa_flags & IFF_UP) || (i->ifa_flags & IFF_LOOPBACK)) continue;
        int family = i->ifa_addr->sa_family;
        found = family == AF_INET || family == AF_INET6;
    }
    ::freeifaddrs(list);
    return found;
}

}  // namespace posixsys
