#include "plot/SurveyReport.h"

#include "data/CMainDoc.h"
#include "data/ResultText.h"
#include "data/SurveySummary.h"
#include "disk/AtomicFile.h"
#include "plot/Latin1Text.h"
#include "plot/PlotPage.h"
#include "plot/PrintLayout.h"

#include <QBuffer>
#include <QDate>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cctype>

namespace SurveyReport {

namespace {

constexpr int kDpi = 300;
constexpr double kMarginMillimetres = 10.0;
// The table's columns share its width in these parts; numbers stand right.
// Numbers stand right in their columns.
constexpr std::array<bool, 9> kRightAligned{true, false, false, true, true, true, true, true, true};
constexpr std::size_t kCommentColumn = 1;
constexpr std::size_t kReferenceColumn = 3;
constexpr double kTitlePoints = 14.0;
constexpr double kTextPoints = 10.0;
constexpr double kTablePoints = 9.0;
constexpr double kRowSpacing = 1.55;  // row pitch over the font's height

QFont ReportFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Where the first page's parts go on a paint area of the page's printable size.
struct FirstPage {
    QRectF table;           // the rows' area on the first page, header row included
    double furtherTop = 0;  // the table's top on its further pages
    double rowPitch = 0;
    int rowsFirst = 0;    // rows of records on the first page
    int rowsFurther = 0;  // on each further page of the table
};

// The font metrics of a PDF of kDpi: what the writer's painter measures.
double PixelsPerPoint()
{
    return kDpi / 72.0;
}

FirstPage Arrange(const QRect& paint)
{
    const PrintLayout layout = PrintLayoutFor(paint.width(), paint.height(), false);
    const int u = layout.pageWidth / 36;
    const int v = layout.pageHeight / 36;
    FirstPage first;
    const double textLine = kTextPoints * PixelsPerPoint() * 1.5;
    const double top = 3 * v + kTitlePoints * PixelsPerPoint() * 2.0 + 4 * textLine;
    const double bottom = paint.height() - kTextPoints * 2.5 * PixelsPerPoint();
    first.rowPitch = kTablePoints * PixelsPerPoint() * kRowSpacing;
    // The table keeps clear of the default logo in the page's right corner.
    first.table = QRectF(3 * u, top, 28 * u, bottom - top);
    first.rowsFirst = std::max(1, static_cast<int>(first.table.height() / first.rowPitch) - 1);
    first.furtherTop = 3 * v;
    first.rowsFurther = std::max(1, static_cast<int>((bottom - first.furtherTop) / first.rowPitch) - 1);
    return first;
}

int TablePages(const FirstPage& first, int rows)
{
    if (rows <= first.rowsFirst)
        return 1;
    return 1 + (rows - first.rowsFirst + first.rowsFurther - 1) / first.rowsFurther;
}

void PaintFooter(QPainter& painter, const QRect& paint, int number, int count)
{
    painter.setFont(ReportFont(kTextPoints));
    const double height = QFontMetricsF(painter.font()).height();
    painter.drawText(QRectF(0, paint.height() - height, paint.width(), height), Qt::AlignCenter,
                     QStringLiteral("Page %1 of %2").arg(number).arg(count));
}

using Rows = std::vector<std::vector<std::string>>;

// Each column as wide as its widest cell, the bold header's included; the
// comment takes what is left of the table's width.
std::vector<double> ColumnWidths(QPainter& painter, const Rows& rows, double tableWidth)
{
    std::vector<double> widths(kRightAligned.size(), 0.0);
    const auto measure = [&](const std::vector<std::string>& cells) {
        const QFontMetricsF metrics(painter.font(), painter.device());
        for (std::size_t column = 0; column < widths.size() && column < cells.size(); ++column)
            widths[column] = std::max(widths[column], metrics.horizontalAdvance(Latin1Text(cells[column])) +
                                                          metrics.averageCharWidth() * 2.0);
    };
    painter.setFont(ReportFont(kTablePoints, true));
    measure(TableHeader());
    painter.setFont(ReportFont(kTablePoints));
    for (const auto& row : rows)
        measure(row);
    double others = 0.0;
    for (std::size_t column = 0; column < widths.size(); ++column)
        if (column != kCommentColumn)
            others += widths[column];
    widths[kCommentColumn] = std::max(tableWidth - others, tableWidth / 8.0);
    return widths;
}

// One row of cells across the table at y; a cell too long for its column
// is cut with an ellipsis.
void PaintRow(QPainter& painter, const QRectF& table, const std::vector<double>& widths, double y,
              double pitch, const std::vector<std::string>& cells)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double gap = metrics.averageCharWidth();
    double x = table.left();
    for (std::size_t column = 0; column < widths.size() && column < cells.size(); ++column) {
        const QRectF cell(x + gap, y, widths[column] - 2 * gap, pitch);
        const QString text = metrics.elidedText(Latin1Text(cells[column]), Qt::ElideRight, cell.width());
        painter.drawText(cell, Qt::AlignVCenter | (kRightAligned[column] ? Qt::AlignRight : Qt::AlignLeft),
                         text);
        x += widths[column];
    }
}

// The table's header row with a rule under it; returns the y below it.
double PaintTableHeader(QPainter& painter, const QRectF& table, const std::vector<double>& widths, double y,
                        double pitch)
{
    painter.setFont(ReportFont(kTablePoints, true));
    PaintRow(painter, table, widths, y, pitch, TableHeader());
    painter.setPen(QPen(Qt::black, PixelsPerPoint() * 0.6));
    painter.drawLine(QPointF(table.left(), y + pitch), QPointF(table.right(), y + pitch));
    painter.setFont(ReportFont(kTablePoints));
    return y + pitch;
}

bool PaintFirstPage(QPainter& painter, CMainDoc& document, const QRect& paint, std::string& error)
{
    const PrintLayout layout = PrintLayoutFor(paint.width(), paint.height(), false);
    PlotPage page;
    if (page.RenderHeaderOn(painter, &document, layout.pageWidth, layout.pageHeight, layout.fontDivisor) !=
        0) {
        error = page.ErrorText();
        return false;
    }
    const double left = 3.0 * (layout.pageWidth / 36);
    double y = 3.0 * (layout.pageHeight / 36);
    painter.setPen(Qt::black);
    painter.setFont(ReportFont(kTitlePoints, true));
    const double titleLine = QFontMetricsF(painter.font()).height();
    painter.drawText(QRectF(left, y, paint.width() - left, titleLine), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Survey Report"));
    y += titleLine * 1.4;
    painter.setFont(ReportFont(kTextPoints));
    const double line = QFontMetricsF(painter.font()).height() * 1.25;
    std::string serial;
    document.GetSerialText(serial);
    for (const QString& text :
         {QStringLiteral("Data File: %1").arg(Latin1Text(document.GetTitle())),
          QStringLiteral("TALVEK 7: %1").arg(serial.empty() ? QStringLiteral("-") : Latin1Text(serial)),
          QStringLiteral("Date: %1").arg(QDate::currentDate().toString(Qt::ISODate))}) {
        painter.drawText(QRectF(left, y, paint.width() - left, line), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += line;
    }
    return true;
}

}  // namespace

std::vector<std::string> TableHeader()
{
    // The summary's columns, capitalised as a printed table heads them.
    std::vector<std::string> header = SummaryHeader();
    for (std::string& name : header)
        name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return header;
}

std::vector<std::string> TableRow(CMainDoc& document, int record)
{
    const SummaryRow row = MakeSummaryRow(document.Data(), record);
    std::vector<std::string> cells = SummaryCells(row);
    // Records of both units share the table: each reference says its unit.
    const std::string_view unit = LevelUnit(row.source);
    if (cells.size() > kReferenceColumn && !unit.empty() && !cells[kReferenceColumn].empty())
        cells[kReferenceColumn] += " " + std::string(unit);
    return cells;
}

bool Records(CMainDoc& document, const std::vector<int>& listed, std::vector<int>& records,
             std::string& error)
{
    records.clear();
    if (listed.empty()) {
        for (int record = 0; record < SpectrumFile::kRecords; ++record)
            if (document.IsRecordInUse(record) != 0)
                records.push_back(record);
        if (records.empty()) {
            error = "The file has no record in use";
            return false;
        }
        return true;
    }
    for (int record : listed) {
        if (record < 0 || record >= SpectrumFile::kRecords || document.IsRecordInUse(record) == 0) {
            error = "Record " + std::to_string(record + 1) + " is not in use";
            return false;
        }
        records.push_back(record);
    }
    return true;
}

QPageLayout DefaultPage()
{
    return QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres, kMarginMillimetres),
        QPageLayout::Millimeter);
}

