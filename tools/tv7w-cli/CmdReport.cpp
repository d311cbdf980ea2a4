#include "CmdReport.h"

#include "CliCommand.h"
#include "CliGui.h"

#include "data/CMainDoc.h"
#include "data/RecordList.h"
#include "plot/PageExport.h"
#include "plot/SurveyReport.h"

#include <QPageLayout>

int RunReport(CliContext& context)
{
    constexpr const char* kName = "report";
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {"--records"}, {}, error))
        return UsageError(kName, error);
    if (args.Positional().size() != 2)
        return UsageError(kName, "FILE and OUT.pdf expected");
    const std::string& out = args.Positional()[1];
    if (PageExport::FormatOf(out) != PageExport::Format::Pdf)
        return UsageError(kName, "OUT must end in .pdf");
    std::vector<int> listed;
    if (const auto list = args.Value("--records"))
        if (const RecordListError listError = ParseRecordList(*list, listed);
            listError != RecordListError::kNone)
            return UsageError(kName, RecordListErrorText(listError));

    const auto application = StartOffscreenGui();
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(args.Positional()[0]))
        return kExitFailed;
    std::vector<int> records;
    if (!SurveyReport::Records(doc, listed, records, error) ||
        !SurveyReport::Write(doc, records, out, SurveyReport::DefaultPage(), error))
        return Failure("cannot write " + out + ": " + error);
    return kExitOk;
}
