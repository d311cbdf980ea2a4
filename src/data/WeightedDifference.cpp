#include "data/WeightedDifference.h"

#include "data/FormatLevel.h"

#include <algorithm>
#include <cmath>

namespace {

// The rating works in whole tenths of a dB, so that the sum of the
// unfavourable deviations compares exactly with 32.0 dB.
constexpr int kReferenceTenths[kRatedBands] = {330, 360, 390, 420, 450, 480, 510, 520,
                                               530, 540, 550, 560, 560, 560, 560, 560};
constexpr int kLargestDeviationSum = 320;
constexpr int kReferenceAt500Hz = 52;
constexpr int kTenthsPerStep = 10;

// Sound level spectra to calculate C (spectrum 1) and Ctr (spectrum 2), dB.
constexpr int kSpectrumC[kRatedBands] = {-29, -26, -23, -21, -19, -17, -15, -13,
                                         -12, -11, -10, -9,  -9,  -9,  -9,  -9};
constexpr int kSpectrumCtr[kRatedBands] = {-20, -20, -18, -16, -15, -14, -13, -12,
                                           -11, -9,  -8,  -9,  -10, -11, -13, -15};

int DeviationSum(const long long (&values)[kRatedBands], int shift)
{
    long long sum = 0;
    for (int band = 0; band < kRatedBands; ++band) {
        const long long curve = kReferenceTenths[band] + kTenthsPerStep * shift;
        if (values[band] < curve)
            sum += curve - values[band];
    }
    return sum > kLargestDeviationSum ? kLargestDeviationSum + 1 : static_cast<int>(sum);
}

// X_A - rating, X_A = -10 log10 sum 10^((L_i - D_i)/10), to a whole number.
int AdaptationTerm(const long long (&values)[kRatedBands], const int (&spectrum)[kRatedBands], int rating)
{
    double power = 0.0;
    for (int band = 0; band < kRatedBands; ++band)
        power += std::pow(10.0, (spectrum[band] - static_cast<double>(values[band]) / 10.0) / 10.0);
    return static_cast<int>(std::lround(-10.0 * std::log10(power))) - rating;
}

}  // namespace

WeightedDifference RateWeightedDifference(const RatedLevels& values)
{
    WeightedDifference weighted;
    long long tenths[kRatedBands];
    for (int band = 0; band < kRatedBands; ++band) {
        const ResultLevel& value = values[static_cast<std::size_t>(band)];
        if (value.bound == LevelBound::kNone)
            return weighted;
        weighted.limited = weighted.limited || value.bound != LevelBound::kExact;
        tenths[band] = RoundedTenths(value.value);
    }
    // From the shift at which the curve lies under every value (no
    // deviation), towards the values while the sum stays within 32.0 dB.
    long long lowest = tenths[0] - kReferenceTenths[0];
    for (int band = 1; band < kRatedBands; ++band)
        lowest = std::min(lowest, tenths[band] - kReferenceTenths[band]);
    int shift = static_cast<int>(std::floor(static_cast<double>(lowest) / kTenthsPerStep));
    while (DeviationSum(tenths, shift + 1) <= kLargestDeviationSum)
        ++shift;
    weighted.valid = true;
    weighted.rating = kReferenceAt500Hz + shift;
    weighted.c = AdaptationTerm(tenths, kSpectrumC, weighted.rating);
    weighted.ctr = AdaptationTerm(tenths, kSpectrumCtr, weighted.rating);
    return weighted;
}

RatedLevels RatedBandsOf(const BandLevels& bands)
{
    RatedLevels rated;
    for (int band = 0; band < kRatedBands; ++band)
        rated[static_cast<std::size_t>(band)] = bands[static_cast<std::size_t>(kFirstRatedBand + band)];
    return rated;
}

std::string WeightedDifferenceText(const WeightedDifference& weighted)
{
    if (!weighted.valid)
        return {};
    std::string text = std::to_string(weighted.rating) + " (" + std::to_string(weighted.c) + "; " +
                       std::to_string(weighted.ctr) + ")";
    if (weighted.limited)
        text += " limited";
    return text;
}

double ShiftedReferenceLevel(int rating, int band)
{
    return (kReferenceTenths[band] + kTenthsPerStep * (rating - kReferenceAt500Hz)) / 10.0;
}
