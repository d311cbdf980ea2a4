#pragma once

#include "data/UserInterface.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

// A user interface for tests: records every call in order and answers the
// Yes/No questions from a script: first from the answers given for the
// question's kind, then from the answers for any question, then No.
class ScriptedUserInterface : public UserInterface {
public:
    struct Call {
        std::string kind;  // "tell", "ask", "progress", "repaint", "refresh", "beep", "wait", "clipboard"
        std::string text;
        Icon icon = Icon::None;
        Question question = Question::Other;  // of an "ask"
    };

    // Answers for the next questions, in order.
    void Answer(std::initializer_list<bool> answers) { m_answers.insert(m_answers.end(), answers); }
    // Answers for the next questions of one kind, in order.
    void Answer(Question kind, std::initializer_list<bool> answers);
    void FailClipboard(bool fail) { m_bFailClipboard = fail; }

    void Tell(const std::string& text, Icon icon) override;
    bool AskYesNo(const std::string& text, Icon icon, Question kind) override;
    void ShowProgress(const std::string& text) override;
    void Repaint() override;
    void RefreshAllViews() override;
    void SetWaitCursor(bool on) override;
    bool SetClipboardText(const std::string& text) override;

    const std::vector<Call>& Calls() const { return m_calls; }
    // The texts of the calls of one kind, in order.
    std::vector<std::string> Texts(const std::string& kind) const;
    int Count(const std::string& kind) const;
    // The kinds of the questions asked, in order.
    std::vector<Question> Questions() const;
    const std::string& Clipboard() const { return m_strClipboard; }
    int WaitCursorDepth() const { return m_nWaitDepth; }
    void Clear() { m_calls.clear(); }

protected:
    void SoundBeep() override;

private:
    std::vector<Call> m_calls;
    std::deque<bool> m_answers;
    std::map<Question, std::deque<bool>> m_answersByKind;
    std::string m_strClipboard;
    bool m_bFailClipboard = false;
    int m_nWaitDepth = 0;
};
