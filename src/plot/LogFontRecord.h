#pragma once

#include <cstdint>
#include <string>

// The description of a font as the font-spec texts and the page renderer
// speak of it: heights in pixels (negative = character height, positive =
// cell height, 0 = the face's default), weight 0..1000 (400 normal, 700
// bold), escapement in tenths of a degree counter-clockwise.
struct LogFontRecord {
    static constexpr std::size_t kFaceSize = 31;  // characters of the face name

    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::string lfFaceName;

    bool operator==(const LogFontRecord&) const = default;
};
