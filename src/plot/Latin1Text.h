#pragma once

#include <QString>

#include <string_view>

// The program's own 8-bit texts (levels, ratings, comments) on screen and on
// the page: one byte a column, as Latin-1.
inline QString Latin1Text(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
