#include "plot/FontSpec.h"
#include "plot/FontChooser.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <limits>

namespace {

LogFontRecord RecordOf(const FontSpec& font)
{
    LogFontRecord record;
    EXPECT_EQ(font.LogFont(record), 0);
    return record;
}

// Answers the font dialog from a script and remembers how it was asked.
class ScriptedChooser : public FontChooser {
public:
    bool ChooseFont(LogFontRecord& logFont, bool startFromLogFont) override
    {
        asked = logFont;
        started = startFromLogFont;
        if (!answer)
            return false;
        logFont = *answer;
        return true;
    }

    std::optional<LogFontRecord> answer;
    LogFontRecord asked;
    bool started = false;
};

}  // namespace

TEST(MulDiv, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(16, 96, 72), 21);
    EXPECT_EQ(MulDiv(-21, 72, 96), -16);
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(7, 1, -2), -4);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(std::numeric_limits<std::int32_t>::max(), 4, 1), -1);
}

TEST(FontSpec, ArialSixteenPoint)
{
    FontSpec font;
    ASSERT_EQ(font.FromSpec("Arial,16400"), 0);
    const LogFontRecord record = RecordOf(font);
    EXPECT_EQ(record.lfHeight, -MulDiv(16, FontSpec::kLogPixelsY, 72));
    EXPECT_EQ(record.lfHeight, -21);
    EXPECT_EQ(record.lfWidth, 0);
    EXPECT_EQ(record.lfWeight, 400);
    EXPECT_EQ(record.lfItalic, 0);
    EXPECT_EQ(record.lfUnderline, 0);
    EXPECT_EQ(record.lfStrikeOut, 0);
    EXPECT_EQ(record.lfEscapement, 0);
    EXPECT_EQ(font.Spec(), "Arial,16400");
    std::string face;
    EXPECT_EQ(font.FaceName(face), 0);
    EXPECT_EQ(face, "Arial");
    EXPECT_EQ(font.PointSize(), 16);
    EXPECT_EQ(font.Font().pixelSize(), 21);
    EXPECT_FALSE(font.Font().bold());
}

TEST(FontSpec, ArialIsTheMetricCompatibleFace)
{
    if (!QFontDatabase::families().contains("Liberation Sans"))
        GTEST_SKIP() << "Liberation Sans is not installed";
    FontSpec font;
    font.FromSpec("Arial,16400");
    EXPECT_EQ(QFontInfo(font.Font()).family(), "Liberation Sans");
    font.FromSpec("arial,10400");
    EXPECT_EQ(QFontInfo(font.Font()).family(), "Liberation Sans");
}

TEST(FontSpec, BoldItalicUnderlined)
{
    LogFontRecord record;
    record.lfFaceName = "Arial";
    record.lfHeight = -MulDiv(12, FontSpec::kLogPixelsY, 72);
    record.lfWeight = 700;
    record.lfItalic = 1;
    record.lfUnderline = 1;
    FontSpec font;
    ASSERT_EQ(font.FromLogFont(record), 0);
    EXPECT_EQ(font.Spec(), "Arial,12703");
    EXPECT_TRUE(font.Font().bold());
    EXPECT_TRUE(font.Font().italic());
    EXPECT_TRUE(font.Font().underline());
    EXPECT_FALSE(font.Font().strikeOut());

    font.FromSpec("Arial,20707");
    const LogFontRecord read = RecordOf(font);
    EXPECT_EQ(read.lfWeight, 700);
    EXPECT_EQ(read.lfItalic, 1);
    EXPECT_EQ(read.lfUnderline, 1);
    EXPECT_EQ(read.lfStrikeOut, 1);
    EXPECT_TRUE(font.Font().strikeOut());
    EXPECT_EQ(font.Spec(), "Arial,20707");
}

TEST(FontSpec, EmptySpecIsFixedsysWithNoHeight)
{
    FontSpec font;
    ASSERT_EQ(font.FromSpec(""), 0);
    LogFontRecord expected;
    expected.lfFaceName = "Fixedsys";
    EXPECT_EQ(RecordOf(font), expected);
    EXPECT_EQ(font.PointSize(), 0);
    EXPECT_EQ(font.Spec(), "Fixedsys,0");
    EXPECT_TRUE(QFontInfo(font.Font()).fixedPitch());
    EXPECT_GT(font.TextHeight(), 0);
}

TEST(FontSpec, OddSpecs)
{
    struct Case {
        const char* spec;
        const char* face;
        std::int32_t height;
        std::int32_t weight;
    };
    const Case cases[] = {
        {",", "", 0, 0},
        {"Arial", "Arial", 0, 0},
        {"Arial,abc", "Arial", 0, 0},
        {"Arial,", "Arial", 0, 0},
        {"Arial_16400", "Arial", -21, 400},
        {"Times_New,16400", "Times", 0, 0},
        {"Arial,16400,99", "Arial", -21, 400},
        {"Arial, 8700x", "Arial", -11, 700},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789,9400", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", -12, 400},
    };
    for (const Case& c : cases) {
        FontSpec font;
        ASSERT_EQ(font.FromSpec(c.spec), 0) << c.spec;
        const LogFontRecord record = RecordOf(font);
        EXPECT_EQ(record.lfFaceName, c.face) << c.spec;
        EXPECT_EQ(record.lfHeight, c.height) << c.spec;
        EXPECT_EQ(record.lfWeight, c.weight) << c.spec;
        EXPECT_GT(font.Font().pixelSize(), 0) << c.spec;
    }
}

