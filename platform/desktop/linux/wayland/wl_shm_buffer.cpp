#include "platform/desktop/linux/wayland/wl_shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace plat {

void ShmBuffer::Released(void* data, wl_buffer*) {
    static_cast<ShmBuffer*>(data)->busy_ = false;
}

std::unique_ptr<ShmBuffer> ShmBuffer::Create(wl_shm* shm, int width, int height,
                                             std::uint32_t format, int stride) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return nullptr;
    std::unique_ptr<ShmBuffer> b(new ShmBuffer);
    b->width_ = width, b->height_ = height;
    b->stride_ = stride > 0 ? stride : width * 4;
    b->size_ = static_cast<std::size_t>(b->stride_) * height;
    const int fd = memfd_create("corvane-pixels", MFD_CLOEXEC);
    if (fd < 0) return nullptr;
    if (ftruncate(fd, static_cast<off_t>(b->size_)) != 0) {
        close(fd);
        return nullptr;
    }
    b->data_ = mmap(nullptr, b->size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (b->data_ == MAP_FAILED) {
        b->data_ = nullptr;
        close(fd);
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(b->size_));
    b->buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, b->stride_, format);
    wl_shm_pool_destroy(pool);
    close(fd);
    static const wl_buffer_listener kListener = {Released};
    wl_buffer_add_listener(b->buffer_, &kListener, b.get());
    return b;
}

ShmBuffer::~ShmBuffer() {
    if (buffer_) wl_buffer_destroy(buffer_);
    if (data_) munmap(data_, size_);
}

}  // namespace plat
