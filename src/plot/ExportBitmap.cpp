#include "plot/ExportBitmap.h"

#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "disk/AtomicFile.h"
#include "plot/PlotPage.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kMinPageWidth = 100;
constexpr int kFontReferenceWidth = 2400;  // the page width at which fonts have their printed size

}  // namespace

int ExportPageWidth(int clipBitmapWidth)
{
    return clipBitmapWidth <= kMinPageWidth ? kMinPageWidth : clipBitmapWidth;
}

int ExportFontDivisor(int pageWidth)
{
    return std::max(kFontReferenceWidth / pageWidth, 1);
}

int ExportBitmap(CMainDoc& document, int record, const std::string& path, int graphOnly)
{
    WaitCursor wait(document.Ui());
    const int width = ExportPageWidth(Settings().Clipbmpdx);
    const int height = Settings().Clipbmpdy;
    PlotPage page;
    // A page without rows renders, but other programs refuse its .bmp file.
    const int rendered =
        height == 0 ? -1
                    : page.Render(&document, record, width, height, ExportFontDivisor(width), graphOnly, 8);
    if (rendered != 0) {
        const std::string reason =
            height == 0 ? "No page of " + std::to_string(width) + " x 0 pixels" : page.ErrorText();
        document.Ui().Tell("Cannot make the bitmap " + path + "\r\n(" + reason + ")",
                           UserInterface::Icon::Exclamation);
        return -1;
    }
    std::vector<std::uint8_t> file(static_cast<std::size_t>(page.Image().FileSize()));
    page.Image().WriteBmp(file);
    page.Release();
    std::string error;
    if (!WriteFileAtomically(path, file.data(), file.size(), error)) {
        document.Ui().Tell("Cannot write " + path + "\r\n(" + error + ")", UserInterface::Icon::Exclamation);
        return -1;
    }
    return 0;
}
