#include "app/AnalyserLogWindow.h"

#include "app/FileDialogs.h"
#include "data/UserInterface.h"
#include "link/AnalyserLog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// New bytes are shown at most this often, so a long transfer costs little.
constexpr int kCatchUpMs = 100;
constexpr int kWidth = 640;
constexpr int kHeight = 420;

}  // namespace

AnalyserLogWindow::AnalyserLogWindow(AnalyserLog& log, UserInterface& ui, FileDialogs& files, QWidget* parent)
    : QDialog(parent), m_log(log), m_ui(ui), m_files(files), m_text(new QPlainTextEdit),
      m_save(new QPushButton(QStringLiteral("Save As..."))), m_clear(new QPushButton(QStringLiteral("Clear")))
{
    setWindowTitle(QStringLiteral("Analyser Log"));
    resize(kWidth, kHeight);
    m_text->setReadOnly(true);
    m_text->setAccessibleName(QStringLiteral("Bytes exchanged with the analyser"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* close = new QPushButton(QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);

    m_catchUp.setSingleShot(true);
    m_catchUp.setInterval(kCatchUpMs);
    connect(&m_catchUp, &QTimer::timeout, this, [this] { Catch(); });
    m_log.onChange = [this] {
        if (isVisible() && !m_catchUp.isActive())
            m_catchUp.start();
    };
    connect(m_save, &QPushButton::clicked, this, [this] { SaveAs(); });
    connect(m_clear, &QPushButton::clicked, this, [this] { m_log.Clear(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

AnalyserLogWindow::~AnalyserLogWindow()
{
    m_log.onChange = nullptr;
}

void AnalyserLogWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Catch();
}

void AnalyserLogWindow::Catch()
{
    const auto& entries = m_log.Entries();
    const std::size_t total = m_log.Dropped() + entries.size();
    const bool restart = m_log.Dropped() != m_droppedShown || total < m_droppedShown + m_shown;
    if (restart) {
        m_text->clear();
        m_shown = 0;
        m_droppedShown = m_log.Dropped();
    }
    QString lines;
    for (std::size_t i = m_shown; i < entries.size(); ++i) {
        if (!lines.isEmpty())
            lines += QLatin1Char('\n');
        lines += QString::fromStdString(AnalyserLog::Line(entries[i]));
    }
    if (!lines.isEmpty())
        m_text->appendPlainText(lines);
    m_shown = entries.size();
}

void AnalyserLogWindow::SaveAs()
{
    FileDialogs::Request request;
    request.title = QStringLiteral("Save Analyser Log");
    request.proposedName = QStringLiteral("tv7w-analyser.log");
    request.filters = {QStringLiteral("Log files (*.log *.txt)"), QStringLiteral("All (*)")};
    request.defaultSuffix = QStringLiteral("log");
    const std::optional<QString> path = m_files.GetSaveFileName(request);
    if (!path)
        return;
    std::string error;
    if (!m_log.Save(path->toStdString(), error))
        m_ui.Tell("Cannot write " + path->toStdString() + "\r\n(" + error + ")",
                  UserInterface::Icon::Exclamation);
}
