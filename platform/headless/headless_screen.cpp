#include "platform/headless/headless_screen.h"

#include <algorithm>

#include "platform/gdi.h"

namespace plat {
namespace {

class HeadlessWindow : public SaverWindow, public HeadlessScreen::WindowLink {
public:
    HeadlessWindow(HeadlessScreen& screen, FakeHost& host) : screen_(&screen), host_(host) {}
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
        return screen_ ? screen_->width() * host_.TwipsPerPixelX() : 0;
    }
    double ScaleHeight() override {
        return screen_ ? screen_->height() * host_.TwipsPerPixelY() : 0;
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
    FakeHost& host_;
    HDC dc_ = 0;
};

}  // namespace

HeadlessScreen::HeadlessScreen(FakeHost& host)
    : host_(host), width_(host.screenWidthPx), height_(host.screenHeightPx) {
    window.assign(static_cast<std::size_t>(width_) * height_, 0);
    host.windowFactory = [this](SaverEvents&) {
        auto w = std::make_unique<HeadlessWindow>(*this, host_);
        link_ = w.get();
        return w;
    };
    plat::SetWindowProvider(this);
}

HeadlessScreen::~HeadlessScreen() {
    if (link_) link_->Detach();
    plat::SetWindowProvider(nullptr);
    host_.windowFactory = nullptr;
}

void HeadlessScreen::Resize(int width, int height) {
    if (link_) link_->DropDC();
    width_ = host_.screenWidthPx = width;
    height_ = host_.screenHeightPx = height;
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
