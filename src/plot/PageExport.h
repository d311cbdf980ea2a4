#pragma once

#include <QStringList>

#include <string>

class CMainDoc;

// The printed page of a record as a file: PDF or SVG (lines and text kept
// as vectors) or PNG, chosen by the name's extension. The sheet is A4
// portrait, laid out as a printer of kSheetDpi whose printable area is the
// whole sheet lays it out: the plot in the upper half. A PNG is that sheet
// at dpi dots per inch.
namespace PageExport {

constexpr int kSheetDpi = 300;
constexpr int kDefaultPngDpi = 300;
constexpr int kMinPngDpi = 30;
constexpr int kMaxPngDpi = 1200;

enum class Format { Unknown, Pdf, Svg, Png };
Format FormatOf(const std::string& path);
// The save dialog's filters of the formats FormatOf knows, PDF first.
QStringList FileFilters();

// Writes the page of record (0..29), atomically: 0, or -1 with error set and
// nothing left at path (an existing file stays as it was).
int Write(CMainDoc& document, int record, const std::string& path, int dpi, int graphOnly,
          std::string& error);

}  // namespace PageExport
