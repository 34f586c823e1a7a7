// The background of a run on a tiled picture, kept small: the tile repeated
// over its own size plus the largest sprite's, so that any sprite-sized
// rectangle of the background is one copy from it. A frame puts the
// background back from here rather than from each sprite's store, and so
// stores nothing.
#pragma once
#include <cstdint>
#include <memory>

#include "graphics/cbitmap.h"
#include "graphics/ctile.h"
#include "platform/handles.h"
#include "saver/sprite_groups.h"

class BackgroundSheet {
  public:
    // For a stage filled with `tile` from its top-left corner and sprites of
    // at most maxWidth by maxHeight. False, and not Ready, for an empty tile
    // or when the sheet cannot be made.
    bool Make(cTile& tile, std::int32_t maxWidth, std::int32_t maxHeight);
    void Clear();
    bool Ready() const { return tileWidth_ > 0; }
    // The background of `area` onto dc.
    void Put(plat::HDC dc, const StageArea& area) const;
    // The background of `was` where `now`, of the same size, does not cover it.
    void PutAround(plat::HDC dc, const StageArea& was, const StageArea& now) const;

  private:
    std::unique_ptr<cBitmap> sheet_;
    std::int32_t tileWidth_ = 0, tileHeight_ = 0;
};
