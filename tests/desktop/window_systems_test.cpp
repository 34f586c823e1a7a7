// The window system is chosen at run time: by name when asked for, else the
// first available; and the frame logic every window system shares (drawn
// rectangles, new pixels after a new size, input in twips).
#include "platform/desktop/linux/window_systems.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <random>
#include <vector>

#include "platform/desktop/linux/desktop_windows.h"
#include "platform/desktop/linux/frame_window.h"
#include "platform/desktop/linux/scale_pixels.h"
#include "platform/gdi.h"
#include "platform/gdi_probes.h"
#include "platform/saver_window.h"

namespace {

// Sets an environment variable for one test, putting the old value back.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        const char* old = getenv(name);
        had_ = old != nullptr;
        if (had_) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvVar() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

  private:
    const char* name_;
    bool had_;
    std::string old_;
};

std::string Take(std::vector<const char*> args, std::vector<std::string>& left) {
    std::vector<char*> argv;
    for (const char* a : args) argv.push_back(const_cast<char*>(a));
    argv.push_back(nullptr);
    int argc = static_cast<int>(args.size());
    std::string asked = plat::TakeAskedWindowSystem(argc, argv.data());
    left.assign(argv.begin(), argv.begin() + argc);
    EXPECT_EQ(argv[argc], nullptr);
    return asked;
}

TEST(WindowSystems, TheOptionIsTakenOutAndWinsOverTheEnvironment) {
    EnvVar env("CORVANE_DESKTOP", "x11");
    std::vector<std::string> left;
    EXPECT_EQ(Take({"Corvane", "/S", "--window-system=stub", "-root"}, left), "stub");
    EXPECT_EQ(left, (std::vector<std::string>{"Corvane", "/S", "-root"}));
    EXPECT_EQ(Take({"Corvane", "/C"}, left), "x11");
    EXPECT_EQ(left.size(), 2u);
    EnvVar none("CORVANE_DESKTOP", nullptr);
    EXPECT_EQ(Take({"Corvane", "-window-system=stub"}, left), "");
    EXPECT_EQ(left.size(), 2u);  // not our option: left for the program
    EXPECT_EQ(Take({"Corvane", "--desktop", "-root"}, left), "");  // the background's option
    EXPECT_EQ(left.size(), 3u);
}

TEST(WindowSystems, ANamedSystemIsTakenOrRefusedWithTheReason) {
    EnvVar noDisplay("DISPLAY", nullptr);
    std::string why;
    EXPECT_NE(plat::ChooseWindowSystem("stub", false, why), nullptr);
    why.clear();
    EXPECT_EQ(plat::ChooseWindowSystem("x11", false, why), nullptr);
    EXPECT_NE(why.find("cannot open the X display"), std::string::npos) << why;
    why.clear();
    EXPECT_EQ(plat::ChooseWindowSystem("mir", false, why), nullptr);
    EXPECT_NE(why.find("\"mir\""), std::string::npos) << why;
    EXPECT_NE(why.find("x11, stub"), std::string::npos) << why;
}

TEST(WindowSystems, TheStubIsNeverChosenUnasked) {
    EnvVar noDisplay("DISPLAY", nullptr);
    for (bool daemon : {false, true}) {
        std::string why;
        EXPECT_EQ(plat::ChooseWindowSystem("", daemon, why), nullptr);
        EXPECT_NE(why.find("cannot open the X display"), std::string::npos) << why;
    }
}

struct Recorder : plat::SaverEvents {
    std::vector<float> moves;
    int keys = 0;
    void Form_KeyDown(std::int16_t, std::int16_t) override { ++keys; }
    void Form_MouseDown(std::int16_t, std::int16_t, float x, float y) override {
        moves.insert(moves.end(), {x, y});
    }
    void Form_MouseMove(std::int16_t, std::int16_t, float x, float y) override {
        moves.insert(moves.end(), {x, y});
    }
};

