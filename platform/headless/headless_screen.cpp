#include "platform/headless/headless_screen.h"

#include <algorithm>

#include "platform/gdi.h"

namespace plat {
namespace {

class HeadlessWindow : public SaverWindow {
public:
    HeadlessWindow(HeadlessScreen& screen, FakeHost& host) : screen_(screen), host_(host) {}
    ~HeadlessWindow() override { Close(); }
    HWND hWnd() override { return HeadlessScreen::kWindow; }
    HDC hDC() override {
        if (!dc_) dc_ = GetDC(HeadlessScreen::kWindow);
        return dc_;
    }
    double ScaleWidth() override { return screen_.width() * host_.TwipsPerPixelX(); }
    double ScaleHeight() override { return screen_.height() * host_.TwipsPerPixelY(); }
    void Show() override {
        screen_.shown = true;
        ++screen_.showCount;
    }
    void Refresh() override {}
    void Close() override {
        if (dc_) ReleaseDC(HeadlessScreen::kWindow, dc_);
        dc_ = 0;
        screen_.shown = false;
        screen_.closed = true;
    }

private:
    HeadlessScreen& screen_;
    FakeHost& host_;
    HDC dc_ = 0;
};

}  // namespace

HeadlessScreen::HeadlessScreen(FakeHost& host)
    : host_(host), width_(host.screenWidthPx), height_(host.screenHeightPx) {
    window.assign(static_cast<std::size_t>(width_) * height_, 0);
    host.windowFactory = [this](SaverEvents&) {
        return std::make_unique<HeadlessWindow>(*this, host_);
    };
    softgdi::SetWindowProvider(this);
}

HeadlessScreen::~HeadlessScreen() {
    softgdi::SetWindowProvider(nullptr);
    host_.windowFactory = nullptr;
}

bool HeadlessScreen::Acquire(HWND hwnd, softgdi::WindowSurface& out) {
    if (hwnd == kWindow) {
        out = {window.data(), width_, height_, width_};
        return true;
    }
    if (hwnd == softgdi::kDesktopWindow) {
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
    if (hwnd != softgdi::kDesktopWindow) return;
    std::fill(desktopPixels_.begin(), desktopPixels_.end(), 0xFFFFFFu);
    std::copy_n(desktop.begin(), std::min(desktop.size(), desktopPixels_.size()),
                desktopPixels_.begin());
}

void HeadlessScreen::Release(HWND) {}

}  // namespace plat
