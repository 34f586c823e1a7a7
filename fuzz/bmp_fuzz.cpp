// Arbitrary bytes as a .bmp file: loading from memory and from a file must
// agree with each other and with the header check, never crash, and leave
// no object behind.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/bmp_header.h"
#include "platform/gdi.h"
#include "platform/gdi_probes.h"

namespace {

// In memory-backed /dev/shm where there is one: a file on disk costs a
// block write for every input.
std::string TempPath() {
    const char* dir = std::getenv("TMPDIR");
    std::string folder = dir ? dir : (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    return folder + "/fuzz_bmp_" + std::to_string(getpid()) + ".bmp";
}

plat::BITMAP Info(plat::HBITMAP bmp) {
    plat::BITMAP bm{};
    plat::GetObjectA(bmp, sizeof bm, &bm);
    return bm;
}

// Draws the bitmap through a DC, so that every pixel is read once.
void Touch(plat::HBITMAP bmp) {
    const plat::BITMAP bm = Info(bmp);
    const plat::HDC dc = plat::CreateCompatibleDC(0);
    const plat::HGDIOBJ old = plat::SelectObject(dc, bmp);
    const plat::HDC mono = plat::CreateCompatibleDC(0);
    const plat::HBITMAP mbmp = plat::CreateCompatibleBitmap(mono, bm.bmWidth, bm.bmHeight);
    const plat::HGDIOBJ mold = plat::SelectObject(mono, mbmp);
    plat::BitBlt(mono, 0, 0, bm.bmWidth, bm.bmHeight, dc, 0, 0, plat::SRCCOPY);
    plat::SelectObject(mono, mold);
    plat::DeleteObject(mbmp);
    plat::DeleteDC(mono);
    plat::SelectObject(dc, old);
    plat::DeleteDC(dc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = TempPath();
    const int live = plat::LiveObjects();
    const plat::HBITMAP fromMemory = plat::LoadBitmapFromMemory(data, size);
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    const plat::HBITMAP fromFile =
        plat::LoadImageA(0, path, plat::IMAGE_BITMAP, 0, 0, plat::LR_LOADFROMFILE);
    if ((fromMemory == 0) != (fromFile == 0)) std::abort();
    const std::optional<plat::BmpHeader> header = plat::ReadBmpHeader(data, size, size);
    if (fromMemory && !header) std::abort();
    if (fromMemory) {
        const plat::BITMAP a = Info(fromMemory), b = Info(fromFile);
        if (a.bmWidth != b.bmWidth || a.bmHeight != b.bmHeight || a.bmBitsPixel != b.bmBitsPixel)
            std::abort();
        if (a.bmWidth != header->width || a.bmHeight != header->height) std::abort();
        Touch(fromMemory);
        plat::DeleteObject(fromMemory);
        plat::DeleteObject(fromFile);
    }
    if (plat::LiveObjects() != live) std::abort();
    return 0;
}
