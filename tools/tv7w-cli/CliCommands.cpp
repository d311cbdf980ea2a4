#include "CliCommand.h"

#include "CmdAnalyser.h"
#include "CmdDocument.h"

#include <charconv>
#include <iostream>

const std::vector<CliCommand>& CliCommands()
{
    static const std::vector<CliCommand> commands{
        {"new", "FILE", RunNew},
        {"info", "FILE", RunInfo},
        {"show", "FILE RECORD", RunShow},
        {"status", "--port DEVICE [--comdelay MS] [--retries K]", RunStatus},
        {"download",
         "FILE --port DEVICE (--record N [--memory M] | --all) [--comdelay MS] [--retries K] "
         "[--ignore-checksum]",
         RunDownload},
        {"upload", "FILE --port DEVICE (--record N [--memory M] | --all) [--comdelay MS] [--retries K]",
         RunUpload},
    };
    return commands;
}

int UsageError(const char* name, const std::string& reason)
{
    for (const CliCommand& command : CliCommands())
        if (std::string(command.name) == name)
            std::cerr << "usage: tv7w-cli " << command.name << ' ' << command.usage << '\n';
    std::cerr << "tv7w-cli: " << reason << '\n';
    return kExitUsage;
}

int Failure(const std::string& message)
{
    std::cerr << "tv7w-cli: " << message << '\n';
    return kExitFailed;
}

bool ParseRecordNumber(const std::string& text, int& number)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number);
    return ec == std::errc() && ptr == end && number >= 1 && number <= 30;
}
