#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// What the program shows of each command: its status-bar prompt and toolbar
// tip, its accelerators and its toolbar image.
struct CommandInfo {
    int id = 0;
    const char* prompt = "";  // status-bar prompt, then "\n" and the toolbar tip
    int toolbarImage = -1;    // index into the toolbar bitmap, -1 none
};

namespace CommandTable {
// The entry of command id; an entry with an empty prompt for unknown ids.
const CommandInfo& Find(int id);
// The status-bar part of the prompt (before "\n").
QString StatusPrompt(int id);
// The toolbar tip (after "\n"); the status part when there is no tip.
QString ToolTip(int id);
// The keys that give the command, the first one being shown in menus.
QList<QKeySequence> Accelerators(int id);
// Every command that has an accelerator, for the frame to register.
QList<int> CommandsWithAccelerators();
// The toolbar in order: command ids, 0 for a separator.
QList<int> ToolbarLayout();
}  // namespace CommandTable
