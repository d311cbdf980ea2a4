#include "CmdBitmap.h"

#include "CliCommand.h"
#include "CliGui.h"

#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "plot/ExportBitmap.h"
#include "plot/PageExport.h"

namespace {

// FILE and OUT, and the record of --record: false after a usage error.
bool ParsePage(const char* name, CliArgs& args, int& number, int& status)
{
    if (args.Positional().size() != 2) {
        status = UsageError(name, "FILE and OUT expected");
        return false;
    }
    const auto recordText = args.Value("--record");
    if (!recordText) {
        status = UsageError(name, "--record N is required");
        return false;
    }
    if (!ParseRecordNumber(*recordText, number)) {
        status = UsageError(name, "RECORD must be a number from 1 to 30");
        return false;
    }
    return true;
}

}  // namespace

int RunBitmap(CliContext& context)
{
    constexpr const char* kName = "bitmap";
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {"--record", "--width", "--height"}, {"--graph-only"}, error))
        return UsageError(kName, error);
    int number = 0;
    int status = kExitOk;
    if (!ParsePage(kName, args, number, status))
        return status;
    ProgramSettings& settings = Settings();
    if (!args.IntValue("--width", settings.Clipbmpdx, error) ||
        !args.IntValue("--height", settings.Clipbmpdy, error))
        return UsageError(kName, error);

    const auto application = StartOffscreenGui();
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(args.Positional()[0]))
        return kExitFailed;
    const int graphOnly = args.Has("--graph-only") ? 1 : 0;
    return ExportBitmap(doc, number - 1, args.Positional()[1], graphOnly) == 0 ? kExitOk : kExitFailed;
}

int RunPage(CliContext& context)
{
    constexpr const char* kName = "page";
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {"--record", "--dpi"}, {"--graph-only"}, error))
        return UsageError(kName, error);
    int number = 0;
    int status = kExitOk;
    if (!ParsePage(kName, args, number, status))
        return status;
    int dpi = PageExport::kDefaultPngDpi;
    if (!args.IntValue("--dpi", dpi, error))
        return UsageError(kName, error);
    if (dpi < PageExport::kMinPngDpi || dpi > PageExport::kMaxPngDpi)
        return UsageError(kName, "--dpi must be " + std::to_string(PageExport::kMinPngDpi) + " to " +
                                     std::to_string(PageExport::kMaxPngDpi));
    const std::string& out = args.Positional()[1];
    if (PageExport::FormatOf(out) == PageExport::Format::Unknown)
        return UsageError(kName, "OUT must end in .pdf, .svg or .png");

    const auto application = StartOffscreenGui();
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(args.Positional()[0]))
        return kExitFailed;
    const int graphOnly = args.Has("--graph-only") ? 1 : Settings().Plotgronly;
    if (PageExport::Write(doc, number - 1, out, dpi, graphOnly, error) != 0)
        return Failure("cannot write " + out + ": " + error);
    return kExitOk;
}
