#include "app/BandTableWindow.h"

#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/QtUserInterface.h"
#include "data/AcousticResults.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 560;
// LZ, LA, LC, and NC and NR each with the octave that decides it.
constexpr int kTotalsRows = 7;

QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// A read-only table without row numbers, its rows as tight as its font,
// high enough for rows rows and no more, its columns sharing its width.
QTableWidget* NewTable(const char* name, int columns, int rows, bool columnHeader)
{
    auto* table = new QTableWidget(0, columns);
    table->setObjectName(QLatin1String(name));
    table->verticalHeader()->hide();
    const int rowHeight = table->fontMetrics().height() + 4;
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->horizontalHeader()->setVisible(columnHeader);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    const int header = columnHeader ? table->horizontalHeader()->sizeHint().height() : 0;
    table->setFixedHeight(header + rows * rowHeight + 2 * table->frameWidth());
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    // The window's Ctrl+C copies the whole table, not a cell.
    table->setFocusPolicy(Qt::NoFocus);
    return table;
}

// Rows of cells into table, the first row being the column header when
// columnHeader is true. Numbers stand right-aligned after the first column.
void Fill(QTableWidget* table, const BandTable::Rows& rows, bool columnHeader)
{
    const std::size_t first = columnHeader && !rows.empty() ? 1 : 0;
    if (first == 1) {
        QStringList labels;
        for (const std::string& cell : rows.front())
            labels << Local(cell);
        table->setHorizontalHeaderLabels(labels);
    }
    table->setRowCount(static_cast<int>(rows.size() - first));
    for (std::size_t row = first; row < rows.size(); ++row)
        for (std::size_t column = 0;
             column < rows[row].size() && static_cast<int>(column) < table->columnCount(); ++column) {
            auto* item = new QTableWidgetItem(Local(rows[row][column]));
            item->setFlags(Qt::ItemIsEnabled);
            item->setTextAlignment(Qt::AlignVCenter | (column == 0 ? Qt::AlignLeft : Qt::AlignRight));
            table->setItem(static_cast<int>(row - first), static_cast<int>(column), item);
        }
}

// "Data File: a.spc    Memory: 5    Source: Mike    Reference: 110.0 dB SPL"
QString HeadingText(const BandTable::Rows& heading)
{
    QStringList parts;
    for (const auto& row : heading) {
        QStringList values;
        for (std::size_t cell = 1; cell < row.size(); ++cell)
            if (!row[cell].empty())
                values << Local(row[cell]);
        parts << Local(row.front()) + QStringLiteral(": ") + values.join(QLatin1Char(' '));
    }
    return parts.join(QStringLiteral("    "));
}

}  // namespace

BandTableWindow::BandTableWindow(CMainFrm& frame, QtUserInterface& ui)
    : QWidget(&frame, Qt::Tool), m_frame(frame), m_ui(ui), m_heading(new QLabel),
      m_bands(NewTable("bands", 5, MemoryRecord::kBands, true)),
      m_octaves(NewTable("octaves", 2, AcousticResults::kOctaves, true)),
      m_totals(NewTable("totals", 3, kTotalsRows, false)), m_copy(new QPushButton(QStringLiteral("&Copy"))),
      m_followTimer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Band Table"));
    m_copy->setObjectName(QStringLiteral("copy"));

    auto* close = new QPushButton(QStringLiteral("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_copy);
    buttons->addWidget(close);
    auto* right = new QVBoxLayout;
    right->addWidget(m_octaves);
    right->addWidget(m_totals);
    right->addStretch();
    auto* tables = new QHBoxLayout;
    tables->addWidget(m_bands, 3);
    tables->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(tables);
    layout->addLayout(buttons);
    resize(kWidth, sizeHint().height());

    connect(m_copy, &QPushButton::clicked, this, &BandTableWindow::Copy);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    connect(m_followTimer, &QTimer::timeout, this, &BandTableWindow::Follow);
    m_followTimer->setInterval(kFollowMs);
    Display(std::nullopt);
}

void BandTableWindow::Follow()
{
    std::optional<BandTable> table;
    if (const CMainVue* view = m_frame.ActiveView())
        table = MakeBandTable(view->GetDocument(), view->SelectedMemory() - 1);
    if (table != m_shown)
        Display(table);
}

void BandTableWindow::Copy()
{
    if (m_shown)
        m_ui.SetClipboardText(BandTableText(*m_shown));
}

bool BandTableWindow::event(QEvent* event)
{
    // The main window's keys stay active while this tool window is: its
    // Copy keys are claimed here, before they reach the main window's Copy.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void BandTableWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        Copy();
    else
        QWidget::keyPressEvent(event);
}

void BandTableWindow::showEvent(QShowEvent* event)
{
    Follow();
    m_followTimer->start();
    QWidget::showEvent(event);
}

void BandTableWindow::hideEvent(QHideEvent* event)
{
    m_followTimer->stop();
    QWidget::hideEvent(event);
}

void BandTableWindow::Display(const std::optional<BandTable>& table)
{
    m_shown = table;
    static const BandTable kNothing;
    const BandTable& shown = table ? *table : kNothing;
    m_heading->setText(table ? HeadingText(shown.heading) : QStringLiteral("No document window is active."));
    Fill(m_bands, shown.bands, true);
    Fill(m_octaves, shown.octaves, true);
    Fill(m_totals, shown.totals, false);
    m_copy->setEnabled(table.has_value());
}
