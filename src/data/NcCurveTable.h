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

// The NC index after one step (+1 or -1) from nc (0..15): up beyond NC-65
// gives "none", down below "none" gives NC-65; an index of 12..15 steps down
// one at a time.
int StepCurve(int nc, int step);

// Band label ("25", "31.5", .. "20K") and the band table's frequency in
// whole Hz (25, 32, 40 .. 20000); band 0..29, else empty and 0.
std::string_view BandLabel(int band);
int BandFrequency(int band);
// The exact nominal frequency in Hz (31.5 for the band the table gives as 32).
double BandNominalFrequency(int band);

}  // namespace NcCurveTable
