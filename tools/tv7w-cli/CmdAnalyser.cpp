#include "CmdAnalyser.h"

#include "CliCommand.h"

#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"

#include <algorithm>
#include <cstring>
#include <iostream>

namespace {

constexpr int kHighestPortNumber = 8;

const std::vector<std::string> kAnalyserValueOptions{"--port", "--comdelay", "--retries"};
const std::vector<std::string> kAnalyserFlagOptions{"--ignore-checksum"};

// The options every analyser command takes, applied to the settings, the
// link and the answers to the exchanges' questions. Returns kExitOk or the
// usage error already reported.
int ApplyAnalyserOptions(const char* name, const CliArgs& args, CliContext& context, CCommsDlg& comms)
{
    std::string error;
    const auto port = args.Value("--port");
    // An empty device would quietly stand for the port of the setting Comport.
    if (!port || port->empty())
        return UsageError(name, "--port DEVICE is required");
    int number = 0;
    if (std::all_of(port->begin(), port->end(), [](char c) { return c >= '0' && c <= '9'; })) {
        if (!args.IntValue("--port", number, error) || number < 1 || number > kHighestPortNumber)
            return UsageError(name, "--port needs a device path or a port number from 1 to 8");
        Settings().Comport = number;
    } else {
        // Messages name the device the user gave, not a port number.
        comms.Link().SetDevicePath(*port);
        comms.Link().SetPortName(*port);
    }

    int comdelay = Settings().Comdelay;
    if (!args.IntValue("--comdelay", comdelay, error))
        return UsageError(name, error);
    if (comdelay < 0)
        return UsageError(name, "--comdelay needs a number of milliseconds");
    Settings().Comdelay = comdelay;

    int retries = 0;
    if (!args.IntValue("--retries", retries, error))
        return UsageError(name, error);
    if (retries < 0)
        return UsageError(name, "--retries needs a count");
    const bool ignoreChecksum = args.Has("--ignore-checksum");
    context.ui.SetAnswer([retries, ignoreChecksum](UserInterface::Question kind) mutable {
        switch (kind) {
        case UserInterface::Question::IgnoreChecksum:
            return ignoreChecksum;
        case UserInterface::Question::TryAgain:
            if (retries == 0)
                return false;
            --retries;
            return true;
        default:
            return false;
        }
    });
    return kExitOk;
}

// The record and memory of download and upload: --record N [--memory M] or
// --all. Indexes 0-29, or kAllRecords for both with --all.
int ParseSelection(const char* name, const CliArgs& args, int& slot, int& memory)
{
    const bool all = args.Has("--all");
    const auto record = args.Value("--record");
    if (all == record.has_value())
        return UsageError(name, "give either --record N or --all");
    if (all) {
        if (args.Has("--memory"))
            return UsageError(name, "--memory goes with --record, not with --all");
        slot = memory = CCommsDlg::kAllRecords;
        return kExitOk;
    }
    int number = 0;
    if (!ParseRecordNumber(*record, number))
        return UsageError(name, "--record needs a number from 1 to 30");
    slot = memory = number - 1;
    if (const auto analyserMemory = args.Value("--memory")) {
        if (!ParseRecordNumber(*analyserMemory, number))
            return UsageError(name, "--memory needs a number from 1 to 30");
        memory = number - 1;
    }
    return kExitOk;
}

int ParseTransfer(const char* name, CliContext& context, CliArgs& args, CCommsDlg& comms, int& slot,
                  int& memory, const std::vector<std::string>& commandFlags = {})
{
    std::string error;
    std::vector<std::string> values = kAnalyserValueOptions;
    values.insert(values.end(), {"--record", "--memory"});
    std::vector<std::string> flags = kAnalyserFlagOptions;
    flags.push_back("--all");
    flags.insert(flags.end(), commandFlags.begin(), commandFlags.end());
    if (!args.Parse(context.words, values, flags, error))
        return UsageError(name, error);
    if (args.Positional().size() != 1)
        return UsageError(name, "one FILE expected");
    const int status = ParseSelection(name, args, slot, memory);
    if (status != kExitOk)
        return status;
    return ApplyAnalyserOptions(name, args, context, comms);
}

// The failure message on a line of its own, after the progress line the
// exchange has left showing ("Timed Out", "Problem with port, Restart").
int ExchangeFailure(CliContext& context, const std::string& message)
{
    context.ui.EndProgress();
    return Failure(message);
}

}  // namespace

