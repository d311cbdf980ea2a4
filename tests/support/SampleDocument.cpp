#include "support/SampleDocument.h"

#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"

DocumentTest::DocumentTest()
{
    Settings() = ProgramSettings{};
    Profile().SetPath({});  // no profile file: every key has its default
    doc.OnNewDocument();
}

void DocumentTest::FillSampleRecord(int record)
{
    MemoryRecord& r = Record(record);
    for (int band = 0; band < MemoryRecord::kBands; ++band)
        r.bands[static_cast<std::size_t>(band)] = static_cast<std::uint8_t>(156 + band);
    r.wideband = 100;
    r.refCode = 15;
    r.mode = 1 | 8 | (4 << 4);
    doc.SetComment(record, "Plant room\r\nnorth wall");
    doc.SetModifiedFlag(false);
}
