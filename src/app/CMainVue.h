#pragma once

#include "app/CommandTarget.h"
#include "data/CMainDoc.h"
#include "plot/ScreenGraph.h"

#include <QScrollArea>

#include <memory>
#include <optional>
#include <vector>

class EditEntriesDlg;
class PlotPicture;
class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class RecordKeyFilter;
class RecordStrip;
class UserTextBox;
struct AppServices;

// The spectrum view: one window's look at one document, a fixed form at its
// template's geometry that scrolls when the window is smaller. It shows the
// selected record's plot, the record strip, the record's settings and user
// text, and offers the record commands: clipboard, transfers with the
// analyser, Edit Entries, export and import, undo and redo. Each view keeps
// its own selected record and display switches.
class CMainVue : public QScrollArea, public DocumentView, public CommandTarget {
public:
    CMainVue(CMainDoc& document, AppServices& services, QWidget* parent = nullptr);
    ~CMainVue() override;

    CMainDoc& GetDocument() const { return m_document; }
    // The selected memory record, 1..30.
    int SelectedMemory() const { return m_nMemory; }
    void SetSelectedMemory(int memory);
    // The band the Edit Entries window has selected (1..30), drawn in white; 0 none.
    int HighlightBand() const { return m_nHighlightBand; }
    void SetHighlightBand(int band);
    // The size of the whole view with the form unscrolled, which the window
    // takes at first and on Resize View.
    QSize FormSize() const;
    // Brings every text, state and the pictures up to date from the document.
    void Invalidate();
    // This view's Edit Entries window, or null while it is closed.
    EditEntriesDlg* EditEntries() const { return m_dlgModify.get(); }

    void OnUpdate(DocumentView* sender, int hint) override;
    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildForm();
    QLineEdit* AddField(const char* name, int left, int top, int width, int height, bool centred);
    QAbstractButton* AddButton(const char* name, const char* text, int left, int top, int width, int height);
    QCheckBox* AddCheckBox(const char* name, const char* text, int left, int top, int width, int height,
                           bool checked);
    void AddLabel(const char* text, int left, int top, int width, int height);
    void AddGroup(const char* title, int left, int top, int width, int height);
    void Describe(QWidget* control, const char* tooltip, const char* accessibleName = nullptr);
    void ApplyTooltips();

    void FillFields();
    void FillUserText(int record);
    void StepRecord(int step);
    void ShiftReference(int step);
    void StepNcCurve(int step);
    void ReadSwitches();
    void UserTextEdited();
    void ShowReadout(const QString& text);
    // The information line for the point of the plot under the mouse.
    QString PlotReadout() const;

    // Record commands (CMainVueCommands.cpp).
    // Tells the user when the system clipboard refused a copy's text.
    void ReportClipboard(int copied);
    void CopyOne();
    void CopyAll();
    void CutOne();
    void Paste();
    void Download();
    void Upload();
    // Asks before an upload of all 30 records or of a record that holds no
    // data: true to go on.
    bool MayOverwriteMemories();
    void UntickAll30();
    void ToggleEditEntries();
    void CloseEditEntries();
    void ResizeToForm();
    void ExportText(int kind);
    void ImportText();
    std::string RecordDescription();
    // Every view of the document shows the change.
    void DocumentChanged();

    CMainDoc& m_document;
    AppServices& m_services;
    QWidget* m_form = nullptr;
    // Leaves the record commands' keys to the main window in every control.
    RecordKeyFilter* m_recordKeys = nullptr;

    int m_nMemory = 1;
    bool m_b2dB;
    bool m_bMulti;
    bool m_bJoined;
    bool m_bAll30 = false;
    int m_nHighlightBand = 0;
    // Where the mouse is over the plot, while it is.
    std::optional<QPoint> m_plotPoint;

    PlotPicture* m_plot = nullptr;
    RecordStrip* m_strip = nullptr;
    UserTextBox* m_userText = nullptr;
    QLineEdit* m_ref = nullptr;
    QLineEdit* m_wideband = nullptr;
    QLineEdit* m_source = nullptr;
    QLineEdit* m_weighting = nullptr;
    QLineEdit* m_nc = nullptr;
    QLineEdit* m_serial = nullptr;
    QLineEdit* m_memory = nullptr;
    QLineEdit* m_clipboard = nullptr;
    QLabel* m_changed = nullptr;
    QLabel* m_info = nullptr;
    QAbstractButton* m_refDown = nullptr;
    QAbstractButton* m_refUp = nullptr;
    QAbstractButton* m_ncDown = nullptr;
    QAbstractButton* m_ncUp = nullptr;
    QAbstractButton* m_paste = nullptr;
    QAbstractButton* m_down = nullptr;
    QAbstractButton* m_up = nullptr;
    QCheckBox* m_multi = nullptr;
    QCheckBox* m_joined = nullptr;
    QCheckBox* m_2dB = nullptr;
    QCheckBox* m_all30 = nullptr;
    // Each control's tooltip, shown while the setting Tooltips is 1.
    std::vector<std::pair<QWidget*, QString>> m_tooltips;

    // The comment as the user's typing last stored it, so that a repaint
    // while the box has the focus leaves the text and caret alone.
    SpectrumFile::Comment m_typedComment{};
    int m_nTypedRecord = -1;

    std::unique_ptr<EditEntriesDlg> m_dlgModify;
};
