// Imports arbitrary bytes as a PRN/PRX file (line reading, field splitting,
// number conversion), then checks that the records hold fresh checksums and
// that their PRX lines import back to the same bytes.

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/RecordText.h"
#include "support/ScriptedUserInterface.h"

#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // New documents read no profile file.
    static const bool noProfile = (Profile().SetPath({}), true);
    (void)noProfile;
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    doc.OnNewDocument();
    doc.ImportText(std::string_view(reinterpret_cast<const char*>(data), size));

    // Lines fill the records from the first; the records after the last line
    // are cleared, so the round trip needs the lines up to the last record
    // that is not a cleared one.
    static const SpectrumFile cleared = [] {
        ScriptedUserInterface quiet;
        CMainDoc empty(quiet);
        empty.OnNewDocument();
        empty.ImportText({});
        return empty.Data();
    }();
    const auto& records = doc.Data().records;
    std::size_t used = records.size();
    while (used > 0 && records[used - 1] == cleared.records[used - 1])
        --used;
    std::string text;
    for (std::size_t n = 0; n < records.size(); ++n) {
        const MemoryRecord& record = records[n];
        if (record.checksum != record.ComputeChecksum())
            std::abort();
        if (n < used)
            AppendTextFileLine(text, record, TextFileKind::kPrx);
    }
    CMainDoc reread(ui);
    reread.OnNewDocument();
    reread.ImportText(text);
    if (reread.Data().records != doc.Data().records)
        std::abort();
    return 0;
}
