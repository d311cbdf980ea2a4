#include "CmdBitmap.h"

#include "CliCommand.h"

#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "plot/ExportBitmap.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr const char* kName = "bitmap";

// Qt's own notes (a missing runtime folder and the like) are not the
// command's messages; only its failures reach stderr.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int RunBitmap(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {"--record", "--width", "--height"}, {"--graph-only"}, error))
        return UsageError(kName, error);
    if (args.Positional().size() != 2)
        return UsageError(kName, "FILE and OUT expected");
    const auto recordText = args.Value("--record");
    int number = 0;
    if (!recordText)
        return UsageError(kName, "--record N is required");
    if (!ParseRecordNumber(*recordText, number))
        return UsageError(kName, "RECORD must be a number from 1 to 30");
    ProgramSettings& settings = Settings();
    if (!args.IntValue("--width", settings.Clipbmpdx, error) ||
        !args.IntValue("--height", settings.Clipbmpdy, error))
        return UsageError(kName, error);

    // The page is drawn off screen, so no window system is needed: fonts come
    // from the offscreen platform unless the user chose another.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(QuietQtMessages);
    static int argc = 1;
    static char program[] = "tv7w-cli";
    static char* argv[] = {program, nullptr};
    QGuiApplication application(argc, argv);

    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(args.Positional()[0]))
        return kExitFailed;
    const int graphOnly = args.Has("--graph-only") ? 1 : 0;
    return ExportBitmap(doc, number - 1, args.Positional()[1], graphOnly) == 0 ? kExitOk : kExitFailed;
}
