// tv7w: the desktop program.

#include "app/CMainApp.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TV7W"));
    QApplication::setOrganizationName(QStringLiteral("TV7W"));
    // Desktops find the menu entry, the icon and the software centre's page by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tv7w.tv7w"));

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    QString error;
    const std::optional<CMainApp::Options> options = CMainApp::ParseCommandLine(arguments, error);
    if (!options) {
        std::fprintf(stderr, "tv7w: %s\nusage: tv7w [--demo] [FILE.spc]\n", qPrintable(error));
        return 2;
    }

    CMainApp app(*options);
    const bool run = app.InitInstance();
    const int status = run ? QApplication::exec() : 0;
    app.ExitInstance();
    return status;
}
