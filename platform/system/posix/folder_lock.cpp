// A folder's lock: flock on the folder itself, so no lock file is left
// behind and the kernel frees it when the holder dies.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/files.h"

namespace plat {
namespace {

class FlockHeld : public HeldLock {
  public:
    explicit FlockHeld(int fd) : fd_(fd) {}
    ~FlockHeld() override { ::close(fd_); }  // closing releases the lock

  private:
    int fd_;
};

constexpr unsigned kPollMs = 10;

}  // namespace

std::unique_ptr<HeldLock> LockFolder(const std::string& folder, unsigned timeoutMs) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    // Polled, not blocking: a holder that hangs must not hang us.
    for (unsigned waited = 0; ::flock(fd, LOCK_EX | LOCK_NB) != 0; waited += kPollMs) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= timeoutMs) {
            ::close(fd);
            return nullptr;
        }
        timespec pause{0, static_cast<long>(kPollMs) * 1000000L};
        ::nanosleep(&pause, nullptr);
    }
    return std::make_unique<FlockHeld>(fd);
}

}  // namespace plat
