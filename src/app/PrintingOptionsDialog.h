#pragma once

#include <QDialog>

#include <string>

class FileDialogs;
class FontChooser;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class UserInterface;

// Printing Options: the page's two fonts, the background and logo bitmaps
// with their placement in percent of the page, the header text, graph-only
// and grey-scale printing, and the line of acoustic results. There is no Cancel: OK, Escape and the close box
// check the bitmap names and save. A font is saved as soon as it is picked.
class PrintingOptionsDialog : public QDialog {
public:
    PrintingOptionsDialog(UserInterface& ui, FileDialogs& files, FontChooser& fonts, QWidget* parent);
    ~PrintingOptionsDialog() override;

    QLineEdit* MainFontLabel() const { return m_mainFont; }
    QLineEdit* HeaderFontLabel() const { return m_headerFont; }
    QPushButton* MainFontButton() const { return m_mainFontButton; }
    QPushButton* HeaderFontButton() const { return m_headerFontButton; }
    QLineEdit* BackgroundName() const { return m_backgroundName; }
    QLineEdit* LogoName() const { return m_logoName; }
    QPushButton* BackgroundBrowse() const { return m_backgroundBrowse; }
    QPushButton* LogoBrowse() const { return m_logoBrowse; }
    QLineEdit* HeaderText() const { return m_header; }
    QSpinBox* LogoX() const { return m_logoX; }
    QSpinBox* BackgroundHeight() const { return m_backgroundH; }
    QCheckBox* GraphOnlyBox() const { return m_graphOnly; }
    QCheckBox* GreyBox() const { return m_grey; }
    QCheckBox* ResultsBox() const { return m_results; }

    // The OK handler: the file checks, then the save steps; the dialog stays
    // open when a check is answered with Yes (retry).
    void accept() override;
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ChangeFont(std::string& spec, QLineEdit* label);
    void Browse(QLineEdit* name);
    // True when name may be kept: empty, "none", an existing file, or a
    // missing one the user accepts.
    bool NameAccepted(const QString& name);
    void SaveSteps();

    UserInterface& m_ui;
    FileDialogs& m_files;
    FontChooser& m_fonts;
    QLineEdit* m_mainFont;
    QLineEdit* m_headerFont;
    QPushButton* m_mainFontButton;
    QPushButton* m_headerFontButton;
    QSpinBox* m_backgroundX;
    QSpinBox* m_backgroundY;
    QSpinBox* m_backgroundW;
    QSpinBox* m_backgroundH;
    QLineEdit* m_backgroundName;
    QPushButton* m_backgroundBrowse;
    QSpinBox* m_logoX;
    QSpinBox* m_logoY;
    QSpinBox* m_logoW;
    QSpinBox* m_logoH;
    QLineEdit* m_logoName;
    QPushButton* m_logoBrowse;
    QLineEdit* m_header;
    QCheckBox* m_graphOnly;
    QCheckBox* m_grey;
    QCheckBox* m_results;
};
