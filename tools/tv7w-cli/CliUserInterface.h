#pragma once

#include "data/UserInterface.h"

#include <functional>

// Messages and questions on stderr. Questions are answered by their kind
// from the command's policy (from options such as --retries), No when there
// is none. Progress texts share one updating line.
class CliUserInterface : public UserInterface {
public:
    using Answer = std::function<bool(Question kind)>;

    void SetAnswer(Answer answer) { m_answer = std::move(answer); }

    void Tell(const std::string& text, Icon icon) override;
    bool AskYesNo(const std::string& text, Icon icon, Question kind) override;
    void ShowProgress(const std::string& text) override;
    void Repaint() override {}
    void RefreshAllViews() override {}
    void SetWaitCursor(bool) override {}
    bool SetClipboardText(const std::string& text) override;
    // Ends the progress line, if one is showing.
    void EndProgress();

protected:
    void SoundBeep() override {}

private:
    Answer m_answer;
    bool m_bProgressShown = false;
    std::string m_strProgress;
};

// The text with its CR LF line breaks as plain line feeds.
std::string PlainLines(const std::string& text);
