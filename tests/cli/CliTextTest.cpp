// tv7w-cli export, import and clip, run as the real program.

#include "data/CMainDoc.h"
#include "data/RecordText.h"
#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const std::string kCodes =
    "   0\t 100\t 120\t 130\t 140\t 150\t 152\t 154\t 156\t 158\t 160\t 158\t 156\t 154\t 152\t"
    " 150\t 148\t 146\t 144\t 142\t 140\t 138\t 136\t 134\t 132\t 130\t 128\t 126\t 124\t 194";

// A document whose record 2 is the example record with a comment, saved as plant.spc.
class CliText : public DocumentTest {
protected:
    CliText()
    {
        Record(1) = ExampleRecord();
        doc.SetComment(1, "Plant room");
        EXPECT_TRUE(doc.OnSaveDocument(spc));
    }

    // Runs tv7w-cli with the words; standard output in out (and standard
    // error too when the words redirect it).
    int Cli(const std::string& words, std::string& out)
    {
        return RunCommand(std::string(TV7W_CLI) + " --profile " + profile + " " + words, out);
    }

    TempDir dir;
    const std::string spc = dir.File("plant.spc");
    const std::string profile = dir.File("TV7W.ini");
};

TEST_F(CliText, ExportWritesWhatTheMenuCommandWrites)
{
    std::string out;
    for (const std::string kind : {"prn", "prx"}) {
        ASSERT_EQ(Cli("export " + kind + " " + spc + " " + dir.File("cli." + kind), out), 0) << out;
        EXPECT_EQ(out, "");
        const int fileKind = kind == "prx" ? TextFileKind::kPrx : TextFileKind::kPrn;
        ASSERT_EQ(doc.ExportText(fileKind, dir.File("menu." + kind)), 0);
        EXPECT_EQ(ReadBytes(dir.File("cli." + kind)), ReadBytes(dir.File("menu." + kind))) << kind;
    }
    const std::string prx = ReadText(dir.File("cli.prx"));
    EXPECT_EQ(prx.size(), 30u * 134 + 1);
    EXPECT_EQ(prx.substr(134, 134), " 000 100 120 130 140 150 152 154 156 158 160 158 156 154 152 150 148 "
                                    "146 144 142 140 138 136 134 132 "
                                    "130 128 126 124 194 100 110 065\r\n");
    EXPECT_EQ(prx.back(), '\x1A');
}

TEST_F(CliText, ExportThatCannotBeWrittenFailsAndLeavesNoFile)
{
    std::string out;
    EXPECT_EQ(Cli("export prn " + spc + " " + dir.File("no/such/out.prn") + " 2>&1", out), 1);
    EXPECT_NE(out.find("Cannot save " + dir.File("no/such/out.prn")), std::string::npos) << out;
    EXPECT_FALSE(FileExists(dir.File("no")));

    // A file size limit of one block makes the write fail half-way; the old file stays.
    WriteText(dir.File("out.prx"), "old");
    EXPECT_EQ(RunCommand("ulimit -f 1; trap '' XFSZ; " + std::string(TV7W_CLI) + " --profile " + profile +
                             " export prx " + spc + " " + dir.File("out.prx") + " 2>&1",
                         out),
              1)
        << out;
    EXPECT_NE(out.find("(File too large)"), std::string::npos) << out;
    EXPECT_EQ(ReadText(dir.File("out.prx")), "old");
}

TEST_F(CliText, ExportUsage)
{
    std::string out;
    EXPECT_EQ(Cli("export csv " + spc + " " + dir.File("x") + " 2>&1", out), 2);
    EXPECT_NE(out.find("usage: tv7w-cli export prn|prx FILE OUT"), std::string::npos) << out;
    EXPECT_EQ(Cli("export prn " + spc + " 2>&1", out), 2);
    EXPECT_EQ(Cli("export prn " + spc + " '' 2>&1", out), 2);
    EXPECT_NE(out.find("tv7w-cli: OUT must name a file"), std::string::npos) << out;
    EXPECT_EQ(Cli("export prn " + dir.File("missing.spc") + " " + dir.File("x") + " 2>&1", out), 1);
    EXPECT_FALSE(FileExists(dir.File("x")));
}

TEST_F(CliText, ImportReplacesTheRecordsAndSavesTheFile)
{
    WriteText(dir.File("in.prx"), "1,2,3 4 5 6\r\n" + std::string(" 160") + "\r\n");
    std::string out;
    ASSERT_EQ(Cli("import " + spc + " " + dir.File("in.prx") + " 2>&1", out), 0) << out;
    ScriptedUserInterface readUi;
    CMainDoc read(readUi);
    ASSERT_TRUE(read.OnOpenDocument(spc));
    const MemoryRecord& first = read.Data().records[0];
    EXPECT_EQ(first.bands[0], 1);
    EXPECT_EQ(first.bands[5], 6);
    EXPECT_EQ(first.bands[6], 0);
    EXPECT_EQ(first.checksum, first.ComputeChecksum());
    EXPECT_EQ(read.Data().records[1].bands[0], 160);
    // The example record and its comment are gone.
    EXPECT_EQ(read.IsRecordInUse(2), 0);
}

