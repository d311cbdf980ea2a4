#include "data/RecordText.h"

#include "data/CMainDoc.h"
#include "data/FormatLevel.h"
#include "data/ProgramSettings.h"

namespace {

// The reference level the text files and the integer layouts hold: 125 -
// refCode kept to 8 bits, as the analyser's own printouts give it.
int ReferenceByte(const MemoryRecord& record)
{
    return (MemoryRecord::kRefLevelOfCodeZero - record.refCode) & 0xFF;
}

// How a byte value is padded to its 3 columns.
enum class Padding { kSpaces, kZeros };

// A space, then value (0..255) in 3 columns: " %3d" or " %03d".
void AppendByte(std::string& text, int value, Padding padding)
{
    char field[4] = {' ', static_cast<char>('0' + value / 100), static_cast<char>('0' + value / 10 % 10),
                     static_cast<char>('0' + value % 10)};
    if (padding == Padding::kSpaces) {
        if (value < 100)
            field[1] = ' ';
        if (value < 10)
            field[2] = ' ';
    }
    text.append(field, sizeof field);
}

void AppendBandField(std::string& text, int code, int format)
{
    switch (format) {
    case ClipFormat::kPrn:
    case ClipFormat::kPrx:
        AppendByte(text, code, Padding::kSpaces);
        break;
    case ClipFormat::kDbInt:
    case ClipFormat::kDbText: {
        // The level without unit or range marker, always with one decimal.
        std::string level;
        FormatLevel(level, MemoryRecord::BandLevel(code), LevelFormat::kOneDecimal);
        text += level;
        break;
    }
    default:
        break;  // an unknown layout keeps only the separators
    }
}

}  // namespace

void AppendRecordText(std::string& text, const CMainDoc& doc, int record)
{
    const ProgramSettings& settings = Settings();
    const int format = settings.Clipfmat;
    const char sep = static_cast<char>(settings.Clipfiesep);
    const MemoryRecord& r = doc.Data().records[static_cast<std::size_t>(record)];

    for (int band = 0; band < MemoryRecord::kBands; ++band) {
        if (band > 0)
            text += sep;
        AppendBandField(text, r.bands[static_cast<std::size_t>(band)], format);
    }

    if (format == ClipFormat::kPrx || format == ClipFormat::kDbInt) {
        for (const int value : {int{r.wideband}, ReferenceByte(r), int{r.mode}}) {
            text += sep;
            AppendByte(text, value, Padding::kSpaces);
        }
    } else if (format == ClipFormat::kDbText) {
        std::string field;
        const auto appendField = [&] {
            text += sep;
            text += field;
        };
        doc.GetWidebandLevel(field, record);
        appendField();
        doc.GetRefLevel(field, record);
        appendField();
        doc.GetSource(field, record);
        appendField();
        doc.GetWeighting(field, record);
        appendField();
        doc.GetNcCurve(field, record);
        appendField();
        // The raw comment: 4 lines of exactly 40 characters, control
        // characters and bytes above 127 as spaces.
        std::string comment;
        doc.GetComment(comment, record, 1);
        comment.resize(SpectrumFile::kCommentSize, ' ');
        for (int line = 0; line < SpectrumFile::kCommentLines; ++line) {
            field = comment.substr(static_cast<std::size_t>(line * SpectrumFile::kCommentLineSize),
                                   SpectrumFile::kCommentLineSize);
            appendField();
        }
    }

    if (settings.Cliprecsep == kClipSeparatorCrLf)
        text += "\r\n";
    else
        text += static_cast<char>(settings.Cliprecsep);
}

void AppendTextFileLine(std::string& text, const MemoryRecord& record, int kind)
{
    for (const std::uint8_t code : record.bands)
        AppendByte(text, code, Padding::kZeros);
    if (kind == TextFileKind::kPrx) {
        AppendByte(text, record.wideband, Padding::kZeros);
        AppendByte(text, ReferenceByte(record), Padding::kZeros);
        AppendByte(text, record.mode, Padding::kZeros);
    }
    text += "\r\n";
}
