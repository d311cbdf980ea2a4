#include "data/FormatLevel.h"

#include "data/ProgramSettings.h"

#include <cmath>
#include <cstdio>

namespace {

// One decimal with an exact half in the second decimal rounded away from
// zero (4.25 gives "4.3", 4.125 gives "4.1"). Every level is a multiple of
// 1/8 dB, so tenths are exact enough in double precision.
std::string OneDecimal(float value)
{
    const double tenths = std::round(static_cast<double>(value) * 10.0);
    char text[64];
    std::snprintf(text, sizeof text, "%.1f", tenths / 10.0);
    return text;
}

}  // namespace

int FormatLevel(std::string& text, float value, int format)
{
    double x = value;
    if (Settings().Clipround == 1)
        x += 0.5;
    if (x < 0)
        x += 0.1;
    // Integer part toward zero, one less while still negative.
    long long n = static_cast<long long>(std::trunc(x));
    if (x < 0)
        n -= 1;

    char buffer[32];
    switch (format) {
    case LevelFormat::kInteger:
        std::snprintf(buffer, sizeof buffer, "%lld", n);
        text = buffer;
        break;
    case LevelFormat::kOneDecimal:
        text = OneDecimal(value);
        break;
    case LevelFormat::kHex:
        std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(static_cast<int>(n)));
        text = buffer;
        break;
    default:
        text.clear();
        break;
    }
    return 0;
}
