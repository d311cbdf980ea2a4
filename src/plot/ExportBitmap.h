#pragma once

#include <string>

class CMainDoc;

// Bitmap export without its file dialog: renders the plot page of record
// (0..29) of document as an 8-bit grey page of Clipbmpdx x Clipbmpdy pixels
// (at least 100 wide) and writes it to path as a .bmp file, atomically.
// graphOnly non-zero leaves out bitmaps and texts. 0 when written; when the
// page cannot be rendered or the file cannot be written the user is told
// why, nothing is left at path (an existing file stays as it was) and the
// result is -1.
int ExportBitmap(CMainDoc& document, int record, const std::string& path, int graphOnly);

// The page width and font divisor the export uses for a Clipbmpdx setting.
int ExportPageWidth(int clipBitmapWidth);
int ExportFontDivisor(int pageWidth);
