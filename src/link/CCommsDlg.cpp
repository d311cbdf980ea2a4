#include "link/CCommsDlg.h"

#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "link/CommsProtocol.h"
#include "link/SerialDevices.h"
#include "link/Sleeper.h"

#include <algorithm>
#include <array>
#include <cstring>

// The link, the ends of a failed exchange, single commands and the status
// read; the downloads and uploads have files of their own.

using namespace comms;

namespace {

constexpr std::uint32_t kLineSpeed = 1200;
constexpr int kOneStopBit = 1;

// The commands of the status read that put the analyser into a known state,
// and the panel field each one sets once acknowledged.
struct KnownStateStep {
    std::uint8_t command;
    int CCommsDlg::PanelState::*field;
    int value;
};
constexpr std::array<KnownStateStep, 7> kKnownState{{
    {'L', &CCommsDlg::PanelState::m_nSource, 2},       // Left
    {'F', &CCommsDlg::PanelState::m_nWeighting, 1},    // flat
    {'B', &CCommsDlg::PanelState::m_nSpeed, 2},        // fast
    {'2', &CCommsDlg::PanelState::m_nRange, 2},        // 2 dB
    {'4', &CCommsDlg::PanelState::m_nSensitivity, 2},  // step 2
    {'a', &CCommsDlg::PanelState::m_nPanelMemory, 1},  // memory 1
    {'U', &CCommsDlg::PanelState::m_nHide, 2},         // shown
}};

}  // namespace

CCommsDlg::CCommsDlg(UserInterface& ui, Sleeper& sleeper)
    : CCommsDlg(ui, sleeper, std::make_unique<AnalyserLink>())
{}

CCommsDlg::CCommsDlg(UserInterface& ui, Sleeper& sleeper, std::unique_ptr<AnalyserLink> link)
    : m_ui(ui), m_sleeper(sleeper), m_ownLink(std::move(link)), m_link(*m_ownLink)
{}

CCommsDlg::CCommsDlg(UserInterface& ui) : CCommsDlg(ui, Sleeper::System())
{}

CCommsDlg::~CCommsDlg() = default;

std::string CCommsDlg::SerialText() const
{
    return std::string(m_szSerial.data(), std::find(m_szSerial.begin(), m_szSerial.end(), '\0'));
}

void CCommsDlg::SetCommsStatus(const std::string& text)
{
    m_strCommsStatus = text;
    UpdateFields();
}

void CCommsDlg::UpdateFields()
{
    m_ui.ShowProgress(m_strCommsStatus);
}

CCommsDlg::ExchangeScope::ExchangeScope(CCommsDlg& comms) : m_comms(comms)
{
    if (m_comms.m_exchangeDepth++ == 0)
        m_comms.m_cancelRequested = false;
}

CCommsDlg::ExchangeScope::~ExchangeScope()
{
    if (--m_comms.m_exchangeDepth == 0)
        m_comms.m_cancelRequested = false;
}

void CCommsDlg::Cancel()
{
    if (IsExchangeRunning())
        m_cancelRequested = true;
}

void CCommsDlg::Pause(int milliseconds)
{
    m_sleeper.Sleep(milliseconds);
}

// --- Link ----------------------------------------------------------------------

int CCommsDlg::Connect()
{
    m_lastFailure = CommsFailure::None;
    m_link.Close();
    m_link.SetPort(Settings().Comport);
    m_link.SetBaudRate(kLineSpeed);
    m_link.SetParity(AnalyserLink::kParityNone);
    m_link.SetStopBits(kOneStopBit);
    const int result = m_link.Open();
    if (result != 0) {
        m_link.Close();
        const CommsFailure failure = result == kPortInUse      ? CommsFailure::PortInUse
                                     : result == kPortNotFound ? CommsFailure::PortNotFound
                                                               : CommsFailure::PortUnavailable;
        const char* text = failure == CommsFailure::PortInUse      ? "COM port Already Open"
                           : failure == CommsFailure::PortNotFound ? "COM port not found"
                                                                   : "COM port not available";
        std::string message = text;
        // "Already Open" also stands for a device the user may not open:
        // then the message says how to get the permission.
        if (failure == CommsFailure::PortInUse)
            if (const std::string advice = PermissionAdvice(m_link.DevicePath()); !advice.empty())
                message += "\r\n\r\n" + advice;
        m_ui.Tell(message, UserInterface::Icon::Exclamation);
        // The status line says so too, not the exchange that never started.
        m_strCommsStatus = text;
        UpdateFields();
        m_lastFailure = failure;
        m_bPortOpen = 0;
        m_bAnalyserAnswered = 0;
        m_ui.RefreshAllViews();
        m_ui.Repaint();
        return result;
    }
    m_bPortOpen = 1;
    m_ui.Repaint();
    return 0;
}