int RunStatus(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, kAnalyserValueOptions, kAnalyserFlagOptions, error))
        return UsageError("status", error);
    if (!args.Positional().empty())
        return UsageError("status", "no FILE expected");
    CCommsDlg comms(context.ui);
    const int status = ApplyAnalyserOptions("status", args, context, comms);
    if (status != kExitOk)
        return status;
    if (comms.ReadStatus() != 0)
        return ExchangeFailure(context, "no status from the analyser on " + *args.Value("--port"));
    context.ui.EndProgress();
    std::cout << comms.SerialText() << '\n';
    return kExitOk;
}

int RunDownload(CliContext& context)
{
    CliArgs args;
    CCommsDlg comms(context.ui);
    int slot = 0;
    int memory = 0;
    const int status = ParseTransfer("download", context, args, comms, slot, memory, {"--no-journal"});
    if (status != kExitOk)
        return status;
    if (args.Has("--no-journal"))
        Settings().Journal = 0;
    const std::string& path = args.Positional()[0];
    CMainDoc doc(context.ui);
    if (PathExists(path) ? !doc.OnOpenDocument(path) : !doc.OnNewDocument())
        return kExitFailed;

    const std::string port = *args.Value("--port");
    if (comms.ReadStatus() != 0)
        return ExchangeFailure(context,
                               "no status from the analyser on " + port + "; " + path + " left as it was");
    std::memcpy(doc.Data().serialNumber.data(), comms.Serial().data(), SpectrumFile::kSerialSize);
    if (comms.DownloadToFile(doc, slot, memory) != 0)
        return ExchangeFailure(context, "download from " + port + " failed; " + path + " left as it was");
    doc.SetModifiedFlag();
    if (!doc.OnSaveDocument(path))
        return kExitFailed;
    context.ui.EndProgress();
    if (slot == CCommsDlg::kAllRecords)
        std::cout << "memories 1-30 downloaded into records 1-30 of " << path << '\n';
    else
        std::cout << "memory " << memory + 1 << " downloaded into record " << slot + 1 << " of " << path
                  << '\n';
    return kExitOk;
}

int RunUpload(CliContext& context)
{
    CliArgs args;
    CCommsDlg comms(context.ui);
    int slot = 0;
    int memory = 0;
    const int status = ParseTransfer("upload", context, args, comms, slot, memory);
    if (status != kExitOk)
        return status;
    const std::string& path = args.Positional()[0];
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(path))
        return kExitFailed;

    const std::string port = *args.Value("--port");
    if (comms.ReadStatus() != 0)
        return ExchangeFailure(context, "no status from the analyser on " + port);
    if (slot == CCommsDlg::kAllRecords) {
        // Records already sent stay sent when one fails.
        for (int i = 0; i < SpectrumFile::kRecords; ++i)
            if (comms.UploadFromFile(doc, i, i) != 0)
                return ExchangeFailure(context, "upload of record " + std::to_string(i + 1) + " to " + port +
                                                    " failed");
    } else if (comms.UploadFromFile(doc, memory, slot) != 0) {
        return ExchangeFailure(context, "upload to " + port + " failed");
    }
    context.ui.EndProgress();
    if (slot == CCommsDlg::kAllRecords)
        std::cout << "records 1-30 uploaded into memories 1-30\n";
    else
        std::cout << "record " << slot + 1 << " uploaded into memory " << memory + 1 << '\n';
    return kExitOk;
}
