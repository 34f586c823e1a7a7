// Number rules of the system: rounding to nearest with ties to even, the
// conversions to 16- and 32-bit integers (raising OverflowError when the
// value does not fit), reading a number from text, and the shortest decimal
// form of a number.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Nearest integer, ties to even.
double RoundHalfEven(double value);

// Rounded to 16 or 32 bits; OverflowError when out of range (or NaN).
std::int16_t CInt16(double value);
std::int32_t CInt32(double value);

// Reads a leading number: blanks skipped, an optional sign, digits with one
// decimal point, an optional exponent; reading stops at the first character
// that cannot continue the number. 0 when there is none.
double Val(const std::string& text);

// The same reading, or nothing when the text holds no leading number.
std::optional<double> LeadingNumber(const std::string& text);

// The whole text as a number (blanks around it allowed), or nothing when the
// text is empty or not a number.
std::optional<double> ParseNumber(const std::string& text);

// Shortest decimal form: 3, not 3.0; 2.5 stays 2.5.
std::string NumberText(double value);

// Screen sizes in twips to pixels: (twips, rounded) div (twips per pixel,
// rounded), the quotient truncated.
std::int32_t TwipsToPixels(double twips, double twipsPerPixel);
