#pragma once

#include <string_view>

// The noise criterion curves NC-15 .. NC-65 and the band table.
namespace NcCurveTable {

constexpr int kCurves = 11;  // NC index 1..11; 0 is "none"
constexpr int kBands = 30;

// Level of curve nc (1..11) in band (0..29), in tenths of a dB SPL.
int Level(int nc, int band);

// "NC-15" .. "NC-65" for 1..11, "none" for 0, empty for 12..15.
std::string_view Name(int nc);

// Band label ("25", "31.5", .. "20K") and nominal frequency in Hz; band 0..29.
std::string_view BandLabel(int band);
int BandFrequency(int band);

}  // namespace NcCurveTable
