#include "CmdDocument.h"

#include "CliCommand.h"

#include "data/ByteList.h"
#include "data/CMainDoc.h"

#include <cstdio>
#include <iostream>

namespace {

// The comment lines of a record (lines mode), without their line ends.
std::vector<std::string> CommentLines(const CMainDoc& doc, int record)
{
    std::string text;
    doc.GetComment(text, record, 0);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.resize(4);
    return lines;
}

}  // namespace

int RunNew(CliContext& context)
{
    if (context.words.size() != 1)
        return UsageError("new", "one FILE expected");
    const std::string& path = context.words[0];
    if (PathExists(path))
        return Failure(path + " already exists; it was left as it is");
    CMainDoc doc(context.ui);
    doc.OnNewDocument();
    return doc.OnSaveDocument(path) ? kExitOk : kExitFailed;
}

int RunInfo(CliContext& context)
{
    if (context.words.size() != 1)
        return UsageError("info", "one FILE expected");
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(context.words[0]))
        return kExitFailed;
    std::string serial;
    doc.GetSerialText(serial);
    std::cout << "Serial number: " << (serial.empty() ? "(none)" : serial) << '\n';
    for (int record = 0; record < SpectrumFile::kRecords; ++record) {
        if (!doc.IsRecordInUse(record))
            continue;
        std::string source, weighting, nc, reference, wideband;
        doc.GetSource(source, record);
        doc.GetWeighting(weighting, record);
        doc.GetNcCurve(nc, record);
        doc.GetRefLevel(reference, record);
        doc.GetWidebandLevel(wideband, record);
        char line[256];
        std::snprintf(line, sizeof line, "%2d  %-5s %-4s %-5s %-12s %-14s ", record + 1, source.c_str(),
                      weighting.c_str(), nc.c_str(), reference.c_str(), wideband.c_str());
        std::cout << line << CommentLines(doc, record)[0] << '\n';
    }
    return kExitOk;
}

int RunShow(CliContext& context)
{
    int number = 0;
    if (context.words.size() != 2)
        return UsageError("show", "FILE and RECORD expected");
    if (!ParseRecordNumber(context.words[1], number))
        return UsageError("show", "RECORD must be a number from 1 to 30");
    CMainDoc doc(context.ui);
    if (!doc.OnOpenDocument(context.words[0]))
        return kExitFailed;
    const int record = number - 1;
    std::string label, level, text;
    for (int band = 0; band < MemoryRecord::kBands; ++band) {
        doc.GetBandLabel(label, band);
        doc.GetBandLevel(level, band, record);
        std::printf("%-5s %s\n", label.c_str(), level.c_str());
    }
    doc.GetRefLevel(text, record);
    std::cout << "Reference  " << text << '\n';
    doc.GetWidebandLevel(text, record);
    std::cout << "Wideband   " << text << '\n';
    doc.GetSource(text, record);
    std::cout << "Source     " << text << '\n';
    doc.GetWeighting(text, record);
    std::cout << "Weighting  " << text << '\n';
    doc.GetNcCurve(text, record);
    std::cout << "NC         " << text << '\n';
    const std::vector<std::string> comment = CommentLines(doc, record);
    for (std::size_t line = 0; line < comment.size(); ++line)
        std::cout << (line == 0 ? "Comment    " : "           ") << comment[line] << '\n';
    std::cout << '\n' << PlainLines(FormatByteList(doc, record)) << '\n';
    return kExitOk;
}
