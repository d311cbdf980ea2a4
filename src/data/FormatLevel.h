#pragma once

#include <string>

// Level text formats.
namespace LevelFormat {
constexpr int kInteger = 0;     // "%d" of the converted integer ("none" decimals)
constexpr int kOneDecimal = 1;  // "%.1f" of the value, halves away from zero
constexpr int kHex = 4;         // "%X" of the converted integer
}  // namespace LevelFormat

// The one rule by which every level becomes text. The integer conversion
// rounds when the setting Clipround is 1 and truncates otherwise. Any format
// other than 0, 1 and 4 gives an empty text. Returns 0.
int FormatLevel(std::string& text, float value, int format);

// The number of format 1 for any value, results computed in double precision
// included: one decimal, an exact half in the second decimal rounded away
// from zero, point as the decimal point.
void FormatOneDecimal(std::string& text, double value, char point = '.');

// The value in whole tenths as FormatOneDecimal shows it: 4.25 gives 43,
// -0.25 gives -3.
long long RoundedTenths(double value);
