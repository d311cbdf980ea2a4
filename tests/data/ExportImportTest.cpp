// PRN and PRX text files: export, import and their round trips.

#include "data/ProgramSettings.h"
#include "data/RecordText.h"
#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kExamplePrn =
    " 000 100 120 130 140 150 152 154 156 158 160 158 156 154 152 150 148 146 144 142 "
    "140 138 136 134 132 130 128 126 124 194";

std::string EmptyPrnLine()
{
    std::string line;
    for (int band = 0; band < 30; ++band)
        line += " 000";
    return line;
}

class ExportImport : public DocumentTest {
protected:
    ExportImport() { doc.SetPathName(dir.File("plant.spc")); }

    // Imports text as the file in.prn into the document; returns the result.
    int Import(const std::string& text)
    {
        WriteText(dir.File("in.prn"), text);
        return doc.OnImport(dir.File("in.prn"));
    }
    const std::uint8_t* Bytes(int record) { return Record(record).Bytes(); }
    // Fills every record with distinct values of every byte, comments included.
    void FillAllRecords()
    {
        for (int record = 0; record < SpectrumFile::kRecords; ++record) {
            for (int k = 0; k < MemoryRecord::kDataSize; ++k)
                Record(record).Bytes()[k] = static_cast<std::uint8_t>(record * 37 + k * 11 + 3);
            doc.SetComment(record, "note " + std::to_string(record));
        }
        Record(0).refCode = 255;  // reference levels that are negative or kept to 8 bits
        Record(1).refCode = 126;
        Record(2).refCode = 0;
        Record(3).refCode = 125;
    }

    TempDir dir;
};

// --- Export ---------------------------------------------------------------------

TEST_F(ExportImport, PrxFileHoldsThirtyLinesAndEndsWithCtrlZ)
{
    Record(0) = ExampleRecord();
    ASSERT_EQ(doc.ExportText(TextFileKind::kPrx, dir.File("out.prx")), 0);
    std::string expected = kExamplePrn + " 100 110 065\r\n";
    ASSERT_EQ(expected.size(), 132u + 2);
    for (int record = 1; record < 30; ++record)
        expected += EmptyPrnLine() + " 000 110 002\r\n";
    expected += '\x1A';
    EXPECT_EQ(ReadText(dir.File("out.prx")), expected);
    EXPECT_EQ(ui.Count("beep"), 1);
    EXPECT_EQ(ui.Count("tell"), 0);
}

TEST_F(ExportImport, PrnFileHoldsTheBandCodesOnly)
{
    Record(29) = ExampleRecord();
    ASSERT_EQ(doc.ExportText(TextFileKind::kPrn, dir.File("out.prn")), 0);
    const std::string text = ReadText(dir.File("out.prn"));
    ASSERT_EQ(text.size(), 30u * 122 + 1);
    EXPECT_EQ(text.substr(0, 122), EmptyPrnLine() + "\r\n");
    EXPECT_EQ(text.substr(29 * 122), kExamplePrn + "\r\n\x1A");
}

TEST_F(ExportImport, ExportReplacesAnExistingFile)
{
    WriteText(dir.File("out.prn"), std::string(10000, 'x'));
    ASSERT_EQ(doc.ExportText(TextFileKind::kPrn, dir.File("out.prn")), 0);
    EXPECT_EQ(ReadText(dir.File("out.prn")).size(), 30u * 122 + 1);
}

TEST_F(ExportImport, NoBeepWhenSoundsAreOff)
{
    Settings().Sounds = 0;
    ASSERT_EQ(doc.ExportText(TextFileKind::kPrn, dir.File("out.prn")), 0);
    EXPECT_EQ(ui.Count("beep"), 0);
}

