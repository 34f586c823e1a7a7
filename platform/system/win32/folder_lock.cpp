// A folder's lock: a named mutex of this session whose name comes from the
// folder's full path, letter case ignored as the file system ignores it.
// Windows frees it when the holder dies.
#include <cstdint>
#include <cstdio>

#include "platform/files.h"
#include "platform/system/win32/ansi_text.h"
#include "platform/system/win32/windows_api.h"

namespace plat {
namespace {

class MutexHeld : public HeldLock {
  public:
    explicit MutexHeld(::HANDLE mutex) : mutex_(mutex) {}
    ~MutexHeld() override {
        ::ReleaseMutex(mutex_);
        ::CloseHandle(mutex_);
    }

  private:
    ::HANDLE mutex_;
};

// The folder's full path without a trailing separator, in the system's
// upper case (as the instance mutex's name), as a 64-bit FNV-1a hash: a
// mutex name may not hold a backslash.
std::string MutexName(const std::string& folder) {
    char full[MAX_PATH * 2] = {};
    std::string path = win32::ToAnsi(folder.empty() ? "." : folder);
    DWORD n = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n > 0 && n < sizeof full) path.assign(full, n);
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    ::CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : path)
        hash = (hash ^ static_cast<unsigned char>(c == '/' ? '\\' : c)) * 1099511628211ull;
    char name[64];
    std::snprintf(name, sizeof name, "VantrelSoftware.Folder.%016llx",
                  static_cast<unsigned long long>(hash));
    return name;
}

}  // namespace

std::unique_ptr<HeldLock> LockFolder(const std::string& folder, unsigned timeoutMs) {
    ::HANDLE mutex = ::CreateMutexA(nullptr, FALSE, MutexName(folder).c_str());
    if (!mutex) return nullptr;
    DWORD waited = ::WaitForSingleObject(mutex, timeoutMs);
    // An abandoned mutex (its holder died) is ours now, as a free one is.
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        ::CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexHeld>(mutex);
}

}  // namespace plat
