#include "PageImage.h"

#include "data/ProgramSettings.h"
#include "plot/ExportBitmap.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::size_t FilesIn(const std::string& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

class ExportBitmapTest : public DocumentTest {
protected:
    ExportBitmapTest() { FillSampleRecord(4); }

    TempDir dir;
};

}  // namespace

TEST(ExportBitmapSize, PageWidthAndFontDivisor)
{
    EXPECT_EQ(ExportPageWidth(800), 800);
    EXPECT_EQ(ExportPageWidth(101), 101);
    EXPECT_EQ(ExportPageWidth(100), 100);
    EXPECT_EQ(ExportPageWidth(50), 100);
    EXPECT_EQ(ExportPageWidth(-7), 100);
    EXPECT_EQ(ExportFontDivisor(800), 3);
    EXPECT_EQ(ExportFontDivisor(100), 24);
    EXPECT_EQ(ExportFontDivisor(2400), 1);
    EXPECT_EQ(ExportFontDivisor(3000), 1);
}

TEST_F(ExportBitmapTest, WritesTheEightBitPage)
{
    const std::string path = dir.File("plot.bmp");
    ASSERT_EQ(ExportBitmap(doc, 4, path, 0), 0);
    const std::vector<std::uint8_t> file = ReadBytes(path);
    ASSERT_EQ(file.size(), 481078u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), 481078u);
    EXPECT_EQ(Le32(file, 10), 1078u);
    EXPECT_EQ(Le32(file, 18), 800u);
    EXPECT_EQ(Le32(file, 22), 600u);
    EXPECT_EQ(file[28], 8);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
    EXPECT_EQ(ui.Count("tell"), 0);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);
    // It reads back as the page.
    DibImage image;
    ASSERT_EQ(image.LoadFileImage(file), 0);
    EXPECT_TRUE(IsInk(image, 66, 100));
    EXPECT_FALSE(IsInk(image, 799, 599));
}

TEST_F(ExportBitmapTest, GraphOnlyHasTheSameSizeAndLessInk)
{
    const std::string full = dir.File("full.bmp");
    const std::string graph = dir.File("graph.bmp");
    ASSERT_EQ(ExportBitmap(doc, 4, full, 0), 0);
    ASSERT_EQ(ExportBitmap(doc, 4, graph, 1), 0);
    const std::vector<std::uint8_t> a = ReadBytes(full);
    const std::vector<std::uint8_t> b = ReadBytes(graph);
    ASSERT_EQ(a.size(), b.size());
    EXPECT_NE(a, b);
    DibImage fullImage, graphImage;
    ASSERT_EQ(fullImage.LoadFileImage(a), 0);
    ASSERT_EQ(graphImage.LoadFileImage(b), 0);
    EXPECT_TRUE(NewInk(fullImage, graphImage).empty());
}

TEST_F(ExportBitmapTest, SmallWidthIsRaisedToOneHundred)
{
    Settings().Clipbmpdx = 50;
    Settings().Clipbmpdy = 40;
    const std::string path = dir.File("small.bmp");
    ASSERT_EQ(ExportBitmap(doc, 4, path, 0), 0);
    const std::vector<std::uint8_t> file = ReadBytes(path);
    EXPECT_EQ(Le32(file, 18), 100u);
    EXPECT_EQ(Le32(file, 22), 40u);
    EXPECT_EQ(file.size(), 1078u + 100 * 40);
}

TEST_F(ExportBitmapTest, UnwritablePathIsReportedAndLeavesNothing)
{
    const std::string path = dir.File("missing-folder/plot.bmp");
    EXPECT_EQ(ExportBitmap(doc, 4, path, 0), -1);
    ASSERT_EQ(ui.Count("tell"), 1);
    EXPECT_EQ(ui.Texts("tell")[0].rfind("Cannot write " + path + "\r\n(", 0), 0u);
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(FilesIn(dir.Path()), 0u);
}