TEST_F(ExportImport, ExportThatCannotCreateTheFileSaysSoAndWritesNothing)
{
    for (const std::string& path : {dir.File("missing/out.prn"), dir.Path(), std::string()}) {
        ui.Clear();
        EXPECT_EQ(doc.ExportText(TextFileKind::kPrn, path), -1) << path;
        EXPECT_EQ(ui.Count("beep"), 0);
        EXPECT_EQ(ui.Count("tell"), path.empty() ? 0 : 1) << path;
        if (path == dir.Path()) {
            EXPECT_EQ(ui.Texts("tell").at(0),
                      "Cannot save " + path + "\r\n(Is a directory)\r\nThe file was not changed");
        }
    }
    EXPECT_FALSE(FileExists(dir.File("missing")));
}

TEST_F(ExportImport, ExportThatCannotBeFullyWrittenLeavesTheOldFile)
{
    WriteText(dir.File("out.prx"), "old contents");
    // A file size limit below the export's 4021 bytes makes the write fail half-way.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const int result = doc.ExportText(TextFileKind::kPrx, dir.File("out.prx"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, -1);
    EXPECT_EQ(ReadText(dir.File("out.prx")), "old contents");
    EXPECT_EQ(ui.Count("beep"), 0);
    ASSERT_EQ(ui.Count("tell"), 1);
    EXPECT_EQ(ui.Texts("tell")[0].rfind("Cannot save " + dir.File("out.prx") + "\r\n(File too large)", 0),
              0u);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST_F(ExportImport, ProposedNamesReplaceTheExtension)
{
    EXPECT_EQ(doc.TextFileName(TextFileKind::kPrn), dir.File("plant.prn"));
    EXPECT_EQ(doc.TextFileName(TextFileKind::kPrx), dir.File("plant.prx"));
    // Names without an extension keep every character; only the file name's
    // own dot counts.
    doc.SetPathName("/data/survey");
    EXPECT_EQ(doc.TextFileName(TextFileKind::kPrn), "/data/survey.prn");
    doc.SetPathName("/data.2024/survey");
    EXPECT_EQ(doc.TextFileName(TextFileKind::kPrx), "/data.2024/survey.prx");
    doc.SetPathName("/data/survey.old.spc");
    EXPECT_EQ(doc.TextFileName(TextFileKind::kPrn), "/data/survey.old.prn");
    doc.SetPathName("/data/survey.");
    EXPECT_EQ(doc.TextFileName(TextFileKind::kPrn), "/data/survey.prn");
    // Bitmaps, pages and results follow the same rule.
    doc.SetPathName("/data/survey");
    EXPECT_EQ(doc.PathWithExtension("bmp"), "/data/survey.bmp");
}

// --- Round trips ------------------------------------------------------------------

TEST_F(ExportImport, PrxRoundTripRestoresBytesZeroToThirtyTwo)
{
    FillAllRecords();
    ASSERT_EQ(doc.ExportText(TextFileKind::kPrx, dir.File("all.prx")), 0);
    const SpectrumFile exported = doc.Data();

    ScriptedUserInterface otherUi;
    CMainDoc other(otherUi);
    other.OnNewDocument();
    ASSERT_EQ(other.OnImport(dir.File("all.prx")), 0);
    for (std::size_t r = 0; r < SpectrumFile::kRecords; ++r) {
        const MemoryRecord& imported = other.Data().records[r];
        EXPECT_TRUE(std::equal(imported.Bytes(), imported.Bytes() + 33, exported.records[r].Bytes())) << r;
        EXPECT_EQ(imported.checksum, imported.ComputeChecksum());
    }
    EXPECT_TRUE(other.IsModified());
}

TEST_F(ExportImport, PrnRoundTripRestoresTheBands)
{
    FillAllRecords();
    ASSERT_EQ(doc.ExportText(TextFileKind::kPrn, dir.File("all.prn")), 0);
    const SpectrumFile exported = doc.Data();
    ASSERT_EQ(doc.OnImport(dir.File("all.prn")), 0);
    for (std::size_t r = 0; r < SpectrumFile::kRecords; ++r) {
        MemoryRecord expected = MemoryRecord::Empty();
        expected.bands = exported.records[r].bands;
        expected.checksum = expected.ComputeChecksum();
        EXPECT_EQ(doc.Data().records[r], expected) << r;
    }
}

// --- Import -----------------------------------------------------------------------

TEST_F(ExportImport, ImportClearsEveryRecordFirst)
{
    FillSampleRecord(4);
    FillSampleRecord(29);
    doc.Data().serialNumber = {'T', '7', '-', '0', '0', '4', '2', ' '};
    ASSERT_EQ(Import("1,2,3\r\n"), 0);
    EXPECT_EQ(Bytes(0)[0], 1);
    EXPECT_EQ(Bytes(0)[1], 2);
    EXPECT_EQ(Bytes(0)[2], 3);
    for (int k = 3; k < 30; ++k)
        EXPECT_EQ(Bytes(0)[k], 0);
    for (int record = 1; record < 30; ++record) {
        EXPECT_EQ(Record(record), MemoryRecord::Empty()) << record;
        EXPECT_EQ(doc.IsRecordInUse(record), 0) << record;
    }
    std::string serial;
    doc.GetSerialText(serial);
    EXPECT_EQ(serial, "T7-0042 ");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ExportImport, ReferenceLevelBecomesTheReferenceCode)
{
    const std::string bands = EmptyPrnLine() + " 000";
    ASSERT_EQ(Import(bands + " 110\r\n" + bands + " 125\r\n" + bands + " 0\r\n" + bands + " -3\r\n" + bands +
                     " -130\r\n" + bands + " -131\r\n" + bands + " 126\r\n" + bands + " 255\r\n" + bands +
                     " 256\r\n"),
              0);
    const int expected[] = {15, 0, 125, 128, 255, 15, 255, 126, 15};
    for (int record = 0; record < 9; ++record)
        EXPECT_EQ(Record(record).refCode, expected[record]) << record;
}

TEST_F(ExportImport, ValuesOutsideAByteAreSkippedNotClipped)
{
    Import("-3 256 255 99999999999999999999 4294967296 4294967297 -4294967041 2147483648 0 7\r\n");
    const int expected[] = {0, 0, 255, 0, 0, 0, 0, 0, 0, 7};
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(Bytes(0)[k], expected[k]) << k;
    Import("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 999999999999 "
           "-1\r\n");
    EXPECT_EQ(Record(0).refCode, 15);
    EXPECT_EQ(Record(0).mode, 2);
    EXPECT_EQ(Record(0).wideband, 31);
}

TEST_F(ExportImport, NumbersAreReadLikeAtoi)
{
    Import("+5 --5 +-5 5- -0 12abc 0x1F 1e3 abc 007 +\r\n");
    const int expected[] = {5, 0, 0, 5, 0, 12, 0, 1, 0, 7, 0};
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(Bytes(0)[k], expected[k]) << k;
    // Text in the reference position reads as level 0: code 125.
    Import(EmptyPrnLine() + " 9 dB 4\r\n");
    EXPECT_EQ(Record(0).wideband, 9);
    EXPECT_EQ(Record(0).refCode, 125);
    EXPECT_EQ(Record(0).mode, 4);
}

TEST_F(ExportImport, AnyRunOfCommasAndSpacesSeparatesFields)
{
    Import(", 1  2,,3 , 4 ,5,\r\n");
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(Bytes(0)[k], k + 1);
    EXPECT_EQ(Bytes(0)[5], 0);
}

TEST_F(ExportImport, TabSeparatesFieldsNotLines)
{
    Import("\t1\t2\t\t3,4\r\n5\t6\n");
    EXPECT_EQ(Bytes(0)[0], 1);
    EXPECT_EQ(Bytes(0)[1], 2);
    EXPECT_EQ(Bytes(0)[2], 3);
    EXPECT_EQ(Bytes(0)[3], 4);
    EXPECT_EQ(Bytes(1)[0], 5);
    EXPECT_EQ(Bytes(1)[1], 6);
}

TEST_F(ExportImport, LinesEndAtAnyControlCharacterAndBlankLinesAreSkipped)
{
    Import("\r\n\r\n\x01\x02 1 2\n\n\n3\x1B"
           "4\x7F 5");
    EXPECT_EQ(Bytes(0)[0], 1);
    EXPECT_EQ(Bytes(0)[1], 2);
    EXPECT_EQ(Bytes(1)[0], 3);
    // DEL is an ordinary character: "4\x7F" reads as 4.
    EXPECT_EQ(Bytes(2)[0], 4);
    EXPECT_EQ(Bytes(2)[1], 5);
}

TEST_F(ExportImport, LastLineWithoutLineEndIsImported)
{
    ASSERT_EQ(Import("1,2,3\r\n4,5,6"), 0);
    EXPECT_EQ(Bytes(1)[0], 4);
    EXPECT_EQ(Bytes(1)[2], 6);
}

TEST_F(ExportImport, LinesAfterTheThirtiethAreIgnored)
{
    std::string text;
    for (int line = 1; line <= 35; ++line)
        text += std::to_string(line) + "\r\n";
    ASSERT_EQ(Import(text), 0);
    for (int record = 0; record < 30; ++record)
        EXPECT_EQ(Bytes(record)[0], record + 1);
}

TEST_F(ExportImport, LongLinesArriveIn255CharacterPieces)
{
    // 600 characters: pieces of 255, 255 and 90 characters fill records 1 to 3.
    std::string line;
    for (int i = 0; i < 300; ++i)
        line += "7,";
    ASSERT_EQ(Import(line + "\r\n9\r\n"), 0);
    for (int record = 0; record < 3; ++record) {
        EXPECT_EQ(Bytes(record)[0], 7) << record;
        EXPECT_EQ(Bytes(record)[32], 7) << record;
        EXPECT_EQ(Record(record).refCode, 118) << record;
    }
    EXPECT_EQ(Bytes(3)[0], 9);
}

TEST_F(ExportImport, GarbageAndBinaryBytesNeverFail)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 7919) & 0xFF));
    EXPECT_EQ(Import(binary), 0);
    EXPECT_EQ(Import("hello, world\r\n\xFF\xFE\xFD\r\n"), 0);
    EXPECT_EQ(Record(0), MemoryRecord::Empty());  // every field reads as 0; wideband 0; "world" as ref 125
}

