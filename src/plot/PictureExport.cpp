#include "plot/PictureExport.h"

#include "disk/AtomicFile.h"
#include "plot/PageExport.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace PictureExport {

namespace {
constexpr int kScreenDpi = 96;
constexpr double kPointsPerInch = 72.0;
}  // namespace

bool Write(const std::string& path, QSize size, const PaintFunction& paint, std::string& error)
{
    error.clear();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    const QString title = QStringLiteral("TV7W chart");

    switch (PageExport::FormatOf(path)) {
    case PageExport::Format::Unknown:
        error = "The picture is written as .pdf, .svg or .png, not as " + path;
        return false;
    case PageExport::Format::Pdf: {
        QPdfWriter writer(&buffer);
        writer.setResolution(kScreenDpi);
        const QSizeF points = QSizeF(size) * kPointsPerInch / kScreenDpi;
        writer.setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("TV7W"));
        QPainter painter(&writer);
        paint(painter, area);
        painter.end();
        break;
    }
    case PageExport::Format::Svg: {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(area);
        generator.setResolution(kScreenDpi);
        generator.setTitle(title);
        QPainter painter(&generator);
        paint(painter, area);
        painter.end();
        break;
    }
    case PageExport::Format::Png: {
        QImage image(size * kPngScale, QImage::Format_RGB32);
        if (image.isNull()) {
            error = "Cannot alloc";
            return false;
        }
        image.setDevicePixelRatio(kPngScale);
        image.fill(Qt::white);
        QPainter painter(&image);
        paint(painter, area);
        painter.end();
        if (!image.save(&buffer, "PNG")) {
            error = "Cannot make the PNG image";
            return false;
        }
        break;
    }
    }
    buffer.close();
    return WriteFileAtomically(path, bytes.constData(), static_cast<std::size_t>(bytes.size()), error);
}

}  // namespace PictureExport
