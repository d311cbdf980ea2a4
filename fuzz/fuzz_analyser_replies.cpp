// Arbitrary replies from the analyser to every exchange, over a line in
// memory. Byte 0 chooses the exchange and its arguments, byte 1 the answers
// to the first 8 questions (bit set: Yes). The rest are the replies: for
// every byte the program sends, one length byte n and the reply bytes (below
// 128: n bytes; 128-191: 16 (n - 127) bytes, enough for the 1022 bytes of
// all records; from 192: no answer). Where the input ends, the line goes
// dead (a read fails), so an input's end costs no time-out of hundreds of
// polls; a silent analyser is a reply byte from 192. Every exchange must end, leave the port
// closed and the wait cursor off, and a failed download must leave the
// document as it was.

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "link/AnalyserLink.h"
#include "link/CCommsDlg.h"
#include "link/Sleeper.h"
#include "sim/PseudoTerminal.h"
#include "support/ScriptedUserInterface.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr std::uint8_t kLongReply = 128;
constexpr std::uint8_t kSilence = 192;
constexpr std::size_t kLongReplyUnit = 16;
constexpr int kQuestions = 8;

// A serial line in memory: what the program writes is kept for the
// analyser to answer, what the analyser answers waits to be read.
class MemoryLink : public AnalyserLink {
public:
    bool HasSent() const { return !m_sent.empty(); }
    std::vector<std::uint8_t> TakeSent() { return std::exchange(m_sent, {}); }
    bool IsQuiet() const { return m_replies.empty(); }
    void HangUp() { m_hungUp = true; }
    void Answer(const std::uint8_t* bytes, std::size_t count)
    {
        m_replies.insert(m_replies.end(), bytes, bytes + count);
    }

protected:
    int OpenDevice(const std::string&, int&) override
    {
        m_sent.clear();
        m_replies.clear();
        return 0;
    }
    void Configure() override {}
    void CloseDevice(int) override {}
    long ReadDevice(int, std::uint8_t* buffer, std::size_t size) override
    {
        if (m_replies.empty() && m_hungUp) {
            errno = EIO;
            return -1;
        }
        if (m_replies.empty()) {
            errno = EAGAIN;
            return -1;
        }
        const std::size_t count = std::min(size, m_replies.size());
        std::copy_n(m_replies.begin(), count, buffer);
        m_replies.erase(m_replies.begin(), m_replies.begin() + static_cast<std::ptrdiff_t>(count));
        return static_cast<long>(count);
    }
    long WriteDevice(int, const std::uint8_t* buffer, std::size_t size) override
    {
        m_sent.insert(m_sent.end(), buffer, buffer + size);
        return static_cast<long>(size);
    }
    bool WaitWritable(int, int) override { return true; }

private:
    std::vector<std::uint8_t> m_sent;
    std::deque<std::uint8_t> m_replies;
    bool m_hungUp = false;
};

// Answers every byte the program has sent with the next reply of the input,
// at every pause; never sleeps.
class ReplyingSleeper : public Sleeper {
public:
    ReplyingSleeper(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    void SetLink(MemoryLink* link) { m_link = link; }

    void Sleep(int) override
    {
        if (m_pos >= m_size) {
            if (m_link->IsQuiet())
                m_link->HangUp();
            return;
        }
        if (!m_link->HasSent())
            return;
        const std::vector<std::uint8_t> sent = m_link->TakeSent();
        for (std::size_t i = 0; i < sent.size() && m_pos < m_size; ++i) {
            const std::uint8_t length = m_data[m_pos++];
            if (length >= kSilence)
                continue;
            const std::size_t wanted =
                length < kLongReply ? length : (length - kLongReply + 1u) * kLongReplyUnit;
            const std::size_t count = std::min(wanted, m_size - m_pos);
            m_link->Answer(m_data + m_pos, count);
            m_pos += count;
        }
    }

private:
    MemoryLink* m_link = nullptr;
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Progress texts and repaints come at every byte and every poll; keeping
// them all, as the tests' recorder does, would cost more than the exchange.
class QuietUserInterface : public ScriptedUserInterface {
public:
    void ShowProgress(const std::string&) override {}
    void Repaint() override {}
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    Settings() = ProgramSettings{};
    Settings().Comdelay = 0;
    Settings().Sounds = 0;
    // Fuzzed downloads are not kept.
    Settings().Journal = 0;
    Profile().SetPath({});

    QuietUserInterface ui;
    for (int q = 0; q < kQuestions; ++q)
        ui.Answer({((data[1] >> q) & 1) != 0});
    ReplyingSleeper sleeper(data + 2, size - 2);
    auto link = std::make_unique<MemoryLink>();
    sleeper.SetLink(link.get());
    CCommsDlg comms(ui, sleeper, std::move(link));
    comms.Link().SetDevicePath("memory");
    CMainDoc doc(ui);
    doc.OnNewDocument();
    const SpectrumFile before = doc.Data();

    const int choice = data[0] % 6;
    const int index = (data[0] >> 3) % 30;
    comms.Panel().m_nPanelMemory = data[0] >> 3 & 0x1F;  // 0-31, out of range included
    int result = 0;
    switch (choice) {
    case 0:
        result = comms.ReadStatus();
        break;
    case 1:
        result = comms.SendCommand(data[0], true);
        break;
    case 2:
        result = comms.DownloadToFile(doc, index, CCommsDlg::kCurrentMemory);
        break;
    case 3:
        result = comms.DownloadToFile(doc, CCommsDlg::kAllRecords, CCommsDlg::kAllRecords);
        break;
    case 4:
        result = comms.UploadFromFile(doc, index, 29 - index);
        break;
    default: {
        CCommsDlg::DownloadBuffer buffer{};
        result = comms.DownloadRecords(buffer, -1, index);
        break;
    }
    }
    Check(result <= 0);
    Check(!comms.IsPortOpen() && !comms.Link().IsOpen());
    Check(ui.WaitCursorDepth() == 0);
    if (result != 0 && (choice == 2 || choice == 3))
        Check(doc.Data() == before);
    return 0;
}
