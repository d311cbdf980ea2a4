#include "support/ScriptedUserInterface.h"

#include <algorithm>

void ScriptedUserInterface::Tell(const std::string& text, Icon icon)
{
    m_calls.push_back({"tell", text, icon});
}

void ScriptedUserInterface::Answer(Question kind, std::initializer_list<bool> answers)
{
    std::deque<bool>& queue = m_answersByKind[kind];
    queue.insert(queue.end(), answers);
}

bool ScriptedUserInterface::AskYesNo(const std::string& text, Icon icon, Question kind)
{
    m_calls.push_back({"ask", text, icon, kind});
    for (std::deque<bool>* queue : {&m_answersByKind[kind], &m_answers}) {
        if (!queue->empty()) {
            const bool answer = queue->front();
            queue->pop_front();
            return answer;
        }
    }
    return false;
}

void ScriptedUserInterface::ShowProgress(const std::string& text)
{
    m_calls.push_back({"progress", text});
}

void ScriptedUserInterface::Repaint()
{
    m_calls.push_back({"repaint", {}});
}

void ScriptedUserInterface::RefreshAllViews()
{
    m_calls.push_back({"refresh", {}});
}

void ScriptedUserInterface::SetWaitCursor(bool on)
{
    m_nWaitDepth += on ? 1 : -1;
    m_calls.push_back({"wait", on ? "on" : "off"});
}

bool ScriptedUserInterface::SetClipboardText(const std::string& text)
{
    m_calls.push_back({"clipboard", text});
    if (m_bFailClipboard)
        return false;
    m_strClipboard = text;
    return true;
}

void ScriptedUserInterface::SoundBeep()
{
    m_calls.push_back({"beep", {}});
}

std::vector<std::string> ScriptedUserInterface::Texts(const std::string& kind) const
{
    std::vector<std::string> texts;
    for (const Call& call : m_calls)
        if (call.kind == kind)
            texts.push_back(call.text);
    return texts;
}

std::vector<UserInterface::Question> ScriptedUserInterface::Questions() const
{
    std::vector<Question> kinds;
    for (const Call& call : m_calls)
        if (call.kind == "ask")
            kinds.push_back(call.question);
    return kinds;
}

int ScriptedUserInterface::Count(const std::string& kind) const
{
    return static_cast<int>(
        std::count_if(m_calls.begin(), m_calls.end(), [&](const Call& call) { return call.kind == kind; }));
}
