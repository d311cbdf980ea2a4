#include "data/CMainDoc.h"

#include "data/DocumentMessages.h"
#include "data/FormatLevel.h"
#include "data/NcCurveTable.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "disk/AtomicFile.h"
#include "disk/DskFile.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Source names by mode bits 0-2; 6 and 7 have none.
constexpr std::array<const char*, 8> kSourceNames{"    ", "Mike", "Left", "Right", "Sum", "Diff", "", ""};

}  // namespace

CMainDoc::CMainDoc(UserInterface& ui) : m_ui(ui)
{}

CMainDoc::~CMainDoc() = default;

// --- Document lifecycle -------------------------------------------------------

bool CMainDoc::OnNewDocument()
{
    m_data.serialNumber.fill(' ');
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        ClearRecord(record);
    m_bDataValid = 1;
    m_bModified = false;
    m_history.Clear();
    SetPathName(Profile().GetString(ProfileKeys::kSettings, ProfileKeys::kInitDocDir, "") + kUntitled);
    m_bNeedsName = true;
    return true;
}

bool CMainDoc::OnOpenDocument(const std::string& path)
{
    WaitCursor wait(m_ui);
    m_bDataValid = 0;
    DskFile file;
    file.DskSetName(path);
    const std::int64_t length = file.DskGetLength();
    if (length < 0) {
        m_ui.Tell(DocumentMessages::CannotOpen(path, file.SystemErrorCode()),
                  UserInterface::Icon::Exclamation);
        return false;
    }
    if (length != SpectrumFile::kSize) {
        m_ui.Tell("Unknown File Format", UserInterface::Icon::Exclamation);
        m_bModified = false;
        return false;
    }
    // Read into a separate image so that a failed or short read leaves nothing half-loaded.
    SpectrumFile image;
    std::int32_t count = SpectrumFile::kSize;
    if (file.DskOpen(DskFile::kRead) != DskFile::kOk || file.DskRead(image.Bytes(), count) != DskFile::kOk) {
        m_ui.Tell(DocumentMessages::CannotOpen(path, file.SystemErrorCode()),
                  UserInterface::Icon::Exclamation);
        return false;
    }
    file.DskClose();
    m_data = image;
    m_bDataValid = 1;
    m_bModified = false;
    m_history.Clear();
    SetPathName(path);
    m_bNeedsName = false;
    return true;
}

bool CMainDoc::OnSaveDocument(const std::string& path)
{
    for (int record = 0; record < SpectrumFile::kRecords; ++record)
        UpdateChecksum(record);
    std::string error;
    if (!WriteFileAtomically(path, m_data.Bytes(), SpectrumFile::kSize, error)) {
        m_ui.Tell(DocumentMessages::CannotSave(path, error), UserInterface::Icon::Exclamation);
        return false;
    }
    m_bModified = false;
    m_history.MarkSaved();
    SetPathName(path);
    m_bNeedsName = false;
    // Every view shows that the changes are saved.
    UpdateAllViews(nullptr);
    return true;
}

void CMainDoc::SetPathName(const std::string& path)
{
    std::string directory;
    m_strPathName = path;
    DskSplitPath(path, directory, m_strTitle);
}

void CMainDoc::AddView(DocumentView* view)
{
    m_views.push_back(view);
}

void CMainDoc::RemoveView(DocumentView* view)
{
    std::erase(m_views, view);
}

void CMainDoc::UpdateAllViews(DocumentView* sender, int hint)
{
    for (DocumentView* view : m_views)
        if (view != sender)
            view->OnUpdate(sender, hint);
}

void CMainDoc::SetModifiedFlag(bool modified)
{
    m_bModified = modified;
    if (!modified)
        m_history.MarkSaved();
    else if (m_nEditDepth == 0)
        m_history.ForgetSaved();
}

void CMainDoc::RecordEdit(const std::string& name, const SpectrumFile& before, int mergeKey)
{
    m_history.Push(name, before, mergeKey);
}

void CMainDoc::Undo()
{
    if (!m_history.CanUndo())
        return;
    m_history.Undo(m_data);
    m_bModified = m_history.DiffersFromSaved();
    UpdateAllViews(nullptr);
}

void CMainDoc::Redo()
{
    if (!m_history.CanRedo())
        return;
    m_history.Redo(m_data);
    m_bModified = m_history.DiffersFromSaved();
    UpdateAllViews(nullptr);
}

