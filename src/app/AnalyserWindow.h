#pragma once

#include "link/FrontPanel.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include <functional>

class CCommsDlg;
class FrontPanelKeys;
class QLineEdit;
class QPushButton;
class UserInterface;

// The analyser window: the TALVEK 7's front panel, whose keys are clicked
// to work the analyser, its indicators, the display's dots of the memory
// fetched by Refresh, the selected memory, the serial number, a hover help
// line and the status line. It shows what CCommsDlg knows and sends what
// the panel's rules say; it keeps no protocol of its own.
class AnalyserWindow : public QDialog {
public:
    static constexpr int kRefreshButton = 1120;
    static constexpr int kLightRepaintMs = 500;

    AnalyserWindow(CCommsDlg& comms, UserInterface& ui, bool simulated, QWidget* parent);
    ~AnalyserWindow() override;

    // Places the window where it was (or, the first time, beside view, the
    // active document view or nullptr), reads the analyser's status while
    // it is still hidden, then shows it.
    void Open(QWidget* view);
    bool IsOpen() const { return m_bWindowOpen; }
    // Told when the window has closed (the views' transfer buttons change).
    std::function<void()> onClosed;

    // Shows the state of the analyser again: fields, indicators and dots.
    void Repaint();
    // The progress or result text of an exchange, shown in the status line.
    void ShowStatus(const QString& text);

    QPushButton* RefreshButton() const { return m_refresh; }
    QLineEdit* HoverLine() const { return m_hover; }
    QLineEdit* StatusLine() const { return m_status; }
    QLineEdit* MemoryField() const { return m_memory; }
    QLineEdit* SerialField() const { return m_serial; }
    FrontPanelKeys* PanelKeys() const { return m_keys; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Hover(const QPoint& point);
    // The controls' tips, shown only while the setting Tooltips is on.
    void ApplyTooltips();
    // A press on the picture at point, by the mouse or the keyboard: the key
    // there sends its command when pressed is true.
    void PressAt(const QPoint& point, bool pressed);
    // Pushes the memory, serial number and status into their fields.
    void UpdateFields();
    void Refresh();
    void StorePosition();
    QLineEdit* Field(int left, int top, int width, int height, Qt::Alignment alignment, const char* name);

    CCommsDlg& m_comms;
    UserInterface& m_ui;
    QPixmap m_picture;
    QLineEdit* m_memory;
    QLineEdit* m_serial;
    QLineEdit* m_hover;
    QLineEdit* m_status;
    QPushButton* m_refresh;
    FrontPanelKeys* m_keys;
    QTimer m_timer;
    int m_nHoverCommand = 0;
    bool m_bLightRepaint = false;
    bool m_bWindowOpen = false;
};
