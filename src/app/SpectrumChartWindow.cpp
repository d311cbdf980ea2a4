#include "app/SpectrumChartWindow.h"

#include "app/AppServices.h"
#include "app/CMainChd.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/ChartCanvas.h"
#include "app/FileDialogs.h"
#include "app/QtUserInterface.h"
#include "data/CMainDoc.h"
#include "data/NoiseRating.h"
#include "plot/PageExport.h"
#include "plot/PictureExport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QSize kDefaultSize{1000, 640};
constexpr int kListWidth = 230;
constexpr QSize kSwatchSize{28, 12};
// The highest NR curve offered: far above any room.
constexpr int kHighestNr = 130;

// A short line in the record's colour and style, as the chart draws it.
QIcon Swatch(int record)
{
    QPixmap pixmap(kSwatchSize * 2);
    pixmap.setDevicePixelRatio(2);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(SpectrumChartData::RecordColour(record), 2.5, SpectrumChartData::RecordStyle(record),
                        Qt::FlatCap));
    painter.drawLine(QPointF(1, kSwatchSize.height() / 2.0),
                     QPointF(kSwatchSize.width() - 1, kSwatchSize.height() / 2.0));
    return QIcon(pixmap);
}

QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SpectrumChartWindow::SpectrumChartWindow(CMainFrm& frame, AppServices& services)
    : QWidget(&frame, Qt::Window), m_frame(frame), m_services(services), m_heading(new QLabel),
      m_records(new QListWidget), m_octaves(new QCheckBox(QStringLiteral("&Octave bands"))),
      m_curve(new QComboBox), m_curveNumber(new QSpinBox), m_canvas(new ChartCanvas), m_readout(new QLabel),
      m_followTimer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Spectrum Chart"));
    m_records->setObjectName(QStringLiteral("records"));
    m_records->setIconSize(kSwatchSize);
    m_records->setFixedWidth(kListWidth);
    m_octaves->setObjectName(QStringLiteral("octaves"));
    m_canvas->setObjectName(QStringLiteral("chart"));
    m_canvas->setAccessibleName(QStringLiteral("Spectrum chart"));
    m_readout->setObjectName(QStringLiteral("readout"));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_readout->setMinimumHeight(m_readout->fontMetrics().height());

    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(QStringLiteral("Records shown:")));
    side->addWidget(m_records, 1);
    side->addWidget(m_octaves);
    m_curve->setObjectName(QStringLiteral("curve"));
    m_curve->addItems({QStringLiteral("No curve"), QStringLiteral("NC-N"), QStringLiteral("NR-N"),
                       QStringLiteral("The record's NC rating"), QStringLiteral("The record's NR rating")});
    m_curveNumber->setObjectName(QStringLiteral("curveNumber"));
    m_curveNumber->setPrefix(QStringLiteral("N = "));
    m_curveNumber->setValue(m_choice.curveNumber);
    auto* curve = new QHBoxLayout;
    curve->addWidget(m_curve, 1);
    curve->addWidget(m_curveNumber);
    side->addWidget(new QLabel(QStringLiteral("Rating curve (Mike records):")));
    side->addLayout(curve);
    auto* chart = new QVBoxLayout;
    chart->addWidget(m_canvas, 1);
    chart->addWidget(m_readout);
    auto* body = new QHBoxLayout;
    body->addLayout(side);
    body->addLayout(chart, 1);
    auto* layout = new QVBoxLayout(this);
    BuildMenus(layout);
    layout->addWidget(m_heading);
    layout->addLayout(body, 1);
    // Large, but never beyond the screen (at a scale factor of 2 as well).
    resize(kDefaultSize.boundedTo(screen()->availableGeometry().size() * 9 / 10));

    connect(m_records, &QListWidget::itemChanged, this, &SpectrumChartWindow::Ticked);
    connect(m_octaves, &QCheckBox::toggled, this, [this](bool on) {
        m_choice.octaves = on;
        UpdateChart();
    });
    connect(m_curve, &QComboBox::currentIndexChanged, this, &SpectrumChartWindow::ReadCurve);
    connect(m_curveNumber, &QSpinBox::valueChanged, this, &SpectrumChartWindow::ReadCurve);
    ReadCurve();
    m_canvas->onHover = [this](double hz) { ShowReadout(hz); };
    connect(m_followTimer, &QTimer::timeout, this, &SpectrumChartWindow::Follow);
    m_followTimer->setInterval(kFollowMs);
    FillList();
    UpdateChart();
}

