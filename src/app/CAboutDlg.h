#pragma once

#include <QDialog>

// The About box. Its second button, which Escape also presses, shows the
// disclaimer and leaves the box open: only OK closes it.
class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    // The disclaimer and licence, CR LF line breaks.
    static std::string DisclaimerText();

protected:
    void reject() override;
};
