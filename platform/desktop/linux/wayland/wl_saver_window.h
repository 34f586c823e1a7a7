// The saver window on Wayland: one surface per output, each showing its
// output's part of the saver's screen (the bounding box of every output).
// Where the compositor has wlroots' layer shell the surfaces are overlay
// layers over everything with the keyboard to themselves; elsewhere
// (GNOME, weston) full-screen xdg toplevels, one on each output. The GDI
// draws into pixels of our own; each presentation copies the changed
// rectangles into a free shared-memory buffer of each output they touch
// (two per output, never one the compositor still reads) and damages only
// those. Outputs that come, go or change make the window anew at the new
// size, as a size change does on X.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/desktop/linux/frame_window.h"

struct wl_pointer;
struct wl_keyboard;

namespace plat {

class WlConnection;

class WlSaverWindow : public FrameWindow {
  public:
    // cursorShown: the host's cursor state, read when the pointer enters.
    WlSaverWindow(DesktopWindows& windows, SaverEvents& events, WlConnection& wl,
                  const bool& cursorShown);
    ~WlSaverWindow() override;

    void Show() override;
    bool CanDraw() override { return !pixels_.empty(); }
    void Pump() override;
    void Wait(std::uint32_t timeoutMs) override;
    unsigned long BeforeMessageBox() override;

    struct Part;
    struct Input;

  protected:
    bool Pixels(WindowSurface& out) override;
    bool PresentRects(const PixelRect* rects, int count) override;
    void Destroy() override;

  private:
    WlConnection& wl_;
    const bool& cursorShown_;
    std::vector<std::uint32_t> pixels_;
    int nextWidth_ = 0, nextHeight_ = 0;  // a new size, taken at the next Pixels
    std::vector<std::unique_ptr<Part>> parts_;
    std::unique_ptr<Input> input_;
    bool shown_ = false;

    void MakeParts();
    void FollowOutputs();
    void Draw(Part& part);
    bool Events(int timeoutMs);

    friend struct Part;
    friend struct Input;
};

}  // namespace plat
