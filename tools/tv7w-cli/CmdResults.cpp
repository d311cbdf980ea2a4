#include "CmdResults.h"

#include "CliCommand.h"

#include "data/AcousticResults.h"
#include "data/CMainDoc.h"
#include "data/FormatLevel.h"
#include "data/NcCurveTable.h"
#include "data/ResultText.h"

#include <cstdio>
#include <iostream>

namespace {

// Opens FILE and reads RECORD (1..30) from the words; on failure returns
// false with the exit status in status.
bool OpenRecord(const char* command, const CliArgs& args, CMainDoc& doc, int& record, int& status)
{
    int number = 0;
    if (args.Positional().size() != 2) {
        status = UsageError(command, "FILE and RECORD expected");
        return false;
    }
    if (!ParseRecordNumber(args.Positional()[1], number)) {
        status = UsageError(command, "RECORD must be a number from 1 to 30");
        return false;
    }
    if (!doc.OnOpenDocument(args.Positional()[0])) {
        status = kExitFailed;
        return false;
    }
    record = number - 1;
    return true;
}

// The value with one decimal and "." whatever its bound.
std::string PlainNumber(const ResultLevel& level)
{
    std::string text;
    FormatOneDecimal(text, level.value);
    return text;
}

const char* RangeName(LevelBound bound)
{
    switch (bound) {
    case LevelBound::kAtMost:
        return "below";
    case LevelBound::kAtLeast:
        return "above";
    default:
        return "";
    }
}

}  // namespace

int RunLevels(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {}, {"--csv"}, error))
        return UsageError("levels", error);
    CMainDoc doc(context.ui);
    int record = 0;
    int status = kExitOk;
    if (!OpenRecord("levels", args, doc, record, status))
        return status;
    const AcousticResults results =
        ComputeAcousticResults(doc.Data().records[static_cast<std::size_t>(record)]);
    const bool csv = args.Has("--csv");
    std::cout << (csv ? "band_hz,code,dbr,level,a_level,range\n"
                      : "   Hz  code      dBr    level  A-level\n");
    for (int band = 0; band < MemoryRecord::kBands; ++band) {
        const BandResult& result = results.bands[static_cast<std::size_t>(band)];
        const int hz = NcCurveTable::BandFrequency(band);
        if (csv) {
            std::cout << hz << ',' << result.code << ',' << PlainNumber(result.dbr) << ','
                      << PlainNumber(result.level) << ',' << PlainNumber(result.aLevel) << ','
                      << RangeName(result.level.bound) << '\n';
        } else {
            // Out-of-range bands are marked "<" or ">" as the level texts mark them.
            char line[80];
            std::snprintf(line, sizeof line, "%5d  %4d  %7s  %7s  %7s\n", hz, result.code,
                          ResultText(result.dbr).c_str(), ResultText(result.level).c_str(),
                          ResultText(result.aLevel).c_str());
            std::cout << line;
        }
    }
    return kExitOk;
}

int RunRating(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {}, {}, error))
        return UsageError("rating", error);
    CMainDoc doc(context.ui);
    int record = 0;
    int status = kExitOk;
    if (!OpenRecord("rating", args, doc, record, status))
        return status;
    const AcousticResults results =
        ComputeAcousticResults(doc.Data().records[static_cast<std::size_t>(record)]);
    std::string source;
    doc.GetSource(source, record);
    // A record without source has a name of spaces.
    source.erase(source.find_last_not_of(' ') + 1);
    std::string reference;
    FormatOneDecimal(reference, results.reference);
    std::cout << "source=" << source << "\nunit=" << LevelUnit(results.source) << "\nreference=" << reference
              << '\n';
    for (int octave = 0; octave < AcousticResults::kOctaves; ++octave)
        std::cout << "oct_" << NominalHzText(AcousticResults::OctaveCentreBand(octave)) << '='
                  << ResultText(results.octaves[static_cast<std::size_t>(octave)]) << '\n';
    std::cout << "LZ=" << ResultText(results.z) << "\nLA=" << ResultText(results.a)
              << "\nLC=" << ResultText(results.c) << "\nNC=" << NcRatingText(results.nc)
              << "\nNC_band=" << RatingOctaveText(results.nc) << "\nNR=" << NrRatingText(results.nr)
              << "\nNR_band=" << RatingOctaveText(results.nr) << '\n';
    return kExitOk;
}
