// What cTile fills by itself: a window with an inner size in twips and a
// device context. The saver window is one.
#pragma once
#include "platform/handles.h"

class RenderObject {
  public:
    virtual ~RenderObject() = default;
    virtual double ScaleWidth() = 0;  // twips
    virtual double ScaleHeight() = 0;
    virtual plat::HDC hDC() = 0;
};
