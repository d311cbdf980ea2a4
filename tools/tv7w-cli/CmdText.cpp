#include "CmdText.h"

#include "CliCommand.h"

#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "data/RecordText.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Reads option into setting when it is given; its value must be one of allowed.
bool TakeSetting(const CliArgs& args, const std::string& option, std::initializer_list<int> allowed,
                 int& setting, std::string& error)
{
    if (!args.Has(option))
        return true;
    int value = 0;
    if (!args.IntValue(option, value, error))
        return false;
    if (std::find(allowed.begin(), allowed.end(), value) == allowed.end()) {
        error = option + " cannot be " + std::to_string(value);
        return false;
    }
    setting = value;
    return true;
}

}  // namespace

int RunExport(CliContext& context)
{
    if (context.words.size() != 3)
        return UsageError("export", "prn or prx, FILE and OUT expected");
    const std::string& format = context.words[0];
    if (format != "prn" && format != "prx")
        return UsageError("export", "the format is prn or prx, not \"" + format + "\"");
    if (context.words[2].empty())
        return UsageError("export", "OUT must name a file");
    const int kind = format == "prx" ? TextFileKind::kPrx : TextFileKind::kPrn;
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(context.words[1]))
        return kExitFailed;
    return doc.ExportText(kind, context.words[2]) == 0 ? kExitOk : kExitFailed;
}

int RunImport(CliContext& context)
{
    if (context.words.size() != 2)
        return UsageError("import", "FILE and IN expected");
    const std::string& path = context.words[0];
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(path) || doc.OnImport(context.words[1]) != 0)
        return kExitFailed;
    return doc.OnSaveDocument(path) ? kExitOk : kExitFailed;
}

int RunClip(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words,
                    {"--record", "--format", "--field-sep", "--record-sep", "--round", "--decimals"},
                    {"--all"}, error))
        return UsageError("clip", error);
    if (args.Positional().size() != 1)
        return UsageError("clip", "one FILE expected");
    if (args.Has("--record") == args.Has("--all"))
        return UsageError("clip", "either --record N or --all expected");
    int number = 0;
    if (args.Has("--record") && !ParseRecordNumber(*args.Value("--record"), number))
        return UsageError("clip", "RECORD must be a number from 1 to 30");

    ProgramSettings& settings = Settings();
    using namespace ClipFormat;
    if (!TakeSetting(args, "--format", {kPrn, kPrx, kDbInt, kDbText}, settings.Clipfmat, error) ||
        !TakeSetting(args, "--field-sep", {' ', '\t', ',', '\n', '\r'}, settings.Clipfiesep, error) ||
        !TakeSetting(args, "--record-sep", {' ', '\t', ',', '\n', '\r', kClipSeparatorCrLf},
                     settings.Cliprecsep, error) ||
        !TakeSetting(args, "--round", {0, 1}, settings.Clipround, error) ||
        !TakeSetting(args, "--decimals", {0, 1}, settings.Drawdpoint, error))
        return UsageError("clip", error);

    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(args.Positional()[0]))
        return kExitFailed;
    // The command line's clipboard is standard output.
    const int result = number ? doc.CopyRecords(number - 1, 1) : doc.CopyRecords(0, SpectrumFile::kRecords);
    if (result != 0)
        return Failure("the clipboard text could not be written");
    return kExitOk;
}
