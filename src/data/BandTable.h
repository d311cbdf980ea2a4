#pragma once

#include <string>
#include <vector>

class CMainDoc;

// The acoustic results of one record as rows of text cells, in four parts:
// what the record is, its 30 bands, its ten octave bands and its totals with
// the NC rating. The Band Table window shows the parts; copied, they become
// one tab-separated text.
struct BandTable {
    using Rows = std::vector<std::vector<std::string>>;

    // "Data File", "Memory", "Source", "Reference" with the level and its unit.
    Rows heading;
    // A header row, then per band: Hz, code, dBr, absolute level, A-weighted level.
    Rows bands;
    // A header row, then per octave: nominal Hz (31.5 .. 16000), level.
    Rows octaves;
    // LZ, LA, LC, NC and the NC rating's tangent band.
    Rows totals;

    bool operator==(const BandTable&) const = default;
};

// The band table of record (0..29) of document.
BandTable MakeBandTable(const CMainDoc& document, int record);

// The parts one after another with an empty line between them; cells
// separated by tabs, lines ending in CR LF.
std::string BandTableText(const BandTable& table);
