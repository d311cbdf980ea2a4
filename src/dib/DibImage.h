#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

// One colour of a logical palette.
struct PaletteEntry {
    std::uint8_t peRed = 0;
    std::uint8_t peGreen = 0;
    std::uint8_t peBlue = 0;
    std::uint8_t peFlags = 0;
};

// A logical palette: version 0x300 and up to 256 colours.
struct LogPalette {
    static constexpr std::uint16_t kVersion = 0x300;
    std::uint16_t palVersion = kVersion;
    std::uint16_t palNumEntries = 0;
    std::array<PaletteEntry, 256> palPalEntry{};
};

// The program's own device-independent bitmap: one block holding a
// BITMAPINFOHEADER, the colour table and the pixel rows, exactly as a packed
// DIB (little-endian, rows bottom-up, each padded to a multiple of 4 bytes).
// The page image, the screen graticule, the front panel, user bitmaps and
// every .bmp file the program writes rest on it. Results: 0 success, -1 bad
// arguments or format, -8 no memory or no data; the last failure stays in the
// object as a code and a short text, nothing is ever shown from here.
class DibImage {
public:
    static constexpr int kOk = 0;
    static constexpr int kInvalid = -1;
    static constexpr int kNoMemory = -8;

    static constexpr int kInfoHeaderSize = 40;
    static constexpr int kFileHeaderSize = 14;

    DibImage() = default;
    ~DibImage() = default;
    DibImage(const DibImage&) = delete;
    DibImage& operator=(const DibImage&) = delete;

    // A width x height image of 1, 8, 16, 24 or 32 bits per pixel, the
    // default colour table, every pixel byte 0. colours 0 means the full
    // table of the depth (2 or 256); 16, 24 and 32 bits have none.
    int Create(int width, int height, int colours, int bitsPerPixel);
    // Becomes an independent copy of other: geometry, colour table, pixels.
    int CopyFrom(const DibImage& other);
    // One of the bitmap resources compiled into the program.
    int LoadResource(int id);
    // A .bmp file image ("BM", file header, info header, colour table, rows).
    int LoadFileImage(std::span<const std::uint8_t> data);
    // A packed DIB (info header, colour table, rows).
    int LoadPacked(std::span<const std::uint8_t> data);
    // Copies raw pixel bytes of a width x height block at (xSrc, ySrc) of
    // source to (xDest, yDest) of this image; rows count from the top, a zero
    // size means this image's size, the block is cut at both images' edges.
    int CopyRect(const DibImage& source, int xDest, int yDest, int width, int height, int xSrc, int ySrc);
    // Writes the .bmp file image (FileSize() bytes) into out.
    int WriteBmp(std::span<std::uint8_t> out) const;
    // The colour table as a logical palette.
    int MakePalette(LogPalette& palette) const;
    // Releases the block; the image becomes empty.
    void Free();

    // Address of row y or of pixel (x, y), rows counted from the top of the
    // picture; null outside the image or when it is empty.
    std::uint8_t* Row(int y);
    const std::uint8_t* Row(int y) const;
    std::uint8_t* Pixel(int x, int y);
    const std::uint8_t* Pixel(int x, int y) const;

    bool IsValid() const { return m_bValid != 0; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    int Stride() const { return m_nStride; }
    int BlockSize() const { return m_nBlockSize; }
    int ImageBytes() const { return m_nImageBytes; }
    int PaletteBytes() const { return m_nPaletteBytes; }
    int Colours() const { return m_nColours; }
    int BitsPerPixel() const { return m_nBitsPerPixel; }
    // Size of the .bmp file image that WriteBmp writes.
    int FileSize() const { return m_nBlockSize + kFileHeaderSize; }

    const std::uint8_t* Block() const { return m_pBlock.get(); }
    std::uint8_t* Bits() { return m_pBits; }
    const std::uint8_t* Bits() const { return m_pBits; }
    // Colour-table entries: blue, green, red, 0.
    std::uint8_t* ColourTable() { return m_pColourTable; }
    const std::uint8_t* ColourTable() const { return m_pColourTable; }

    int ErrorCode() const { return m_nErrorCode; }
    const std::string& ErrorText() const { return m_strError; }

private:
    struct BlockDeleter {
        void operator()(std::uint8_t* block) const { std::free(block); }
    };

    int Parse(std::span<const std::uint8_t> data, bool fileImage);
    int Fail(int code, const char* text);

    int m_bValid = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nStride = 0;
    int m_nBlockSize = 0;
    int m_nImageBytes = 0;
    int m_nPaletteBytes = 0;
    int m_nColours = 0;
    int m_nBitsPerPixel = 0;
    int m_nErrorCode = 0;
    std::string m_strError;
    std::unique_ptr<std::uint8_t, BlockDeleter> m_pBlock;
    std::uint8_t* m_pBits = nullptr;
    std::uint8_t* m_pHeader = nullptr;
    std::uint8_t* m_pColourTable = nullptr;
};