int CCommsDlg::OpenLine()
{
    if (!m_bPortOpen)
        if (const int result = Connect(); result != 0)
            return result;
    if (m_replyTail > 0) {
        // A cancel does not stop the analyser: it sends the rest of its reply.
        m_strCommsStatus = "Waiting for the TALVEK 7 to end its reply..";
        UpdateFields();
        SettleLine();
        if (m_cancelRequested)
            return CancelledEnd();
    }
    return 0;
}

int CCommsDlg::Disconnect()
{
    if (m_bPortOpen) {
        m_link.Close();
        m_bPortOpen = 0;
        m_ui.Repaint();
    }
    return 0;
}

CCommsDlg::Wait CCommsDlg::Receive(std::uint8_t* bytes, int count, int maxPolls, bool bMemoryProgress)
{
    int received = 0;
    int polls = 0;
    while (received < count) {
        m_sleeper.Sleep(kPollPauseMs);
        // The pause is where the user's cancel arrives.
        if (m_cancelRequested) {
            m_replyTail = count - received;
            return Wait::Cancelled;
        }
        int length = 1;
        if (m_link.Read(bytes + received, length) < 0)
            return Wait::LinkFailed;
        const bool lastPoll = ++polls >= maxPolls;
        if (length == 1) {
            ++received;
            polls = 0;
        }
        if (bMemoryProgress) {
            // Memory 31 would be named while the last two bytes arrive.
            const int memory = std::min(received / MemoryRecord::kSize + 1, kMemories);
            m_strCommsStatus = Format("Downloading Memory %02d", memory);
            UpdateFields();
        }
        if (lastPoll) {
            m_replyTail = count - received;
            return Wait::TimedOut;
        }
    }
    return Wait::Received;
}

bool CCommsDlg::AskTryAgain(const std::string& question, UserInterface::Icon icon)
{
    m_ui.Beep();
    if (!m_ui.AskYesNo(question, icon, UserInterface::Question::TryAgain))
        return false;
    // A reply that came too late may still be arriving: its tail would be
    // taken for the answer to the repeated request.
    SettleLine();
    return true;
}

void CCommsDlg::SettleLine()
{
    if (!m_bPortOpen)
        return;
    std::array<std::uint8_t, kBufferSize> discarded{};
    const int maxPolls = kSettlePolls + kPollsPerLineByte * m_replyTail;
    int quietPolls = 0;
    for (int poll = 0; poll < maxPolls && quietPolls < kQuietPolls; ++poll) {
        m_sleeper.Sleep(kPollPauseMs);
        if (m_cancelRequested)
            return;  // the next wait ends the exchange; the tail is still owed
        int length = static_cast<int>(discarded.size());
        // A failing line is found by the repeated request.
        if (m_link.Read(discarded.data(), length) < 0)
            return;
        quietPolls = length > 0 ? 0 : quietPolls + 1;
    }
    m_replyTail = 0;
}

// --- Failure ends ----------------------------------------------------------------

int CCommsDlg::RefuseRequest()
{
    m_lastFailure = CommsFailure::InvalidRequest;
    return kFailed;
}

int CCommsDlg::EndFailedExchange(const char* status, bool bForgetAnalyser, CommsFailure failure, int result)
{
    m_lastFailure = failure;
    Disconnect();
    m_strCommsStatus = status;
    UpdateFields();
    if (bForgetAnalyser)
        m_bAnalyserAnswered = 0;
    m_ui.Repaint();
    // The views enable their transfer buttons only while the analyser has answered.
    m_ui.RefreshAllViews();
    return result;
}

int CCommsDlg::CommandLinkFailure()
{
    m_ui.Tell(Format("Cannot Use this COM port (%s)\r\n(%s)\r\nRestart Program", PortInMessages().c_str(),
                     m_link.ErrorText().c_str()),
              UserInterface::Icon::Exclamation);
    return EndFailedExchange("Problem with port, Restart", true, CommsFailure::LinkFailure, kLinkFailure);
}

