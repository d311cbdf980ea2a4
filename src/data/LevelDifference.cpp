#include "data/LevelDifference.h"

#include "data/AcousticResults.h"
#include "data/ResultText.h"
#include "data/SpectrumFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// The background correction of the receiving room's level, dB.
constexpr double kNoCorrectionFrom = 10.0;  // the background is this far under: no correction
constexpr double kLimitUpTo = 6.0;          // this close or closer: the limit of measurement
constexpr double kLimitCorrection = 1.3;
constexpr double kReferenceTime = 0.5;  // s, DnT's reference reverberation time

bool IsLowerBound(LevelBound bound)
{
    return bound == LevelBound::kAtLeast || bound == LevelBound::kEither;
}

bool IsUpperBound(LevelBound bound)
{
    return bound == LevelBound::kAtMost || bound == LevelBound::kEither;
}

// The receiving level corrected for the background; true when the band is
// at the limit of measurement.
bool CorrectForBackground(double& receive, const ResultLevel& background)
{
    // The true level of a background above range may lie anywhere over the
    // receiving level, so such a band is at the limit too.
    const double distance = receive - background.value;
    if (!IsLowerBound(background.bound) && distance >= kNoCorrectionFrom)
        return false;
    if (!IsLowerBound(background.bound) && distance > kLimitUpTo) {
        receive = 10.0 * std::log10(std::pow(10.0, receive / 10.0) - std::pow(10.0, background.value / 10.0));
        return false;
    }
    receive -= kLimitCorrection;
    return true;
}

}  // namespace

LevelDifference DifferenceOfLevels(const BandLevels& source, const BandLevels& receive,
                                   const BandLevels* background)
{
    LevelDifference difference;
    for (std::size_t band = 0; band < difference.bands.size(); ++band) {
        const ResultLevel& l1 = source[band];
        const ResultLevel& l2 = receive[band];
        if (l1.bound == LevelBound::kNone || l2.bound == LevelBound::kNone)
            continue;
        double corrected = l2.value;
        bool atLimit = false;
        if (background != nullptr && (*background)[band].bound != LevelBound::kNone)
            atLimit = CorrectForBackground(corrected, (*background)[band]);
        difference.atLimit[band] = atLimit;
        // Below range, the source room's level says nothing of the wall.
        if (IsUpperBound(l1.bound))
            continue;
        const bool atLeast = IsLowerBound(l1.bound) || IsUpperBound(l2.bound) || atLimit;
        const bool atMost = IsLowerBound(l2.bound);
        if (atLeast && atMost)
            continue;
        LevelBound bound = LevelBound::kExact;
        if (atLeast)
            bound = LevelBound::kAtLeast;
        else if (atMost)
            bound = LevelBound::kAtMost;
        difference.bands[band] = {l1.value - corrected, bound};
    }
    difference.weighted = RateWeightedDifference(RatedBandsOf(difference.bands));
    return difference;
}

SurveyError DifferenceOfRecords(const SpectrumFile& data, int source, int receive, int background,
                                LevelDifference& difference)
{
    const int roles[] = {source, receive, background};
    const int count = background < 0 ? 2 : 3;
    for (int role = 0; role < count; ++role) {
        const int record = roles[role];
        if (record < 0 || record >= SpectrumFile::kRecords)
            return {SurveyError::Kind::kBadRecord, record};
        if (!data.RecordInUse(record))
            return {SurveyError::Kind::kRecordNotInUse, record};
        for (int earlier = 0; earlier < role; ++earlier)
            if (roles[earlier] == record)
                return {SurveyError::Kind::kRepeatedRecord, record, roles[earlier]};
        const std::string_view unit = LevelUnit(data.records[static_cast<std::size_t>(record)].Source());
        if (unit != LevelUnit(data.records[static_cast<std::size_t>(source)].Source()))
            return {SurveyError::Kind::kDifferentUnits, record, source};
    }
    const auto levels = [&data](int record) {
        return RecordBandLevels(data.records[static_cast<std::size_t>(record)]);
    };
    const BandLevels backgroundLevels = background < 0 ? BandLevels{} : levels(background);
    difference =
        DifferenceOfLevels(levels(source), levels(receive), background < 0 ? nullptr : &backgroundLevels);
    return {};
}

SurveyError CheckReverberationTimes(const std::vector<double>& times)
{
    if (times.size() != 1 && times.size() != kRatedBands)
        return {SurveyError::Kind::kTimeCount};
    for (std::size_t i = 0; i < times.size(); ++i)
        if (!(times[i] > 0.0) || !std::isfinite(times[i]))
            return {SurveyError::Kind::kTimeNotPositive, static_cast<int>(i)};
    return {};
}

SurveyError StandardizeDifference(const LevelDifference& difference, const std::vector<double>& times,
                                  StandardizedDifference& standardized)
{
    if (const SurveyError error = CheckReverberationTimes(times))
        return error;
    const RatedLevels rated = RatedBandsOf(difference.bands);
    for (std::size_t band = 0; band < rated.size(); ++band) {
        const double time = times.size() == 1 ? times.front() : times[band];
        standardized.bands[band] = rated[band];
        if (rated[band].bound != LevelBound::kNone)
            standardized.bands[band].value += 10.0 * std::log10(time / kReferenceTime);
    }
    standardized.weighted = RateWeightedDifference(standardized.bands);
    return {};
}

bool ParseReverberationTimes(std::string_view text, std::vector<double>& times)
{
    times.clear();
    std::size_t pos = 0;
    while (true) {
        const std::size_t comma = std::min(text.find(',', pos), text.size());
        const char* begin = text.data() + pos;
        const char* end = text.data() + comma;
        double time = 0.0;
        const auto [ptr, ec] = std::from_chars(begin, end, time, std::chars_format::fixed);
        if (begin == end || ec != std::errc() || ptr != end) {
            times.clear();
            return false;
        }
        times.push_back(time);
        if (comma == text.size())
            return true;
        pos = comma + 1;
    }
}