void SpectrumChartWindow::BuildMenus(QVBoxLayout* layout)
{
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    QAction* exportChart = file->addAction(QStringLiteral("&Export..."), this, &SpectrumChartWindow::Export);
    exportChart->setObjectName(QStringLiteral("export"));
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), this, &QWidget::close);
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    QAction* copy = edit->addAction(QStringLiteral("&Copy"), this, &SpectrumChartWindow::Copy);
    copy->setObjectName(QStringLiteral("copy"));
    copy->setShortcut(QKeySequence::Copy);
    layout->setMenuBar(bar);
}

void SpectrumChartWindow::Follow()
{
    // While this window has the focus no document window may be active: the
    // chart then keeps the document it shows for as long as that is open.
    const CMainVue* view = m_frame.ActiveView();
    CMainDoc* document = view ? &view->GetDocument() : ShownDocument();
    const int active = view ? view->SelectedMemory() - 1 : document ? m_choice.activeRecord : -1;
    if (document == m_document && active == m_choice.activeRecord &&
        (!document || document->Data() == m_image))
        return;
    if (document != m_document)
        m_choice.ticked.clear();
    m_document = document;
    m_choice.activeRecord = active;
    if (document)
        m_image = document->Data();
    FillList();
    UpdateChart();
}

CMainDoc* SpectrumChartWindow::ShownDocument() const
{
    for (CMainChd* child : m_frame.Children())
        if (&child->Document() == m_document)
            return &child->Document();
    return nullptr;
}

void SpectrumChartWindow::FillList()
{
    const QSignalBlocker blocker(m_records);
    m_records->clear();
    CMainDoc* document = ShownDocument();
    if (document == nullptr) {
        m_heading->setText(QStringLiteral("No document window is active."));
        return;
    }
    m_heading->setText(
        QStringLiteral("%1    Memory %2").arg(Local(document->GetTitle())).arg(m_choice.activeRecord + 1));
    // Only records of one unit are drawn together: the active record's.
    const std::vector<int> shown = SpectrumChartData::ShownRecords(*document, m_choice);
    const QString unit = shown.empty() ? QString() : SpectrumChartData::RecordUnit(*document, shown.back());
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        const QString recordUnit = SpectrumChartData::RecordUnit(*document, record);
        if (recordUnit.isEmpty())
            continue;
        auto* item = new QListWidgetItem(Swatch(record), SpectrumChartData::RecordLabel(*document, record));
        item->setData(Qt::UserRole, record);
        const bool active = record == m_choice.activeRecord;
        const bool ticked =
            std::find(m_choice.ticked.begin(), m_choice.ticked.end(), record) != m_choice.ticked.end();
        if (active) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            item->setFlags(Qt::ItemIsEnabled);
            item->setCheckState(Qt::Checked);
            item->setToolTip(QStringLiteral("The record of the active view, always shown"));
        } else if (recordUnit != unit) {
            item->setFlags(Qt::NoItemFlags);
            item->setCheckState(Qt::Unchecked);
            item->setToolTip(QStringLiteral("In %1, not in %2").arg(recordUnit, unit));
        } else {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
        }
        m_records->addItem(item);
    }
}