// A window system's window reduced to its pixels, which a test replaces as
// a display server would after a change of size.
class TestWindow : public plat::FrameWindow {
  public:
    TestWindow(plat::DesktopWindows& w, plat::SaverEvents& e, int width, int height)
        : FrameWindow(w, e, width, height), pixels_(std::size_t(width) * height, 0) {
        size_[0] = width, size_[1] = height;
    }
    ~TestWindow() override { Close(); }
    void Show() override {}
    bool CanDraw() override { return true; }
    void Pump() override { Present(); }
    void Wait(std::uint32_t) override { Present(); }
    // A display server reading the presented pixels until told to finish:
    // what the pixel at (10, 10) held then.
    void FinishPresenting() override {
        if (!reading) return;
        reading = false;
        ++finished;
        atFinish = At(10, 10);
    }
    bool reading = false;
    int finished = 0;
    std::uint32_t atFinish = 0;

    // A new size: the old pixels stay valid until new ones are asked for,
    // as SDL's window surface does.
    void Resize(int w, int h) {
        next_[0] = w, next_[1] = h;
        RenewPixels();
    }
    void Scale(int k) { SetScale(k); }
    void Input() {
        MouseMove(0, 0, 2, 3);
        MouseDown(1, 0, 10, 20);
        KeyDown(32, 0);
    }
    std::uint32_t At(int x, int y) const { return pixels_[std::size_t(y) * size_[0] + x]; }
    std::vector<plat::PixelRect> presented;

  protected:
    bool Pixels(plat::WindowSurface& out) override {
        if (next_[0]) {
            pixels_.assign(std::size_t(next_[0]) * next_[1], 0);
            size_[0] = next_[0], size_[1] = next_[1], next_[0] = 0;
        }
        out = {pixels_.data(), size_[0], size_[1], size_[0]};
        return true;
    }
    bool PresentRects(const plat::PixelRect* r, int n) override {
        presented.assign(r, r + n);
        reading = true;
        return true;
    }
    void Destroy() override {}

  private:
    std::vector<std::uint32_t> pixels_;
    int size_[2];
    int next_[2] = {0, 0};
};

struct NoSystemWindows : plat::SystemWindows {
    bool CaptureDesktop(unsigned long, int, int, std::uint32_t*, int) override { return false; }
    bool AcquireWindow(plat::HWND, plat::WindowSurface&) override { return false; }
    void Changed(plat::HWND) override {}
    void Release(plat::HWND) override {}
};

TEST(FrameWindow, PresentsWhatWasDrawnAndKeepsItThroughANewSize) {
    plat::DesktopWindows windows(std::make_unique<NoSystemWindows>(),
                                 [](int& w, int& h) { w = 64, h = 48; });
    Recorder events;
    TestWindow window(windows, events, 64, 48);
    plat::HDC dc = window.hDC();
    ASSERT_NE(dc, 0);
    ASSERT_TRUE(plat::BitBlt(dc, 5, 6, 7, 8, 0, 0, 0, plat::WHITENESS));
    EXPECT_EQ(window.PendingRects(), 1);
    window.Pump();
    ASSERT_EQ(window.presented.size(), 1u);
    EXPECT_EQ(window.presented[0].x, 5);
    EXPECT_EQ(window.presented[0].h, 8);
    EXPECT_EQ(window.PendingRects(), 0);

    window.Resize(80, 60);  // larger: what was shown stays, the DC follows
    EXPECT_EQ(window.Width(), 80);
    EXPECT_EQ(window.At(5, 6), 0xFFFFFFu);
    EXPECT_EQ(window.At(12, 14), 0u);
    window.Pump();
    ASSERT_EQ(window.presented.size(), 1u);
    EXPECT_EQ(window.presented[0].w, 80);  // all of it shown again
    ASSERT_TRUE(plat::BitBlt(dc, 70, 50, 4, 4, 0, 0, 0, plat::WHITENESS));
    EXPECT_EQ(window.At(71, 51), 0xFFFFFFu);
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 80 * 15.0);
}

namespace {

std::uint32_t PixelOf(plat::HDC dc, int x, int y) {
    std::uint32_t rgb = 0xDEADBEEF;
    EXPECT_TRUE(plat::ReadPixel(dc, x, y, rgb));
    return rgb;
}

}  // namespace

