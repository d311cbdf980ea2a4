#pragma once

#include "data/DownloadJournal.h"
#include "data/MemoryRecord.h"
#include "data/UserInterface.h"
#include "link/AnalyserLink.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CMainDoc;
class Sleeper;

// Why the last exchange failed. Results share numbers (a port that does not
// exist and a command's link failure are both -2; a status read, download or
// upload answers -1 for a time-out, a link failure and a refused checksum
// alike); the failure tells them apart.
enum class CommsFailure {
    None,
    PortNotFound,     // the port's device does not exist
    PortInUse,        // another program holds the port, or no permission
    PortUnavailable,  // the port could not be opened for another reason
    LinkFailure,      // a read or write on the open port failed
    TimedOut,         // the analyser did not answer and the user did not try again
    ChecksumRefused,  // a downloaded record failed its checksum and was not taken
    InvalidRequest,   // a memory or record index out of range; nothing was sent
    MemoryUnknown,    // the analyser's selected memory is not known yet; nothing was sent
    Cancelled,        // the user cancelled the exchange while it ran
};

// The one object that owns the link to the TALVEK 7, what the program knows
// of the analyser's state and every exchange with it: connect, one command,
// status read, download of one or all 30 memory records, upload of one. Each
// exchange runs to its end on the caller's thread, opens the port when it
// needs it and leaves it closed. Messages, questions, progress texts, beeps,
// repaints and the wait cursor go through the user interface; the comms
// window shows the state kept here.
//
// Results are 0 for success and negative for failure; LastFailure says why.
class CCommsDlg {
public:
    static constexpr int kOk = 0;
    // A status read, download or upload failed, or a request was out of range.
    static constexpr int kFailed = -1;
    // A command's link failure.
    static constexpr int kLinkFailure = -2;
    // A command was not acknowledged and the user did not try again.
    static constexpr int kTimedOut = -3;
    // Connect passes the link's open failure through: the negated system
    // error, among them these two.
    static constexpr int kPortNotFound = -AnalyserLink::kErrorNotFound;
    static constexpr int kPortInUse = -AnalyserLink::kErrorAccessDenied;

    // Every wait for a reply byte is a loop of polls: a 5 ms pause, then a
    // one-byte read. A byte resets the count; the N-th poll counted since the
    // start or the last byte fails the wait, whatever it returns.
    static constexpr int kPollPauseMs = 5;
    static constexpr int kAckPolls = 400;
    static constexpr int kStatusPolls = 300;
    static constexpr int kDownloadPolls = 600;
    // Before a request is repeated after a time-out, the line must have been
    // quiet for this many polls (at most kSettlePolls polls in all).
    static constexpr int kQuietPolls = 20;
    static constexpr int kSettlePolls = 600;
    // A byte takes 8.3 ms at 1200 bit/s: two polls at most. The rest of a
    // reply that was cut short may take this many polls a byte to end.
    static constexpr int kPollsPerLineByte = 2;

    // Source or target: the memory selected on the analyser (m_nPanelMemory).
    static constexpr int kCurrentMemory = 99;
    // Source: all 30 memories; destination: none.
    static constexpr int kAllRecords = -1;

    static constexpr int kStatusSize = 8;
    static constexpr int kSerialSize = 8;
    // A download of all 30 records leaves block g at byte 8 + 34 g of the
    // buffer, without its checksum; a download of one leaves the 34-byte
    // image at byte 0.
    static constexpr int kBufferSize = 1080;
    static constexpr int kAllRecordsOffset = 8;

    using DownloadBuffer = std::array<std::uint8_t, kBufferSize>;

    // The analyser's settings as far as the program knows them; 0 is "not yet set".
    struct PanelState {
        int m_nPanelMemory = 0;  // 1-30, the memory selected on the analyser
        int m_nSource = 0;       // 1 Mike, 2 Left, 3 Right, 4 Sum, 5 Diff
        int m_nWeighting = 0;    // bit 0 flat, bit 1 C, bit 2 Mike selected
        int m_nHide = 0;         // 1 hidden, 2 shown
        int m_nSpeed = 0;        // 1 slow, 2 fast
        int m_nRange = 0;        // 1 = 1 dB, 2 = 2 dB
        int m_nSensitivity = 0;  // 1-8
    };

