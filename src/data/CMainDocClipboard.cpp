// The record clipboard operations of the document: copy, paste and the label.

#include "data/CMainDoc.h"

#include "data/RecordClipboard.h"
#include "data/RecordText.h"
#include "data/UserInterface.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxLabel = 255;

}  // namespace

int CMainDoc::CopyRecords(int first, int count)
{
    if (!m_bDataValid)
        return 0;
    if (first < 0 || count < 0 || first + count > SpectrumFile::kRecords)
        return -1;
    RecordClipboard& clipboard = Clipboard();
    clipboard.copyStart = first;
    clipboard.copyCount = count;
    for (int r = first; r < first + count; ++r) {
        const auto source = static_cast<std::size_t>(r);
        const auto slot = count <= 1 ? std::size_t{0} : source;
        clipboard.image.records[slot] = m_data.records[source];
        clipboard.image.comments[slot] = m_data.comments[source];
    }

    std::string text;
    for (int r = first; r < first + count; ++r)
        AppendRecordText(text, *this, r);
    return m_ui.SetClipboardText(text) ? 0 : kClipboardUnavailable;
}

int CMainDoc::PasteRecords(int target)
{
    const RecordClipboard& clipboard = Clipboard();
    if (clipboard.copyStart < 0 || clipboard.copyCount <= 0)
        return 1;
    // One record goes to the target; a set goes back to the positions it came from.
    const bool single = clipboard.copyCount == 1;
    if (single && (target < 0 || target >= SpectrumFile::kRecords))
        return -1;
    const int first = std::max(single ? target : clipboard.copyStart, 0);
    const int last =
        std::min(single ? target : clipboard.copyStart + clipboard.copyCount - 1, SpectrumFile::kRecords - 1);
    for (int r = first; r <= last; ++r) {
        const auto destination = static_cast<std::size_t>(r);
        const auto slot = single ? std::size_t{0} : destination;
        m_data.records[destination] = clipboard.image.records[slot];
        m_data.comments[destination] = clipboard.image.comments[slot];
    }
    SetModifiedFlag();
    UpdateChecksum(target);
    return 0;
}

void CMainDoc::SetClipboardLabel(std::string_view text)
{
    if (!m_bDataValid)
        return;
    Clipboard().label = text.substr(0, kMaxLabel);
    // Every view shows the label and enables Paste by it.
    m_ui.RefreshAllViews();
}

void CMainDoc::GetClipboardLabel(std::string& text) const
{
    text = m_bDataValid ? Clipboard().label : std::string();
}
