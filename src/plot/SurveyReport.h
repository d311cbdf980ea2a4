#pragma once

#include <string>
#include <vector>

class CMainDoc;
class QPageLayout;

// The survey report of a document as one PDF: a first page with the page
// header and logo as the Printing Options place them, the file's name, the
// analyser's serial number, the date and a table of the records, then each
// record's printed page with its results line; "Page n of m" on every page.
// Everything is text and lines in the file, so it can be searched and
// copied from, and it prints sharp.
namespace SurveyReport {

// The columns of the table and the cells of a record's row.
std::vector<std::string> TableHeader();
std::vector<std::string> TableRow(CMainDoc& document, int record);

// The records of the report (0..29): the listed ones, or every record in use
// when none is listed. False with error set for a listed record not in use.
bool Records(CMainDoc& document, const std::vector<int>& listed, std::vector<int>& records,
             std::string& error);

// Writes the report of records to path on the paper, orientation and margins
// of page, atomically: true, or false with error set and nothing left at
// path (an existing file stays as it was).
bool Write(CMainDoc& document, const std::vector<int>& records, const std::string& path,
           const QPageLayout& page, std::string& error);

// A4 portrait with the margins of the program's printer: the report's paper
// when no printer says otherwise.
QPageLayout DefaultPage();

}  // namespace SurveyReport
