#pragma once

#include "CliArgs.h"
#include "CliUserInterface.h"

#include <string>
#include <vector>

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// What a command is given: its words after the command name and the user interface.
struct CliContext {
    std::vector<std::string> words;
    CliUserInterface& ui;
};

// A command's usage is thrown back as kExitUsage by the caller when Run says so.
struct CliCommand {
    const char* name;
    const char* usage;  // the words after the command name
    int (*run)(CliContext& context);
};

// Every command, in the order --help lists them.
const std::vector<CliCommand>& CliCommands();

// Prints "usage: tv7w-cli <name> <usage>" and the reason on stderr; returns kExitUsage.
int UsageError(const char* name, const std::string& reason);
// Prints the message on stderr; returns kExitFailed.
int Failure(const std::string& message);

// True when something (a file, a folder, a device) exists at path.
bool PathExists(const std::string& path);

// A record or memory number 1..30 from text; false when it is not one.
bool ParseRecordNumber(const std::string& text, int& number);
