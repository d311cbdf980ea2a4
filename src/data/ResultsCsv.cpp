#include "data/ResultsCsv.h"

#include "data/AcousticResults.h"
#include "data/CMainDoc.h"
#include "data/CsvText.h"
#include "data/DocumentMessages.h"
#include "data/FormatLevel.h"
#include "data/NcCurveTable.h"
#include "data/ResultText.h"
#include "data/SurveySummary.h"
#include "data/UserInterface.h"
#include "disk/AtomicFile.h"

#include <algorithm>

namespace {

std::vector<std::string> Row(const CMainDoc& doc, int record, char point)
{
    const MemoryRecord& r = doc.Data().records[static_cast<std::size_t>(record)];
    const AcousticResults results = ComputeAcousticResults(r);
    std::string reference;
    FormatOneDecimal(reference, results.reference, point);
    std::vector<std::string> row{std::to_string(record + 1),
                                 std::string(SourceName(results.source)),
                                 std::string(LevelUnit(results.source)),
                                 r.Weighting() ? "C" : "flat",
                                 std::string(NcCurveTable::Name(r.NcCurve())),
                                 reference,
                                 ResultText(results.z, point),
                                 ResultText(results.a, point),
                                 ResultText(results.c, point),
                                 NcRatingText(results.nc),
                                 NrRatingText(results.nr),
                                 FirstCommentLine(doc.Data(), record)};
    for (const BandResult& band : results.bands)
        row.push_back(ResultText(band.level, point));
    return row;
}

}  // namespace

std::string ResultsCsvText(CMainDoc& doc, char point)
{
    const char separator = point == ',' ? ';' : ',';
    std::vector<std::string> header{"record", "source", "unit", "weighting", "NC curve", "reference",
                                    "LZ",     "LA",     "LC",   "NC",        "NR",       "comment"};
    for (int band = 0; band < MemoryRecord::kBands; ++band) {
        // 31.5 Hz is written with the decimal point of the levels.
        std::string hz = NominalHzText(band);
        std::replace(hz.begin(), hz.end(), '.', point);
        header.push_back(hz);
    }
    std::string text = CsvLine(header, separator);
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        if (doc.IsRecordInUse(record))
            text += CsvLine(Row(doc, record, point), separator);
    return text;
}

int ExportResultsCsv(CMainDoc& doc, const std::string& path, char point)
{
    const std::string text = ResultsCsvText(doc, point);
    std::string error;
    if (!WriteFileAtomically(path, text.data(), text.size(), error)) {
        doc.Ui().Tell(DocumentMessages::CannotSave(path, error), UserInterface::Icon::Exclamation);
        return -1;
    }
    doc.Ui().Beep();
    return 0;
}
