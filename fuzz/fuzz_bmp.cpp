// Parses arbitrary bytes as a .bmp file image and as a packed DIB, then uses
// whatever loaded: every pixel address, a rectangle copy, the palette and a
// written file that must read back the same.

#include "dib/DibImage.h"

#include <cstdlib>
#include <vector>

namespace {

void Exercise(const DibImage& image)
{
    if (!image.IsValid())
        return;
    volatile std::uint8_t sink = 0;
    // Rows are checked at both ends of the picture and at the edges.
    for (int y : {-1, 0, 1, image.Height() / 2, image.Height() - 1, image.Height()})
        if (const std::uint8_t* row = image.Row(y); row != nullptr && image.Stride() > 0)
            sink = sink ^ row[image.Stride() - 1];
    for (int x = -1; x <= image.Width() && x < 64; ++x)
        if (const std::uint8_t* pixel = image.Pixel(x, image.Height() / 2))
            sink = sink ^ *pixel;
    LogPalette palette;
    image.MakePalette(palette);

    DibImage copy;
    if (copy.CopyFrom(image) == DibImage::kOk)
        copy.CopyRect(image, image.Width() / 3, 1, 0, 0, -2, image.Height() / 2);

    std::vector<std::uint8_t> file(static_cast<std::size_t>(image.FileSize()));
    if (image.WriteBmp(file) != DibImage::kOk)
        std::abort();
    DibImage again;
    if (again.LoadFileImage(file) != DibImage::kOk || again.ImageBytes() != image.ImageBytes())
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of exactly the input's length, so that any read past it is caught.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::span<const std::uint8_t> input(bytes.data(), bytes.size());
    DibImage file;
    file.LoadFileImage(input);
    Exercise(file);
    DibImage packed;
    packed.LoadPacked(input);
    Exercise(packed);
    return 0;
}
