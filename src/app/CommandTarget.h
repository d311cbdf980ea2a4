#pragma once

#include <QString>

#include <optional>

// What a command looks like on the menu and toolbar right now.
struct CommandState {
    CommandState(bool enabledNow = true, bool checkedNow = false) : enabled(enabledNow), checked(checkedNow)
    {}

    bool enabled = true;
    bool checked = false;
    // When not empty, the menu item's text for now ("&Undo Paste\tCtrl+Z").
    QString text;
};

// Anything that carries out commands: the active view, its document window,
// the main frame, the application. The frame asks each in turn, the active
// view first; the first that answers a state handles the command. States are
// asked when a menu opens and when the active window changes.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // The command's state when this target handles it; nothing otherwise.
    virtual std::optional<CommandState> QueryCommand(int id) = 0;
    // Called only for a command this target answered as enabled.
    virtual void RunCommand(int id) = 0;
};
