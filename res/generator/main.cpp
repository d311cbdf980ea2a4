// tv7w-artgen RESDIR [--preview DIR]
// Draws every bitmap resource into RESDIR/bitmaps/<id>.bmp and the desktop
// icons into RESDIR/icons. With --preview, also writes each bitmap, read back
// from its .bmp file and enlarged three times, as DIR/<id>.png for viewing.

#include "Artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Resource {
    int id;
    std::function<IndexedImage()> paint;
};

constexpr int kPreviewScale = 3;
constexpr int kPreviewWidth = 1000;
constexpr int kFrontPanelId = 131;
constexpr int kIconId = 31234;
constexpr int kIconBitmapSize = 32;
constexpr int kDesktopIconSizes[] = {16, 32, 48, 64, 128, 256};

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "tv7w-artgen: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The icon as a resource bitmap: the icon on the platform's dialog grey.
IndexedImage IconBitmap()
{
    QImage icon(kIconBitmapSize, kIconBitmapSize, QImage::Format_RGB32);
    icon.fill(QColor(192, 192, 192));
    QPainter painter(&icon);
    painter.drawImage(0, 0, PaintProgramIcon(kIconBitmapSize));
    painter.end();
    return IndexedImage::FromRgb(icon, SystemColours());
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--preview")) {
        std::fprintf(stderr, "usage: tv7w-artgen RESDIR [--preview DIR]\n");
        return 2;
    }
    const QDir res(args[1]);
    const QString preview = args.size() == 4 ? args[3] : QString();
    if (!res.mkpath("bitmaps") || !res.mkpath("icons") || (!preview.isEmpty() && !QDir().mkpath(preview))) {
        std::fprintf(stderr, "tv7w-artgen: cannot create the output folders\n");
        return 1;
    }

    const std::vector<Resource> resources{
        {137, PaintGraticule}, {131, PaintFrontPanel},   {139, PaintStartPicture},
        {141, PaintPageLogo},  {128, PaintToolbarStrip}, {130, PaintClientBackdrop},
        {134, PaintBanner},    {140, PaintWatermark},    {kIconId, IconBitmap},
    };
    for (const Resource& resource : resources) {
        const IndexedImage image = resource.paint();
        const std::vector<std::uint8_t> bytes = image.BmpBytes();
        const QString path = res.filePath(QString("bitmaps/%1.bmp").arg(resource.id));
        if (!WriteFile(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<qsizetype>(bytes.size()))))
            return 1;
        std::printf("%d: %d x %d, %d colours used, %zu bytes\n", resource.id, image.Width(), image.Height(),
                    image.DistinctColours(), bytes.size());
        if (!preview.isEmpty()) {
            QImage readBack(path);
            if (readBack.isNull() || readBack.format() != QImage::Format_Indexed8) {
                std::fprintf(stderr, "tv7w-artgen: %s does not read back as an 8-bit bitmap\n",
                             qPrintable(path));
                return 1;
            }
            readBack.save(QDir(preview).filePath(QString("%1-1x.png").arg(resource.id)));
            const int scale = std::max(kPreviewScale, kPreviewWidth / readBack.width());
            readBack.scaled(readBack.size() * scale)
                .save(QDir(preview).filePath(QString("%1.png").arg(resource.id)));
            if (resource.id == kFrontPanelId)
                LightFrontPanel(readBack)
                    .scaled(readBack.size() * kPreviewScale)
                    .save(QDir(preview).filePath(QString("%1-lit.png").arg(resource.id)));
        }
    }
    for (int size : kDesktopIconSizes) {
        const QString path = res.filePath(QString("icons/tv7w-%1.png").arg(size));
        if (!PaintProgramIcon(size).save(path)) {
            std::fprintf(stderr, "tv7w-artgen: cannot write %s\n", qPrintable(path));
            return 1;
        }
        if (!preview.isEmpty())
            PaintProgramIcon(size).save(QDir(preview).filePath(QString("icon-%1.png").arg(size)));
    }
    return 0;
}
