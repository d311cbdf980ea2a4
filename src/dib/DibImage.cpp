#include "dib/DibImage.h"

#include "ResourceBitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace {

constexpr char kCannotAlloc[] = "Cannot alloc";
constexpr char kNotValid[] = "Not a valid bitmap";
constexpr char kNoResource[] = "Cannot load resource";
constexpr char kNoData[] = "No data";

constexpr std::uint16_t kBitmapFileType = 0x4D42;  // "BM"
constexpr int kPixelOffsetField = 10;

// Offsets in the BITMAPINFOHEADER.
constexpr int kBiWidth = 4;
constexpr int kBiHeight = 8;
constexpr int kBiPlanes = 12;
constexpr int kBiBitCount = 14;
constexpr int kBiCompression = 16;
constexpr int kBiClrUsed = 32;

// Sizes of an image, worked out before anything is allocated so that a
// header that lies about its dimensions costs nothing.
struct Geometry {
    int colours = 0;
    int stride = 0;
    int imageBytes = 0;
    int paletteBytes = 0;
    int blockSize = 0;
};

// False when the image cannot exist: a negative size, a depth other than 1,
// 8, 16, 24 or 32, more colours than the depth can index, or a block that
// does not fit the 32-bit sizes of the header.
bool ComputeGeometry(int width, int height, int colours, int bitsPerPixel, Geometry& geometry)
{
    if (width < 0 || height < 0 || colours < 0)
        return false;
    const std::int64_t w = width;
    std::int64_t stride = 0;
    switch (bitsPerPixel) {
    case 1:
        colours = colours == 0 ? 2 : colours;
        stride = (w + 31) / 32 * 4;
        break;
    case 8:
        colours = colours == 0 ? 256 : colours;
        stride = (w + 3) & ~std::int64_t{3};
        break;
    case 16:
        colours = 0;
        stride = (2 * w + 3) & ~std::int64_t{3};
        break;
    case 24:
        colours = 0;
        stride = (3 * w + 3) & ~std::int64_t{3};
        break;
    case 32:
        colours = 0;
        stride = 4 * w;
        break;
    default:
        return false;
    }
    if (bitsPerPixel <= 8 && colours > (1 << bitsPerPixel))
        return false;
    constexpr std::int64_t kMaxBlock = std::numeric_limits<std::int32_t>::max();
    // The stride must fit its 32-bit field even when there are no rows.
    if (stride > kMaxBlock || (height > 0 && stride > kMaxBlock / height))
        return false;
    const std::int64_t imageBytes = stride * height;
    const std::int64_t blockSize = DibImage::kInfoHeaderSize + std::int64_t{colours} * 4 + imageBytes;
    if (blockSize > kMaxBlock)
        return false;
    geometry.colours = colours;
    geometry.stride = static_cast<int>(stride);
    geometry.imageBytes = static_cast<int>(imageBytes);
    geometry.paletteBytes = colours * 4;
    geometry.blockSize = static_cast<int>(blockSize);
    return true;
}

void Put16(std::uint8_t* at, std::uint32_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value)
{
    Put16(at, value);
    Put16(at + 2, value >> 16);
}

std::uint32_t Get16(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0] | at[1] << 8);
}

std::uint32_t Get32(const std::uint8_t* at)
{
    return Get16(at) | Get16(at + 2) << 16;
}

// Bytes that pixel x starts at within its row.
int ByteOffset(int x, int bitsPerPixel)
{
    return bitsPerPixel == 1 ? x / 8 : x * (bitsPerPixel / 8);
}

}  // namespace

int DibImage::Fail(int code, const char* text)
{
    m_nErrorCode = code;
    m_strError = text;
    return code;
}