TEST_F(ExportImport, EmptyFileLeavesThirtyClearedRecords)
{
    FillSampleRecord(4);
    ASSERT_EQ(Import(""), 0);
    EXPECT_EQ(Record(4), MemoryRecord::Empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ExportImport, DevicesAndPipesAreRefusedAndChangeNothing)
{
    FillSampleRecord(4);
    const SpectrumFile before = doc.Data();
    EXPECT_EQ(doc.OnImport("/dev/zero"), -1);
    // A pipe with a writer, as a shell's process substitution gives it.
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0666), 0);
    const int writer = ::open(dir.File("pipe").c_str(), O_RDWR);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "1,2,3\r\n", 7), 7);
    EXPECT_EQ(doc.OnImport(dir.File("pipe")), -1);
    ::close(writer);
    // Without a writer the open itself would wait for one.
    ::alarm(10);  // a blocking open ends the test program instead of hanging it
    EXPECT_EQ(doc.OnImport(dir.File("pipe")), -1);
    ::alarm(0);
    EXPECT_EQ(doc.Data(), before);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(ui.Count("tell"), 3);
    EXPECT_EQ(ui.Texts("tell")[0],
              "Cannot open /dev/zero\r\n(Access denied, or not a file)\r\nNothing was imported");
}

TEST_F(ExportImport, FileThatCannotBeOpenedChangesNothing)
{
    FillSampleRecord(4);
    const SpectrumFile before = doc.Data();
    EXPECT_EQ(doc.OnImport(dir.File("missing.prn")), -1);
    EXPECT_EQ(doc.OnImport(dir.Path()), -1);
    EXPECT_EQ(doc.Data(), before);
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(ui.Texts("tell").size(), 2u);
    EXPECT_EQ(ui.Texts("tell")[0],
              "Cannot open " + dir.File("missing.prn") + "\r\n(File not found)\r\nNothing was imported");
    EXPECT_EQ(ui.Texts("tell")[1],
              "Cannot open " + dir.Path() + "\r\n(Access denied, or not a file)\r\nNothing was imported");
}

}  // namespace
