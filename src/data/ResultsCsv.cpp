#include "data/ResultsCsv.h"

#include "data/AcousticResults.h"
#include "data/CMainDoc.h"
#include "data/DocumentMessages.h"
#include "data/FormatLevel.h"
#include "data/NcCurveTable.h"
#include "data/ResultText.h"
#include "data/UserInterface.h"
#include "disk/AtomicFile.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

void AppendRow(std::string& text, CMainDoc& doc, int record, char point, char separator)
{
    const AcousticResults results =
        ComputeAcousticResults(doc.Data().records[static_cast<std::size_t>(record)]);
    std::string field;
    text += std::to_string(record + 1);
    text += separator;
    doc.GetSource(field, record);
    // A record without source has a name of spaces.
    field.erase(field.find_last_not_of(' ') + 1);
    text += field;
    text += separator;
    FormatOneDecimal(field, results.reference, point);
    text += field;
    for (const ResultLevel* total : {&results.z, &results.a, &results.c}) {
        text += separator;
        text += ResultText(*total, point);
    }
    text += separator;
    text += NcRatingText(results.nc);
    for (const BandResult& band : results.bands) {
        text += separator;
        text += ResultText(band.level, point);
    }
    text += kLineEnd;
}

}  // namespace

std::string ResultsCsvText(CMainDoc& doc, char point)
{
    const char separator = point == ',' ? ';' : ',';
    std::string text = "record";
    for (const char* name : {"source", "reference", "LZ", "LA", "LC", "NC"}) {
        text += separator;
        text += name;
    }
    for (int band = 0; band < MemoryRecord::kBands; ++band) {
        text += separator;
        text += std::to_string(NcCurveTable::BandFrequency(band));
    }
    text += kLineEnd;
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        if (doc.IsRecordInUse(record))
            AppendRow(text, doc, record, point, separator);
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
