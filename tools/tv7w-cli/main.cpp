// tv7w-cli: the document and analyser work of TV7W without a desktop.

#include "CliCommand.h"

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

#include <climits>
#include <iostream>
#include <unistd.h>

namespace {

void PrintHelp()
{
    std::cout << "usage: tv7w-cli [--profile FILE] COMMAND ...\n\ncommands:\n";
    for (const CliCommand& command : CliCommands())
        std::cout << "  tv7w-cli " << command.name << ' ' << command.usage << '\n';
    std::cout << "\nRecords and analyser memories are numbered 1..30. Settings come from the\n"
                 "TV7W profile file ("
              << DefaultProfilePath()
              << ") unless --profile names another.\n"
                 "Exit status: 0 success, 1 the operation failed, 2 a usage error.\n";
}

// The path of the running program, for the profile file copied beside it.
std::string ExecutablePath()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    std::string profilePath;
    // Global options stand before the command.
    while (!words.empty() && words.front().compare(0, 2, "--") == 0) {
        const std::string option = words.front();
        words.erase(words.begin());
        if (option == "--help") {
            PrintHelp();
            return kExitOk;
        }
        if (option == "--version") {
            std::cout << "tv7w-cli " << TV7W_VERSION << '\n';
            return kExitOk;
        }
        if (option == "--profile") {
            if (words.empty()) {
                std::cerr << "tv7w-cli: --profile needs a value\n(tv7w-cli --help lists the commands)\n";
                return kExitUsage;
            }
            profilePath = words.front();
            words.erase(words.begin());
            continue;
        }
        std::cerr << "tv7w-cli: unknown option " << option << "\n(tv7w-cli --help lists the commands)\n";
        return kExitUsage;
    }
    if (words.empty()) {
        std::cerr << "usage: tv7w-cli [--profile FILE] COMMAND ...\n(tv7w-cli --help lists the commands)\n";
        return kExitUsage;
    }
    if (profilePath.empty()) {
        profilePath = DefaultProfilePath();
        MigrateProfile(ExecutablePath(), profilePath);
    }
    Profile().SetPath(profilePath);
    Settings().LoadSettings(Profile());

    const std::string name = words.front();
    words.erase(words.begin());
    for (const CliCommand& command : CliCommands()) {
        if (name == command.name) {
            CliUserInterface ui;
            CliContext context{words, ui};
            const int status = command.run(context);
            ui.EndProgress();
            return status;
        }
    }
    std::cerr << "tv7w-cli: unknown command " << name << "\n(tv7w-cli --help lists the commands)\n";
    return kExitUsage;
}