void SpectrumChartWindow::UpdateChart()
{
    CMainDoc* document = ShownDocument();
    if (document == nullptr) {
        m_canvas->SetChart({});
        ShowReadout(0.0);
        return;
    }
    m_canvas->SetChart(SpectrumChartData::MakeChart(*document, m_choice));
    ShowReadout(m_canvas->Chart().markedHz);
}

void SpectrumChartWindow::Ticked(QListWidgetItem* item)
{
    const int record = item->data(Qt::UserRole).toInt();
    std::vector<int>& ticked = m_choice.ticked;
    ticked.erase(std::remove(ticked.begin(), ticked.end(), record), ticked.end());
    if (item->checkState() == Qt::Checked && record != m_choice.activeRecord)
        ticked.push_back(record);
    UpdateChart();
}

void SpectrumChartWindow::ReadCurve()
{
    using Curve = SpectrumChartChoice::Curve;
    m_choice.curve = static_cast<Curve>(m_curve->currentIndex());
    // NC curves run from NC-15 to NC-70; NR ones from NR-0 up.
    const bool nc = m_choice.curve == Curve::kNc;
    m_curveNumber->setEnabled(nc || m_choice.curve == Curve::kNr);
    m_curveNumber->setRange(nc ? kLowestNc : 0, nc ? kHighestNc : kHighestNr);
    m_choice.curveNumber = m_curveNumber->value();
    UpdateChart();
}

void SpectrumChartWindow::ShowReadout(double hz)
{
    QStringList parts;
    if (hz > 0.0) {
        parts << FrequencyChart::FrequencyText(hz) + QLatin1Char(':');
        const FrequencyChart::Chart& chart = m_canvas->Chart();
        for (auto series = chart.series.rbegin(); series != chart.series.rend(); ++series)
            for (const FrequencyChart::Point& point : series->points)
                if (point.hz == hz)
                    parts << QStringLiteral("%1: %2").arg(series->label.section(QLatin1Char(' '), 0, 0),
                                                          point.readout.isEmpty() ? QStringLiteral("-")
                                                                                  : point.readout);
    }
    m_readout->setText(parts.join(QStringLiteral("    ")));
}

QString SpectrumChartWindow::Readout() const
{
    return m_readout->text();
}

void SpectrumChartWindow::Copy()
{
    m_services.ui.SetClipboardImage(m_canvas->Picture(m_canvas->size(), m_canvas->devicePixelRatioF()));
}

void SpectrumChartWindow::Export()
{
    const CMainDoc* shown = ShownDocument();
    if (shown == nullptr)
        return;
    const QFileInfo document(Local(shown->GetPathName()));
    FileDialogs::Request request;
    request.title = QStringLiteral("Export Chart");
    request.directory = document.path();
    request.proposedName =
        document.path() + QLatin1Char('/') + document.completeBaseName() + QStringLiteral(" chart.pdf");
    request.filters = PageExport::FileFilters();
    request.defaultSuffix = QStringLiteral("pdf");
    const std::optional<QString> path = m_services.fileDialogs.GetSaveFileName(request);
    if (!path)
        return;
    const std::string file = path->toLocal8Bit().toStdString();
    FrequencyChart::Chart chart = m_canvas->Chart();
    chart.markedHz = 0.0;
    const QFont font = m_canvas->font();
    std::string error;
    if (!PictureExport::Write(
            file, m_canvas->size(),
            [&](QPainter& painter, const QRectF& area) { FrequencyChart::Paint(painter, chart, area, font); },
            error))
        m_services.ui.Tell("Cannot export the chart to " + file + "\r\n(" + error + ")",
                           UserInterface::Icon::Exclamation);
}

void SpectrumChartWindow::showEvent(QShowEvent* event)
{
    Follow();
    m_followTimer->start();
    QWidget::showEvent(event);
}

void SpectrumChartWindow::hideEvent(QHideEvent* event)
{
    m_followTimer->stop();
    QWidget::hideEvent(event);
}
