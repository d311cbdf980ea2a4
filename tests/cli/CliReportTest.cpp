// tv7w-cli report: the survey report as a PDF, read back with the tools
// that read PDF files, and its refusals.

#include "data/SpectrumFile.h"
#include "support/ExampleRecord.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int Cli(const std::string& arguments, std::string& out)
{
    return RunCommand(std::string(TV7W_CLI) + " --profile /nonexistent/TV7W.ini " + arguments + " 2>&1", out);
}

std::string PageCount(const std::string& pdf)
{
    std::string out;
    RunCommand("pdfinfo " + pdf + " | grep Pages:", out);
    return out;
}

class CliReport : public ::testing::Test {
protected:
    // Record 1 the example record, record 2 Mike at 40 dB SPL in every band
    // with a comment, record 4 a Left record at 0 dBu; the others empty.
    CliReport()
    {
        SpectrumFile image;
        for (auto& comment : image.comments)
            comment.fill(' ');
        std::memcpy(image.serialNumber.data(), "T7A0042", 7);
        image.records[0] = ExampleRecord();
        image.records[1].bands.fill(160);
        image.records[1].refCode = 85;
        image.records[1].mode = 1;
        std::memcpy(image.comments[1].data(), "Meeting room 2", 14);
        image.records[3].bands.fill(168);
        image.records[3].refCode = 15;
        image.records[3].mode = 2;
        WriteBytes(file, std::vector<std::uint8_t>(image.Bytes(), image.Bytes() + SpectrumFile::kSize));
    }
    TempDir dir;
    std::string file = dir.File("site.spc");
};

TEST_F(CliReport, ATablePageThenOnePageARecordAllOfItText)
{
    std::string out;
    const std::string pdf = dir.File("site.pdf");
    ASSERT_EQ(Cli("report " + file + " " + pdf, out), 0) << out;
    EXPECT_EQ(PageCount(pdf), "Pages:           4\n");
    ASSERT_EQ(RunCommand("pdfinfo " + pdf, out), 0);
    EXPECT_NE(out.find("595 x 842 pts (A4)"), std::string::npos) << out;

    ASSERT_EQ(RunCommand("pdftotext -layout -f 1 -l 1 " + pdf + " -", out), 0);
    EXPECT_NE(out.find("Data File: site.spc"), std::string::npos) << out;
    EXPECT_NE(out.find("TALVEK 7: T7A0042"), std::string::npos) << out;
    EXPECT_NE(out.find("Record"), std::string::npos) << out;
    EXPECT_NE(out.find("Page 1 of 4"), std::string::npos) << out;
    // Every number of the rows, as tv7w-cli rating gives them.
    for (const char* number : {"110.0 dB SPL", ">123.1", "40.0 dB SPL", "54.8", "Meeting room 2", "0.0 dBu"})
        EXPECT_NE(out.find(number), std::string::npos) << number << '\n' << out;
    // Record 3 is empty and not in the table.
    EXPECT_EQ(out.find("\n       3 "), std::string::npos) << out;

    ASSERT_EQ(RunCommand("pdftotext -f 3 -l 3 " + pdf + " -", out), 0);
    EXPECT_NE(out.find("Memory: 2"), std::string::npos) << out;
    EXPECT_NE(out.find("LZ 54.8"), std::string::npos) << out;  // the results line
    EXPECT_NE(out.find("Page 3 of 4"), std::string::npos) << out;
}

TEST_F(CliReport, TheListedRecordsInTheirOrder)
{
    std::string out;
    const std::string pdf = dir.File("two.pdf");
    ASSERT_EQ(Cli("report " + file + " " + pdf + " --records 2,1", out), 0) << out;
    EXPECT_EQ(PageCount(pdf), "Pages:           3\n");
    ASSERT_EQ(RunCommand("pdftotext -f 2 -l 2 " + pdf + " -", out), 0);
    EXPECT_NE(out.find("Memory: 2"), std::string::npos) << out;
    ASSERT_EQ(Cli("report " + file + " " + pdf + " --records 1-2,4", out), 0) << out;
    EXPECT_EQ(PageCount(pdf), "Pages:           4\n");
}

TEST_F(CliReport, AFailureSaysWhyAndLeavesTheFileAsItWas)
{
    std::string out;
    const std::string pdf = dir.File("old.pdf");
    WriteText(pdf, "old");
    EXPECT_EQ(Cli("report " + file + " " + pdf + " --records 1-3", out), 1);
    EXPECT_NE(out.find("Record 3 is not in use"), std::string::npos) << out;
    EXPECT_EQ(ReadText(pdf), "old");
    EXPECT_EQ(Cli("report " + file + " " + dir.File("no/such/folder.pdf"), out), 1);
    EXPECT_NE(out.find("cannot write"), std::string::npos) << out;

    EXPECT_EQ(Cli("report " + file + " " + dir.File("r.svg"), out), 2);
    EXPECT_NE(out.find("OUT must end in .pdf"), std::string::npos) << out;
    EXPECT_EQ(Cli("report " + file + " " + pdf + " --records 0", out), 2);
    EXPECT_EQ(Cli("report " + file + " " + pdf + " --records 3-1", out), 2);
    EXPECT_EQ(Cli("report " + file + " " + pdf + " --records 30,31", out), 2);
    EXPECT_EQ(ReadText(pdf), "old");
    EXPECT_FALSE(FileExists(dir.File("r.svg")));

    const std::string empty = dir.File("empty.spc");
    ASSERT_EQ(Cli("new " + empty, out), 0) << out;
    EXPECT_EQ(Cli("report " + empty + " " + pdf, out), 1);
    EXPECT_NE(out.find("no record in use"), std::string::npos) << out;
}

}  // namespace