TEST_F(ExportBitmapTest, PageThatCannotBeRenderedLeavesTheOldFile)
{
    const std::string path = dir.File("plot.bmp");
    WriteText(path, "old contents");
    Settings().Clipbmpdy = -5;
    EXPECT_EQ(ExportBitmap(doc, 4, path, 0), -1);
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{"Cannot make the bitmap " + path +
                                                         "\r\n(No page of 800 x -5 pixels)"});
    EXPECT_EQ(ReadText(path), "old contents");
    Settings().Clipbmpdy = 0;
    EXPECT_EQ(ExportBitmap(doc, 4, path, 0), -1);
    EXPECT_EQ(ui.Texts("tell").back(), "Cannot make the bitmap " + path + "\r\n(No page of 800 x 0 pixels)");
    EXPECT_EQ(ReadText(path), "old contents");
    Settings().Clipbmpdy = 1;
    EXPECT_EQ(ExportBitmap(doc, 4, path, 0), 0);
    EXPECT_EQ(ReadBytes(path).size(), 14u + 40u + 1024u + 800u);
    WriteText(path, "old contents");
    Settings().Clipbmpdx = 30000;
    Settings().Clipbmpdy = 30000;
    EXPECT_EQ(ExportBitmap(doc, 4, path, 0), -1);
    EXPECT_EQ(ui.Texts("tell").back(), "Cannot make the bitmap " + path + "\r\n(Cannot alloc)");
    EXPECT_EQ(ReadText(path), "old contents");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST_F(ExportBitmapTest, ReplacesAnExistingFileWhole)
{
    const std::string path = dir.File("plot.bmp");
    WriteText(path, "old contents");
    ASSERT_EQ(ExportBitmap(doc, 4, path, 1), 0);
    EXPECT_EQ(ReadBytes(path).size(), 481078u);
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

// --- tv7w-cli bitmap ----------------------------------------------------------

class CliBitmapTest : public DocumentTest {
protected:
    CliBitmapTest()
    {
        FillSampleRecord(4);
        document = dir.File("sample.spc");
        doc.OnSaveDocument(document);
        WriteText(profile, "[Settings]\r\nPlotbkgdbmp=none\r\nPlotuserbmp=none\r\n");
    }

    int Run(const std::string& arguments, std::string& out)
    {
        return RunCommand(std::string(TV7W_CLI) + " --profile " + profile + " bitmap " + arguments + " 2>&1",
                          out);
    }

    TempDir dir;
    std::string document;
    std::string profile = dir.File("TV7W.ini");
};

TEST_F(CliBitmapTest, WritesWhatTheMenuCommandWrites)
{
    const std::string out = dir.File("cli.bmp");
    std::string output;
    ASSERT_EQ(Run(document + " --record 5 " + out, output), 0) << output;
    EXPECT_EQ(output, "");
    Settings().Plotbkgdbmp = "none";
    Settings().Plotuserbmp = "none";
    const std::string reference = dir.File("menu.bmp");
    CMainDoc saved(ui);
    ASSERT_TRUE(saved.OnOpenDocument(document));
    ASSERT_EQ(ExportBitmap(saved, 4, reference, 0), 0);
    EXPECT_EQ(ReadBytes(out), ReadBytes(reference));
}

TEST_F(CliBitmapTest, SizeAndGraphOnlyOptions)
{
    const std::string out = dir.File("small.bmp");
    std::string output;
    ASSERT_EQ(Run(document + " --record 5 " + out + " --graph-only --width 50 --height 30", output), 0)
        << output;
    const std::vector<std::uint8_t> file = ReadBytes(out);
    ASSERT_EQ(file.size(), 1078u + 100 * 30);
    EXPECT_EQ(file[18], 100);
    EXPECT_EQ(file[22], 30);
}

TEST_F(CliBitmapTest, UsageErrors)
{
    std::string output;
    const std::string out = dir.File("x.bmp");
    EXPECT_EQ(Run(document + " " + out, output), 2);
    EXPECT_NE(output.find("usage: tv7w-cli bitmap"), std::string::npos);
    EXPECT_EQ(Run(document + " --record 31 " + out, output), 2);
    EXPECT_EQ(Run(document + " --record 5 " + out + " --width wide", output), 2);
    EXPECT_EQ(Run(document + " --record 5", output), 2);
    EXPECT_FALSE(FileExists(out));
}

TEST_F(CliBitmapTest, FailuresExitWithOne)
{
    std::string output;
    const std::string out = dir.File("x.bmp");
    EXPECT_EQ(Run(dir.File("missing.spc") + " --record 5 " + out, output), 1);
    EXPECT_EQ(Run(document + " --record 5 " + dir.File("no/such/folder.bmp"), output), 1);
    EXPECT_NE(output.find("Cannot write"), std::string::npos);
    EXPECT_EQ(Run(document + " --record 5 " + out + " --height -1", output), 1);
    EXPECT_NE(output.find("Cannot make the bitmap"), std::string::npos);
    EXPECT_FALSE(FileExists(out));
}
