// The transparent (pure green) regions of sprite pictures.
#pragma once
#include <string>

#include "image.h"

// Paints `fill` over every pure green pixel that is not connected to the
// picture's border through pure green pixels (such as the inside of a
// letter "o"), so that only the surroundings are transparent.
void FillKeyHoles(Image& image, Rgb8 fill);

// Throws std::runtime_error naming `what` if a pure green pixel lies inside
// the drawing (not connected to the border) or if nothing is drawn.
void CheckKeyOnlyOutside(const Image& image, const std::string& what);
