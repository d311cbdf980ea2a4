// The results CSV of all records in use, with either decimal separator.

#include "data/ResultsCsv.h"
#include "support/ExampleRecord.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

namespace {

const std::string kHeader =
    "record,source,unit,weighting,NC curve,reference,LZ,LA,LC,NC,NR,comment,25,31.5,40,50,63,80,100,125,160,"
    "200,250,315,400,500,630,800,1000,1250,1600,2000,2500,3150,4000,5000,6300,8000,10000,12500,16000,"
    "20000\r\n";

// The example record: 25 Hz below range, 20 kHz above it, 110 dB SPL reference.
const std::string kExampleRow =
    "2,Mike,dB SPL,flat,NC-30,110.0,>123.1,>119.8,>121.9,>70,116,,<90.0,102.5,105.0,106.3,107.5,108.8,109.0,"
    "109.3,109.5,109.8,110.0,109.8,109.5,109.3,109.0,108.8,108.5,108.3,108.0,107.8,107.5,107.3,107.0,106.8,"
    "106.5,106.3,106.0,105.8,105.5,>114.3\r\n";

// The same text as a locale with a decimal comma writes it.
std::string WithDecimalComma(std::string text)
{
    for (char& c : text)
        c = c == ',' ? ';' : c == '.' ? ',' : c;
    return text;
}

class ResultsCsv : public DocumentTest {
protected:
    // Record 2 the example, record 5 a Left measurement at 0 dBu in every
    // band, record 30 in use only for its comment (no source, no band in range).
    ResultsCsv()
    {
        Record(1) = ExampleRecord();
        MemoryRecord& left = Record(4);
        left.bands.fill(160);
        left.mode = 2;
        Record(29).mode = 0;
        doc.SetComment(29, "empty");
        doc.SetModifiedFlag(false);
    }

    std::string Expected() const
    {
        std::string left = "5,Left,dBu,flat,none,0.0,14.8,11.9,13.6,,,";
        for (int band = 0; band < 30; ++band)
            left += ",0.0";
        std::string none = "30,,,flat,none,0.0,,,,,,empty";
        for (int band = 0; band < 30; ++band)
            none += ",<-20.0";
        return kHeader + kExampleRow + left + "\r\n" + none + "\r\n";
    }

    TempDir dir;
};

}  // namespace

TEST_F(ResultsCsv, OneRowPerRecordInUseWithDecimalPoint)
{
    EXPECT_EQ(ResultsCsvText(doc, '.'), Expected());
}

TEST_F(ResultsCsv, DecimalCommaSeparatesFieldsBySemicolons)
{
    EXPECT_EQ(ResultsCsvText(doc, ','), WithDecimalComma(Expected()));
    EXPECT_EQ(WithDecimalComma(kExampleRow).substr(0, 42), "2;Mike;dB SPL;flat;NC-30;110,0;>123,1;>119");
    EXPECT_EQ(WithDecimalComma(kHeader).substr(0, 85),
              "record;source;unit;weighting;NC curve;reference;LZ;LA;LC;NC;NR;comment;25;31,5;40;50;");
}

TEST_F(ResultsCsv, CommentsAreQuotedWhenTheyHoldASeparatorOrAQuote)
{
    doc.SetComment(1, "Plant room, north\r\nsecond line");
    doc.SetComment(4, "Desk \"A\"; window");
    const std::string point = ResultsCsvText(doc, '.');
    EXPECT_NE(
        point.find(
            "\r\n2,Mike,dB SPL,flat,NC-30,110.0,>123.1,>119.8,>121.9,>70,116,\"Plant room, north\",<90.0,"),
        std::string::npos);
    EXPECT_NE(point.find(",,,\"Desk \"\"A\"\"; window\",0.0,"), std::string::npos);
    const std::string comma = ResultsCsvText(doc, ',');
    EXPECT_NE(comma.find(";>70;116;Plant room, north;<90,0;"), std::string::npos);
    EXPECT_NE(comma.find(";;;\"Desk \"\"A\"\"; window\";0,0;"), std::string::npos);
}

TEST_F(ResultsCsv, ExportWritesTheFile)
{
    WriteText(dir.File("results.csv"), std::string(10000, 'x'));
    ASSERT_EQ(ExportResultsCsv(doc, dir.File("results.csv"), ','), 0);
    EXPECT_EQ(ReadText(dir.File("results.csv")), WithDecimalComma(Expected()));
    EXPECT_EQ(ui.Count("beep"), 1);
    EXPECT_EQ(ui.Count("tell"), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ResultsCsv, ExportThatFailsSaysSoAndLeavesTheOldFile)
{
    EXPECT_EQ(ExportResultsCsv(doc, dir.File("missing/results.csv"), '.'), -1);
    EXPECT_FALSE(FileExists(dir.File("missing")));

    WriteText(dir.File("results.csv"), "old contents");
    // A file size limit below the text's size makes the write fail half-way.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = 300;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const int result = ExportResultsCsv(doc, dir.File("results.csv"), '.');
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, -1);
    EXPECT_EQ(ReadText(dir.File("results.csv")), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    EXPECT_EQ(ui.Count("beep"), 0);
    ASSERT_EQ(ui.Count("tell"), 2);
    EXPECT_EQ(ui.Texts("tell")[1],
              "Cannot save " + dir.File("results.csv") + "\r\n(File too large)\r\nThe file was not changed");
}