TEST(FontSpec, HugeNumbersStayWithinBounds)
{
    FontSpec font;
    ASSERT_EQ(font.FromSpec("Arial,99999999999"), 0);
    const LogFontRecord record = RecordOf(font);
    EXPECT_EQ(record.lfHeight, -MulDiv(2147483, 96, 72));
    EXPECT_EQ(record.lfWeight, 600);
    EXPECT_EQ(font.Spec(), "Arial,2147483607");
    EXPECT_LE(font.Font().pixelSize(), 2048);
    EXPECT_GT(font.TextWidth("x"), 0);
}

TEST(FontSpec, NegativeNumberGivesACellHeight)
{
    FontSpec font;
    ASSERT_EQ(font.FromSpec("Arial,-16400"), 0);
    const LogFontRecord record = RecordOf(font);
    EXPECT_EQ(record.lfHeight, 21);
    EXPECT_EQ(record.lfWeight, -400);
    // A positive height is the whole cell: the characters come out smaller.
    EXPECT_LT(font.Font().pixelSize(), 21);
    EXPECT_NEAR(font.TextHeight(), 21, 1);
}

TEST(FontSpec, NoFontAnswersMinusOne)
{
    FontSpec font;
    LogFontRecord record;
    std::string face = "x";
    EXPECT_EQ(font.LogFont(record), -1);
    EXPECT_EQ(font.FaceName(face), -1);
    EXPECT_EQ(face, "");
    EXPECT_EQ(font.PointSize(), -1);
    font.FromSpec("Arial,16400");
    font.Free();
    EXPECT_FALSE(font.HasFont());
    EXPECT_EQ(font.Spec(), "");
}

TEST(FontSpec, ChoosePicksAFont)
{
    ScriptedChooser chooser;
    LogFontRecord picked;
    picked.lfFaceName = "Arial";
    picked.lfHeight = -27;
    picked.lfWeight = 700;
    chooser.answer = picked;
    FontSpec font;
    ASSERT_EQ(font.Choose("Arial,16400", chooser), 0);
    EXPECT_TRUE(chooser.started);
    EXPECT_EQ(chooser.asked.lfHeight, -21);
    EXPECT_EQ(font.Spec(), "Arial,20700");
    EXPECT_EQ(font.PointSize(), 20);
}

TEST(FontSpec, ChooseStartsFromTheFontHeld)
{
    ScriptedChooser chooser;
    FontSpec font;
    EXPECT_EQ(font.Choose("", chooser), -1);
    EXPECT_FALSE(chooser.started);
    EXPECT_FALSE(font.HasFont());

    font.FromSpec("Arial,9400");
    EXPECT_EQ(font.Choose("", chooser), -1);
    EXPECT_TRUE(chooser.started);
    EXPECT_EQ(chooser.asked.lfHeight, -12);
    EXPECT_FALSE(font.HasFont());
}

TEST(FontSpec, RecordFromADialogFont)
{
    QFont chosen("Liberation Sans");
    chosen.setPointSize(16);
    chosen.setBold(true);
    chosen.setItalic(true);
    const LogFontRecord record = FontSpec::RecordFromFont(chosen);
    EXPECT_EQ(record.lfHeight, -21);
    EXPECT_EQ(record.lfWeight, 700);
    EXPECT_EQ(record.lfItalic, 1);
    EXPECT_EQ(FontSpec::SpecFromRecord(record), "Liberation Sans,16701");
}

TEST(FontSpec, PageTextTakesUtf8OrLatin1)
{
    EXPECT_EQ(FontSpec::PageText("M\xC3\xBCller"), QString::fromUtf8("M\xC3\xBCller"));
    EXPECT_EQ(FontSpec::PageText("M\xFCller"), QString::fromUtf8("M\xC3\xBCller"));
}

TEST(FontSpec, EscapementTurnsTheTextDownwards)
{
    FontSpec font;
    font.FromSpec("Arial,16400");
    LogFontRecord record = RecordOf(font);
    record.lfEscapement = 2700;
    font.FromLogFont(record);
    QImage image(100, 100, QImage::Format_Grayscale8);
    image.fill(255);
    {
        QPainter painter(&image);
        font.DrawText(painter, 50, 10, "HHHH");
    }
    int left = 100, right = -1, top = 100, bottom = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    // The text runs down from the reference point with its cell to the left.
    EXPECT_LE(right, 50);
    EXPECT_GE(left, 50 - font.TextHeight());
    EXPECT_GE(top, 10);
    EXPECT_GT(bottom - top, right - left);
    EXPECT_NEAR(bottom - 10, font.TextWidth("HHHH"), 4);
}
