#include "data/FormatLevel.h"
#include "data/ProgramSettings.h"
#include "support/SampleDocument.h"

// ---- FormatLevel ---------------------------------------------------------------

struct FormatCase {
    float value;
    int format;
    int round;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.value << " format " << c.format << " round " << c.round;
}

class FormatLevelTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatLevelTest, GivesTheText)
{
    const FormatCase& c = GetParam();
    Settings() = ProgramSettings{};
    Settings().Clipround = c.round;
    std::string text = "junk";
    EXPECT_EQ(FormatLevel(text, c.value, c.format), 0);
    EXPECT_EQ(text, c.text) << c.value << " format " << c.format << " round " << c.round;
}

INSTANTIATE_TEST_SUITE_P(Rules, FormatLevelTest,
                         ::testing::Values(
                             // one decimal, halves away from zero
                             FormatCase{4.25f, 1, 1, "4.3"}, FormatCase{-0.25f, 1, 1, "-0.3"},
                             FormatCase{4.125f, 1, 1, "4.1"}, FormatCase{-0.375f, 1, 0, "-0.4"},
                             FormatCase{0.0f, 1, 1, "0.0"}, FormatCase{112.5f, 1, 0, "112.5"},
                             // integers: truncate is floor, round is floor(value + 0.5)
                             FormatCase{-0.375f, 0, 0, "-1"}, FormatCase{-0.375f, 0, 1, "0"},
                             FormatCase{4.5f, 0, 1, "5"}, FormatCase{4.875f, 0, 0, "4"},
                             FormatCase{-20.0f, 0, 0, "-20"}, FormatCase{-0.5f, 0, 1, "0"},
                             FormatCase{-0.625f, 0, 1, "-1"}, FormatCase{-0.05f, 0, 0, "0"},
                             // any round value other than 1 truncates
                             FormatCase{4.5f, 0, 2, "4"},
                             // hexadecimal of the integer, two's complement for negatives
                             FormatCase{255.0f, 4, 0, "FF"}, FormatCase{-1.0f, 4, 0, "FFFFFFFF"},
                             // other formats give nothing
                             FormatCase{1.0f, 2, 1, ""}, FormatCase{1.0f, -1, 1, ""}));

// ---- document level texts -------------------------------------------------------

using LevelTexts = DocumentTest;

TEST_F(LevelTexts, BandCodesBecomeDbrTexts)
{
    struct Case {
        int code;
        int decimals;
        int round;
        float value;
        const char* text;
    };
    const Case cases[] = {
        {157, 1, 1, -0.375f, "-0.4dBr"}, {160, 1, 1, 0.0f, "0.0dBr"},   {0, 1, 1, -20.0f, "<-20dBr"},
        {194, 1, 1, 4.25f, ">4.1dBr"},   {255, 1, 1, 4.25f, ">4.1dBr"}, {193, 1, 1, 4.125f, "4.1dBr"},
        {157, 0, 0, -0.375f, "-1dBr"},   {157, 0, 1, -0.375f, "0dBr"},  {1, 0, 0, -19.875f, "-20dBr"},
    };
    for (const Case& c : cases) {
        Settings().Drawdpoint = c.decimals;
        Settings().Clipround = c.round;
        Record(2).bands[7] = static_cast<std::uint8_t>(c.code);
        std::string text;
        EXPECT_FLOAT_EQ(doc.GetBandLevel(text, 7, 2), c.value) << c.code;
        EXPECT_EQ(text, c.text) << c.code;
    }
}

TEST_F(LevelTexts, ReferenceAndWideband)
{
    FillSampleRecord(4);
    std::string text;
    EXPECT_FLOAT_EQ(doc.GetRefLevel(text, 4), 110.0f);
    EXPECT_EQ(text, "110.0dB SPL");
    EXPECT_FLOAT_EQ(doc.GetWidebandLevel(text, 4), 112.5f);
    EXPECT_EQ(text, "112.5dBC SPL");

    Record(4).mode = 2;  // Left, flat
    EXPECT_FLOAT_EQ(doc.GetRefLevel(text, 4), 0.0f);
    EXPECT_EQ(text, "0.0dBu");
    Record(4).wideband = 0;
    doc.GetWidebandLevel(text, 4);
    EXPECT_EQ(text, "<-10.0dBu");
    Record(4).wideband = 200;
    doc.GetWidebandLevel(text, 4);
    EXPECT_EQ(text, ">14.3dBu");
    Record(4).mode = 0;  // no source: no suffix
    doc.GetRefLevel(text, 4);
    EXPECT_EQ(text, "0.0dB");
}

TEST_F(LevelTexts, SourceWeightingAndNcNames)
{
    const char* sources[] = {"    ", "Mike", "Left", "Right", "Sum", "Diff", "", ""};
    std::string text;
    for (int source = 0; source < 8; ++source) {
        Record(0).mode = static_cast<std::uint8_t>(source);
        EXPECT_EQ(doc.GetSource(text, 0), source);
        EXPECT_EQ(text, sources[source]);
    }
    Record(0).mode = 0x08;
    EXPECT_EQ(doc.GetWeighting(text, 0), 1);
    EXPECT_EQ(text, "C");
    const char* curves[] = {"none",  "NC-15", "NC-20", "NC-25", "NC-30", "NC-35", "NC-40", "NC-45",
                            "NC-50", "NC-55", "NC-60", "NC-65", "",      "",      "",      ""};
    for (int nc = 0; nc < 16; ++nc) {
        Record(0).mode = static_cast<std::uint8_t>(nc << 4);
        EXPECT_EQ(doc.GetNcCurve(text, 0), nc);
        EXPECT_EQ(text, curves[nc]);
    }
}

TEST_F(LevelTexts, NcCurveLevelsAndBandLabels)
{
    std::string text = "junk";
    EXPECT_FLOAT_EQ(doc.GetNcCurveLevel(text, 16, 4), 27.0f);  // NC-30 at 1K
    EXPECT_EQ(text, "");
    EXPECT_FLOAT_EQ(doc.GetNcCurveLevel(text, 0, 1), 58.0f);
    EXPECT_FLOAT_EQ(doc.GetNcCurveLevel(text, 29, 11), 55.0f);
    EXPECT_FLOAT_EQ(doc.GetNcCurveLevel(text, 5, 0), 0.0f);
    EXPECT_FLOAT_EQ(doc.GetNcCurveLevel(text, 5, 12), 0.0f);
    EXPECT_EQ(doc.GetBandLabel(text, 1), 32);
    EXPECT_EQ(text, "31.5");
    EXPECT_EQ(doc.GetBandLabel(text, 21), 3150);
    EXPECT_EQ(text, "3K15");
    EXPECT_EQ(doc.GetBandLabel(text, 30), 0);
    EXPECT_EQ(text, "");
}

TEST_F(LevelTexts, SerialNumber)
{
    std::string text;
    doc.GetSerialText(text);
    EXPECT_EQ(text, "");
    const char serial[] = "T7 01234";
    std::copy_n(serial, 8, doc.Data().serialNumber.begin());
    doc.GetSerialText(text);
    EXPECT_EQ(text, "T7 01234");
}

TEST(DocumentWithoutData, ReadsGiveNothing)
{
    ScriptedUserInterface ui;
    CMainDoc doc(ui);
    std::string text = "junk";
    EXPECT_FLOAT_EQ(doc.GetBandLevel(text, 0, 0), 0.0f);
    EXPECT_EQ(text, "");
    EXPECT_EQ(doc.IsRecordInUse(0), 0);
    EXPECT_EQ(doc.ShiftReference(0, 1), 0);
    EXPECT_FALSE(doc.IsModified());
}
