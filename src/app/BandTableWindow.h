#pragma once

#include "data/BandTable.h"

#include <QWidget>

#include <optional>

class CMainFrm;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;
class QtUserInterface;

// The acoustic results of the active view's record: its bands with their
// absolute and A-weighted levels, the octave bands, the totals and the NC
// rating. It follows the active window and the record its view shows; Copy
// (and Ctrl+C) puts the whole table on the clipboard as tab-separated text.
class BandTableWindow : public QWidget {
    Q_OBJECT

public:
    // How often the window looks whether the active window or its view
    // moved on. Stepping through records changes no document, so no document
    // tells it; nor does it listen to the main window's client area, which
    // still signals while the main window is being taken down.
    static constexpr int kFollowMs = 100;

    BandTableWindow(CMainFrm& frame, QtUserInterface& ui);

    // Shows the active view's record as it is now; nothing when it is shown already.
    void Follow();
    // What the window shows: nothing while no document window is active.
    const std::optional<BandTable>& Shown() const { return m_shown; }
    // Puts the shown table on the clipboard.
    void Copy();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Display(const std::optional<BandTable>& table);

    CMainFrm& m_frame;
    QtUserInterface& m_ui;
    QLabel* m_heading;
    QTableWidget* m_bands;
    QTableWidget* m_octaves;
    QTableWidget* m_totals;
    QPushButton* m_copy;
    QTimer* m_followTimer;
    std::optional<BandTable> m_shown;
};
