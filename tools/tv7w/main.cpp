// tv7w: the desktop program.

#include "app/CMainApp.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    // A file that would grow beyond the user's file-size limit fails to be
    // written, and says so, instead of ending the program with its work.
    std::signal(SIGXFSZ, SIG_IGN);
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
