#include "app/ExchangeProgressDialog.h"

#include "app/EventLoopSleeper.h"
#include "app/QtUserInterface.h"
#include "link/CCommsDlg.h"
#include "link/TransferProgress.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kWatchIntervalMs = 25;
constexpr int kTextWidth = 320;

}  // namespace

ExchangeProgressDialog::ExchangeProgressDialog(CCommsDlg& comms, EventLoopSleeper& sleeper,
                                               QtUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_comms(comms), m_sleeper(sleeper), m_ui(ui), m_text(new QLabel), m_batch(new QLabel),
      m_bar(new QProgressBar), m_cancel(new QPushButton(QStringLiteral("Cancel")))
{
    setWindowTitle(QStringLiteral("TALVEK 7"));
    setWindowModality(Qt::ApplicationModal);
    m_text->setMinimumWidth(kTextWidth);
    m_bar->setTextVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_batch);
    layout->addWidget(m_bar);
    m_batch->hide();
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_comms.Cancel();
        m_cancel->setEnabled(false);
    });
    m_watch.setInterval(kWatchIntervalMs);
    connect(&m_watch, &QTimer::timeout, this, [this] { CheckEnded(); });
    m_sleeper.SetPauseHook([this] { OnPause(); });
}

ExchangeProgressDialog::~ExchangeProgressDialog()
{
    m_sleeper.SetPauseHook(nullptr);
    m_sleeper.SetTakeInput(false);
}

void ExchangeProgressDialog::ShowText(const QString& text)
{
    m_text->setText(text);
    if (const int record = m_comms.BatchRecord(); record > 0) {
        const TransferProgress done = BatchProgress(record, text.toStdString());
        m_bar->setRange(0, done.maximum);
        m_bar->setValue(done.value);
        const qint64 elapsed = m_running.isValid() ? m_running.elapsed() : 0;
        m_batch->setText(QString::fromStdString(BatchText(record, done, elapsed)));
        m_batch->show();
        return;
    }
    m_batch->hide();
    if (const std::optional<TransferProgress> progress = ProgressOf(text.toStdString())) {
        m_bar->setRange(0, progress->maximum);
        m_bar->setValue(progress->value);
    } else if (m_bar->maximum() != 0 && !text.startsWith(QStringLiteral("Ok"))) {
        m_bar->setRange(0, 0);  // busy, no measure
    }
}

void ExchangeProgressDialog::OnPause()
{
    if (!m_comms.IsExchangeRunning())
        return;
    if (!m_watch.isActive()) {
        m_running.start();
        m_watch.start();
    }
    // Each exchange can be cancelled, also one that starts while the dialog
    // still shows the cancel of the one before.
    m_cancel->setEnabled(!m_comms.IsCancelRequested());
    if (!isVisible() && m_running.elapsed() >= m_showDelayMs) {
        show();
        raise();
        m_sleeper.SetTakeInput(true);
        m_ui.SetInputWindowShown(true);
    }
}

void ExchangeProgressDialog::CheckEnded()
{
    if (m_comms.IsExchangeRunning())
        return;
    m_watch.stop();
    m_sleeper.SetTakeInput(false);
    m_ui.SetInputWindowShown(false);
    hide();
    m_batch->hide();
    m_bar->setRange(0, 0);
    m_bar->reset();
}

void ExchangeProgressDialog::reject()
{
    // Escape asks the exchange to end; the dialog goes when it has.
    m_comms.Cancel();
    m_cancel->setEnabled(false);
}

void ExchangeProgressDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_comms.IsExchangeRunning())
        reject();
    else
        CheckEnded();
}