// A bitmap of the window's size copied whole onto it draws straight into the
// window's pixels from then on (its copies to the window cost nothing), and
// takes its own back before anything else writes the window, when the
// window's pixels are renewed and when the window goes.
TEST(FrameWindow, ABitmapCopiedWholeDrawsInTheWindowUntilItsPixelsAreWrittenOrGo) {
    plat::DesktopWindows windows(std::make_unique<NoSystemWindows>(),
                                 [](int& w, int& h) { w = 64, h = 48; });
    Recorder events;
    auto window = std::make_unique<TestWindow>(windows, events, 64, 48);
    plat::HDC dc = window->hDC();
    const plat::HDC mem = plat::CreateCompatibleDC(dc);
    const plat::HBITMAP bmp = plat::CreateCompatibleBitmap(dc, 64, 48);
    const plat::HGDIOBJ old = plat::SelectObject(mem, bmp);
    auto fill = [&](int x, int y, int w, int h, std::uint32_t rop) {
        ASSERT_TRUE(plat::BitBlt(mem, x, y, w, h, 0, 0, 0, rop));
    };
    auto share = [&] {
        fill(0, 0, 64, 48, plat::WHITENESS);
        ASSERT_TRUE(plat::BitBlt(dc, 0, 0, 64, 48, mem, 0, 0, plat::SRCCOPY));
        window->Pump();
    };
    share();
    fill(10, 10, 5, 5, plat::BLACKNESS);
    EXPECT_EQ(window->At(10, 10), 0u);  // drawn straight into the window's pixels
    ASSERT_TRUE(plat::BitBlt(dc, 8, 8, 9, 9, mem, 8, 8, plat::SRCCOPY));
    window->Pump();
    ASSERT_EQ(window->presented.size(), 1u);  // the copy is still presented
    EXPECT_EQ(window->presented[0].x, 8);
    EXPECT_EQ(window->presented[0].w, 9);

    // Another drawing onto the window: the bitmap keeps its own pixels.
    ASSERT_TRUE(plat::BitBlt(dc, 0, 0, 4, 4, 0, 0, 0, plat::BLACKNESS));
    EXPECT_EQ(window->At(0, 0), 0u);
    EXPECT_EQ(PixelOf(mem, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(mem, 10, 10), 0u);
    fill(30, 30, 2, 2, plat::BLACKNESS);
    EXPECT_EQ(window->At(30, 30), 0xFFFFFFu);  // no longer shared

    // New pixels for the window (the old ones are freed): the bitmap keeps
    // its drawing; at a new size it shares nothing.
    share();
    fill(20, 20, 3, 3, plat::BLACKNESS);
    window->Resize(80, 60);
    EXPECT_EQ(PixelOf(mem, 20, 20), 0u);
    EXPECT_EQ(PixelOf(mem, 40, 40), 0xFFFFFFu);
    ASSERT_TRUE(plat::BitBlt(dc, 0, 0, 64, 48, mem, 0, 0, plat::SRCCOPY));
    fill(50, 40, 2, 2, plat::BLACKNESS);
    EXPECT_EQ(window->At(50, 40), 0xFFFFFFu);

    // The window goes (its DC given back, its pixels freed).
    window = std::make_unique<TestWindow>(windows, events, 64, 48);
    dc = window->hDC();
    share();
    fill(1, 2, 3, 4, plat::BLACKNESS);
    window.reset();
    EXPECT_EQ(PixelOf(mem, 1, 2), 0u);
    EXPECT_EQ(PixelOf(mem, 5, 2), 0xFFFFFFu);
    plat::SelectObject(mem, old);
    plat::DeleteObject(bmp);
    plat::DeleteDC(mem);
}

// Pixels the display server may still be reading are written only after
// the window system let it finish: through the window's DC or a bitmap
// drawing in them, never for other bitmaps.
TEST(FrameWindow, PresentedPixelsAreWrittenOnlyAfterTheServerFinishedReadingThem) {
    plat::DesktopWindows windows(std::make_unique<NoSystemWindows>(),
                                 [](int& w, int& h) { w = 64, h = 48; });
    Recorder events;
    TestWindow window(windows, events, 64, 48);
    const plat::HDC dc = window.hDC();
    const plat::HDC mem = plat::CreateCompatibleDC(dc), other = plat::CreateCompatibleDC(dc);
    const plat::HBITMAP bmp = plat::CreateCompatibleBitmap(dc, 64, 48);
    const plat::HBITMAP bmp2 = plat::CreateCompatibleBitmap(dc, 64, 48);
    const plat::HGDIOBJ old = plat::SelectObject(mem, bmp), old2 = plat::SelectObject(other, bmp2);
    ASSERT_TRUE(plat::BitBlt(mem, 0, 0, 64, 48, 0, 0, 0, plat::WHITENESS));
    ASSERT_TRUE(plat::BitBlt(dc, 0, 0, 64, 48, mem, 0, 0, plat::SRCCOPY));  // now shared
    window.Pump();
    ASSERT_TRUE(window.reading);
    ASSERT_TRUE(plat::BitBlt(other, 0, 0, 64, 48, mem, 0, 0, plat::SRCCOPY));
    EXPECT_EQ(window.finished, 0);
    ASSERT_TRUE(plat::BitBlt(mem, 10, 10, 2, 2, 0, 0, 0, plat::BLACKNESS));
    EXPECT_EQ(window.finished, 1);
    EXPECT_EQ(window.atFinish, 0xFFFFFFu);  // still the presented pixel then
    EXPECT_EQ(window.At(10, 10), 0u);
    ASSERT_TRUE(plat::BitBlt(dc, 10, 10, 2, 2, mem, 10, 10, plat::SRCCOPY));
    window.Pump();
    ASSERT_TRUE(window.reading);
    ASSERT_TRUE(plat::BitBlt(dc, 10, 10, 1, 1, 0, 0, 0, plat::WHITENESS));
    EXPECT_EQ(window.finished, 2);
    EXPECT_EQ(window.atFinish, 0u);
    EXPECT_EQ(window.At(10, 10), 0xFFFFFFu);
    plat::SelectObject(mem, old);
    plat::SelectObject(other, old2);
    plat::DeleteObject(bmp);
    plat::DeleteObject(bmp2);
    plat::DeleteDC(mem);
    plat::DeleteDC(other);
}

namespace {

// A bitmap with its own DC, for the sequences below.
struct Surface {
    Surface(plat::HDC ref, int w, int h, bool mono = false)
        : dc(plat::CreateCompatibleDC(ref)),
          bmp(mono ? plat::CreateCompatibleBitmap(dc, w, h)  // the fresh DC's is monochrome
                   : plat::CreateCompatibleBitmap(ref, w, h)),
          old(plat::SelectObject(dc, bmp)),
          w(w),
          h(h) {}
    ~Surface() {
        plat::SelectObject(dc, old);
        plat::DeleteObject(bmp);
        plat::DeleteDC(dc);
    }
    std::vector<std::uint32_t> Pixels() const {
        std::vector<std::uint32_t> out;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) out.push_back(PixelOf(dc, x, y));
        return out;
    }
    plat::HDC dc;
    plat::HBITMAP bmp;
    plat::HGDIOBJ old;
    int w, h;
};

// A random run of the saver's kinds of copies (saving and putting back
// sprite-sized parts, drawing through masks, copies to the window) and of
// others, on a 64x48 working bitmap copied whole to a window: shared with it
// when the window is of its size, not when it is one pixel wider. Gives
// every pixel of the working bitmap and of the two saved parts at the end.
std::vector<std::uint32_t> RandomCopies(bool shared, unsigned seed, int steps = 400) {
    plat::DesktopWindows windows(std::make_unique<NoSystemWindows>(),
                                 [](int& w, int& h) { w = 65, h = 48; });
    Recorder events;
    TestWindow window(windows, events, shared ? 64 : 65, 48);
    const plat::HDC dc = window.hDC();
    std::vector<std::uint32_t> out;
    {
        Surface work(dc, 64, 48), a(dc, 9, 7), b(dc, 13, 5), mask(dc, 13, 5, true);
        std::mt19937 random(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(random); };
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) plat::WritePixel(work.dc, x, y, 0x010305u * (x + 64 * y));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x)
                plat::WritePixel(mask.dc, x, y, (x + y) % 3 ? 0 : 0xFFFFFF);
        plat::BitBlt(dc, 0, 0, 64, 48, work.dc, 0, 0, plat::SRCCOPY);
        int at[2][2] = {{0, 0}, {0, 0}};
        for (int step = 0; step < steps; ++step) {
            Surface& part = pick(0, 1) ? a : b;
            int* where = at[&part == &a ? 0 : 1];
            const int x = pick(-6, 60), y = pick(-6, 44);
            switch (pick(0, 9)) {
                case 0:
                case 1:  // save what lies under a sprite
                    plat::BitBlt(part.dc, 0, 0, part.w, part.h, work.dc, x, y, plat::SRCCOPY);
                    where[0] = x, where[1] = y;
                    break;
                case 2:
                case 3:  // put it back where it was saved
                    plat::BitBlt(work.dc, where[0], where[1], part.w, part.h, part.dc, 0, 0,
                                 plat::SRCCOPY);
                    break;
                case 4:  // a sprite through its mask
                    plat::BitBlt(work.dc, x, y, 13, 5, mask.dc, 0, 0, plat::SRCPAINT);
                    plat::BitBlt(work.dc, x, y, 13, 5, b.dc, 0, 0, plat::SRCAND);
                    break;
                case 5:  // the changed part to the window
                    plat::BitBlt(dc, x, y, 20, 20, work.dc, x, y, plat::SRCCOPY);
                    break;
                case 6:  // a part put back elsewhere, or only partly
                    plat::BitBlt(work.dc, x, y, pick(1, part.w), pick(1, part.h), part.dc,
                                 pick(0, 3), pick(0, 2), plat::SRCCOPY);
                    break;
                case 7:  // other operations on either
                    plat::BitBlt(part.dc, pick(-2, 4), pick(-2, 3), 6, 4, work.dc, x, y,
                                 plat::SRCINVERT);
                    plat::BitBlt(work.dc, x, y, 6, 4, 0, 0, 0, plat::WHITENESS);
                    break;
                case 8:  // single pixels
                    plat::WritePixel(work.dc, pick(0, 63), pick(0, 47), 0x123456u * step);
                    plat::WritePixel(part.dc, pick(0, part.w - 1), pick(0, part.h - 1), step);
                    break;
                default:  // reading the parts
                    PixelOf(part.dc, 0, 0);
                    plat::BitBlt(mask.dc, 0, 0, 13, 5, part.dc, 0, 0, plat::SRCCOPY);
                    break;
            }
        }
        for (const Surface* s : {&work, &a, &b}) {
            std::vector<std::uint32_t> p = s->Pixels();
            out.insert(out.end(), p.begin(), p.end());
        }
    }
    return out;
}

}  // namespace