int DibImage::Create(int width, int height, int colours, int bitsPerPixel)
{
    Free();
    Geometry geometry;
    if (!ComputeGeometry(width, height, colours, bitsPerPixel, geometry))
        return Fail(kInvalid, kNotValid);
    // calloc hands out fresh zeroed memory without touching every page first.
    m_pBlock.reset(static_cast<std::uint8_t*>(std::calloc(static_cast<std::size_t>(geometry.blockSize), 1)));
    if (!m_pBlock)
        return Fail(kNoMemory, kCannotAlloc);
    m_nWidth = width;
    m_nHeight = height;
    m_nStride = geometry.stride;
    m_nBlockSize = geometry.blockSize;
    m_nImageBytes = geometry.imageBytes;
    m_nPaletteBytes = geometry.paletteBytes;
    m_nColours = geometry.colours;
    m_nBitsPerPixel = bitsPerPixel;
    m_pHeader = m_pBlock.get();
    m_pColourTable = m_pHeader + kInfoHeaderSize;
    m_pBits = m_pColourTable + m_nPaletteBytes;

    Put32(m_pHeader, kInfoHeaderSize);
    Put32(m_pHeader + kBiWidth, static_cast<std::uint32_t>(width));
    Put32(m_pHeader + kBiHeight, static_cast<std::uint32_t>(height));
    Put16(m_pHeader + kBiPlanes, 1);
    Put16(m_pHeader + kBiBitCount, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(m_pHeader + kBiClrUsed, static_cast<std::uint32_t>(m_nColours));
    // The default table is a grey ramp ending in white: black and white for
    // two colours, 0, 1, ... 254, 255 for 256.
    if (m_nColours > 0) {
        const int step = 256 / m_nColours;
        for (int i = 0; i < m_nColours; ++i) {
            const auto grey = static_cast<std::uint8_t>(i == m_nColours - 1 ? 255 : i * step);
            std::uint8_t* entry = m_pColourTable + 4 * i;
            entry[0] = entry[1] = entry[2] = grey;
        }
    }
    m_bValid = 1;
    return kOk;
}

int DibImage::CopyFrom(const DibImage& other)
{
    if (&other == this)
        return kOk;
    if (!other.IsValid()) {
        Free();
        return Fail(kNoMemory, kNoData);
    }
    const int result = Create(other.m_nWidth, other.m_nHeight, other.m_nColours, other.m_nBitsPerPixel);
    if (result != kOk)
        return result;
    std::memcpy(m_pColourTable, other.m_pColourTable, static_cast<std::size_t>(m_nPaletteBytes));
    std::memcpy(m_pBits, other.m_pBits, static_cast<std::size_t>(m_nImageBytes));
    return kOk;
}

int DibImage::LoadResource(int id)
{
    Free();
    const std::span<const std::uint8_t> resource = ResourceBitmap(id);
    if (resource.empty())
        return Fail(kNoMemory, kNoResource);
    // The resources are kept as complete .bmp files.
    return LoadFileImage(resource);
}

int DibImage::LoadFileImage(std::span<const std::uint8_t> data)
{
    return Parse(data, true);
}

int DibImage::LoadPacked(std::span<const std::uint8_t> data)
{
    return Parse(data, false);
}

// Every size and offset the data declares is checked against the data's own
// length before anything is read or allocated: a truncated or lying file is
// simply not a valid bitmap.
int DibImage::Parse(std::span<const std::uint8_t> data, bool fileImage)
{
    if (data.data() == nullptr)
        return Fail(kNoMemory, kNoData);
    Free();
    const auto size = static_cast<std::int64_t>(data.size());
    const std::int64_t headerAt = fileImage ? kFileHeaderSize : 0;
    if (size < headerAt + kInfoHeaderSize)
        return Fail(kInvalid, kNotValid);
    if (fileImage && Get16(data.data()) != kBitmapFileType)
        return Fail(kInvalid, kNotValid);
    const std::uint8_t* header = data.data() + headerAt;
    // Later header versions (108 and 124 bytes) only add fields after the
    // first 40, and their colour table follows the whole header; the older
    // 12-byte header has another layout altogether.
    const std::int64_t headerSize = Get32(header);
    const auto width = static_cast<std::int32_t>(Get32(header + kBiWidth));
    const auto height = static_cast<std::int32_t>(Get32(header + kBiHeight));
    const auto bitsPerPixel = static_cast<int>(Get16(header + kBiBitCount));
    // Deeper pixels hold their colours themselves: whatever the colour count
    // says, such an image has no table.
    const std::uint32_t colourCount = bitsPerPixel <= 8 ? Get32(header + kBiClrUsed) : 0;
    if (headerSize < kInfoHeaderSize || Get32(header + kBiCompression) != 0 ||
        colourCount > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()))
        return Fail(kInvalid, kNotValid);
    Geometry geometry;
    if (!ComputeGeometry(width, height, static_cast<int>(colourCount), bitsPerPixel, geometry))
        return Fail(kInvalid, kNotValid);
    const std::int64_t tableAt = headerAt + headerSize;
    const std::int64_t rowsAt =
        fileImage ? std::int64_t{Get32(data.data() + kPixelOffsetField)} : tableAt + geometry.paletteBytes;
    if (tableAt + geometry.paletteBytes > size || rowsAt + geometry.imageBytes > size)
        return Fail(kInvalid, kNotValid);

    const int result = Create(width, height, geometry.colours, bitsPerPixel);
    if (result != kOk)
        return result;
    std::memcpy(m_pColourTable, data.data() + tableAt, static_cast<std::size_t>(m_nPaletteBytes));
    std::memcpy(m_pBits, data.data() + rowsAt, static_cast<std::size_t>(m_nImageBytes));
    return kOk;
}

