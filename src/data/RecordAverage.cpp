#include "data/RecordAverage.h"

#include "data/AcousticResults.h"
#include "data/CMainDoc.h"
#include "data/RecordList.h"
#include "data/ResultText.h"

#include <cmath>

namespace {

// The energy mean of levels with the bound rules of an average.
class EnergyMean {
public:
    void Add(const ResultLevel& level)
    {
        m_power += std::pow(10.0, level.value / 10.0);
        ++m_count;
        m_below = m_below || level.bound == LevelBound::kAtMost;
        m_above = m_above || level.bound == LevelBound::kAtLeast;
    }

    ResultLevel Level() const
    {
        LevelBound bound = LevelBound::kExact;
        if (m_below && m_above)
            bound = LevelBound::kEither;
        else if (m_below)
            bound = LevelBound::kAtMost;
        else if (m_above)
            bound = LevelBound::kAtLeast;
        return {10.0 * std::log10(m_power / m_count), bound};
    }

private:
    double m_power = 0.0;
    int m_count = 0;
    bool m_below = false;
    bool m_above = false;
};

// A level as a code of the record: 160 + 8 (level - reference) rounded half
// away from zero, kept in the range (0 below it, 194 above).
std::uint8_t LevelCode(double relative)
{
    const long long code = std::llround(MemoryRecord::kZeroCode + MemoryRecord::kCodesPerDb * relative);
    if (code < 1)
        return 0;
    return static_cast<std::uint8_t>(code > MemoryRecord::kTopCode - 1 ? MemoryRecord::kTopCode : code);
}

}  // namespace

SurveyError AverageRecords(const SpectrumFile& data, const std::vector<int>& records, RecordAverage& average)
{
    if (records.empty())
        return {SurveyError::Kind::kNoData};
    for (const int record : records) {
        if (record < 0 || record >= SpectrumFile::kRecords)
            return {SurveyError::Kind::kBadRecord, record};
        if (!data.RecordInUse(record))
            return {SurveyError::Kind::kRecordNotInUse, record};
    }
    const int source = data.records[static_cast<std::size_t>(records.front())].Source();
    for (const int record : records)
        if (LevelUnit(data.records[static_cast<std::size_t>(record)].Source()) != LevelUnit(source))
            return {SurveyError::Kind::kDifferentUnits, record, records.front()};

    std::array<EnergyMean, MemoryRecord::kBands> bands;
    EnergyMean wideband;
    for (const int record : records) {
        const MemoryRecord& r = data.records[static_cast<std::size_t>(record)];
        const BandLevels levels = RecordBandLevels(r);
        for (std::size_t band = 0; band < bands.size(); ++band)
            bands[band].Add(levels[band]);
        wideband.Add(RecordWidebandLevel(r));
    }
    average.records = records;
    average.source = source;
    for (std::size_t band = 0; band < bands.size(); ++band)
        average.bands[band] = bands[band].Level();
    average.wideband = wideband.Level();
    return {};
}

MemoryRecord AverageAsRecord(const SpectrumFile& data, const RecordAverage& average)
{
    MemoryRecord record;
    if (average.records.empty())
        return record;
    const MemoryRecord& first = data.records[static_cast<std::size_t>(average.records.front())];
    record.refCode = first.refCode;
    record.mode = first.mode;
    const int reference = record.ReferenceLevel();
    for (std::size_t band = 0; band < record.bands.size(); ++band)
        record.bands[band] = LevelCode(average.bands[band].value - reference);
    // Wideband code 160 stands 10 dB above the reference.
    record.wideband = LevelCode(average.wideband.value - reference - MemoryRecord::kWidebandOffset);
    record.checksum = record.ComputeChecksum();
    return record;
}

std::string AverageComment(const RecordAverage& average)
{
    return "Average of " + RecordListText(average.records);
}

SurveyError StoreAverage(CMainDoc& doc, const std::vector<int>& records, int target)
{
    if (!doc.IsDataValid())
        return {SurveyError::Kind::kNoData};
    if (target < 0 || target >= SpectrumFile::kRecords)
        return {SurveyError::Kind::kBadRecord, target};
    RecordAverage average;
    if (const SurveyError error = AverageRecords(doc.Data(), records, average))
        return error;
    doc.Data().records[static_cast<std::size_t>(target)] = AverageAsRecord(doc.Data(), average);
    // Sets the modified flag and the checksum.
    doc.SetComment(target, AverageComment(average));
    return {};
}