bool Write(CMainDoc& document, const std::vector<int>& records, const std::string& path,
           const QPageLayout& page, std::string& error)
{
    error.clear();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDpi);
        writer.setPageLayout(page);
        writer.setTitle(QStringLiteral("Survey report: %1").arg(Latin1Text(document.GetTitle())));
        writer.setCreator(QStringLiteral("TV7W"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "The PDF cannot be started";
            return false;
        }
        const QRect paint = page.paintRectPixels(kDpi);
        const FirstPage first = Arrange(paint);
        const int count = static_cast<int>(records.size());
        const int pages = TablePages(first, count) + count;
        int number = 1;
        if (!PaintFirstPage(painter, document, paint, error))
            return false;
        Rows rows;
        for (int record : records)
            rows.push_back(TableRow(document, record));
        const std::vector<double> widths = ColumnWidths(painter, rows, first.table.width());
        double y = PaintTableHeader(painter, first.table, widths, first.table.top(), first.rowPitch);
        int room = first.rowsFirst;
        for (const auto& row : rows) {
            if (room == 0) {
                PaintFooter(painter, paint, number++, pages);
                writer.newPage();
                y = PaintTableHeader(painter, first.table, widths, first.furtherTop, first.rowPitch);
                room = first.rowsFurther;
            }
            painter.setPen(Qt::black);
            PaintRow(painter, first.table, widths, y, first.rowPitch, row);
            y += first.rowPitch;
            --room;
        }
        PaintFooter(painter, paint, number++, pages);

        const PrintLayout layout = PrintLayoutFor(paint.width(), paint.height(), false);
        for (int record : records) {
            writer.newPage();
            PlotPage plot;
            plot.SetResultsLineAlways(true);
            if (plot.RenderOn(painter, &document, record, layout.pageWidth, layout.pageHeight,
                              layout.fontDivisor, 0) != 0) {
                error = plot.ErrorText();
                return false;
            }
            painter.setPen(Qt::black);
            PaintFooter(painter, paint, number++, pages);
        }
        if (!painter.end()) {
            error = "The PDF cannot be finished";
            return false;
        }
    }
    buffer.close();
    return WriteFileAtomically(path, bytes.constData(), static_cast<std::size_t>(bytes.size()), error);
}

}  // namespace SurveyReport
