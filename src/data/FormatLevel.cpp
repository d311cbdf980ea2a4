#include "data/FormatLevel.h"

#include "data/ProgramSettings.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// One decimal with an exact half in the second decimal rounded away from
// zero (4.25 gives "4.3", 4.125 gives "4.1"), as "%.1f" of the rounded
// tenths prints it. Every level is a multiple of 1/8 dB, so the tenths are
// exact in double precision. Levels are texts of every view repaint, so this
// avoids the cost of printf.
void OneDecimal(std::string& text, float value)
{
    const long long tenths = std::llround(static_cast<double>(value) * 10.0);
    const unsigned long long magnitude =
        tenths < 0 ? 0ull - static_cast<unsigned long long>(tenths) : static_cast<unsigned long long>(tenths);
    char buffer[32];
    char* out = buffer;
    if (tenths < 0 || (tenths == 0 && value < 0))
        *out++ = '-';
    // Two places stay free for the point and the decimal.
    out = std::to_chars(out, buffer + sizeof buffer - 2, magnitude / 10).ptr;
    *out++ = '.';
    *out++ = static_cast<char>('0' + magnitude % 10);
    text.assign(buffer, out);
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
        text.assign(buffer, std::to_chars(buffer, buffer + sizeof buffer, n).ptr);
        break;
    case LevelFormat::kOneDecimal:
        OneDecimal(text, value);
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
