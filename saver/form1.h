// Form1: the saver's full-screen window. Loading it sets the run up and runs
// the frame loop until the run ends.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/cbitmap.h"
#include "graphics/csprite.h"
#include "graphics/csprite_bitmaps.h"
#include "graphics/ctile.h"
#include "graphics/render_object.h"
#include "platform/saver_window.h"
#include "saver/background_sheet.h"
#include "saver/picture_bounds.h"
#include "saver/sprite_groups.h"
#include "shell/module1.h"

class Form1 : public Module1::SaverForm, public plat::SaverEvents, public RenderObject {
  public:
    static constexpr int kFlagCount = 32;
    using Sheet = std::shared_ptr<cSpriteBitmaps>;

    Form1();
    ~Form1() override;

    // Creates the window and runs Form_Load, which does not return while
    // the saver runs.
    void Load();

    // Module1::SaverForm
    plat::HWND hWnd() override;
    void Show() override;
    void Unload() override;

    // RenderObject: the window's client area.
    double ScaleWidth() override;
    double ScaleHeight() override;
    plat::HDC hDC() override;

    // Input handlers.
    void Form_KeyDown(std::int16_t keyCode, std::int16_t shift) override;
    void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) override;
    void Form_MouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;

    // For tests and the render tool: the run's objects.
    const cSprite& Flag(int index) const { return *m_cFlags[index]; }
    const cSprite& Logo() const { return m_cLogo; }
    cBitmap& BackBuffer() { return m_cBackBuffer; }
    // The picture refused for its size, and why ("" when none was).
    const std::string& RefusedPicture() const { return refusedPicture_; }

  private:
    std::unique_ptr<plat::SaverWindow> window_;
    // The pointer position of the previous move, in twips (32-bit, so any
    // screen size fits).
    std::int32_t iLastX_ = 0;
    std::int32_t iLastY_ = 0;
    bool desktopTaken_ = false;  // the desktop picture was taken in this run
    std::int32_t desktopWidth_ = 0, desktopHeight_ = 0;  // its size when taken
    PictureBounds bounds_{0, 0};                         // of the current set-up
    std::string refusedPicture_;

    Sheet m_cLogoBitmaps;
    cSprite m_cLogo;
    Sheet m_cFlagBitmapsXLarge;
    Sheet m_cFlagBitmapsLarge;
    Sheet m_cFlagBitmapsMed;
    Sheet m_cFlagBitmapsSmall;
    std::array<std::unique_ptr<cSprite>, kFlagCount + 1> m_cFlags;  // indices 1 to 32
    cBitmap m_cBackBuffer;
    std::unique_ptr<cTile> m_cBackgroundTile;
    BackgroundSheet background_;  // ready on a tiled background
    std::int32_t m_lScreenHeight = 0;
    std::int32_t m_lScreenWidth = 0;
    // A frame's sprites and their places, kept to allocate nothing per frame.
    std::array<cSprite*, kFlagCount + 1> frameSprites_{};
    std::array<StageArea, 2 * (kFlagCount + 1)> framePlaces_{};
    std::array<bool, kFlagCount + 1> frameStill_{};  // drawn as it is: not drawn again
    SpriteGroups groups_;

    void Form_Load();
    void SetUp();
    void LoadWhiteBackground();
    void KeepTiledBackground();
    void CaptureDesktop();
    void LoadTile(const std::string& path);
    void Admit(const std::string& refusal);
    void LoadFlags(Sheet& sheet, const std::string& file, int first, int upLeft, int downRight);
    void LoadSpriteBitmaps(Sheet& sheet, const std::string& path, std::int32_t cellsAcross,
                           std::int32_t cellsDown, plat::COLORREF transColor);
    void CreateSprite(const Sheet& sheet, cSprite& sprite);
    void LaunchSpriteDownRight(cSprite& sprite);
    void LaunchSpriteUpLeft(cSprite& sprite);
    void LaunchSprite(cSprite& sprite, double factor);
    void RunAnimation();
    // True in a daemon's window whose size is no longer the run's.
    bool SizeChanged();
    void Frame(plat::HDC windowDC);
    void DrawWithStores(plat::HDC stage, int count);
    void DrawOverBackground(plat::HDC stage, int count);
    static void Draw(cSprite& sprite, plat::HDC stage);  // at its place, cell and all
    void Wrap(cSprite& sprite);
};
