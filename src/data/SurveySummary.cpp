#include "data/SurveySummary.h"

#include "data/AcousticResults.h"
#include "data/FormatLevel.h"
#include "data/ResultText.h"
#include "data/SpectrumFile.h"

SummaryRow MakeSummaryRow(const SpectrumFile& data, int record)
{
    const AcousticResults results = ComputeAcousticResults(data.records[static_cast<std::size_t>(record)]);
    SummaryRow row;
    row.record = record;
    const SpectrumFile::Comment& comment = data.comments[static_cast<std::size_t>(record)];
    row.comment.assign(comment.data(), SpectrumFile::kCommentLineSize);
    // Bytes outside printable ASCII show as spaces, as on the printed page.
    for (char& c : row.comment)
        if (c < 0x20 || c > 0x7E)
            c = ' ';
    row.comment.erase(row.comment.find_last_not_of(' ') + 1);
    row.source = results.source;
    row.reference = results.reference;
    row.z = results.z;
    row.a = results.a;
    row.c = results.c;
    row.nc = results.nc;
    row.nr = results.nr;
    return row;
}

std::vector<SummaryRow> SummaryRows(const SpectrumFile& data)
{
    std::vector<SummaryRow> rows;
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        if (data.RecordInUse(record))
            rows.push_back(MakeSummaryRow(data, record));
    return rows;
}

const std::vector<std::string>& SummaryHeader()
{
    static const std::vector<std::string> header{"record", "comment", "source", "reference", "LZ",
                                                 "LA",     "LC",      "NC",     "NR"};
    return header;
}

std::vector<std::string> SummaryCells(const SummaryRow& row, char point)
{
    std::string reference;
    FormatOneDecimal(reference, row.reference, point);
    return {std::to_string(row.record + 1),
            row.comment,
            std::string(SourceName(row.source)),
            reference,
            ResultText(row.z, point),
            ResultText(row.a, point),
            ResultText(row.c, point),
            NcRatingText(row.nc),
            NrRatingText(row.nr)};
}
