#pragma once

#include <QString>

class QPrinter;

// What the status bar says once an export or a print has written its file
// or sent its page: what was written, and where.
namespace StatusTexts {

// "Exported 30 records to /home/ann/survey.csv" ("1 record").
QString ExportedRecords(int count, const QString& path);
// "Exported record 5 to /home/ann/survey.bmp".
QString ExportedRecord(int memory, const QString& path);
// "Printed record 5 to /home/ann/survey memory 05.pdf", or "on Office" for
// a printer of that name.
QString Printed(int memory, const QPrinter& printer);

}  // namespace StatusTexts
