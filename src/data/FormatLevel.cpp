#include "data/FormatLevel.h"

#include "data/ProgramSettings.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// A level has at most three decimals (eighths of a dB, plus weightings in
// tenths), but in binary an exact half such as 0.15 may lie a hair below
// it: the value is taken to whole thousandths first, so that its half
// rounds away from zero as written.
unsigned long long RoundedMagnitude(long long thousandths)
{
    return ((thousandths < 0 ? 0ull - static_cast<unsigned long long>(thousandths)
                             : static_cast<unsigned long long>(thousandths)) +
            50) /
           100;
}

}  // namespace

long long RoundedTenths(double value)
{
    const long long thousandths = std::llround(value * 1000.0);
    const auto magnitude = static_cast<long long>(RoundedMagnitude(thousandths));
    return thousandths < 0 ? -magnitude : magnitude;
}

// Levels are texts of every view repaint, so this avoids the cost of printf.
void FormatOneDecimal(std::string& text, double value, char point)
{
    const long long thousandths = std::llround(value * 1000.0);
    const unsigned long long magnitude = RoundedMagnitude(thousandths);
    const bool negative = thousandths < 0 && magnitude != 0;
    char buffer[32];
    char* out = buffer;
    // "%.1f" keeps the sign of a negative value that rounds to zero.
    if (negative || (magnitude == 0 && value < 0))
        *out++ = '-';
    // Two places stay free for the point and the decimal.
    out = std::to_chars(out, buffer + sizeof buffer - 2, magnitude / 10).ptr;
    *out++ = point;
    *out++ = static_cast<char>('0' + magnitude % 10);
    text.assign(buffer, out);
}

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
        text.assign(buffer, std::to_chars(buffer, buffer + sizeof buffer, n).ptr);
        break;
    case LevelFormat::kOneDecimal:
        FormatOneDecimal(text, value);
        break;
    case LevelFormat::kHex: {
        // Upper-case hexadecimal of the 32-bit integer, two's complement for negatives.
        const auto bits = static_cast<std::uint32_t>(static_cast<std::int32_t>(n));
        char* end = std::to_chars(buffer, buffer + sizeof buffer, bits, 16).ptr;
        for (char* c = buffer; c != end; ++c)
            if (*c >= 'a')
                *c = static_cast<char>(*c - 'a' + 'A');
        text.assign(buffer, end);
        break;
    }
    default:
        text.clear();
        break;
    }
    return 0;
}
