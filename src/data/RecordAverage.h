#pragma once

#include "data/ResultLevel.h"
#include "data/SurveyError.h"

#include <vector>

class CMainDoc;
struct SpectrumFile;

// The energy average of several records (microphone positions in one room):
// per band L = 10 log10((1/n) sum 10^(L_k/10)) of the absolute levels, a band
// below range counted at -20 dBr and one above at +4.25 dBr. A band is
// kAtMost ("<") when it was below range in a record and above in none,
// kAtLeast (">") the other way round, kEither ("?") when both.
struct RecordAverage {
    std::vector<int> records;  // the records averaged, 0..29, as listed
    int source = 0;            // of the first record listed; all share its unit
    BandLevels bands{};
    ResultLevel wideband;  // averaged the same way

    bool operator==(const RecordAverage&) const = default;
};

// Averages the records listed (0..29): every one must be in use and all must
// share one unit (dB SPL or dBu). On failure average is left as it was.
SurveyError AverageRecords(const SpectrumFile& data, const std::vector<int>& records, RecordAverage& average);

// The average as a record: the first listed record's refCode and mode, each
// band code 160 + 8 (L - reference) rounded half away from zero (0 when that
// is below 1, 194 when above 193), the wideband code likewise, a fresh checksum.
MemoryRecord AverageAsRecord(const SpectrumFile& data, const RecordAverage& average);

// The comment line that says what a stored average is: "Average of 1,3-5,9".
std::string AverageComment(const RecordAverage& average);

// Averages the records listed and stores the average as record target
// (0..29; it may be one of them) with AverageComment as comment line 1:
// the document is marked modified but not saved. A caller that wants the
// change undoable makes a DocumentEdit around the call. On failure nothing
// is changed.
SurveyError StoreAverage(CMainDoc& doc, const std::vector<int>& records, int target);
