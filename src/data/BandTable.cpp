#include "data/BandTable.h"

#include "data/AcousticResults.h"
#include "data/CMainDoc.h"
#include "data/FormatLevel.h"
#include "data/ResultText.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

// The record's source name without the padding of its fixed width.
std::string SourceName(const CMainDoc& document, int record)
{
    std::string source;
    document.GetSource(source, record);
    source.erase(source.find_last_not_of(' ') + 1);
    return source;
}

}  // namespace

BandTable MakeBandTable(const CMainDoc& document, int record)
{
    const AcousticResults results =
        ComputeAcousticResults(document.Data().records[static_cast<std::size_t>(record)]);
    const std::string unit(LevelUnit(results.source));
    std::string reference;
    FormatOneDecimal(reference, results.reference);
    BandTable table;
    table.heading = {{"Data File", document.GetTitle()},
                     {"Memory", std::to_string(record + 1)},
                     {"Source", SourceName(document, record)},
                     {"Reference", reference, unit}};

    table.bands.push_back({"Hz", "Code", "dBr", "Level", "A-level"});
    for (int band = 0; band < MemoryRecord::kBands; ++band) {
        const BandResult& result = results.bands[static_cast<std::size_t>(band)];
        table.bands.push_back({NominalHzText(band), std::to_string(result.code), ResultText(result.dbr),
                               ResultText(result.level), ResultText(result.aLevel)});
    }

    table.octaves.push_back({"Octave Hz", "Level"});
    for (int octave = 0; octave < AcousticResults::kOctaves; ++octave)
        table.octaves.push_back({NominalHzText(AcousticResults::OctaveCentreBand(octave)),
                                 ResultText(results.octaves[static_cast<std::size_t>(octave)])});

    table.totals = {{"LZ", ResultText(results.z), unit},       {"LA", ResultText(results.a), unit},
                    {"LC", ResultText(results.c), unit},       {"NC", NcRatingText(results.nc)},
                    {"NC band", RatingOctaveText(results.nc)}, {"NR", NrRatingText(results.nr)},
                    {"NR band", RatingOctaveText(results.nr)}};
    return table;
}

std::string BandTableText(const BandTable& table)
{
    std::string text;
    for (const BandTable::Rows* part : {&table.heading, &table.bands, &table.octaves, &table.totals}) {
        if (part != &table.heading)
            text += kLineEnd;
        for (const auto& row : *part) {
            // Empty cells at the end of a row (no unit, no rating) leave no tabs behind.
            std::size_t cells = row.size();
            while (cells > 1 && row[cells - 1].empty())
                --cells;
            for (std::size_t cell = 0; cell < cells; ++cell) {
                if (cell > 0)
                    text += '\t';
                text += row[cell];
            }
            text += kLineEnd;
        }
    }
    return text;
}
