#include "app/DefaultPaper.h"

#include <QFile>
#include <QLocale>
#include <QPrinterInfo>

#include <cstdlib>
#include <optional>
#include <utility>

namespace {

// The paper names of the system's paper configuration that Qt knows.
std::optional<QPageSize> PaperNamed(const QByteArray& name)
{
    static const std::pair<const char*, QPageSize::PageSizeId> kNames[] = {
        {"a3", QPageSize::A3},         {"a4", QPageSize::A4},
        {"a5", QPageSize::A5},         {"b4", QPageSize::B4},
        {"b5", QPageSize::B5},         {"letter", QPageSize::Letter},
        {"legal", QPageSize::Legal},   {"executive", QPageSize::Executive},
        {"ledger", QPageSize::Ledger}, {"tabloid", QPageSize::Tabloid},
    };
    const QByteArray wanted = name.trimmed().toLower();
    for (const auto& [known, id] : kNames)
        if (wanted == known)
            return QPageSize(id);
    return std::nullopt;
}

// The first line of the paper configuration file that is not a comment.
QByteArray ConfiguredPaperName()
{
    if (const char* name = std::getenv("PAPERSIZE"); name != nullptr && *name != '\0')
        return name;
    const char* configured = std::getenv("PAPERCONF");
    QFile file(
        QString::fromLocal8Bit(configured != nullptr && *configured != '\0' ? configured : "/etc/papersize"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith('#'))
            return line;
    }
    return {};
}

}  // namespace

QPageSize DefaultPaper()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull() && printer.defaultPageSize().isValid())
        return printer.defaultPageSize();
    if (const std::optional<QPageSize> paper = PaperNamed(ConfiguredPaperName()))
        return *paper;
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                        : QPageSize::A4);
}
