#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

int Cli(const std::string& arguments, std::string& out)
{
    return RunCommand(std::string(TV7W_CLI) + " --profile /nonexistent/TV7W.ini " + arguments + " 2>&1", out);
}

}  // namespace

TEST(CliDocument, NewCreatesTheEmptyFileAndRefusesToOverwrite)
{
    TempDir dir;
    std::string out;
    EXPECT_EQ(Cli("new " + dir.File("a.spc"), out), 0) << out;
    EXPECT_EQ(ReadBytes(dir.File("a.spc")).size(), 5828u);
    WriteText(dir.File("b.spc"), "keep");
    EXPECT_EQ(Cli("new " + dir.File("b.spc"), out), 1);
    EXPECT_EQ(ReadText(dir.File("b.spc")), "keep");
}

TEST(CliDocument, InfoAndShow)
{
    TempDir dir;
    std::string out;
    ASSERT_EQ(Cli("new " + dir.File("a.spc"), out), 0);
    std::vector<std::uint8_t> bytes = ReadBytes(dir.File("a.spc"));
    const std::size_t record5 = 8 + 34 * 4;
    for (std::size_t band = 0; band < 30; ++band)
        bytes[record5 + band] = static_cast<std::uint8_t>(156 + band);
    bytes[record5 + 30] = 100;
    bytes[record5 + 32] = 0x49;
    const std::string comment = "Plant room";
    std::copy(comment.begin(), comment.end(), bytes.begin() + 1028 + 160 * 4);
    WriteBytes(dir.File("a.spc"), bytes);

    ASSERT_EQ(Cli("info " + dir.File("a.spc"), out), 0) << out;
    EXPECT_EQ(out, "Serial number: (none)\n"
                   " 5  Mike  C    NC-30 110.0dB SPL  112.5dBC SPL   Plant room\n");

    ASSERT_EQ(Cli("show " + dir.File("a.spc") + " 5", out), 0) << out;
    EXPECT_NE(out.find("25    -0.5dBr\n31.5  -0.4dBr\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Reference  110.0dB SPL\nWideband   112.5dBC SPL\nSource     Mike\n"),
              std::string::npos);
    EXPECT_NE(out.find("Comment    Plant room\n"), std::string::npos);
    EXPECT_NE(out.find("Memory Record: 5\n\n00: 9C \n01: 9D "), std::string::npos);
    EXPECT_NE(out.find("32: 49 NC/W/Inp\n33: "), std::string::npos);
}

TEST(CliDocument, UsageErrorsAndFailures)
{
    TempDir dir;
    std::string out;
    EXPECT_EQ(Cli("", out), 2);
    EXPECT_EQ(Cli("frobnicate", out), 2);
    EXPECT_EQ(Cli("show x.spc 31", out), 2);
    EXPECT_EQ(Cli("info", out), 2);
    WriteText(dir.File("short.spc"), "abc");
    EXPECT_EQ(Cli("info " + dir.File("short.spc"), out), 1);
    EXPECT_EQ(out, "Unknown File Format\n");
    EXPECT_EQ(Cli("--profile", out), 2);
    EXPECT_EQ(out, "tv7w-cli: --profile needs a value\n(tv7w-cli --help lists the commands)\n");
    EXPECT_EQ(Cli("--version", out), 0);
    EXPECT_EQ(out.rfind("tv7w-cli ", 0), 0u);
}
