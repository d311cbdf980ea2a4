#include "app/HelpWindow.h"

#include <QUrl>

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    // An open manual does not keep the program running once the main window
    // has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("TV7W Help"));
    setOpenExternalLinks(true);
    document()->setDocumentMargin(12);
    resize(720, 640);
}

void HelpWindow::ShowContents()
{
    setSource(QUrl(QString::fromLatin1(kContents)));
    show();
    raise();
    activateWindow();
}
