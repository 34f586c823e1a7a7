// Setting a run up: background, sheets, sprites, working bitmap, and the
// system's state, then the frame loop.
#include <algorithm>
#include <exception>

#include "common/errors.h"
#include "common/vbmath.h"
#include "graphics/mgdi.h"
#include "platform/gdi.h"
#include "platform/host.h"
#include "saver/form1.h"

namespace {

constexpr plat::COLORREF kTransparent = 0x00FF00;

// The screen's size in pixels, as the forms runtime gives it in twips.
std::int32_t ScreenPixelsX() {
    return TwipsToPixels(plat::host().ScreenWidth(), plat::host().TwipsPerPixelX());
}
std::int32_t ScreenPixelsY() {
    return TwipsToPixels(plat::host().ScreenHeight(), plat::host().TwipsPerPixelY());
}

}  // namespace

void Form1::Form_Load() {
    // The frame loop returns without a failure only when the window changed
    // its size (a daemon's window, or the screen under a user's run): the
    // run is then set up again at the new size.
    do {
        try {
            SetUp();
        } catch (const RuntimeError&) {
            Module1::ShowFatalMessage(Module1::MissingFilesMessage());
            return;
        } catch (const std::exception&) {  // out of memory for a huge screen
            Module1::ShowFatalMessage(Module1::MissingFilesMessage());
            return;
        }
        RunAnimation();
    } while (SizeChanged());
}

bool Form1::SizeChanged() {
    return Module1::Run != Module1::RunKind::Unattended &&
           (ScreenPixelsX() != m_lScreenWidth || ScreenPixelsY() != m_lScreenHeight);
}

void Form1::SetUp() {
    auto& host = plat::host();
    Module1::ReadIniString("mode", "scMode", Module1::BackgroundMode, Module1::IniFilePath());
    if (!Module1::BackgroundForRun.empty()) Module1::BackgroundMode = Module1::BackgroundForRun;
    // Set up again, the screen would show our own flags: the desktop
    // picture of the first set-up is kept.
    bounds_ = PictureBounds(ScreenPixelsX(), ScreenPixelsY());
    if (Module1::BackgroundMode != "1") {
        LoadWhiteBackground();
    } else if (desktopTaken_) {
        const std::string path = Module1::ImageFolderPath() + "background.bmp";
        Admit(bounds_.CheckDesktop(path, desktopWidth_, desktopHeight_));
        LoadTile(path);
    } else {
        CaptureDesktop();
    }

    std::string folder = Module1::ImageFolderPath();
    LoadSpriteBitmaps(m_cLogoBitmaps, folder + "logo.bmp", 1, 1, kTransparent);
    CreateSprite(m_cLogoBitmaps, m_cLogo);
    LoadFlags(m_cFlagBitmapsSmall, folder + "flag_small.bmp", 1, 8, 8);
    LoadFlags(m_cFlagBitmapsMed, folder + "flag_med.bmp", 17, 3, 3);
    LoadFlags(m_cFlagBitmapsLarge, folder + "flag_large.bmp", 23, 3, 3);
    LoadFlags(m_cFlagBitmapsXLarge, folder + "flag_xlarge.bmp", 29, 2, 2);

    m_cBackBuffer.CreateAtSize(ScreenPixelsX(), ScreenPixelsY());
    m_cBackgroundTile->TileDC(m_cBackBuffer.hDC(), ScreenPixelsX(), ScreenPixelsY());
    KeepTiledBackground();
    // The working bitmap holds the background from now on: the tile (in
    // desktop mode a whole screen's picture) is given back at once.
    m_cBackgroundTile.reset();

    // Only a user's run owns the system's state and the taskbar.
    if (Module1::UserRun()) {
        if (Module1::PlatformId != 2 && Module1::UsePassword != 0) {
            std::int32_t zero = 0;
            host.SystemParametersInfoA(plat::SPI_SETSCREENSAVERRUNNING, 1, &zero, 0);
            host.SetWindowPos(hWnd(), plat::HWND_TOPMOST, 0, 0, 0, 0,
                              plat::SWP_NOMOVE | plat::SWP_NOSIZE);
        }
        Module1::TaskbarWnd = host.FindWindowA("Shell_traywnd", "");
        host.SetWindowPos(Module1::TaskbarWnd, plat::HWND_TOP, 0, 0, 0, 0, plat::SWP_HIDEWINDOW);
    }

    if (window_) {
        window_->Show();
        window_->Refresh();
    }
}

// A tiled background is kept as a small sheet for the frames to put back;
// a desktop picture is as large as the screen and lives on in the stores.
void Form1::KeepTiledBackground() {
    background_.Clear();
    if (Module1::BackgroundMode == "1") return;
    std::int32_t w = m_cLogo.Width(), h = m_cLogo.Height();
    for (int i = 1; i <= kFlagCount; ++i) {
        w = std::max(w, m_cFlags[i]->Width());
        h = std::max(h, m_cFlags[i]->Height());
    }
    background_.Make(*m_cBackgroundTile, w, h);
}

