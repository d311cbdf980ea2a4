// tv7w-artgen RESDIR [--preview DIR]
// Draws every bitmap resource into RESDIR/bitmaps/<id>.bmp and the desktop
// icons into RESDIR/icons/tv7w-<size>.png. With --preview, each bitmap is also
// read back from its .bmp file (so that the file itself is what one looks at)
// and written to DIR as <id>-1x.png and enlarged as <id>.png; the front panel
// also as 131-lit.png, with indicators lit the way the comms window lights them.

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

constexpr int kMinimumPreviewScale = 3;
constexpr int kPreviewWidth = 1000;  // small pictures are enlarged to about this width
constexpr int kFrontPanelId = 131;
constexpr int kIconId = 31234;
constexpr int kIconBitmapSize = 32;
constexpr int kDesktopIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool Fail(const char* what, const QString& path)
{
    std::fprintf(stderr, "tv7w-artgen: %s %s\n", what, qPrintable(path));
    return false;
}

bool WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes)
{
    QFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), size) != size)
        return Fail("cannot write", path);
    return true;
}

bool WritePreview(const QString& bmpPath, int id, const QDir& preview)
{
    const QImage readBack(bmpPath);
    if (readBack.isNull() || readBack.format() != QImage::Format_Indexed8)
        return Fail("does not read back as an 8-bit bitmap:", bmpPath);
    const int scale = std::max(kMinimumPreviewScale, kPreviewWidth / readBack.width());
    const QSize enlarged = readBack.size() * scale;
    bool written = readBack.save(preview.filePath(QString("%1-1x.png").arg(id))) &&
                   readBack.scaled(enlarged).save(preview.filePath(QString("%1.png").arg(id)));
    if (id == kFrontPanelId)
        written = written && LightFrontPanel(readBack).scaled(enlarged).save(preview.filePath("131-lit.png"));
    return written || Fail("cannot write the preview of", bmpPath);
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
    const bool previews = args.size() == 4;
    const QDir preview(previews ? args[3] : QString());
    if (!res.mkpath("bitmaps") || !res.mkpath("icons") || (previews && !preview.mkpath("."))) {
        std::fprintf(stderr, "tv7w-artgen: cannot create the output folders\n");
        return 1;
    }

    const std::vector<Resource> resources{
        {128, PaintToolbarStrip}, {130, PaintClientBackdrop}, {131, PaintFrontPanel},
        {134, PaintBanner},       {137, PaintGraticule},      {139, PaintStartPicture},
        {140, PaintWatermark},    {141, PaintPageLogo},       {kIconId, IconBitmap},
    };
    for (const Resource& resource : resources) {
        const IndexedImage image = resource.paint();
        const std::vector<std::uint8_t> bytes = image.BmpBytes();
        const QString path = res.filePath(QString("bitmaps/%1.bmp").arg(resource.id));
        if (!WriteFile(path, bytes) || (previews && !WritePreview(path, resource.id, preview)))
            return 1;
        std::printf("%d: %d x %d, %d colours used, %zu bytes\n", resource.id, image.Width(), image.Height(),
                    image.DistinctColours(), bytes.size());
    }
    for (int size : kDesktopIconSizes) {
        const QString path = res.filePath(QString("icons/tv7w-%1.png").arg(size));
        if (!PaintProgramIcon(size).save(path)) {
            Fail("cannot write", path);
            return 1;
        }
    }
    return 0;
}
