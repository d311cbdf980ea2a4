#pragma once

#include <cstdint>
#include <string_view>

// A number read from text as atoi reads it: leading white space, an optional
// sign and the digits that follow; anything after them is ignored. Where atoi
// is undefined (more than 32 bits) the value saturates at the 32-bit limits.
struct ParsedInteger {
    std::int32_t value = 0;
    bool hasDigits = false;  // false: the text holds no number at all
};

ParsedInteger AsciiToInteger(std::string_view text);
