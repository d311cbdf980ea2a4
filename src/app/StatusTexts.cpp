#include "app/StatusTexts.h"

#include <QDir>
#include <QPrinter>

namespace StatusTexts {

QString ExportedRecords(int count, const QString& path)
{
    return QStringLiteral("Exported %1 %2 to %3")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("record") : QStringLiteral("records"),
             QDir::toNativeSeparators(path));
}

QString ExportedRecord(int memory, const QString& path)
{
    return QStringLiteral("Exported record %1 to %2").arg(memory).arg(QDir::toNativeSeparators(path));
}

QString Printed(int memory, const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("Printed record %1 to %2")
            .arg(memory)
            .arg(QDir::toNativeSeparators(printer.outputFileName()));
    return QStringLiteral("Printed record %1 on %2").arg(memory).arg(printer.printerName());
}

}  // namespace StatusTexts
