// The frame loop: erase, move and save, draw, copy the changed areas to the
// window, then wait for the next frame while handling input. It returns when
// a run in a daemon's window must be set up again at a new size.
#include "common/checked.h"
#include "common/errors.h"
#include "common/vbmath.h"
#include "platform/gdi.h"
#include "platform/host.h"
#include "saver/form1.h"

namespace {
constexpr std::uint32_t kFramePeriodMs = 50;
}

void Form1::RunAnimation() {
    auto& host = plat::host();
    try {
        plat::HDC windowDC = hDC();
        m_lScreenWidth = TwipsToPixels(host.ScreenWidth(), host.TwipsPerPixelX());
        m_lScreenHeight = TwipsToPixels(host.ScreenHeight(), host.TwipsPerPixelY());
        m_cLogo.Cell(1);
        m_cLogo.X(CheckedSub(m_lScreenWidth, m_cLogo.Width()));
        m_cLogo.Y(CheckedSub(m_lScreenHeight, m_cLogo.Height()));
        m_cBackBuffer.RenderBitmap(windowDC, 0, 0, plat::SRCCOPY);
        while (!SizeChanged()) Frame(windowDC);
    } catch (const RuntimeError&) {
        Module1::ShowFatalMessage(Module1::MissingFilesMessage());
    }
}

void Form1::Frame(plat::HDC windowDC) {
    auto& host = plat::host();
    std::uint32_t frameStart = host.GetTickCount();
    plat::HDC b = m_cBackBuffer.hDC();
    for (int i = 1; i <= kFlagCount; ++i) m_cFlags[i]->Cell(1);
    // The active flags in order, then the logo, each with where it was
    // drawn and where it goes.
    int count = 0;
    for (int i = 1; i <= kFlagCount; ++i) {
        cSprite& s = *m_cFlags[i];
        if (!s.Active()) continue;
        frameSprites_[count++] = &s;
        s.IncrementPosition();
        Wrap(s);
    }
    frameSprites_[count++] = &m_cLogo;
    for (int i = 0; i < count; ++i) {
        const cSprite& s = *frameSprites_[i];
        framePlaces_[2 * i] = {s.DrawnX(), s.DrawnY(), s.Drawn() ? s.Width() : 0, s.Height()};
        framePlaces_[2 * i + 1] = {s.X(), s.Y(), s.Width(), s.Height()};
    }
    groups_.Build(framePlaces_.data(), count, m_cBackBuffer.Width(), m_cBackBuffer.Height());
    // A sprite alone that stays where it was drawn (the logo, with nothing
    // near it) would be drawn to the same pixels: it is not drawn again, only
    // copied to the window as ever (which on some systems keeps nothing of
    // what was covered). Every frame draws cell 1.
    for (int i = 0; i < count; ++i) {
        const cSprite& s = *frameSprites_[i];
        frameStill_[i] = groups_.Size(i) == 1 && framePlaces_[2 * i].w > 0 && s.X() == s.DrawnX() &&
                         s.Y() == s.DrawnY();
    }
    if (background_.Ready())
        DrawOverBackground(b, count);
    else
        DrawWithStores(b, count);
    for (int i = 0; i < count; ++i) frameSprites_[i]->StageToScreen(windowDC, b);
    host.DoEvents();
    // Counted from this frame's start: a late frame is not made up.
    auto target = static_cast<std::int32_t>(frameStart + kFramePeriodMs);
    Module1::WaitUntilTick(target);
}

// Each group whole: all put back, then all stored, then all drawn, in the
// sprites' order.
void Form1::DrawWithStores(plat::HDC b, int count) {
    for (int first = 0; first < count; ++first) {
        if (groups_.First(first) != first || frameStill_[first]) continue;
        groups_.ForEach(first, [&](int i) { frameSprites_[i]->RestoreBackground(b); });
        groups_.ForEach(first, [&](int i) {
            cSprite& s = *frameSprites_[i];
            s.StoreBackground(b, s.X(), s.Y());
        });
        groups_.ForEach(first, [&](int i) { Draw(*frameSprites_[i], b); });
    }
}

// The same pixels with the background known: what a store would hold is the
// background there. A sprite alone in its group has the background put back
// only where its new place leaves the old one, and its new place takes the
// background and the sprite in one pass.
void Form1::DrawOverBackground(plat::HDC b, int count) {
    for (int first = 0; first < count; ++first) {
        if (groups_.First(first) != first || frameStill_[first]) continue;
        if (groups_.Size(first) == 1) {
            background_.PutAround(b, framePlaces_[2 * first], framePlaces_[2 * first + 1]);
            background_.Put(b, framePlaces_[2 * first + 1]);
            Draw(*frameSprites_[first], b);
            continue;
        }
        groups_.ForEach(first, [&](int i) { background_.Put(b, framePlaces_[2 * i]); });
        groups_.ForEach(first, [&](int i) { Draw(*frameSprites_[i], b); });
    }
}

void Form1::Draw(cSprite& s, plat::HDC b) {
    s.TransparentDraw(b, s.X(), s.Y(), s.Cell(), false);
}

void Form1::Wrap(cSprite& s) {
    if (s.XDir() < 0) {
        if (s.X() < CheckedNeg(s.Width())) s.X(CheckedAdd(m_lScreenWidth, s.Width()));
    } else if (s.X() > m_lScreenWidth) {
        s.X(CheckedNeg(s.Width()));
    }
    if (s.YDir() < 0) {
        if (s.Y() < CheckedNeg(s.Height())) s.Y(CheckedAdd(m_lScreenHeight, s.Height()));
    } else if (s.Y() > m_lScreenHeight) {
        s.Y(CheckedNeg(s.Height()));
    }
}