DocumentEdit::DocumentEdit(CMainDoc& doc, std::string name, int mergeKey)
    : m_doc(doc), m_name(std::move(name)), m_mergeKey(mergeKey), m_before(doc.Data())
{
    ++m_doc.m_nEditDepth;
}

DocumentEdit::~DocumentEdit()
{
    --m_doc.m_nEditDepth;
    if (m_doc.Data() != m_before)
        m_doc.RecordEdit(m_name, m_before, m_mergeKey);
}

// --- Record operations and level texts ------------------------------------------

bool CMainDoc::ValidRecord(int record) const
{
    return m_bDataValid && record >= 0 && record < SpectrumFile::kRecords;
}

int CMainDoc::GetSerialText(std::string& text) const
{
    text.clear();
    if (!m_bDataValid)
        return 0;
    const auto& serial = m_data.serialNumber;
    if (std::all_of(serial.begin(), serial.end(), [](char c) { return c == ' '; }))
        return 0;
    // The serial number is a C text of at most 8 characters.
    text.assign(serial.data(), std::find(serial.begin(), serial.end(), '\0'));
    return 0;
}

int CMainDoc::IsRecordInUse(int record)
{
    if (!ValidRecord(record))
        return 0;
    if (m_data.RecordInUse(record))
        return 1;
    UpdateChecksum(record);
    return 0;
}

float CMainDoc::GetBandLevel(std::string& text, int band, int record) const
{
    text.clear();
    if (!ValidRecord(record) || band < 0 || band >= MemoryRecord::kBands)
        return 0.0f;
    const int code = m_data.records[static_cast<std::size_t>(record)].bands[static_cast<std::size_t>(band)];
    const float value = MemoryRecord::BandLevel(code);
    FormatLevel(text, value, Settings().Drawdpoint);
    if (code == 0)
        text = "<-20";
    else if (code >= MemoryRecord::kTopCode)
        text = ">4.1";
    text += "dBr";
    return value;
}

float CMainDoc::GetNcCurveLevel(std::string& text, int band, int nc) const
{
    text.clear();
    return static_cast<float>(NcCurveTable::Level(nc, band)) * 0.1f;
}

int CMainDoc::GetBandLabel(std::string& text, int band) const
{
    text = NcCurveTable::BandLabel(band);
    return NcCurveTable::BandFrequency(band);
}

void CMainDoc::AppendUnitSuffix(std::string& text, int source) const
{
    if (source == MemoryRecord::kSourceMike)
        text += " SPL";
    else if (source >= 2)
        text += "u";
}

float CMainDoc::GetRefLevel(std::string& text, int record) const
{
    text.clear();
    if (!ValidRecord(record))
        return 0.0f;
    const MemoryRecord& r = m_data.records[static_cast<std::size_t>(record)];
    const auto value = static_cast<float>(r.ReferenceLevel());
    FormatLevel(text, value, Settings().Drawdpoint);
    text += "dB";
    AppendUnitSuffix(text, r.Source());
    return value;
}

float CMainDoc::GetWidebandLevel(std::string& text, int record) const
{
    text.clear();
    if (!ValidRecord(record))
        return 0.0f;
    const MemoryRecord& r = m_data.records[static_cast<std::size_t>(record)];
    std::string unused;
    const float reference = GetRefLevel(unused, record);
    const float value = reference + MemoryRecord::WidebandLevel(r.wideband);
    FormatLevel(text, value, Settings().Drawdpoint);
    if (r.wideband == 0)
        text.insert(0, "<");
    else if (r.wideband >= MemoryRecord::kTopCode)
        text.insert(0, ">");
    text += r.Weighting() ? "dBC" : "dB";
    AppendUnitSuffix(text, r.Source());
    return value;
}

int CMainDoc::GetSource(std::string& text, int record) const
{
    text.clear();
    if (!ValidRecord(record))
        return 0;
    const int source = m_data.records[static_cast<std::size_t>(record)].Source();
    text = kSourceNames[static_cast<std::size_t>(source)];
    return source;
}

int CMainDoc::GetWeighting(std::string& text, int record) const
{
    text.clear();
    if (!ValidRecord(record))
        return 0;
    const int weighting = m_data.records[static_cast<std::size_t>(record)].Weighting();
    text = weighting ? "C" : "flat";
    return weighting;
}

int CMainDoc::GetNcCurve(std::string& text, int record) const
{
    text.clear();
    if (!ValidRecord(record))
        return 0;
    const int nc = m_data.records[static_cast<std::size_t>(record)].NcCurve();
    text = NcCurveTable::Name(nc);
    return nc;
}

