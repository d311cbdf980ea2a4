#include "CmdSurvey.h"

#include "CliCommand.h"

#include "data/CMainDoc.h"
#include "data/CsvText.h"
#include "data/LevelDifference.h"
#include "data/NcCurveTable.h"
#include "data/RecordAverage.h"
#include "data/RecordList.h"
#include "data/ResultText.h"
#include "data/SurveySummary.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace {

// Reads the record number of an option, if given, into record (0..29).
bool RecordOption(const CliArgs& args, const std::string& option, int& record)
{
    const auto text = args.Value(option);
    if (!text)
        return true;
    int number = 0;
    if (!ParseRecordNumber(*text, number))
        return false;
    record = number - 1;
    return true;
}

// key=value lines of band levels keyed by the band table's Hz: "L_25=" .. "L_20000=".
void PrintBands(std::string& out, const char* prefix, const BandLevels& bands)
{
    for (int band = 0; band < MemoryRecord::kBands; ++band)
        out += prefix + std::to_string(NcCurveTable::BandFrequency(band)) + '=' +
               ResultText(bands[static_cast<std::size_t>(band)]) + '\n';
}

// Dw=, C=, Ctr= (or DnTw=, DnT_C=, DnT_Ctr=): empty without a rating.
void PrintWeighted(std::string& out, const char* rating, const char* prefix,
                   const WeightedDifference& weighted)
{
    const auto number = [&weighted](int value) {
        return weighted.valid ? std::to_string(value) : std::string();
    };
    out += std::string(rating) + '=' + number(weighted.rating) + '\n';
    out += std::string(prefix) + "C=" + number(weighted.c) + '\n';
    out += std::string(prefix) + "Ctr=" + number(weighted.ctr) + '\n';
}

// A user interface that keeps the message of a file that could not be read,
// so that the summary names the file with it on one line.
class SummaryUserInterface : public CliUserInterface {
public:
    void Tell(const std::string& text, Icon) override { m_message = text; }
    std::string TakeMessage() { return std::exchange(m_message, {}); }

private:
    std::string m_message;
};

// The message on one line: its line breaks as spaces.
std::string OneLine(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// Columns of a summary table that hold numbers stand right-aligned.
bool RightAligned(std::size_t column)
{
    static const std::vector<std::string> numeric{"record", "reference", "LZ", "LA", "LC", "NC", "NR"};
    const std::vector<std::string>& header = SummaryHeader();
    return column > 0 && std::find(numeric.begin(), numeric.end(), header[column - 1]) != numeric.end();
}

// The rows as a table for the terminal: columns two spaces apart, no
// spaces at the ends of lines.
std::string AlignedTable(const std::vector<std::vector<std::string>>& rows)
{
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    std::string out;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0)
                line += "  ";
            const std::string padding(widths[column] - row[column].size(), ' ');
            line += RightAligned(column) ? padding + row[column] : row[column] + padding;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line + '\n';
    }
    return out;
}

}  // namespace

int RunAverage(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {"--into"}, {}, error))
        return UsageError("average", error);
    if (args.Positional().size() != 2)
        return UsageError("average", "FILE and RECORDS expected");
    std::vector<int> records;
    const RecordListError listError = ParseRecordList(args.Positional()[1], records);
    if (listError != RecordListError::kNone)
        return UsageError("average", RecordListErrorText(listError));
    int target = -1;
    if (!RecordOption(args, "--into", target))
        return UsageError("average", "--into needs a record number from 1 to 30");

    const std::string& path = args.Positional()[0];
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(path))
        return kExitFailed;
    RecordAverage average;
    if (const SurveyError failure = AverageRecords(doc.Data(), records, average))
        return Failure(SurveyErrorText(failure));
    if (target >= 0) {
        if (const SurveyError failure = StoreAverage(doc, records, target))
            return Failure(SurveyErrorText(failure));
        if (!doc.OnSaveDocument(path))
            return kExitFailed;
    }
    std::string out;
    PrintBands(out, "L_", average.bands);
    std::cout << out;
    return kExitOk;
}

int RunDifference(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {"--background", "--rt"}, {}, error))
        return UsageError("difference", error);
    if (args.Positional().size() != 3)
        return UsageError("difference", "FILE, SOURCE and RECEIVE expected");
    int source = 0;
    int receive = 0;
    if (!ParseRecordNumber(args.Positional()[1], source) || !ParseRecordNumber(args.Positional()[2], receive))
        return UsageError("difference", "SOURCE and RECEIVE must be numbers from 1 to 30");
    int background = -1;
    if (!RecordOption(args, "--background", background))
        return UsageError("difference", "--background needs a record number from 1 to 30");
    std::vector<double> times;
    const auto rt = args.Value("--rt");
    if (rt) {
        if (!ParseReverberationTimes(*rt, times))
            return UsageError("difference",
                              "--rt needs reverberation times in seconds, such as 0.5 or 0.6,0.55,...");
        if (const SurveyError refused = CheckReverberationTimes(times))
            return UsageError("difference", SurveyErrorText(refused));
    }

    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(args.Positional()[0]))
        return kExitFailed;
    LevelDifference difference;
    if (const SurveyError failure =
            DifferenceOfRecords(doc.Data(), source - 1, receive - 1, background, difference))
        return Failure(SurveyErrorText(failure));
    std::string out;
    PrintBands(out, "D_", difference.bands);
    PrintWeighted(out, "Dw", "", difference.weighted);
    out += std::string("limited=") + (difference.weighted.limited ? "yes" : "no") + '\n';
    if (rt) {
        StandardizedDifference standardized;
        StandardizeDifference(difference, times, standardized);
        for (int band = 0; band < kRatedBands; ++band)
            out += "DnT_" + std::to_string(NcCurveTable::BandFrequency(kFirstRatedBand + band)) + '=' +
                   ResultText(standardized.bands[static_cast<std::size_t>(band)]) + '\n';
        PrintWeighted(out, "DnTw", "DnT_", standardized.weighted);
    }
    std::cout << out;
    return kExitOk;
}

int RunSummary(CliContext& context)
{
    CliArgs args;
    std::string error;
    if (!args.Parse(context.words, {}, {"--csv"}, error))
        return UsageError("summary", error);
    if (args.Positional().empty())
        return UsageError("summary", "at least one FILE expected");
    const bool csv = args.Has("--csv");

    std::vector<std::string> header{"file"};
    header.insert(header.end(), SummaryHeader().begin(), SummaryHeader().end());
    std::vector<std::vector<std::string>> table;
    std::string out;
    if (csv)
        out = CsvLine(header);
    else
        table.push_back(header);
    int status = kExitOk;
    SummaryUserInterface ui;
    for (const std::string& path : args.Positional()) {
        CMainDoc doc(ui);
        if (!doc.OnOpenDocument(path)) {
            std::cerr << "tv7w-cli: " << path << " was left out: " << OneLine(ui.TakeMessage()) << '\n';
            status = kExitFailed;
            continue;
        }
        for (const SummaryRow& row : SummaryRows(doc.Data())) {
            std::vector<std::string> cells = SummaryCells(row);
            cells.insert(cells.begin(), path);
            if (csv)
                out += CsvLine(cells);
            else
                table.push_back(std::move(cells));
        }
    }
    std::cout << (csv ? out : AlignedTable(table));
    return status;
}
