// Copy, cut and paste of records through the program-wide record clipboard.

#include "data/RecordClipboard.h"
#include "data/ProgramSettings.h"
#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"

#include <memory>

namespace {

class RecordClipboardTest : public DocumentTest {
protected:
    RecordClipboardTest()
    {
        Clipboard() = RecordClipboard{};
        for (int record = 0; record < SpectrumFile::kRecords; ++record) {
            Record(record) = ExampleRecord();
            Record(record).wideband = static_cast<std::uint8_t>(record);
            doc.SetComment(record, "record " + std::to_string(record + 1) + "\nsecond line");
        }
        doc.SetModifiedFlag(false);
        target.OnNewDocument();
    }

    ScriptedUserInterface targetUi;
    CMainDoc target{targetUi};
};

TEST_F(RecordClipboardTest, PasteBeforeAnyCopyChangesNothing)
{
    const SpectrumFile before = target.Data();
    EXPECT_EQ(target.PasteRecords(4), 1);
    EXPECT_EQ(target.Data(), before);
    EXPECT_FALSE(target.IsModified());
}

TEST_F(RecordClipboardTest, OneRecordPastedOutsideTheRecordsChangesNothing)
{
    ASSERT_EQ(doc.CopyRecords(4, 1), 0);
    const SpectrumFile before = target.Data();
    EXPECT_EQ(target.PasteRecords(30), -1);
    EXPECT_EQ(target.PasteRecords(-1), -1);
    EXPECT_EQ(target.Data(), before);
    EXPECT_FALSE(target.IsModified());
    EXPECT_EQ(target.PasteRecords(29), 0);
    EXPECT_EQ(target.Data().records[29], Record(4));
}

TEST_F(RecordClipboardTest, CopyOneThenPasteWritesTheSelectedRecordOnly)
{
    ASSERT_EQ(doc.CopyRecords(4, 1), 0);
    EXPECT_EQ(Clipboard().copyStart, 4);
    EXPECT_EQ(Clipboard().copyCount, 1);
    // A copy of one record uses slot 0.
    EXPECT_EQ(Clipboard().image.records[0], Record(4));

    const SpectrumFile before = target.Data();
    ASSERT_EQ(target.PasteRecords(11), 0);
    EXPECT_TRUE(target.IsModified());
    for (std::size_t r = 0; r < SpectrumFile::kRecords; ++r) {
        if (r == 11) {
            EXPECT_EQ(target.Data().records[r], Record(4));
            EXPECT_EQ(target.Data().comments[r], doc.Data().comments[4]);
        } else {
            EXPECT_EQ(target.Data().records[r], before.records[r]) << r;
            EXPECT_EQ(target.Data().comments[r], before.comments[r]) << r;
        }
    }
    EXPECT_EQ(target.Data().serialNumber, before.serialNumber);
}

TEST_F(RecordClipboardTest, CopyAllThenPasteRestoresEveryRecordAtItsOwnPlace)
{
    doc.Data().serialNumber = {'T', '7', '-', '0', '0', '4', '2', ' '};
    ASSERT_EQ(doc.CopyRecords(0, 30), 0);
    ASSERT_EQ(target.PasteRecords(17), 0);
    EXPECT_EQ(target.Data().records, doc.Data().records);
    EXPECT_EQ(target.Data().comments, doc.Data().comments);
    // The serial number is not a part of the clipboard.
    std::string serial;
    target.GetSerialText(serial);
    EXPECT_EQ(serial, "");
    EXPECT_TRUE(target.IsModified());
}

TEST_F(RecordClipboardTest, PasteRecomputesTheTargetChecksum)
{
    Record(6).checksum = 0x55;  // stale
    ASSERT_EQ(doc.CopyRecords(6, 1), 0);
    ASSERT_EQ(target.PasteRecords(2), 0);
    EXPECT_EQ(target.Data().records[2].checksum, ExampleRecord().ComputeChecksum() ^ 100 ^ 6);
}

TEST_F(RecordClipboardTest, TheClipboardOutlivesItsDocument)
{
    {
        ScriptedUserInterface sourceUi;
        auto source = std::make_unique<CMainDoc>(sourceUi);
        source->OnNewDocument();
        source->Data().records[9] = ExampleRecord();
        ASSERT_EQ(source->CopyRecords(9, 1), 0);
    }
    ASSERT_EQ(target.PasteRecords(0), 0);
    EXPECT_EQ(target.Data().records[0], ExampleRecord());
}

TEST_F(RecordClipboardTest, CopyPutsTheTextOnTheSystemClipboard)
{
    Settings().Clipfmat = 30;
    ASSERT_EQ(doc.CopyRecords(0, 30), 0);
    EXPECT_EQ(ui.Count("clipboard"), 1);
    EXPECT_EQ(std::count(ui.Clipboard().begin(), ui.Clipboard().end(), '\n'), 30);
}

TEST_F(RecordClipboardTest, RefusedSystemClipboardStillFillsTheRecordClipboard)
{
    ui.FailClipboard(true);
    EXPECT_EQ(doc.CopyRecords(3, 1), -5);
    EXPECT_EQ(Clipboard().copyCount, 1);
    ASSERT_EQ(target.PasteRecords(0), 0);
    EXPECT_EQ(target.Data().records[0], Record(3));
}

TEST_F(RecordClipboardTest, DocumentWithoutDataCopiesNothing)
{
    ScriptedUserInterface noDataUi;
    CMainDoc noData(noDataUi);
    EXPECT_EQ(noData.CopyRecords(0, 30), 0);
    EXPECT_EQ(Clipboard().copyCount, 0);
    EXPECT_EQ(noDataUi.Count("clipboard"), 0);
    noData.SetClipboardLabel("nothing");
    EXPECT_EQ(Clipboard().label, "");
    EXPECT_EQ(noDataUi.Count("refresh"), 0);
}

TEST_F(RecordClipboardTest, RangesOutsideTheRecordsAreRefused)
{
    ASSERT_EQ(doc.CopyRecords(2, 1), 0);
    ui.Clear();
    EXPECT_EQ(doc.CopyRecords(29, 2), -1);
    EXPECT_EQ(doc.CopyRecords(-1, 1), -1);
    EXPECT_EQ(doc.CopyRecords(0, -1), -1);
    EXPECT_EQ(ui.Count("clipboard"), 0);
    EXPECT_EQ(Clipboard().copyStart, 2);
    EXPECT_EQ(Clipboard().copyCount, 1);
}

TEST_F(RecordClipboardTest, PartialSetGoesBackWhereItCameFrom)
{
    ASSERT_EQ(doc.CopyRecords(3, 3), 0);
    EXPECT_EQ(Clipboard().image.records[4], Record(4));
    const SpectrumFile before = target.Data();
    ASSERT_EQ(target.PasteRecords(20), 0);
    for (std::size_t r = 0; r < SpectrumFile::kRecords; ++r)
        EXPECT_EQ(target.Data().records[r],
                  r >= 3 && r <= 5 ? Record(static_cast<int>(r)) : before.records[r])
            << r;
}

TEST_F(RecordClipboardTest, LabelIsSharedAndRefreshesEveryView)
{
    doc.SetClipboardLabel("plant.spc    [5]");
    EXPECT_EQ(ui.Count("refresh"), 1);
    std::string label;
    target.GetClipboardLabel(label);
    EXPECT_EQ(label, "plant.spc    [5]");

    doc.SetClipboardLabel(std::string(300, 'x'));
    target.GetClipboardLabel(label);
    EXPECT_EQ(label, std::string(255, 'x'));

    ScriptedUserInterface noDataUi;
    CMainDoc noData(noDataUi);
    noData.GetClipboardLabel(label);
    EXPECT_EQ(label, "");
}

}  // namespace