int CMainDoc::SetNcCurve(int record, int nc)
{
    if (!ValidRecord(record))
        return 0;
    MemoryRecord& r = m_data.records[static_cast<std::size_t>(record)];
    r.mode = static_cast<std::uint8_t>((r.mode & 0x0F) | (nc << 4));
    SetModifiedFlag();
    UpdateChecksum(record);
    return 0;
}

int CMainDoc::ShiftReference(int record, int step)
{
    if (!ValidRecord(record) || (step != 1 && step != -1))
        return 0;
    MemoryRecord& r = m_data.records[static_cast<std::size_t>(record)];
    // The wideband code follows the band codes' rule, so its "<" and ">"
    // markers survive; the reference code must stay within a byte.
    const bool codeBlocks = MemoryRecord::BlocksShift(r.wideband, step) ||
                            std::any_of(r.bands.begin(), r.bands.end(),
                                        [&](std::uint8_t c) { return MemoryRecord::BlocksShift(c, step); });
    const int refCode = r.refCode - step;
    if (codeBlocks || refCode < 0 || refCode > 255)
        return -1;
    r.refCode = static_cast<std::uint8_t>(refCode);
    r.wideband = MemoryRecord::ShiftedCode(r.wideband, step);
    for (std::uint8_t& c : r.bands)
        c = MemoryRecord::ShiftedCode(c, step);
    SetModifiedFlag();
    return 0;
}

int CMainDoc::UpdateChecksum(int record)
{
    if (record < 0 || record >= SpectrumFile::kRecords)
        return 0;
    MemoryRecord& r = m_data.records[static_cast<std::size_t>(record)];
    r.checksum = r.ComputeChecksum();
    return 0;
}

int CMainDoc::GetComment(std::string& text, int record, int raw) const
{
    text.clear();
    if (!ValidRecord(record))
        return 0;
    const auto& comment = m_data.comments[static_cast<std::size_t>(record)];
    const bool blank = std::all_of(comment.begin(), comment.end(), [](char c) { return c == ' '; });
    if (raw) {
        if (blank) {
            text.assign(SpectrumFile::kCommentSize, ' ');
            return 1;
        }
        for (char c : comment) {
            const auto byte = static_cast<unsigned char>(c);
            text.push_back(byte < 0x20 || byte > 0x7F ? ' ' : c);
        }
        return 0;
    }
    if (blank)
        return 1;
    for (int line = 0; line < SpectrumFile::kCommentLines; ++line) {
        const char* start = comment.data() + line * SpectrumFile::kCommentLineSize;
        int length = SpectrumFile::kCommentLineSize;
        while (length > 0 && static_cast<unsigned char>(start[length - 1]) <= 0x20)
            --length;
        text.append(start, static_cast<std::size_t>(length));
        text += "\r\n";
    }
    return 0;
}

int CMainDoc::SetComment(int record, std::string_view text)
{
    if (!ValidRecord(record))
        return 0;
    auto& comment = m_data.comments[static_cast<std::size_t>(record)];
    comment.fill(' ');
    std::size_t pos = 0;
    // A NUL ends the text, as it ends a C string.
    const auto at = [&](std::size_t i) -> unsigned char {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
    };
    for (int line = 0; line < SpectrumFile::kCommentLines; ++line) {
        while (at(pos) >= 1 && at(pos) <= 31)
            ++pos;
        if (at(pos) == 0)
            break;
        char* out = comment.data() + line * SpectrumFile::kCommentLineSize;
        int stored = 0;
        while (stored < SpectrumFile::kCommentLineSize) {
            const unsigned char c = at(pos);
            if (c == 0)
                break;
            ++pos;
            if (c >= 1 && c <= 10)  // LF, TAB and the other low controls end the line
                break;
            if (c >= 11 && c <= 31)  // CR and the rest are dropped
                continue;
            out[stored++] = static_cast<char>(c);
        }
        if (at(pos) == 0)
            break;
    }
    SetModifiedFlag();
    UpdateChecksum(record);
    return 0;
}

int CMainDoc::ClearRecord(int record)
{
    if (record < 0 || record >= SpectrumFile::kRecords)
        return 0;
    m_data.records[static_cast<std::size_t>(record)] = MemoryRecord::Empty();
    m_data.comments[static_cast<std::size_t>(record)].fill(' ');
    UpdateChecksum(record);
    SetModifiedFlag();
    return 0;
}
