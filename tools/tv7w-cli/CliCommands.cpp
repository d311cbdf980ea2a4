#include "CliCommand.h"

#include "CmdAnalyser.h"
#include "CmdBitmap.h"
#include "CmdDocument.h"
#include "CmdReport.h"
#include "CmdResults.h"
#include "CmdSurvey.h"
#include "CmdText.h"

#include <charconv>
#include <iostream>
#include <sys/stat.h>

namespace {

constexpr const char* kClipUsage = "FILE (--record N | --all) [--format 30|31|32|33] [--field-sep CODE] "
                                   "[--record-sep CODE] [--round 0|1] [--decimals 0|1]";
constexpr const char* kDownloadUsage = "FILE --port DEVICE (--record N [--memory M] | --all) [--comdelay MS] "
                                       "[--retries K] [--ignore-checksum] [--no-journal]";
constexpr const char* kUploadUsage =
    "FILE --port DEVICE (--record N [--memory M] | --all) [--comdelay MS] [--retries K]";

}  // namespace

const std::vector<CliCommand>& CliCommands()
{
    // One line per command.
    // clang-format off
    static const std::vector<CliCommand> commands{
        {"new", "FILE", RunNew},
        {"info", "FILE", RunInfo},
        {"show", "FILE RECORD", RunShow},
        {"export", "prn|prx FILE OUT", RunExport},
        {"import", "FILE IN", RunImport},
        {"clip", kClipUsage, RunClip},
        {"levels", "FILE RECORD [--csv]", RunLevels},
        {"rating", "FILE RECORD", RunRating},
        {"average", "FILE RECORDS [--into N]", RunAverage},
        {"difference", "FILE SOURCE RECEIVE [--background B] [--rt T[,T...]]", RunDifference},
        {"summary", "[--csv] FILE...", RunSummary},
        {"bitmap", "FILE --record N OUT [--graph-only] [--width W] [--height H]", RunBitmap},
        {"page", "FILE --record N OUT [--dpi D] [--graph-only]", RunPage},
        {"report", "FILE OUT.pdf [--records LIST]", RunReport},
        {"status", "--port DEVICE [--comdelay MS] [--retries K]", RunStatus},
        {"download", kDownloadUsage, RunDownload},
        {"upload", kUploadUsage, RunUpload},
    };
    // clang-format on
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

bool PathExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool ParseRecordNumber(const std::string& text, int& number)
{
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, number);
    return ec == std::errc() && ptr == end && number >= 1 && number <= 30;
}
