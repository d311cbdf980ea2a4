#pragma once

#include <QString>

#include <functional>

class CCommsDlg;
class FileDialogs;
class QtUserInterface;

// What every window of the program shares: the user interface, the file
// dialogs, the one analyser object and how this run was started. Owned by
// the application; windows keep a reference.
struct AppServices {
    QtUserInterface& ui;
    FileDialogs& fileDialogs;
    CCommsDlg& comms;
    // Started with --demo: the simulated analyser stands in for a real one.
    bool demo = false;
    // True while an exchange with the analyser runs: documents, their windows
    // and the program may not close then.
    std::function<bool()> exchangeRunning = [] { return false; };
    // Asks the frame to bring menu and toolbar states up to date now.
    std::function<void()> updateCommandStates = [] {};
    // Says in the main window's status bar what a command has done.
    std::function<void(const QString& text)> showStatus = [](const QString&) {};
};
