#include "graphics/std_picture.h"

#include "platform/gdi.h"

StdPicture::~StdPicture() {
    if (Handle) plat::DeleteObject(Handle);
}

StdPicture& StdPicture::operator=(StdPicture&& other) noexcept {
    if (this != &other) {
        if (Handle) plat::DeleteObject(Handle);
        Handle = other.Release();
    }
    return *this;
}

plat::HBITMAP StdPicture::Release() {
    const plat::HBITMAP h = Handle;
    Handle = 0;
    return h;
}
