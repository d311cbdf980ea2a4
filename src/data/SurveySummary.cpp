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
    row.comment = FirstCommentLine(data, record);
    row.source = results.source;
    row.reference = results.reference;
    row.z = results.z;
    row.a = results.a;
    row.c = results.c;
    row.nc = results.nc;
    row.nr = results.nr;
    return row;
}

std::string FirstCommentLine(const SpectrumFile& data, int record)
{
    const SpectrumFile::Comment& comment = data.comments[static_cast<std::size_t>(record)];
    std::string line(comment.data(), SpectrumFile::kCommentLineSize);
    for (char& c : line)
        if (c < 0x20 || c > 0x7E)
            c = ' ';
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
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
