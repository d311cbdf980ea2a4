#pragma once

#include <string>

class CMainDoc;

// The acoustic results of a document as CSV: a header row (record, source,
// unit, weighting, NC curve, reference, LZ, LA, LC, NC, NR, comment, then
// the bands' nominal Hz 25, 31.5 .. 20000), then one row per record in use
// with its settings, totals, ratings, first comment line and 30 absolute
// band levels in its unit. point is the decimal point; when it is a comma
// the fields are separated by ";", else by ","; a field holding the
// separator or a quote is quoted. Lines end with CR LF.
std::string ResultsCsvText(CMainDoc& doc, char point);

// Writes ResultsCsvText to path atomically. 0 written; -1 not written (the
// user has been told why, and an existing file is left as it was).
int ExportResultsCsv(CMainDoc& doc, const std::string& path, char point);