    CCommsDlg(UserInterface& ui, Sleeper& sleeper);
    // With a link of another kind (a line in memory).
    CCommsDlg(UserInterface& ui, Sleeper& sleeper, std::unique_ptr<AnalyserLink> link);
    explicit CCommsDlg(UserInterface& ui);
    virtual ~CCommsDlg();
    CCommsDlg(const CCommsDlg&) = delete;
    CCommsDlg& operator=(const CCommsDlg&) = delete;

    // Opens the port of the setting Comport at 1200 bit/s, 8N1: 0 or the
    // link's open failure (kPortNotFound, kPortInUse or another negated
    // system error).
    int Connect();
    // Closes the port if Connect opened it. Always 0.
    int Disconnect();
    // Sends one command byte and waits for its acknowledgement: 0,
    // kLinkFailure, kTimedOut (no retry wanted) or Connect's failure. The
    // other exchanges answer kFailed or the failure of a step they took.
    int SendCommand(std::uint8_t command, bool bCloseAfter);
    // Reads the serial number and puts the analyser into a known state.
    int ReadStatus();
    // Downloads memory source (0-29, kCurrentMemory) or all 30 (negative);
    // nDestSlot only numbers the progress text.
    int DownloadRecords(DownloadBuffer& buffer, int nDestSlot, int source);
    // Downloads into record nDestSlot (0-29) of the document, or all 30
    // memories into records 1-30; byte 33 of the records is not written.
    // The document as it is then is also kept in the download journal.
    int DownloadToFile(CMainDoc& doc, int nDestSlot, int source);
    // Uploads the 34-byte image into memory target (0-29, kCurrentMemory);
    // nSourceSlot only numbers the progress text. A half-byte that is not
    // acknowledged is never sent alone again: trying again sends the whole
    // record again. kCurrentMemory while that memory is not known is
    // refused (MemoryUnknown) before anything is sent.
    int UploadRecord(const MemoryRecord& image, int target, int nSourceSlot);
    // Recomputes the checksum of record slot of the document and uploads it.
    int UploadFromFile(CMainDoc& doc, int target, int slot);
    // Uploads records 1-30 of the document into memories 1-30, one at a
    // time, stopping at the first that fails: 0 or its result. The whole
    // batch is one exchange, so a cancel that comes between two records
    // stops it too.
    int UploadAllFromFile(CMainDoc& doc);
    // The record (1-30) an upload of all 30 is sending; 0 outside one.
    int BatchRecord() const { return m_batchRecord; }
    // Downloads the selected memory (memory 1 when none is selected) for the
    // window's display, which shows it as fresh only when it arrived: a
    // failed Refresh leaves the display stale and Refresh open to a retry.
    int RefreshPanelRecord();
    // The record image of the last successful Refresh; bytes 0-30 feed the
    // display's dots.
    const std::array<std::uint8_t, MemoryRecord::kSize>& PanelRecord() const { return m_panelRecord; }
    // True while the display shows a record just fetched; a command from the
    // panel or an upload makes it stale.
    bool IsShowingRecord() const { return m_bShowingRecord != 0; }
    void SetShowingRecord(bool showing) { m_bShowingRecord = showing ? 1 : 0; }
    // One message box: the heading, then "index: value" per byte.
    void ShowHexDump(const std::uint8_t* bytes, int count, const std::string& heading);

    // Asks the exchange that runs to end at its next poll, as a time-out
    // the user declined to retry ends: the port closed, the status line
    // "Cancelled", kFailed, nothing written. Ignored while none runs. The
    // analyser may go on sending the rest of its reply: the next exchange
    // first waits for the line to be quiet.
    void Cancel();
    // True from the start to the end of an exchange (a command, a status
    // read, a download or an upload).
    bool IsExchangeRunning() const { return m_exchangeDepth > 0; }
    // True from a cancel until the exchange it asked to end has ended.
    bool IsCancelRequested() const { return m_cancelRequested; }

