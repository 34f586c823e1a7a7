// The window a screen-saver daemon gives us, watched on an X connection of
// our own: its size, new sizes, exposure, and its end.
#pragma once

namespace plat {

class X11Target {
  public:
    enum class Change { Nothing, Exposed, Resized, Gone };

    // root: the root window of the default screen; otherwise window id.
    X11Target(bool root, unsigned long id);
    ~X11Target();
    X11Target(const X11Target&) = delete;
    X11Target& operator=(const X11Target&) = delete;

    bool Valid() const { return valid_; }
    unsigned long Id() const { return id_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The size of the screen the window is on (its root window).
    int ScreenWidth() const { return screenWidth_; }
    int ScreenHeight() const { return screenHeight_; }
    // What happened since the last call (the strongest change).
    Change Poll();
    // The connection's socket: readable when something may have happened.
    int Fd() const;

  private:
    void* display_ = nullptr;  // Display*
    unsigned long id_ = 0;
    int width_ = 0, height_ = 0;
    int screenWidth_ = 0, screenHeight_ = 0;
    bool valid_ = false;
};

}  // namespace plat
