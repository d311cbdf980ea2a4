#pragma once

#include "data/UserInterface.h"

#include <QImage>
#include <QString>

#include <functional>
#include <string>

// The desktop's user interface: the only place that shows message boxes,
// touches the system clipboard or sets the override cursor. Progress texts,
// repaints and the refresh of every view go to whoever the program connects.
class QtUserInterface : public UserInterface {
public:
    // Message texts come with CR LF line breaks; the screen wants "\n".
    static QString ScreenText(const std::string& text);
    // Every message box of the program bears this title.
    static QString Title();

    enum class Answer { Yes, No, Cancel };

    void Tell(const std::string& text, Icon icon) override;
    // A question with Yes, No and Cancel (Yes the default), such as "Save changes to %1?".
    Answer AskYesNoCancel(const QString& text);
    bool AskYesNo(const std::string& text, Icon icon, Question kind) override;
    void ShowProgress(const std::string& text) override;
    void Repaint() override;
    void RefreshAllViews() override;
    void SetWaitCursor(bool on) override;
    bool SetClipboardText(const std::string& text) override;
    // A picture (a chart) on the system clipboard.
    void SetClipboardImage(const QImage& image);

    void SetProgressSink(std::function<void(const QString&)> sink) { m_progressSink = std::move(sink); }
    void SetRepaintSink(std::function<void()> sink) { m_repaintSink = std::move(sink); }
    void SetRefreshSink(std::function<void()> sink) { m_refreshSink = std::move(sink); }
    int WaitCursorDepth() const { return m_waitDepth; }
    // While a window that takes the user's input covers a wait (the progress
    // dialog with its Cancel), the pointer is the arrow, not the wait cursor.
    void SetInputWindowShown(bool shown);

protected:
    void SoundBeep() override;

private:
    std::function<void(const QString&)> m_progressSink;
    std::function<void()> m_repaintSink;
    std::function<void()> m_refreshSink;
    int m_waitDepth = 0;
    bool m_inputWindowShown = false;
};
