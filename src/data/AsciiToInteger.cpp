#include "data/AsciiToInteger.h"

#include <algorithm>
#include <limits>

ParsedInteger AsciiToInteger(std::string_view text)
{
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t at = 0;
    while (at < text.size() && isSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    ParsedInteger parsed;
    parsed.hasDigits = at < text.size() && isDigit(text[at]);
    // One past the largest magnitude is enough to tell a saturated value.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && isDigit(text[at]); ++at)
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), kLimit);
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    parsed.value = static_cast<std::int32_t>(value);
    return parsed;
}
