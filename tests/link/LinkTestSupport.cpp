#include "LinkTestSupport.h"

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <cstdlib>
#include <stdexcept>

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

std::vector<UserInterface::Icon> Icons(const ScriptedUserInterface& ui, const std::string& kind)
{
    std::vector<UserInterface::Icon> icons;
    for (const ScriptedUserInterface::Call& call : ui.Calls())
        if (call.kind == kind)
            icons.push_back(call.icon);
    return icons;
}

void PumpingSleeper::Sleep(int milliseconds)
{
    if (milliseconds == CCommsDlg::kPollPauseMs) {
        ++m_nPolls;
        if (onPoll)
            onPoll(m_nPolls);
        if (m_nHold > 0) {
            --m_nHold;
            return;
        }
    } else {
        m_pauses.push_back(milliseconds);
    }
    if (m_simulator.IsLineOpen())
        m_simulator.Service();
}

void PumpingSleeper::ResetCounts()
{
    m_nPolls = 0;
    m_pauses.clear();
}

bool HookedUserInterface::AskYesNo(const std::string& text, Icon icon, Question kind)
{
    if (onAsk)
        onAsk(text);
    return ScriptedUserInterface::AskYesNo(text, icon, kind);
}

void HookedUserInterface::Repaint()
{
    ScriptedUserInterface::Repaint();
    if (onRepaint)
        onRepaint();
}

CommsTest::CommsTest()
{
    Settings() = ProgramSettings{};
    Settings().Comdelay = kComdelay;
    Profile().SetPath(dir.File("TV7W.ini"));
    std::string error;
    if (!simulator.Open(error))
        throw std::runtime_error(error);
    comms.Link().SetDevicePath(simulator.DevicePath());
    doc.OnNewDocument();
}

CommsTest::~CommsTest()
{
    Profile().SetPath({});
}

std::vector<std::uint8_t> CommsTest::AnalyserData(int index)
{
    return RecordData(simulator.Analyser().Memory(index));
}

std::vector<std::uint8_t> CommsTest::RecordData(const MemoryRecord& record)
{
    return {record.Bytes(), record.Bytes() + MemoryRecord::kDataSize};
}
