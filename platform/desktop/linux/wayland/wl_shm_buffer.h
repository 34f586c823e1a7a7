// A buffer of pixels shared with the compositor (wl_shm): memory of our own
// that the compositor reads. While it is busy (attached and not yet
// released) it must not be written.
#pragma once
#include <cstdint>
#include <memory>

struct wl_buffer;
struct wl_shm;

namespace plat {

class ShmBuffer {
  public:
    // format: a wl_shm format (0 ARGB8888, 1 XRGB8888); stride in bytes, 0
    // for width * 4. Null when the memory cannot be had.
    static std::unique_ptr<ShmBuffer> Create(wl_shm* shm, int width, int height,
                                             std::uint32_t format = 1, int stride = 0);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    std::uint32_t* Row(int y) const {
        return reinterpret_cast<std::uint32_t*>(static_cast<char*>(data_) +
                                                static_cast<std::size_t>(y) * stride_);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Pitch() const { return stride_ / 4; }  // in 32-bit pixels
    wl_buffer* Buffer() const { return buffer_; }
    bool Busy() const { return busy_; }
    void SetBusy() { busy_ = true; }

  private:
    ShmBuffer() = default;
    void* data_ = nullptr;
    std::size_t size_ = 0;
    int width_ = 0, height_ = 0, stride_ = 0;
    wl_buffer* buffer_ = nullptr;
    bool busy_ = false;
    static void Released(void* data, wl_buffer* buffer);
};

}  // namespace plat
