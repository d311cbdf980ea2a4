#include "plot/FontSpec.h"

#include "data/AsciiToInteger.h"
#include "plot/FontChooser.h"

#include <QPainter>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <strings.h>

namespace {

constexpr int kPointsFactor = 1000;
constexpr int kDefaultPixelSize = 12;  // a face's own size when the record asks for height 0
constexpr int kMaxPixelSize = 2048;    // larger texts could not be drawn on any page
constexpr int kProbePixelSize = 100;   // for turning a cell height into a character height
constexpr int kNormalWeight = 400;

// The faces the settings name, as installed here with the same metrics.
struct FaceSubstitute {
    const char* face;
    const char* installed;
    bool monospaced;
};

constexpr FaceSubstitute kSubstitutes[] = {
    {"Arial", "Liberation Sans", false},
    {"Helvetica", "Liberation Sans", false},
    {"Times New Roman", "Liberation Serif", false},
    {"Courier New", "Liberation Mono", true},
    {"Fixedsys", "DejaVu Sans Mono", true},
};

const FaceSubstitute* SubstituteFor(const std::string& face)
{
    for (const FaceSubstitute& substitute : kSubstitutes)
        if (::strcasecmp(face.c_str(), substitute.face) == 0)
            return &substitute;
    return nullptr;
}

std::int32_t AbsPoints(std::int32_t height)
{
    const std::int32_t points = MulDiv(height, 72, FontSpec::kLogPixelsY);
    return points < 0 ? -points : points;
}

int PixelSizeFor(const LogFontRecord& logFont, QFont font)
{
    const std::int64_t height = logFont.lfHeight;
    if (height == 0)
        return kDefaultPixelSize;
    if (height < 0)
        return static_cast<int>(std::min<std::int64_t>(-height, kMaxPixelSize));
    // A positive height is the whole cell, ascent plus descent.
    font.setPixelSize(kProbePixelSize);
    const int probeHeight = std::max(QFontMetrics(font).height(), 1);
    const std::int64_t size = (height * kProbePixelSize + probeHeight / 2) / probeHeight;
    return static_cast<int>(std::clamp<std::int64_t>(size, 1, kMaxPixelSize));
}

}  // namespace

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t absDivisor = divisor < 0 ? -divisor : divisor;
    const std::int64_t quotient = (magnitude + absDivisor / 2) / absDivisor;
    if (quotient > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(negative ? -quotient : quotient);
}

LogFontRecord FontSpec::RecordFromSpec(const std::string& spec)
{
    LogFontRecord logFont;
    if (spec.empty()) {
        logFont.lfFaceName = kDefaultFace;
        return logFont;
    }
    const std::size_t separator = spec.find_first_of(",_");
    logFont.lfFaceName = spec.substr(0, std::min(separator, LogFontRecord::kFaceSize));
    std::int32_t number = 0;
    if (separator != std::string::npos) {
        const std::size_t end = spec.find_first_of(",_", separator + 1);
        number =
            AsciiToInteger(spec.substr(separator + 1, end == std::string::npos ? end : end - separator - 1))
                .value;
    }
    const std::int32_t flags = number % 100;
    logFont.lfHeight = -MulDiv(number / kPointsFactor, kLogPixelsY, 72);
    logFont.lfWeight = number / 100 % 10 * 100;
    logFont.lfItalic = static_cast<std::uint8_t>(flags & 1);
    logFont.lfUnderline = static_cast<std::uint8_t>(flags >> 1 & 1);
    logFont.lfStrikeOut = static_cast<std::uint8_t>(flags >> 2 & 1);
    return logFont;
}

std::string FontSpec::SpecFromRecord(const LogFontRecord& logFont)
{
    const std::int64_t number = std::int64_t{AbsPoints(logFont.lfHeight)} * kPointsFactor +
                                std::int64_t{logFont.lfWeight / 100} * 100 + (logFont.lfItalic & 1) +
                                2 * (logFont.lfUnderline & 1) + 4 * (logFont.lfStrikeOut & 1);
    return logFont.lfFaceName + "," + std::to_string(number);
}

