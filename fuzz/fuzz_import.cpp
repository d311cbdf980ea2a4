// Imports arbitrary bytes as a PRN/PRX file (line reading, field splitting,
// number conversion), then checks that the records hold fresh checksums and
// that their PRX lines import back to the same bytes.

#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/RecordText.h"
#include "support/ScriptedUserInterface.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void WriteFile(const std::string& path, const void* data, std::size_t size)
{
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/fuzz_import_" + std::to_string(::getpid()) + ".prn";
    static const std::string again = "/tmp/fuzz_import_" + std::to_string(::getpid()) + ".prx";
    // New documents read no profile file.
    static const bool noProfile = (Profile().SetPath({}), true);
    (void)noProfile;
    WriteFile(path, data, size);
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    doc.OnNewDocument();
    if (doc.OnImport(path) != 0)
        std::abort();

    std::string text;
    for (const MemoryRecord& record : doc.Data().records) {
        if (record.checksum != record.ComputeChecksum())
            std::abort();
        AppendTextFileLine(text, record, TextFileKind::kPrx);
    }
    WriteFile(again, text.data(), text.size());
    CMainDoc reread(ui);
    reread.OnNewDocument();
    if (reread.OnImport(again) != 0 || reread.Data().records != doc.Data().records)
        std::abort();
    return 0;
}
