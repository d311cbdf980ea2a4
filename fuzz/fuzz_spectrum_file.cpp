// Takes arbitrary bytes as the image of a spectrum data file and reads every
// text of it. Shorter inputs are filled with zero bytes and longer ones cut,
// so that every input is an image the program would open (a file of any
// other length is refused before it is read).

#include "data/CMainDoc.h"
#include "support/ScriptedUserInterface.h"

#include <algorithm>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    SpectrumFile& image = doc.Data();
    std::fill(image.Bytes(), image.Bytes() + SpectrumFile::kSize, std::uint8_t{0});
    std::copy_n(data, std::min<std::size_t>(size, SpectrumFile::kSize), image.Bytes());
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
    return 0;
}
