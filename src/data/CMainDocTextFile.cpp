// PRN and PRX text files: export of the 30 records and import of such a file.

#include "data/CMainDoc.h"

#include "data/AsciiToInteger.h"
#include "data/DocumentMessages.h"
#include "data/RecordText.h"
#include "data/UserInterface.h"
#include "disk/AtomicFile.h"
#include "disk/DskFile.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

// Every line of a PRX file: 30 band codes, wideband, reference level, mode.
constexpr int kImportFields = 33;
constexpr int kReferenceField = 31;
// DskRead's error number when the call worked but the file had ended.
constexpr int kEndOfFile = 1;
// Fields are separated by any run of commas, TABs and spaces.
constexpr std::uint32_t kFieldDelimiters = ',' | ('\t' << 8) | (' ' << 16);
// The text file ends with Ctrl-Z after the last line.
constexpr char kEndOfText = '\x1A';
// Longest PRX line: 33 fields of " %03d" and CR LF.
constexpr std::size_t kMaxLineLength = kImportFields * 4 + 2;
// The file holds the reference level, the record its code (level = 125 -
// refCode). The export writes that level kept to 8 bits, so the levels
// 126..255 it writes for the codes 126..255 are read back as those codes.
long long ReferenceCode(long long level)
{
    constexpr long long kLevelOfCodeZero = MemoryRecord::kRefLevelOfCodeZero;
    if (level > kLevelOfCodeZero && level <= 255)
        return kLevelOfCodeZero - level + 256;
    return kLevelOfCodeZero - level;
}

// The first 30 lines of the open file. False when it cannot be read; a
// last line without a line end counts as a line.
bool ReadImportLines(DskFile& file, std::vector<std::string>& lines)
{
    std::string line;
    while (lines.size() < SpectrumFile::kRecords) {
        if (file.DskReadLine(line) == DskFile::kOk) {
            lines.push_back(line);
            continue;
        }
        if (file.SystemErrorCode() != kEndOfFile)
            return false;
        if (!line.empty())
            lines.push_back(line);
        break;
    }
    return true;
}

// ReadImportLines of bytes in memory.
std::vector<std::string> SplitImportLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    std::string line;
    while (lines.size() < SpectrumFile::kRecords) {
        line.clear();
        const bool complete = DskTakeLine(text, pos, line);
        if (complete || !line.empty())
            lines.push_back(line);
        if (!complete)
            break;
    }
    return lines;
}

}  // namespace

std::string CMainDoc::PathWithExtension(std::string_view extension) const
{
    const std::size_t nameStart = m_strPathName.find_last_of('/') + 1;
    const std::size_t dot = m_strPathName.find_last_of('.');
    const std::string stem =
        dot == std::string::npos || dot < nameStart ? m_strPathName : m_strPathName.substr(0, dot);
    return stem + "." + std::string(extension);
}

std::string CMainDoc::TextFileName(int kind) const
{
    return PathWithExtension(kind == TextFileKind::kPrx ? "prx" : "prn");
}

int CMainDoc::ExportText(int kind, const std::string& path)
{
    if (path.empty())
        return -1;
    std::string text;
    text.reserve(SpectrumFile::kRecords * kMaxLineLength + 1);
    for (const MemoryRecord& record : m_data.records)
        AppendTextFileLine(text, record, kind);
    text += kEndOfText;
    std::string error;
    if (!WriteFileAtomically(path, text.data(), text.size(), error)) {
        m_ui.Tell(DocumentMessages::CannotSave(path, error), UserInterface::Icon::Exclamation);
        return -1;
    }
    m_ui.Beep();
    return 0;
}

int CMainDoc::OnImport(const std::string& path)
{
    DskFile file;
    file.DskSetName(path);
    std::vector<std::string> lines;
    // Everything is read before anything is cleared, so a file that cannot
    // be read leaves the records as they were.
    if (file.DskOpen(DskFile::kRead) != DskFile::kOk || !ReadImportLines(file, lines)) {
        // The file layer opens regular files only, so a device or a pipe
        // (which might never end, or never start) is refused here too.
        m_ui.Tell(DocumentMessages::CannotOpen(path, file.SystemErrorCode()) + "\r\nNothing was imported",
                  UserInterface::Icon::Exclamation);
        return -1;
    }
    file.DskClose();
    ImportLines(lines);
    return 0;
}

void CMainDoc::ImportText(std::string_view text)
{
    ImportLines(SplitImportLines(text));
}

void CMainDoc::ImportLines(const std::vector<std::string>& lines)
{
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        ClearRecord(record);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::uint8_t* bytes = m_data.records[n].Bytes();
        std::size_t pos = 0;
        for (int k = 0; k < kImportFields; ++k) {
            const std::string_view field = DskNextField(lines[n], pos, kFieldDelimiters);
            if (field.empty())
                break;  // the fields are the runs of the line: none follows a missing one
            long long value = AsciiToInteger(field).value;
            if (k == kReferenceField)
                value = ReferenceCode(value);
            // Values outside a byte are skipped, not clipped.
            if (value >= 0 && value <= 255)
                bytes[k] = static_cast<std::uint8_t>(value);
        }
    }
    SetModifiedFlag();
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        UpdateChecksum(record);
}
