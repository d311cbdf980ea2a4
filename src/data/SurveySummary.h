#pragma once

#include "data/NoiseRating.h"
#include "data/ResultLevel.h"

#include <string>
#include <vector>

struct SpectrumFile;

// What a survey table shows of one record in use: the first comment line,
// source, reference, the totals and both ratings.
struct SummaryRow {
    int record = 0;       // 0..29
    std::string comment;  // comment line 1 without its trailing spaces
    int source = 0;
    int reference = 0;  // the 0 dB reference in dB SPL (Mike) or dBu
    ResultLevel z;
    ResultLevel a;
    ResultLevel c;
    NcRating nc;
    NrRating nr;

    bool operator==(const SummaryRow&) const = default;
};

SummaryRow MakeSummaryRow(const SpectrumFile& data, int record);

// Line 1 of record's comment without its trailing spaces, bytes outside
// printable ASCII as spaces (as the printed page shows them).
std::string FirstCommentLine(const SpectrumFile& data, int record);

// One row per record in use, in record order.
std::vector<SummaryRow> SummaryRows(const SpectrumFile& data);

// The column names "record", "comment", "source", "reference", "LZ", "LA",
// "LC", "NC", "NR", and a row's cells under them: the record numbered 1..30,
// levels with one decimal and point as the decimal point, bounds marked.
const std::vector<std::string>& SummaryHeader();
std::vector<std::string> SummaryCells(const SummaryRow& row, char point = '.');
