#pragma once

#include <string>

// What an operation of the lower layers needs from the screen: messages,
// Yes/No questions, progress text, repaints, beeps and the wait cursor. The
// desktop program implements it with Qt, tv7w-cli on stderr, tests with a
// scripted recorder. Texts use CR LF as line break, as the messages are given.
class UserInterface {
public:
    enum class Icon { None, Exclamation, Information, Stop, Question };
    // What a Yes/No question asks, so that a caller without a screen (the
    // command line, a test) can answer it by its kind, not by its wording.
    enum class Question {
        TryAgain,        // an exchange with the analyser timed out: try again?
        IgnoreChecksum,  // a downloaded record fails its checksum: take it as received?
        PasteAll,        // paste all records of the record clipboard?
        Overwrite,       // overwrite the analyser's memories with an upload?
        Other,
    };

    virtual ~UserInterface() = default;

    // A message box with an OK button.
    virtual void Tell(const std::string& text, Icon icon) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text, Icon icon, Question kind) = 0;
    // One-line progress or result text of a long operation (the comms status line).
    virtual void ShowProgress(const std::string& text) = 0;
    // Repaint the window that shows the operation's progress now.
    virtual void Repaint() = 0;
    // Make every view of every open document repaint (shared state changed).
    virtual void RefreshAllViews() = 0;
    virtual void SetWaitCursor(bool on) = 0;
    // Put plain text on the system clipboard; false when that failed.
    virtual bool SetClipboardText(const std::string& text) = 0;

    // The simple beep that marks the end of an operation, sounded only while
    // the setting Sounds is 1.
    void Beep();

protected:
    virtual void SoundBeep() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
    explicit WaitCursor(UserInterface& ui) : m_ui(ui) { m_ui.SetWaitCursor(true); }
    ~WaitCursor() { m_ui.SetWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInterface& m_ui;
};