QFont FontSpec::MakeFont(const LogFontRecord& logFont)
{
    QFont font;
    QStringList families;
    const FaceSubstitute* substitute = SubstituteFor(logFont.lfFaceName);
    if (substitute)
        families << QString::fromLatin1(substitute->installed);
    if (!logFont.lfFaceName.empty())
        families << QString::fromLatin1(logFont.lfFaceName.c_str());
    font.setFamilies(families);
    if (substitute && substitute->monospaced) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    font.setPixelSize(PixelSizeFor(logFont, font));
    const int weight = logFont.lfWeight == 0 ? kNormalWeight : std::clamp(logFont.lfWeight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    // Text is laid out glyph by glyph, without pair kerning, as TextOut does.
    font.setKerning(false);
    return font;
}

LogFontRecord FontSpec::RecordFromFont(const QFont& font)
{
    LogFontRecord logFont;
    if (font.pixelSize() > 0)
        logFont.lfHeight = -font.pixelSize();
    else
        logFont.lfHeight = -MulDiv(static_cast<std::int32_t>(font.pointSizeF() + 0.5), kLogPixelsY, 72);
    logFont.lfWeight = font.weight();
    logFont.lfItalic = font.italic() ? 1 : 0;
    logFont.lfUnderline = font.underline() ? 1 : 0;
    logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
    logFont.lfFaceName = font.family().toStdString().substr(0, LogFontRecord::kFaceSize);
    return logFont;
}

QString FontSpec::PageText(const std::string& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (decoder.hasError())
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return decoded;
}

void FontSpec::CreateFont()
{
    m_font = MakeFont(m_logFont);
    m_metrics.emplace(*m_font);
    m_strSpec = SpecFromRecord(m_logFont);
}

int FontSpec::FromSpec(const std::string& spec)
{
    m_logFont = RecordFromSpec(spec);
    CreateFont();
    return 0;
}

int FontSpec::FromLogFont(const LogFontRecord& logFont)
{
    m_logFont = logFont;
    if (m_logFont.lfFaceName.size() > LogFontRecord::kFaceSize)
        m_logFont.lfFaceName.resize(LogFontRecord::kFaceSize);
    CreateFont();
    return 0;
}

int FontSpec::LogFont(LogFontRecord& out) const
{
    if (!HasFont())
        return -1;
    out = m_logFont;
    return 0;
}

int FontSpec::FaceName(std::string& out) const
{
    if (!HasFont()) {
        out.clear();
        return -1;
    }
    out = m_logFont.lfFaceName;
    return 0;
}

int FontSpec::PointSize() const
{
    return HasFont() ? AbsPoints(m_logFont.lfHeight) : -1;
}

int FontSpec::Choose(const std::string& spec, FontChooser& chooser)
{
    const bool startFromLogFont = HasFont() || !spec.empty();
    Free();
    if (!spec.empty())
        m_logFont = RecordFromSpec(spec);
    LogFontRecord chosen = m_logFont;
    if (!chooser.ChooseFont(chosen, startFromLogFont))
        return -1;
    return FromLogFont(chosen);
}

void FontSpec::Free()
{
    m_font.reset();
    m_metrics.reset();
    m_strSpec.clear();
}

int FontSpec::TextWidth(const std::string& text) const
{
    return HasFont() ? m_metrics->horizontalAdvance(PageText(text)) : 0;
}

int FontSpec::TextHeight() const
{
    return HasFont() ? m_metrics->height() : 0;
}

void FontSpec::DrawText(QPainter& painter, int x, int y, const std::string& text) const
{
    if (!HasFont())
        return;
    painter.setFont(*m_font);
    const int ascent = m_metrics->ascent();
    if (m_logFont.lfEscapement == 0) {
        painter.drawText(x, y + ascent, PageText(text));
        return;
    }
    // The escapement turns the text counter-clockwise about its reference
    // point; Qt turns clockwise for positive angles on a top-down page.
    painter.save();
    painter.translate(x, y);
    painter.rotate(-m_logFont.lfEscapement / 10.0);
    painter.drawText(0, ascent, PageText(text));
    painter.restore();
}