// Whatever the copies, a working bitmap shared with its window and the parts
// saved from it hold every pixel they hold without sharing.
TEST(FrameWindow, ASharedBitmapAndItsSavedPartsHoldThePixelsOfTheCopies) {
    for (unsigned seed = 1; seed <= 200; ++seed) {
        if (RandomCopies(true, seed) == RandomCopies(false, seed)) continue;
        int steps = 1;  // the first step after which they differ, for the report
        while (RandomCopies(true, seed, steps) == RandomCopies(false, seed, steps)) ++steps;
        FAIL() << "seed " << seed << ": the pixels differ from step " << steps;
    }
}

// A window too small for the flags at their size (a preview pane) shows a
// screen three times its size, each of its pixels the average of the nine it
// stands for.
TEST(FrameWindow, AScaledWindowShowsALargerScreenReduced) {
    plat::DesktopWindows windows(std::make_unique<NoSystemWindows>(),
                                 [](int& w, int& h) { w = 30, h = 24; });
    Recorder events;
    TestWindow window(windows, events, 10, 8);
    window.Scale(3);
    EXPECT_EQ(window.Width(), 30);
    EXPECT_EQ(window.Height(), 24);
    EXPECT_DOUBLE_EQ(window.ScaleWidth(), 30 * 15.0);
    plat::HDC dc = window.hDC();
    ASSERT_TRUE(plat::BitBlt(dc, 0, 0, 30, 24, 0, 0, 0, plat::BLACKNESS));
    ASSERT_TRUE(plat::BitBlt(dc, 3, 3, 3, 3, 0, 0, 0, plat::WHITENESS));  // one whole pixel
    ASSERT_TRUE(plat::BitBlt(dc, 9, 0, 1, 3, 0, 0, 0, plat::WHITENESS));  // a third of one
    window.Pump();
    EXPECT_EQ(window.At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(window.At(3, 0), 0x555555u);
    EXPECT_EQ(window.At(2, 2), 0u);
    ASSERT_FALSE(window.presented.empty());
    for (const auto& r : window.presented) {
        EXPECT_LE(r.x + r.w, 10);  // in the window's own pixels
        EXPECT_LE(r.y + r.h, 8);
    }
}

TEST(FrameWindow, InputReachesTheFormInTwips) {
    plat::DesktopWindows windows(std::make_unique<NoSystemWindows>(),
                                 [](int& w, int& h) { w = 8, h = 8; });
    Recorder events;
    TestWindow window(windows, events, 8, 8);
    window.Input();
    EXPECT_EQ(events.moves, (std::vector<float>{30, 45, 150, 300}));
    EXPECT_EQ(events.keys, 1);
}

TEST(FrameWindow, TheDesktopIsWhiteWhereTheSystemShowsNone) {
    plat::DesktopWindows windows(std::make_unique<NoSystemWindows>(),
                                 [](int& w, int& h) { w = 16, h = 9; });
    plat::HDC desktop = plat::GetDC(plat::GetDesktopWindow());
    plat::HDC mem = plat::CreateCompatibleDC(desktop);
    plat::HBITMAP bitmap = plat::CreateCompatibleBitmap(desktop, 16, 9);
    plat::SelectObject(mem, bitmap);
    ASSERT_TRUE(plat::BitBlt(mem, 0, 0, 16, 9, desktop, 0, 0, plat::SRCCOPY));
    std::uint32_t rgb = 0;
    ASSERT_TRUE(plat::ReadPixel(mem, 15, 8, rgb));
    EXPECT_EQ(rgb, 0xFFFFFFu);
    plat::DeleteDC(mem);
    plat::DeleteObject(bitmap);
    plat::ReleaseDC(plat::GetDesktopWindow(), desktop);
}

// A capture placed at its output's place, scaled to its size: rows from the
// bottom turned over, alpha dropped, nothing written outside the screen.
TEST(ScaleInto, PlacesAScaledPictureClippedToTheScreen) {
    const std::uint32_t src[4] = {0xFF000001, 0xFF000002,   // bottom row
                                  0xFF000003, 0xFF000004};  // top row
    std::vector<std::uint32_t> dst(6 * 3, 0xABCDEF);
    plat::ScaleInto({src, 2, 2, 2, true}, {2, 1, 4, 4}, dst.data(), 6, 3, 6);
    auto at = [&](int x, int y) { return dst[std::size_t(y) * 6 + x]; };
    EXPECT_EQ(at(1, 1), 0xABCDEFu);  // left of the area
    EXPECT_EQ(at(2, 0), 0xABCDEFu);  // above it
    EXPECT_EQ(at(2, 1), 3u);         // the top row first, two pixels wide
    EXPECT_EQ(at(3, 2), 3u);
    EXPECT_EQ(at(4, 1), 4u);
    EXPECT_EQ(at(5, 2), 4u);  // the area's lower half lies off the screen
}

}  // namespace
