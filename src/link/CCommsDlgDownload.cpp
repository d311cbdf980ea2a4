#include "link/CCommsDlg.h"

#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "link/CommsProtocol.h"

#include <cstring>
#include <vector>

// Downloads: "Y" brings the selected memory, "Z" all 30, each image checked
// by its checksum before it goes into the file.

using namespace comms;

int CCommsDlg::CheckRecord(const std::uint8_t* block, int memory, std::uint8_t* destination, int size)
{
    const std::uint8_t computed = Checksum(block);
    if (computed != block[MemoryRecord::kDataSize] &&
        !m_ui.AskYesNo(Format("Problems with Checksum %02X\r\nMemory:%d\r\nIgnore?", computed, memory),
                       UserInterface::Icon::Exclamation, UserInterface::Question::IgnoreChecksum)) {
        ShowHexDump(block, MemoryRecord::kSize,
                    Format("Calculated cksum:%02X\r\nlast 34 bytes rx:", computed));
        return EndFailedExchange("Problem with Checksums", false, CommsFailure::ChecksumRefused, kFailed);
    }
    std::memcpy(destination, block, static_cast<std::size_t>(size));
    return 0;
}

int CCommsDlg::DownloadRecords(DownloadBuffer& buffer, int nDestSlot, int source)
{
    m_lastFailure = CommsFailure::None;
    if (source != kCurrentMemory && source >= kMemories)
        return RefuseRequest();
    ExchangeScope exchange(*this);
    WaitCursor wait(m_ui);
    std::vector<std::uint8_t> reply(kAllRecordsReply);
    int memory = 0;
    for (;;) {
        memory = source == kCurrentMemory ? m_panel.m_nPanelMemory - 1 : source;
        if (memory >= 0) {
            const int result = SendCommand(static_cast<std::uint8_t>(kCmdSelectMemory + memory), false);
            if (result != 0)
                return result;
            m_strCommsStatus = Format("Downloading Memory %02d to %02d", memory + 1, nDestSlot + 1);
        } else {
            m_strCommsStatus = "Downloading all 30 Records, wait..";
        }
        UpdateFields();

        Pause(Settings().Comdelay);
        if (const int result = OpenLine(); result != 0)
            return result;
        if (m_link.Drain() != 0)
            return PortFailure();
        Pause(Settings().Comdelay);

        // The request is answered with data alone, no acknowledgement.
        std::uint8_t request = memory >= 0 ? kCmdSendRecord : kCmdSendAll;
        int length = 1;
        if (m_link.Write(&request, length) != 0)
            return PortFailure();
        const int size = memory >= 0 ? kOneRecordReply : kAllRecordsReply;
        const Wait received = Receive(reply.data(), size, kDownloadPolls, memory < 0);
        if (received == Wait::Received)
            break;
        if (received == Wait::LinkFailed)
            return PortFailure();
        if (received == Wait::Cancelled)
            return CancelledEnd();
        // Unlike the other time-out questions, this one carries no icon.
        if (!AskTryAgain("Timed Out on Download, check TALVEK 7 connection\r\nTry again?",
                         UserInterface::Icon::None))
            return TimedOutEnd();
    }

    if (memory >= 0) {
        if (CheckRecord(reply.data() + kReplyHeader, memory + 1, buffer.data(), MemoryRecord::kSize) != 0)
            return kFailed;
    } else {
        for (int g = 0; g < kMemories; ++g) {
            const std::uint8_t* block = reply.data() + kReplyHeader + MemoryRecord::kSize * g;
            std::uint8_t* destination = buffer.data() + kAllRecordsOffset + MemoryRecord::kSize * g;
            if (CheckRecord(block, g + 1, destination, MemoryRecord::kDataSize) != 0)
                return kFailed;
        }
    }
    m_strCommsStatus = "Ok";
    Disconnect();
    UpdateFields();
    m_ui.Repaint();
    return 0;
}

int CCommsDlg::DownloadToFile(CMainDoc& doc, int nDestSlot, int source)
{
    m_lastFailure = CommsFailure::None;
    // One record into the file while the analyser's selected memory is not
    // known yet: memory 1, as the comms window's Refresh takes it, rather
    // than all 30 memories over records the user did not ask for.
    if (source == kCurrentMemory && nDestSlot >= 0 &&
        (m_panel.m_nPanelMemory < 1 || m_panel.m_nPanelMemory > kMemories))
        m_panel.m_nPanelMemory = 1;
    const int memory = source == kCurrentMemory ? m_panel.m_nPanelMemory - 1 : source;
    if (memory >= 0 && !ValidMemory(nDestSlot))
        return RefuseRequest();

    ExchangeScope exchange(*this);
    DownloadBuffer buffer{};
    const int result = DownloadRecords(buffer, nDestSlot, source);
    if (result != 0)
        return result;
    auto& records = doc.Data().records;
    if (memory >= 0) {
        std::memcpy(records[static_cast<std::size_t>(nDestSlot)].Bytes(), buffer.data(),
                    MemoryRecord::kDataSize);
    } else {
        for (int g = 0; g < kMemories; ++g)
            std::memcpy(records[static_cast<std::size_t>(g)].Bytes(),
                        buffer.data() + kAllRecordsOffset + MemoryRecord::kSize * g, MemoryRecord::kDataSize);
    }
    m_journal.Keep(doc.Data(), SerialText(), m_ui);
    return 0;
}

int CCommsDlg::RefreshPanelRecord()
{
    WaitCursor wait(m_ui);
    if (m_panel.m_nPanelMemory < 1 || m_panel.m_nPanelMemory > kMemories)
        m_panel.m_nPanelMemory = 1;
    DownloadBuffer buffer{};
    const int result = DownloadRecords(buffer, -1, m_panel.m_nPanelMemory - 1);
    if (result == 0) {
        std::memcpy(m_panelRecord.data(), buffer.data(), m_panelRecord.size());
        m_bShowingRecord = 1;
    }
    m_ui.Repaint();
    return result;
}

void CCommsDlg::ShowHexDump(const std::uint8_t* bytes, int count, const std::string& heading)
{
    std::string text = heading + "\r\n";
    for (int i = 0; i < count; ++i)
        text += Format("%02d: %02X\r\n", i, bytes[i]);
    // The message is held in 1024 characters.
    if (text.size() > kHexDumpSize - 1)
        text.resize(kHexDumpSize - 1);
    m_ui.Tell(text, UserInterface::Icon::None);
}