    // Why the last exchange failed; None after one that succeeded.
    CommsFailure LastFailure() const { return m_lastFailure; }
    bool IsPortOpen() const { return m_bPortOpen != 0; }
    bool HasAnalyserAnswered() const { return m_bAnalyserAnswered != 0; }
    void SetAnalyserAnswered(bool answered) { m_bAnalyserAnswered = answered ? 1 : 0; }
    // The serial number: 7 characters and a NUL.
    const std::array<char, kSerialSize>& Serial() const { return m_szSerial; }
    std::string SerialText() const;
    const std::string& CommsStatus() const { return m_strCommsStatus; }
    // Sets the status line and shows it at once.
    void SetCommsStatus(const std::string& text);
    PanelState& Panel() { return m_panel; }
    const PanelState& Panel() const { return m_panel; }
    AnalyserLink& Link() { return m_link; }

private:
    enum class Wait { Received, TimedOut, LinkFailed, Cancelled };

    // Marks an exchange as running for its lifetime; exchanges nest (a
    // download sends commands), and a cancel outlives none of them.
    class ExchangeScope {
    public:
        explicit ExchangeScope(CCommsDlg& comms);
        ~ExchangeScope();
        ExchangeScope(const ExchangeScope&) = delete;
        ExchangeScope& operator=(const ExchangeScope&) = delete;

    private:
        CCommsDlg& m_comms;
    };

    // Polls until count bytes have arrived; with bMemoryProgress the status
    // line names the memory being received after every poll.
    Wait Receive(std::uint8_t* bytes, int count, int maxPolls, bool bMemoryProgress);
    void Pause(int milliseconds);
    // Connect, unless the port is open already, then let the rest of a reply
    // cut short by a cancel or a time-out end: 0 or Connect's failure.
    int OpenLine();
    // Pushes the status line into the window.
    void UpdateFields();
    // The ends of a failed exchange: each says why, closes the port and
    // refreshes the window and every view.
    int EndFailedExchange(const char* status, bool bForgetAnalyser, CommsFailure failure, int result);
    // A memory or record index out of range: kFailed, nothing sent.
    int RefuseRequest();
    int CommandLinkFailure();
    int PortFailure();
    int TimedOutEnd();
    // The beep and the time-out question; true to try again, once the line
    // has settled.
    int CancelledEnd();
    // The beep and the time-out question; true to try again.
    bool AskTryAgain(const std::string& question, UserInterface::Icon icon);
    bool AskTryCommandAgain(std::uint8_t command);
    // Waits until the line has been quiet for kQuietPolls polls, discarding
    // what arrives, so that a late reply is not taken for the next one; it
    // waits longer while the rest of a reply cut short may be arriving.
    void SettleLine();
    // One command and its acknowledgement, without the time-out question:
    // 0 (bTimedOut tells whether the acknowledgement came) or the failure.
    int SendOnce(std::uint8_t command, bool bCloseAfter, bool& bTimedOut);
    int CommandTimedOutEnd();
    // One attempt at an upload: selection, "T" and the 68 half-bytes. 0 with
    // unacknowledged set to the half-byte that timed out, if one did.
    int SendRecord(const MemoryRecord& image, int memory, int nSourceSlot,
                   std::optional<std::uint8_t>& unacknowledged);
    // The port as the messages name it: the setting Comport, or the name
    // the link was given.
    std::string PortInMessages() const;
    int CheckRecord(const std::uint8_t* block, int memory, std::uint8_t* destination, int size);

    UserInterface& m_ui;
    Sleeper& m_sleeper;
    std::unique_ptr<AnalyserLink> m_ownLink;
    AnalyserLink& m_link;
    int m_bPortOpen = 0;
    int m_bAnalyserAnswered = 0;
    std::array<char, kSerialSize> m_szSerial{};
    std::string m_strCommsStatus;
    PanelState m_panel;
    CommsFailure m_lastFailure = CommsFailure::None;
    DownloadJournal m_journal;
    std::array<std::uint8_t, MemoryRecord::kSize> m_panelRecord{};
    int m_bShowingRecord = 0;
    int m_exchangeDepth = 0;
    bool m_cancelRequested = false;
    int m_batchRecord = 0;
    // Bytes of the last reply that never arrived: the analyser may still be
    // sending them after a cancel or a time-out, and they must not be taken
    // for the answer to the next request.
    int m_replyTail = 0;
};