int CCommsDlg::PortFailure()
{
    m_ui.Tell(Format("Problems with COM port(%s)\r\n(%s)\r\nRestart Program", PortInMessages().c_str(),
                     m_link.ErrorText().c_str()),
              UserInterface::Icon::Exclamation);
    return EndFailedExchange("Problem with port, Restart", false, CommsFailure::LinkFailure, kFailed);
}

int CCommsDlg::TimedOutEnd()
{
    return EndFailedExchange("Timed Out", false, CommsFailure::TimedOut, kFailed);
}

int CCommsDlg::CancelledEnd()
{
    m_cancelRequested = false;
    return EndFailedExchange("Cancelled", false, CommsFailure::Cancelled, kFailed);
}

// --- Exchanges ---------------------------------------------------------------------

std::string CCommsDlg::PortInMessages() const
{
    return m_link.HasPortName() ? m_link.PortName() : std::to_string(Settings().Comport);
}

int CCommsDlg::SendOnce(std::uint8_t command, bool bCloseAfter, bool& bTimedOut)
{
    bTimedOut = false;
    if (const int result = OpenLine(); result != 0)
        return result;
    // Whatever arrived after the last reply is not an answer to this command.
    if (m_link.Drain() != 0)
        return CommandLinkFailure();
    int length = 1;
    if (m_link.Write(&command, length) != 0)
        return CommandLinkFailure();
    std::uint8_t acknowledgement = 0;
    const Wait wait = Receive(&acknowledgement, 1, kAckPolls, false);
    if (wait == Wait::LinkFailed)
        return CommandLinkFailure();
    if (wait == Wait::Cancelled)
        return CancelledEnd();
    if (wait == Wait::TimedOut) {
        bTimedOut = true;
        return 0;
    }
    m_bAnalyserAnswered = 1;
    if (bCloseAfter)
        Disconnect();
    return 0;
}

bool CCommsDlg::AskTryCommandAgain(std::uint8_t command)
{
    return AskTryAgain(Format("Timed Out on Cmd %2Xh, check TALVEK 7 connection\r\nTry again?", command),
                       UserInterface::Icon::Exclamation);
}

int CCommsDlg::CommandTimedOutEnd()
{
    return EndFailedExchange("Timed Out", true, CommsFailure::TimedOut, kTimedOut);
}

int CCommsDlg::SendCommand(std::uint8_t command, bool bCloseAfter)
{
    m_lastFailure = CommsFailure::None;
    ExchangeScope exchange(*this);
    for (;;) {
        bool bTimedOut = false;
        if (const int result = SendOnce(command, bCloseAfter, bTimedOut); result != 0 || !bTimedOut)
            return result;
        if (!AskTryCommandAgain(command))
            return CommandTimedOutEnd();
    }
}

int CCommsDlg::ReadStatus()
{
    m_lastFailure = CommsFailure::None;
    ExchangeScope exchange(*this);
    WaitCursor wait(m_ui);
    m_szSerial.fill('\0');
    m_panel = PanelState{};
    m_strCommsStatus = "Get TALVEK 7 Status..";
    UpdateFields();
    const int delay = Settings().Comdelay;

    std::array<std::uint8_t, kStatusSize> status{};
    for (;;) {
        if (const int result = OpenLine(); result != 0)
            return result;
        if (m_link.Drain() != 0)
            return PortFailure();
        const int result = SendCommand(kCmdStatus, false);
        if (result != 0)
            return result;
        const Wait received = Receive(status.data(), kStatusSize, kStatusPolls, false);
        if (received == Wait::Received)
            break;
        if (received == Wait::LinkFailed)
            return PortFailure();
        if (received == Wait::Cancelled)
            return CancelledEnd();
        if (!AskTryAgain("Timed Out on Status Read, check TALVEK 7 connection\r\nTry Again?",
                         UserInterface::Icon::Exclamation))
            return TimedOutEnd();
    }
    std::memcpy(m_szSerial.data(), status.data() + kSerialOffset, kSerialLength);
    m_szSerial[kSerialLength] = '\0';

    for (const KnownStateStep& step : kKnownState) {
        Pause(delay);
        const int result = SendCommand(step.command, false);
        if (result != 0)
            return result;
        m_panel.*step.field = step.value;
    }
    Pause(delay);
    m_strCommsStatus = "Ok";
    Disconnect();
    UpdateFields();
    m_ui.Repaint();
    return 0;
}
