#pragma once

// The rows of the screen plot's 340 x 170 picture that the plot and its
// mouse readout share, so that a reading matches the scale it is read
// against.
namespace PlotRows {

// The 0 dBr grid line; 10 rows are 1 dB (2 dB at 2 dB per step).
constexpr int kZeroRow = 31;

}  // namespace PlotRows
