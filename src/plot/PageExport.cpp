#include "plot/PageExport.h"

#include "disk/AtomicFile.h"
#include "plot/PlotPage.h"
#include "plot/PrintLayout.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cctype>

namespace PageExport {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kInchesPerMetre = 39.37007874;

QSize SheetPixels(int dpi)
{
    const QSizeF millimetres = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    return {static_cast<int>(millimetres.width() * dpi / kMillimetresPerInch),
            static_cast<int>(millimetres.height() * dpi / kMillimetresPerInch)};
}

// Paints the page on a painter whose units are dots of kSheetDpi.
int PaintSheet(QPainter& painter, CMainDoc& document, int record, int graphOnly, std::string& error)
{
    const QSize sheet = SheetPixels(kSheetDpi);
    const PrintLayout layout = PrintLayoutFor(sheet.width(), sheet.height(), false);
    PlotPage page;
    if (page.RenderOn(painter, &document, record, layout.pageWidth, layout.pageHeight, layout.fontDivisor,
                      graphOnly) != 0) {
        error = page.ErrorText();
        return -1;
    }
    return 0;
}

bool Store(const std::string& path, const QByteArray& bytes, std::string& error)
{
    return WriteFileAtomically(path, bytes.constData(), static_cast<std::size_t>(bytes.size()), error);
}

}  // namespace

Format FormatOf(const std::string& path)
{
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return Format::Unknown;
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "pdf")
        return Format::Pdf;
    if (extension == "svg")
        return Format::Svg;
    if (extension == "png")
        return Format::Png;
    return Format::Unknown;
}

QStringList FileFilters()
{
    return {QStringLiteral("PDF (*.pdf)"), QStringLiteral("SVG (*.svg)"), QStringLiteral("PNG (*.png)")};
}

int Write(CMainDoc& document, int record, const std::string& path, int dpi, int graphOnly, std::string& error)
{
    error.clear();
    const Format format = FormatOf(path);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QString title = QStringLiteral("TV7W page");

    switch (format) {
    case Format::Unknown:
        error = "The page is written as .pdf, .svg or .png, not as " + path;
        return -1;
    case Format::Pdf: {
        QPdfWriter writer(&buffer);
        writer.setResolution(kSheetDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("TV7W"));
        QPainter painter(&writer);
        if (PaintSheet(painter, document, record, graphOnly, error) != 0)
            return -1;
        painter.end();
        break;
    }
    case Format::Svg: {
        const QSize sheet = SheetPixels(kSheetDpi);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(sheet);
        generator.setViewBox(QRect(QPoint(0, 0), sheet));
        generator.setResolution(kSheetDpi);
        generator.setTitle(title);
        QPainter painter(&generator);
        painter.fillRect(QRect(QPoint(0, 0), sheet), Qt::white);
        if (PaintSheet(painter, document, record, graphOnly, error) != 0)
            return -1;
        painter.end();
        break;
    }
    case Format::Png: {
        if (dpi < kMinPngDpi || dpi > kMaxPngDpi) {
            error = "The resolution must be " + std::to_string(kMinPngDpi) + " to " +
                    std::to_string(kMaxPngDpi) + " dots per inch";
            return -1;
        }
        QImage image(SheetPixels(dpi), QImage::Format_Grayscale8);
        if (image.isNull()) {
            error = "Cannot alloc";
            return -1;
        }
        image.fill(Qt::white);
        const int dotsPerMetre = static_cast<int>(dpi * kInchesPerMetre + 0.5);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(static_cast<double>(dpi) / kSheetDpi, static_cast<double>(dpi) / kSheetDpi);
        if (PaintSheet(painter, document, record, graphOnly, error) != 0)
            return -1;
        painter.end();
        if (!image.save(&buffer, "PNG")) {
            error = "Cannot make the PNG image";
            return -1;
        }
        break;
    }
    }
    buffer.close();
    return Store(path, bytes, error) ? 0 : -1;
}

}  // namespace PageExport
