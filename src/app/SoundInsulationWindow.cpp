#include "app/SoundInsulationWindow.h"

#include "app/AppServices.h"
#include "app/ChartCanvas.h"
#include "app/FileDialogs.h"
#include "app/PagePrinter.h"
#include "app/QtUserInterface.h"
#include "app/ResultsCommands.h"
#include "disk/AtomicFile.h"
#include "plot/InsulationPage.h"
#include "plot/Latin1Text.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kDefaultSize{1100, 640};
constexpr int kPrintPoints = 10;

// The ratings as the screen shows them, with true minus signs.
QString ScreenText(const std::string& text)
{
    return Latin1Text(text).replace(QStringLiteral("= -"), QStringLiteral("= \u2212"));
}

}  // namespace

SoundInsulationWindow::SoundInsulationWindow(const InsulationResults& results, const QString& documentPath,
                                             AppServices& services, PagePrinter& printer, QWidget* parent)
    : QWidget(parent, Qt::Window), m_results(results), m_documentPath(documentPath), m_services(services),
      m_printer(printer), m_table(new QTableWidget), m_ratings(new QLabel), m_chart(new ChartCanvas)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Sound Insulation"));
    const auto rows = InsulationRows(results);
    m_table->setObjectName(QStringLiteral("bands"));
    m_table->setColumnCount(static_cast<int>(rows.front().size()));
    m_table->setRowCount(static_cast<int>(rows.size() - 1));
    QStringList header;
    for (const std::string& cell : rows.front())
        header << Latin1Text(cell);
    m_table->setHorizontalHeaderLabels(header);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
    // Every heading whole; the note takes what is left.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t row = 1; row < rows.size(); ++row)
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            auto* item = new QTableWidgetItem(Latin1Text(rows[row][column]));
            item->setTextAlignment(
                Qt::AlignVCenter |
                (column == 0 || column + 1 == rows[row].size() ? Qt::AlignLeft : Qt::AlignRight));
            m_table->setItem(static_cast<int>(row - 1), static_cast<int>(column), item);
        }

    QString heading = QStringLiteral("Source room: record %1    Receiving room: record %2")
                          .arg(results.source + 1)
                          .arg(results.receive + 1);
    if (results.background >= 0)
        heading += QStringLiteral("    Background: record %1").arg(results.background + 1);
    QStringList ratings;
    for (const std::string& line : InsulationRatingLines(results))
        ratings << ScreenText(line);
    m_ratings->setObjectName(QStringLiteral("ratings"));
    m_ratings->setText(ratings.join(QLatin1Char('\n')));
    QFont large = m_ratings->font();
    large.setPointSizeF(large.pointSizeF() * 1.3);
    large.setBold(true);
    m_ratings->setFont(large);
    m_ratings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* note = new QLabel(AnyBandAtLimit(results) ? Latin1Text(kAtLimitNote) : QString());
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    m_chart->setObjectName(QStringLiteral("chart"));
    m_chart->SetChart(InsulationPage::MakeChart(results));

    auto* copy = new QPushButton(QStringLiteral("&Copy"));
    auto* csv = new QPushButton(QStringLiteral("Export C&SV..."));
    auto* print = new QPushButton(QStringLiteral("&Print..."));
    auto* close = new QPushButton(QStringLiteral("Close"));
    copy->setObjectName(QStringLiteral("copy"));
    csv->setObjectName(QStringLiteral("csv"));
    print->setObjectName(QStringLiteral("print"));
    connect(copy, &QPushButton::clicked, this, &SoundInsulationWindow::Copy);
    connect(csv, &QPushButton::clicked, this, &SoundInsulationWindow::ExportCsv);
    connect(print, &QPushButton::clicked, this, &SoundInsulationWindow::Print);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {copy, csv, print, close})
        buttons->addWidget(button);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(heading));
    left->addWidget(m_table, 1);
    left->addWidget(note);
    auto* right = new QVBoxLayout;
    right->addWidget(m_ratings);
    right->addWidget(m_chart, 1);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 5);
    body->addLayout(right, 6);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    // Large, but never beyond the screen (at a scale factor of 2 as well).
    resize(kDefaultSize.boundedTo(screen()->availableGeometry().size() * 9 / 10));
}

void SoundInsulationWindow::Copy()
{
    m_services.ui.SetClipboardText(InsulationText(m_results));
}

void SoundInsulationWindow::ExportCsv()
{
    const QFileInfo document(m_documentPath);
    FileDialogs::Request request;
    request.title = QStringLiteral("Export CSV");
    request.directory = document.path();
    request.proposedName =
        document.path() + QLatin1Char('/') + document.completeBaseName() + QStringLiteral(" insulation.csv");
    request.filters = {QStringLiteral("CSV (*.csv)")};
    request.defaultSuffix = QStringLiteral("csv");
    const std::optional<QString> path = m_services.fileDialogs.GetSaveFileName(request);
    if (!path)
        return;
    const std::string file = path->toLocal8Bit().toStdString();
    const std::string csv = InsulationCsv(m_results, LocaleDecimalPoint());
    std::string error;
    if (!WriteFileAtomically(file, csv.data(), csv.size(), error))
        m_services.ui.Tell("Cannot write " + file + "\r\n(" + error + ")", UserInterface::Icon::Exclamation);
}

void SoundInsulationWindow::Print()
{
    QPrinter& printer = m_printer.Printer();
    printer.setDocName(QStringLiteral("%1 insulation").arg(QFileInfo(m_documentPath).completeBaseName()));
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_services.ui.Tell("Cannot print the page\r\n(the printer cannot be opened)",
                           UserInterface::Icon::Exclamation);
        return;
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(kPrintPoints);
    InsulationPage::Paint(painter, m_results, QRectF(QPointF(0, 0), QSizeF(painter.viewport().size())), font);
    painter.end();
}
