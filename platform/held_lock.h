// A lock held for as long as the object lives (see LockFolder).
#pragma once

namespace plat {

class HeldLock {
  public:
    HeldLock() = default;
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    virtual ~HeldLock() = default;  // releases the lock
};

}  // namespace plat
