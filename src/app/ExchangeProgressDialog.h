#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

class CCommsDlg;
class EventLoopSleeper;
class QLabel;
class QProgressBar;
class QPushButton;
class QtUserInterface;

// The modal window that covers every exchange with the analyser: its
// progress text, a bar for the long transfers, and Cancel. It shows itself
// when an exchange has run for kShowDelayMs and goes when it has ended;
// being modal it is then the only window that takes the user's clicks and
// keys. Cancel, Escape and the close box cancel the exchange. An upload of
// all 30 records shows the record being sent and the time left.
class ExchangeProgressDialog : public QDialog {
public:
    static constexpr int kShowDelayMs = 300;

    ExchangeProgressDialog(CCommsDlg& comms, EventLoopSleeper& sleeper, QtUserInterface& ui, QWidget* parent);
    ~ExchangeProgressDialog() override;

    // A progress text of the exchange.
    void ShowText(const QString& text);
    void SetShowDelay(int milliseconds) { m_showDelayMs = milliseconds; }

    QPushButton* CancelButton() const { return m_cancel; }
    QProgressBar* Bar() const { return m_bar; }
    QLabel* TextLabel() const { return m_text; }
    QLabel* BatchLabel() const { return m_batch; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Every pause of an exchange comes here.
    void OnPause();
    // Hides the dialog once no exchange runs.
    void CheckEnded();

    CCommsDlg& m_comms;
    EventLoopSleeper& m_sleeper;
    QtUserInterface& m_ui;
    QLabel* m_text;
    QLabel* m_batch;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    QTimer m_watch;
    QElapsedTimer m_running;
    int m_showDelayMs = kShowDelayMs;
};
