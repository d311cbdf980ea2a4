#include "link/CCommsDlg.h"

#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "link/CommsProtocol.h"

#include <optional>

// Uploads: "T", then the record's 34 bytes as 68 half-bytes, each one
// acknowledged.

using namespace comms;

int CCommsDlg::UploadRecord(const MemoryRecord& image, int target, int nSourceSlot)
{
    m_lastFailure = CommsFailure::None;
    if (target != kCurrentMemory && !ValidMemory(target))
        return RefuseRequest();
    // The analyser's selected memory is not known before a status read has
    // completed: selection byte 0x60 would write a memory nobody chose.
    if (target == kCurrentMemory && (m_panel.m_nPanelMemory < 1 || m_panel.m_nPanelMemory > kMemories)) {
        m_ui.Tell(
            "The memory selected on the TALVEK 7 is not known\r\nRead its status first, or choose a memory",
            UserInterface::Icon::Exclamation);
        m_lastFailure = CommsFailure::MemoryUnknown;
        return kFailed;
    }
    ExchangeScope exchange(*this);
    WaitCursor wait(m_ui);
    // The analyser's memories change: what the display shows is no longer fresh.
    m_bShowingRecord = 0;
    const int memory = target == kCurrentMemory ? m_panel.m_nPanelMemory - 1 : target;
    for (;;) {
        std::optional<std::uint8_t> unacknowledged;
        const int result = SendRecord(image, memory, nSourceSlot, unacknowledged);
        if (result != 0)
            return result;
        if (!unacknowledged)
            break;
        // The analyser may have taken the half-byte whose answer was lost:
        // sending it alone again would put every later one a place off.
        if (!AskTryCommandAgain(*unacknowledged))
            return CommandTimedOutEnd();
    }
    m_strCommsStatus = "Ok";
    Disconnect();
    UpdateFields();
    m_ui.Repaint();
    return 0;
}

int CCommsDlg::SendRecord(const MemoryRecord& image, int memory, int nSourceSlot,
                          std::optional<std::uint8_t>& unacknowledged)
{
    unacknowledged.reset();
    int result = SendCommand(static_cast<std::uint8_t>(kCmdSelectMemory + memory), true);
    if (result != 0)
        return result;
    m_panel.m_nPanelMemory = memory + 1;
    m_strCommsStatus = Format("Selecting TALVEK 7 Mem %02d", memory + 1);
    UpdateFields();
    Pause(Settings().Comdelay);

    if (const int reopened = OpenLine(); reopened != 0)
        return reopened;
    // A port that fails here is reported and closed like any other link failure.
    if (m_link.Drain() != 0)
        return PortFailure();
    Pause(Settings().Comdelay);

    result = SendCommand(kCmdReceiveRecord, false);
    if (result != 0)
        return result;
    // The record goes over as 68 half-byte commands, high half first; its
    // checksum is byte 33 of the image, so nothing else is sent.
    const std::uint8_t* bytes = image.Bytes();
    for (int i = 1; i <= MemoryRecord::kSize; ++i) {
        const std::uint8_t c = bytes[i - 1];
        for (const std::uint8_t half :
             {static_cast<std::uint8_t>(c >> 4), static_cast<std::uint8_t>(c & 0x0F)}) {
            bool bTimedOut = false;
            result = SendOnce(half, false, bTimedOut);
            if (result != 0)
                return result;
            if (bTimedOut) {
                unacknowledged = half;
                return 0;
            }
            Pause(Settings().Comdelay);
        }
        m_strCommsStatus = Format("Uploading Memory %02d to %02d (%2d)", nSourceSlot + 1, memory + 1, i);
        UpdateFields();
    }
    return 0;
}

int CCommsDlg::UploadFromFile(CMainDoc& doc, int target, int slot)
{
    m_lastFailure = CommsFailure::None;
    if (!ValidMemory(slot))
        return RefuseRequest();
    doc.UpdateChecksum(slot);
    const MemoryRecord image = doc.Data().records[static_cast<std::size_t>(slot)];
    const int result = UploadRecord(image, target, slot);
    return result < 0 ? result : 0;
}

int CCommsDlg::UploadAllFromFile(CMainDoc& doc)
{
    ExchangeScope exchange(*this);
    int result = 0;
    for (int slot = 0; slot < kMemories && result == 0; ++slot) {
        // A cancel in the pause after the last record's acknowledgements.
        if (m_cancelRequested) {
            result = CancelledEnd();
            break;
        }
        m_batchRecord = slot + 1;
        result = UploadFromFile(doc, slot, slot);
    }
    m_batchRecord = 0;
    return result;
}
