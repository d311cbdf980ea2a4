// tv7w-cli page: the printed page as PDF, SVG or PNG, checked by the tools
// that read such files, and its refusals.

#include "support/TempDir.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

int Cli(const std::string& arguments, std::string& out)
{
    return RunCommand(std::string(TV7W_CLI) + " --profile /nonexistent/TV7W.ini " + arguments + " 2>&1", out);
}

class CliPage : public ::testing::Test {
protected:
    CliPage()
    {
        std::string out;
        EXPECT_EQ(Cli("new " + file, out), 0) << out;
    }
    TempDir dir;
    std::string file = dir.File("a.spc");
};

TEST_F(CliPage, APdfIsOneA4Page)
{
    std::string out;
    ASSERT_EQ(Cli("page " + file + " --record 3 " + dir.File("p.pdf"), out), 0) << out;
    ASSERT_EQ(RunCommand("pdfinfo " + dir.File("p.pdf"), out), 0) << out;
    EXPECT_NE(out.find("Pages:           1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("595 x 842 pts (A4)"), std::string::npos) << out;
    // Text stays text in a vector page.
    ASSERT_EQ(RunCommand("pdftotext " + dir.File("p.pdf") + " -", out), 0);
    EXPECT_NE(out.find("Memory: 3"), std::string::npos) << out;
}

TEST_F(CliPage, AnSvgAndAPngAtTheChosenResolution)
{
    std::string out;
    ASSERT_EQ(Cli("page " + file + " --record 1 " + dir.File("p.SVG"), out), 0) << out;
    const std::string svg = ReadText(dir.File("p.SVG"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Memory: 1"), std::string::npos);

    ASSERT_EQ(Cli("page " + file + " --record 1 " + dir.File("p.png") + " --dpi 30", out), 0) << out;
    const QImage image(QString::fromStdString(dir.File("p.png")));
    EXPECT_EQ(image.size(), QSize(248, 350));  // A4 at 30 dots per inch
    EXPECT_EQ(image.dotsPerMeterX(), 1181);
    // The plot is in the upper half; the lower half is blank paper.
    EXPECT_EQ(image.copy(0, 200, 248, 150).convertToFormat(QImage::Format_Grayscale8), [] {
        QImage white(248, 150, QImage::Format_Grayscale8);
        white.fill(Qt::white);
        return white;
    }());
}

TEST_F(CliPage, RefusesWhatItCannotWrite)
{
    std::string out;
    EXPECT_EQ(Cli("page " + file + " --record 1 " + dir.File("p.jpg"), out), 2);
    EXPECT_NE(out.find("OUT must end in .pdf, .svg or .png"), std::string::npos) << out;
    EXPECT_EQ(Cli("page " + file + " --record 1 " + dir.File("p.png") + " --dpi 29", out), 2);
    EXPECT_EQ(Cli("page " + file + " --record 1 " + dir.File("p.png") + " --dpi 1201", out), 2);
    EXPECT_EQ(Cli("page " + file + " --record 31 " + dir.File("p.pdf"), out), 2);
    EXPECT_EQ(Cli("page " + dir.File("missing.spc") + " --record 1 " + dir.File("p.pdf"), out), 1);
    EXPECT_EQ(Cli("page " + file + " --record 1 " + dir.File("no-folder/p.pdf"), out), 1);
    EXPECT_NE(out.find("cannot write"), std::string::npos) << out;
    for (const char* name : {"p.jpg", "p.png", "p.pdf"})
        EXPECT_FALSE(std::filesystem::exists(dir.File(name))) << name;
}

}  // namespace