void Form1::LoadWhiteBackground() {
    std::string folder = Module1::ImageFolderPath();
    // Only the exact name counts: a file stored in other letter case is missing.
    if (plat::host().Dir(folder + "flag_background.bmp") != "flag_background.bmp")
        Module1::ShowFatalMessage(Module1::MissingFilesMessage());
    Admit(bounds_.CheckTile(folder + "flag_background.bmp"));
    LoadTile(folder + "flag_background.bmp");
}

// A picture over the run's bounds goes the way of an unreadable one: the
// missing-files message, before anything decodes it.
void Form1::Admit(const std::string& refusal) {
    if (refusal.empty()) return;
    refusedPicture_ = refusal;
    throw RuntimeError(53, "File not found: " + refusal);
}

void Form1::LoadTile(const std::string& path) {
    m_cBackgroundTile = std::make_unique<cTile>();
    m_cBackgroundTile->Initialise(this);
    m_cBackgroundTile->Filename(path);
}

void Form1::CaptureDesktop() {
    std::int32_t w = ScreenPixelsX(), h = ScreenPixelsY();
    // PictureBackground: an off-screen surface that only holds the capture.
    plat::HDC picDC = 0;
    plat::HBITMAP picBmp = 0, picOld = 0;
    mGDI::CreateDCBitmap(false, picDC, picBmp, picOld, w, h);
    plat::HWND desktop = plat::GetDesktopWindow();
    plat::HDC desktopDC = plat::GetDC(desktop);
    plat::BitBlt(picDC, 0, 0, w, h, desktopDC, 0, 0, plat::SRCCOPY);
    plat::ReleaseDC(desktop, desktopDC);
    std::string path = Module1::ImageFolderPath() + "background.bmp";
    // Copies side by side (a daemon runs one per monitor) save to the same
    // file: each reads its own picture back only when none saves between.
    auto lock = plat::host().LockFolder(Module1::ImageFolderPath());
    bool saved = picBmp && plat::SaveBitmapFile(picBmp, path);
    mGDI::DeleteDCBitmap(picDC, picBmp, picOld);
    if (!saved) throw RuntimeError(75, "Path/File access error");
    desktopTaken_ = true;
    desktopWidth_ = w;
    desktopHeight_ = h;
    Admit(bounds_.CheckDesktop(path, w, h));
    LoadTile(path);
}

void Form1::LoadFlags(Sheet& sheet, const std::string& file, int first, int upLeft, int downRight) {
    LoadSpriteBitmaps(sheet, file, 1, 1, kTransparent);
    for (int i = first; i < first + upLeft; ++i) {
        m_cFlags[i] = std::make_unique<cSprite>();
        CreateSprite(sheet, *m_cFlags[i]);
        LaunchSpriteUpLeft(*m_cFlags[i]);
    }
    for (int i = first + upLeft; i < first + upLeft + downRight; ++i) {
        m_cFlags[i] = std::make_unique<cSprite>();
        CreateSprite(sheet, *m_cFlags[i]);
        LaunchSpriteDownRight(*m_cFlags[i]);
    }
}

void Form1::LoadSpriteBitmaps(Sheet& sheet, const std::string& path, std::int32_t cellsAcross,
                              std::int32_t cellsDown, plat::COLORREF transColor) {
    sheet = std::make_shared<cSpriteBitmaps>();
    Admit(bounds_.CheckSheet(path));
    // A sheet that fails to load stays empty; drawing from it fails later.
    sheet->CreateFromFile(path, cellsAcross, cellsDown, "", transColor);
}

void Form1::CreateSprite(const Sheet& sheet, cSprite& sprite) {
    sprite.SpriteData(sheet);
    sprite.Create(hDC());
}

void Form1::LaunchSpriteDownRight(cSprite& sprite) {
    LaunchSprite(sprite, 8);
}
void Form1::LaunchSpriteUpLeft(cSprite& sprite) {
    LaunchSprite(sprite, -8);
}

void Form1::LaunchSprite(cSprite& sprite, double factor) {
    auto& host = plat::host();
    while (sprite.XDir() == 0 && sprite.YDir() == 0) {
        sprite.XDir(CInt32(host.Rnd() * factor));
        sprite.YDir(CInt32(host.Rnd() * factor));
    }
    host.Randomize();
    std::int32_t wc = TwipsToPixels(ScaleWidth(), host.TwipsPerPixelX());
    std::int32_t hc = TwipsToPixels(ScaleHeight(), host.TwipsPerPixelY());
    sprite.X(CInt32(host.Rnd() * wc));
    sprite.Y(CInt32(host.Rnd() * hc));
    sprite.Active(true);
}