int DibImage::CopyRect(const DibImage& source, int xDest, int yDest, int width, int height, int xSrc,
                       int ySrc)
{
    if (!IsValid() || !source.IsValid() || source.m_nBitsPerPixel != m_nBitsPerPixel)
        return Fail(kInvalid, kNotValid);
    if (width == 0)
        width = m_nWidth;
    if (height == 0)
        height = m_nHeight;
    if (xDest >= m_nWidth || xSrc >= source.m_nWidth || yDest >= m_nHeight || ySrc >= source.m_nHeight)
        return kOk;
    // The block is cut at the right and bottom edges of both images; negative
    // origins count as 0, after which the block is cut again so that no row
    // is copied past either image's edge.
    const auto limit = [](int extent, int origin, int size) {
        return static_cast<int>(std::min<std::int64_t>(size, std::int64_t{extent} - origin));
    };
    width = std::min(limit(source.m_nWidth, xSrc, width), limit(m_nWidth, xDest, width));
    height = std::min(limit(source.m_nHeight, ySrc, height), limit(m_nHeight, yDest, height));
    xDest = std::max(xDest, 0);
    yDest = std::max(yDest, 0);
    xSrc = std::max(xSrc, 0);
    ySrc = std::max(ySrc, 0);
    width = std::min({width, m_nWidth - xDest, source.m_nWidth - xSrc});
    height = std::min({height, m_nHeight - yDest, source.m_nHeight - ySrc});
    if (width <= 0 || height <= 0)
        return kOk;
    const int rowBytes = m_nBitsPerPixel == 1 ? width / 8 : width * (m_nBitsPerPixel / 8);
    for (int i = 0; i < height; ++i) {
        std::uint8_t* to = Pixel(xDest, yDest + i);
        const std::uint8_t* from = source.Pixel(xSrc, ySrc + i);
        if (to == nullptr || from == nullptr)
            return Fail(kInvalid, kNotValid);
        std::memmove(to, from, static_cast<std::size_t>(rowBytes));
    }
    return kOk;
}

int DibImage::WriteBmp(std::span<std::uint8_t> out) const
{
    if (out.data() == nullptr)
        return kNoMemory;
    if (!IsValid() || out.size() < static_cast<std::size_t>(FileSize()))
        return kInvalid;
    std::uint8_t* file = out.data();
    Put16(file, kBitmapFileType);
    Put32(file + 2, static_cast<std::uint32_t>(FileSize()));
    Put32(file + 6, 0);
    Put32(file + kPixelOffsetField,
          static_cast<std::uint32_t>(m_nPaletteBytes + kFileHeaderSize + kInfoHeaderSize));
    std::memcpy(file + kFileHeaderSize, m_pBlock.get(), static_cast<std::size_t>(m_nBlockSize));
    return kOk;
}

int DibImage::MakePalette(LogPalette& palette) const
{
    if (!IsValid())
        return kInvalid;
    palette.palVersion = LogPalette::kVersion;
    palette.palNumEntries = static_cast<std::uint16_t>(m_nColours);
    for (int i = 0; i < m_nColours; ++i) {
        const std::uint8_t* entry = m_pColourTable + 4 * i;
        palette.palPalEntry[static_cast<std::size_t>(i)] = {entry[2], entry[1], entry[0], 0};
    }
    return kOk;
}

void DibImage::Free()
{
    m_pBlock.reset();
    m_bValid = 0;
    m_nWidth = m_nHeight = m_nStride = 0;
    m_nBlockSize = m_nImageBytes = m_nPaletteBytes = 0;
    m_nColours = m_nBitsPerPixel = 0;
    m_pBits = m_pHeader = m_pColourTable = nullptr;
}

std::uint8_t* DibImage::Row(int y)
{
    return const_cast<std::uint8_t*>(std::as_const(*this).Row(y));
}

const std::uint8_t* DibImage::Row(int y) const
{
    if (m_pBits == nullptr || y < 0 || y >= m_nHeight)
        return nullptr;
    return m_pBits + static_cast<std::ptrdiff_t>(m_nHeight - y - 1) * m_nStride;
}

std::uint8_t* DibImage::Pixel(int x, int y)
{
    return const_cast<std::uint8_t*>(std::as_const(*this).Pixel(x, y));
}

const std::uint8_t* DibImage::Pixel(int x, int y) const
{
    if (x < 0 || x >= m_nWidth)
        return nullptr;
    const std::uint8_t* row = Row(y);
    return row == nullptr ? nullptr : row + ByteOffset(x, m_nBitsPerPixel);
}
