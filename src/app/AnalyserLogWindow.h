#pragma once

#include <QDialog>
#include <QTimer>

class AnalyserLog;
class FileDialogs;
class QPlainTextEdit;
class QPushButton;
class UserInterface;

// The analyser log on screen: every byte to and from the analyser with its
// time and command, kept up to date while exchanges run, and saved to a
// text file for whoever troubleshoots the link.
class AnalyserLogWindow : public QDialog {
public:
    AnalyserLogWindow(AnalyserLog& log, UserInterface& ui, FileDialogs& files, QWidget* parent);
    ~AnalyserLogWindow() override;

    QPlainTextEdit* Text() const { return m_text; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* ClearButton() const { return m_clear; }
    // Asks for a file name and writes the log there.
    void SaveAs();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Appends the lines that came since the last look.
    void Catch();

    AnalyserLog& m_log;
    UserInterface& m_ui;
    FileDialogs& m_files;
    QPlainTextEdit* m_text;
    QPushButton* m_save;
    QPushButton* m_clear;
    QTimer m_catchUp;
    std::size_t m_shown = 0;
    std::size_t m_droppedShown = 0;
};