TEST_F(CliText, ImportThatCannotReadItsFileLeavesTheDocumentAlone)
{
    const std::vector<std::uint8_t> before = ReadBytes(spc);
    std::string out;
    EXPECT_EQ(Cli("import " + spc + " " + dir.File("missing.prn") + " 2>&1", out), 1);
    EXPECT_EQ(out, "Cannot open " + dir.File("missing.prn") + "\n(File not found)\nNothing was imported\n");
    EXPECT_EQ(Cli("import " + spc + " " + dir.Path() + " 2>&1", out), 1);
    EXPECT_EQ(ReadBytes(spc), before);
    EXPECT_EQ(Cli("import " + spc + " 2>&1", out), 2);
}

TEST_F(CliText, ExportThenImportRestoresTheRecordBytes)
{
    std::string out;
    ASSERT_EQ(Cli("export prx " + spc + " " + dir.File("all.prx"), out), 0);
    ASSERT_EQ(Cli("new " + dir.File("copy.spc"), out), 0);
    ASSERT_EQ(Cli("import " + dir.File("copy.spc") + " " + dir.File("all.prx"), out), 0);
    const std::vector<std::uint8_t> original = ReadBytes(spc);
    const std::vector<std::uint8_t> copy = ReadBytes(dir.File("copy.spc"));
    ASSERT_EQ(copy.size(), 5828u);
    // Records are identical; comments are not part of the text file.
    EXPECT_TRUE(std::equal(copy.begin() + 8, copy.begin() + 1028, original.begin() + 8));
}

TEST_F(CliText, ClipPrintsExactlyTheClipboardText)
{
    std::string out;
    ASSERT_EQ(Cli("clip " + spc + " --record 2 --format 31", out), 0);
    EXPECT_EQ(out, kCodes + "\t 100\t 110\t  65\r\n");
    ASSERT_EQ(Cli("clip " + spc + " --record 2", out), 0);
    const std::string tail = "\t112.5dB SPL\t110.0dB SPL\tMike\tflat\tNC-30\tPlant room" +
                             std::string(30, ' ') + "\t" + std::string(40, ' ') + "\t" +
                             std::string(40, ' ') + "\t" + std::string(40, ' ') + "\r\n";
    EXPECT_EQ(
        out,
        "-20.0\t-7.5\t-5.0\t-3.8\t-2.5\t-1.3\t-1.0\t-0.8\t-0.5\t-0.3\t0.0\t-0.3\t-0.5\t-0.8\t-1.0\t-1.3\t"
        "-1.5\t-1.8\t-2.0\t-2.3\t-2.5\t-2.8\t-3.0\t-3.3\t-3.5\t-3.8\t-4.0\t-4.3\t-4.5\t4.3" +
            tail);
    ASSERT_EQ(Cli("clip " + spc + " --record 2 --format 33 --decimals 0 --round 0", out), 0);
    EXPECT_NE(out.find("\t4.3\t112dB SPL\t110dB SPL\tMike\t"), std::string::npos) << out;
}

TEST_F(CliText, ClipAllWithCommaRecordSeparatorIsOneLine)
{
    std::string out;
    ASSERT_EQ(Cli("clip " + spc + " --all --format 30 --record-sep 44", out), 0);
    EXPECT_EQ(out.size(), 30u * 150);
    EXPECT_EQ(out.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(out.substr(150, 150), kCodes + ",");
    ASSERT_EQ(Cli("clip " + spc + " --all --format 30 --field-sep 32 --record-sep 14", out), 0);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 30);
    EXPECT_EQ(out.substr(0, 10), "   0    0 ");
}

TEST_F(CliText, ClipTakesItsDefaultsFromTheProfile)
{
    WriteText(profile, "[Settings]\r\nClipfmat=30\r\nClipfiesep=44\r\nCliprecsep=10\r\n");
    std::string out;
    ASSERT_EQ(Cli("clip " + spc + " --record 2", out), 0);
    std::string codes = kCodes;
    std::replace(codes.begin(), codes.end(), '\t', ',');
    EXPECT_EQ(out, codes + "\n");
    ASSERT_EQ(Cli("clip " + spc + " --record 2 --field-sep 9 --record-sep 13", out), 0);
    EXPECT_EQ(out, kCodes + "\r");
}

TEST_F(CliText, ClipUsage)
{
    std::string out;
    for (const std::string words :
         {"--record 2 --all", "", "--record 0", "--record 31", "--record x", "--all --format 34",
          "--all --field-sep 14", "--all --record-sep 15", "--all --round 2", "--all --decimals 4",
          "--all --colour 1", "--all --format"}) {
        EXPECT_EQ(Cli("clip " + spc + " " + words + " 2>&1", out), 2) << words;
        EXPECT_NE(out.find("usage: tv7w-cli clip FILE (--record N | --all)"), std::string::npos) << out;
    }
    EXPECT_EQ(Cli("clip --all 2>&1", out), 2);
    EXPECT_EQ(Cli("clip " + dir.File("missing.spc") + " --all 2>&1", out), 1);
}

}  // namespace
