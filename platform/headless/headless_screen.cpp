#include "platform/headless/headless_screen.h"

#include <algorithm>

#include "platform/gdi.h"

namespace plat {
namespace {

class HeadlessWindow : public SaverWindow, public HeadlessScreen::WindowLink {
  public:
    explicit HeadlessWindow(HeadlessScreen& screen) : screen_(&screen) {}
    ~HeadlessWindow() override {
        Close();
        if (screen_) screen_->Unlink(this);
    }
    HWND hWnd() override { return HeadlessScreen::kWindow; }
    HDC hDC() override {
        if (!dc_ && screen_) dc_ = GetDC(HeadlessScreen::kWindow);
        return dc_;
    }
    double ScaleWidth() override {
        return screen_ ? screen_->width() * screen_->TwipsPerPixelX() : 0;
    }
    double ScaleHeight() override {
        return screen_ ? screen_->height() * screen_->TwipsPerPixelY() : 0;
    }
    void Show() override {
        if (!screen_) return;
        screen_->shown = true;
        ++screen_->showCount;
    }
    void Refresh() override {}
    void Close() override {
        DropDC();
        if (!screen_) return;
        screen_->shown = false;
        screen_->closed = true;
    }
    void DropDC() override {
        if (dc_) ReleaseDC(HeadlessScreen::kWindow, dc_);
        dc_ = 0;
    }
    // The screen goes first (a test ended while the window lives on).
    void Detach() override {
        DropDC();
        screen_ = nullptr;
    }

  private:
    HeadlessScreen* screen_;
    HDC dc_ = 0;
};

}  // namespace

HeadlessScreen::HeadlessScreen(FakeHost& host)
    : HeadlessScreen(host.screenWidthPx, host.screenHeightPx, 15) {
    fake_ = &host;
    host.windowFactory = [this](SaverEvents&) { return NewWindow(); };
}

HeadlessScreen::HeadlessScreen(int width, int height, double twipsPerPixel)
    : twips_(twipsPerPixel), width_(width), height_(height) {
    window.assign(static_cast<std::size_t>(width_) * height_, 0);
    plat::SetWindowProvider(this);
}

HeadlessScreen::~HeadlessScreen() {
    if (link_) link_->Detach();
    plat::SetWindowProvider(nullptr);
    if (fake_) fake_->windowFactory = nullptr;
}

std::unique_ptr<SaverWindow> HeadlessScreen::NewWindow() {
    auto w = std::make_unique<HeadlessWindow>(*this);
    link_ = w.get();
    return w;
}

double HeadlessScreen::TwipsPerPixelX() const {
    return fake_ ? fake_->TwipsPerPixelX() : twips_;
}
double HeadlessScreen::TwipsPerPixelY() const {
    return fake_ ? fake_->TwipsPerPixelY() : twips_;
}

void HeadlessScreen::Resize(int width, int height) {
    if (link_) link_->DropDC();
    width_ = width;
    height_ = height;
    if (fake_) {
        fake_->screenWidthPx = width;
        fake_->screenHeightPx = height;
    }
    window.assign(static_cast<std::size_t>(width_) * height_, 0);
}

bool HeadlessScreen::Acquire(HWND hwnd, plat::WindowSurface& out) {
    if (hwnd == kWindow) {
        out = {window.data(), width_, height_, width_};
        return true;
    }
    if (hwnd == plat::kDesktopWindow) {
        desktopPixels_.resize(static_cast<std::size_t>(width_) * height_);
        out = {desktopPixels_.data(), width_, height_, width_};
        return true;
    }
    return false;
}

void HeadlessScreen::Changed(HWND hwnd, int x, int y, int w, int h) {
    if (hwnd != kWindow) return;
    drawn.push_back({x, y, w, h});
    if (onDrawn) onDrawn(drawn.back());
}

void HeadlessScreen::Reading(HWND hwnd) {
    if (hwnd != plat::kDesktopWindow) return;
    std::fill(desktopPixels_.begin(), desktopPixels_.end(), 0xFFFFFFu);
    std::copy_n(desktop.begin(), std::min(desktop.size(), desktopPixels_.size()),
                desktopPixels_.begin());
}

void HeadlessScreen::Release(HWND) {}

}  // namespace plat
