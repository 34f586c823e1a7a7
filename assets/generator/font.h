// A small proportional bitmap font drawn for this project: capitals and
// digits are 7 cells high, lower case has a 5-cell x-height and 2 cells of
// descender (9 rows in all). Glyphs are one cell apart.
#pragma once
#include <string_view>

inline constexpr int kFontRows = 9;
inline constexpr int kFontCapHeight = 7;

// Width of the text in font cells.
int TextWidth(std::string_view text);

// Whether the cell (column, row) of the text is inked; outside is false.
bool TextInk(std::string_view text, int column, int row);

// A smooth version of the text for drawing it larger than one pixel per
// cell: the cells blurred with a small spline, so that the level 0.5 is the
// outline of the glyphs with rounded corners and steps. gx, gy are in cells from the text's
// top-left corner.
double TextField(std::string_view text, double gx, double gy);
