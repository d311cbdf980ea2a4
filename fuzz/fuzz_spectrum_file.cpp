// Opens arbitrary bytes as a spectrum data file and reads every text of it.

#include "data/CMainDoc.h"
#include "support/ScriptedUserInterface.h"

#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/fuzz_spectrum_" + std::to_string(::getpid()) + ".spc";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    if (doc.OnOpenDocument(path)) {
        std::string text;
        doc.GetSerialText(text);
        for (int record = 0; record < SpectrumFile::kRecords; ++record) {
            for (int band = 0; band < MemoryRecord::kBands; ++band)
                doc.GetBandLevel(text, band, record);
            doc.GetRefLevel(text, record);
            doc.GetWidebandLevel(text, record);
            doc.GetSource(text, record);
            doc.GetWeighting(text, record);
            doc.GetNcCurve(text, record);
            doc.GetComment(text, record, 0);
            doc.GetComment(text, record, 1);
            doc.IsRecordInUse(record);
        }
    }
    return 0;
}
