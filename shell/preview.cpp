// The still preview: the preview picture copied into the window whose number
// follows the switch, then the end of the program.
#include "assets/embedded.h"
#include "common/errors.h"
#include "common/vbmath.h"
#include "platform/gdi.h"
#include "platform/host.h"
#include "shell/startup.h"

namespace Module1 {
namespace {

constexpr int kPreviewWidth = 160;
constexpr int kPreviewHeight = 120;

// PuzzleForm's picture box: the preview picture on a white surface as large
// as the block that is copied, so the strips beyond the picture are white.
struct PuzzleForm {
    plat::HDC dc = 0;
    plat::HBITMAP bitmap = 0;
    plat::HGDIOBJ old = 0;

    PuzzleForm() {
        plat::HWND desktop = plat::GetDesktopWindow();
        plat::HDC screen = plat::GetDC(desktop);
        dc = plat::CreateCompatibleDC(screen);
        bitmap = plat::CreateCompatibleBitmap(screen, kPreviewWidth, kPreviewHeight);
        plat::ReleaseDC(desktop, screen);
        if (!dc || !bitmap) return;
        old = plat::SelectObject(dc, bitmap);
        plat::BitBlt(dc, 0, 0, kPreviewWidth, kPreviewHeight, 0, 0, 0, plat::WHITENESS);
        auto bytes = EmbeddedPicture("preview");
        plat::HBITMAP picture = plat::LoadBitmapFromMemory(bytes.data(), bytes.size());
        plat::HDC pictureDc = plat::CreateCompatibleDC(dc);
        if (picture && pictureDc) {
            plat::BITMAP info{};
            plat::GetObjectA(picture, sizeof info, &info);
            plat::HGDIOBJ keep = plat::SelectObject(pictureDc, picture);
            plat::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, pictureDc, 0, 0, plat::SRCCOPY);
            plat::SelectObject(pictureDc, keep);
        }
        if (pictureDc) plat::DeleteDC(pictureDc);
        if (picture) plat::DeleteObject(picture);
    }
    ~PuzzleForm() {
        if (dc && old) plat::SelectObject(dc, old);
        if (bitmap) plat::DeleteObject(bitmap);
        if (dc) plat::DeleteDC(dc);
    }
};

void Pump200() {
    for (int i = 1; i <= 200; ++i) plat::host().DoEvents();
}

// The window number after "/p ", or 0 when there is none.
plat::HWND PreviewWindow() {
    std::string command = plat::host().Command();
    auto number = LeadingNumber(command.size() > 3 ? command.substr(3) : "");
    if (!number) return 0;
    try {
        return static_cast<plat::HWND>(CInt32(*number));
    } catch (const OverflowError&) {
        return 0;
    }
}

}  // namespace

void ShowPreview() {
    PuzzleForm puzzle;
    Pump200();
    plat::HWND window = PreviewWindow();
    // A missing number, or one that names no window, ends quietly.
    plat::HDC dc = window ? plat::GetDC(window) : 0;
    if (dc) {
        plat::BitBlt(dc, 0, 0, kPreviewWidth, kPreviewHeight, puzzle.dc, 0, 0, plat::SRCCOPY);
        plat::ReleaseDC(window, dc);
        Pump200();
    }
    plat::host().End();
}

}  // namespace Module1
