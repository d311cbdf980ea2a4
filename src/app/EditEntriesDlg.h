#pragma once

#include "data/EditEntries.h"

#include <QDialog>

#include <functional>
#include <map>

class CMainVue;
class QLineEdit;
class QPushButton;
class QGridLayout;
class UserInterface;

// "Edit Entries Directly": a modeless window of one view that steps every
// stored code of the view's selected record by hand and shows the record's
// bytes. It shares the selected record and band with its view, so the plot
// follows every change; the view refreshes it at every repaint.
class EditEntriesDlg : public QDialog {
    Q_OBJECT

public:
    EditEntriesDlg(CMainVue& view, UserInterface& ui, QWidget* parent);

    // Fills the texts from the selected record and band.
    void Refresh();
    // Remembers the window's screen position in the profile file.
    void StorePosition();
    // The user closed the window (OK, the close box, Escape): the view lets it go.
    std::function<void()> onClose;

    // The shown texts, by name: "file", "memory", "frequency", "level",
    // "input", "weight", "reference", "wideband", "nc".
    QString Text(const char* name) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Press(EditEntries::Button button);
    void ShowByteList();
    void RestorePosition();
    QLineEdit* AddField(QGridLayout* grid, const char* name, const char* label, int row);
    QPushButton* AddButton(QGridLayout* grid, const char* name, const char* text, const char* description,
                           int row, int column, std::function<void()> action);
    void AddButton(QGridLayout* grid, const char* name, const char* text, const char* description, int row,
                   int column, EditEntries::Button button);

    CMainVue& m_view;
    UserInterface& m_ui;
    std::map<QString, QLineEdit*> m_fields;
};
