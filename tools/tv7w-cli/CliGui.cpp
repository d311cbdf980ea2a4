#include "CliGui.h"

#include <cstdio>
#include <cstdlib>

namespace {

void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

std::unique_ptr<QGuiApplication> StartOffscreenGui()
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietQtMessages);
    static int argc = 1;
    static char program[] = "tv7w-cli";
    static char* argv[] = {program, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}
