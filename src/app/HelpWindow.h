#pragma once

#include <QTextBrowser>

// The program's manual, an HTML book compiled into the program, in a window
// of its own; one window for the whole run.
class HelpWindow : public QTextBrowser {
public:
    static constexpr const char* kContents = "qrc:/help/index.html";

    explicit HelpWindow(QWidget* parent = nullptr);
    // Opens the window (or raises it) at the contents page.
    void ShowContents();
};
