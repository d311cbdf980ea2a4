#pragma once

#include <QDialog>

class QCheckBox;

// The panel offered at start: open a file, leave the program, or go on.
class CStartDlg : public QDialog {
public:
    enum Choice { kContinue = 0, kOpenFile = 1, kExit = -1 };

    explicit CStartDlg(QWidget* parent = nullptr);
    int StartChoice() const { return m_nChoice; }
    // Ticked when the dialog closed: the start dialog is to stay off.
    bool DontShowAgain() const;

private:
    void Choose(int choice);

    int m_nChoice = kContinue;
    QCheckBox* m_dontShow = nullptr;
};
