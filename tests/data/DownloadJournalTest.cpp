// The download journal: names, contents, never replacing a copy, the setting
// and the one message when the journal cannot be written.

#include "data/DownloadJournal.h"
#include "data/ProgramSettings.h"
#include "support/ExampleRecord.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedUserInterface.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

class DownloadJournalTest : public ::testing::Test {
protected:
    DownloadJournalTest()
    {
        Settings() = ProgramSettings{};
        ::tzset();
        image.serialNumber = {'T', '7', 'A', '0', '0', '4', '2', ' '};
        image.records[3] = ExampleRecord();
        image.records[3].checksum = 0;  // a download leaves it as it was
    }

    // 2026-12-07 15:30:12 UTC.
    static constexpr std::time_t kWhen = 1796657412;

    TempDir dir;
    ScopedEnvironment dataHome{"XDG_DATA_HOME", dir.Path().c_str()};
    ScopedEnvironment timeZone{"TZ", "UTC"};
    SpectrumFile image{};
    ScriptedUserInterface ui;
};

TEST_F(DownloadJournalTest, CopiesAreNamedByTimeAndSerialAndNeverReplaced)
{
    EXPECT_EQ(DownloadJournal::Folder(), dir.Path() + "/TV7W/downloads/");
    std::string error;
    const std::string first = DownloadJournal::Write(image, "T7A0042", kWhen, error);
    EXPECT_EQ(first, dir.File("TV7W/downloads/2026-12-07_153012_T7A0042.spc")) << error;
    image.records[4] = ExampleRecord();
    const std::string second = DownloadJournal::Write(image, "T7A0042", kWhen, error);
    EXPECT_EQ(second, dir.File("TV7W/downloads/2026-12-07_153012_T7A0042-2.spc")) << error;

    // A complete spectrum data file with its checksums recomputed.
    const std::vector<std::uint8_t> bytes = ReadBytes(first);
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(SpectrumFile::kSize));
    EXPECT_EQ(bytes[SpectrumFile::kRecordsOffset + 3 * MemoryRecord::kSize + 33],
              ExampleRecord().ComputeChecksum());
    EXPECT_EQ(ReadBytes(second)[SpectrumFile::kRecordsOffset + 4 * MemoryRecord::kSize],
              ExampleRecord().bands[0]);
}

TEST_F(DownloadJournalTest, SerialsBecomeSafeNames)
{
    EXPECT_EQ(DownloadJournal::FileName(kWhen, "A/B .7"), "2026-12-07_153012_A_B_7.spc");
    EXPECT_EQ(DownloadJournal::FileName(kWhen, "       "), "2026-12-07_153012_no-serial.spc");
}

TEST_F(DownloadJournalTest, TheSettingTurnsItOff)
{
    DownloadJournal journal;
    Settings().Journal = 0;
    journal.Keep(image, "T7A0042", ui);
    EXPECT_FALSE(FileExists(dir.File("TV7W")));
    Settings().Journal = 1;
    journal.Keep(image, "T7A0042", ui);
    EXPECT_TRUE(FileExists(dir.File("TV7W/downloads")));
    EXPECT_EQ(ui.Count("tell"), 0);
}

TEST_F(DownloadJournalTest, AJournalThatCannotBeWrittenSaysSoOnce)
{
    // A file where the journal's folder should be.
    WriteText(dir.File("TV7W"), "in the way");
    DownloadJournal journal;
    journal.Keep(image, "T7A0042", ui);
    journal.Keep(image, "T7A0042", ui);
    ASSERT_EQ(ui.Texts("tell"),
              std::vector<std::string>{"The download is complete, but no copy of it could be kept "
                                       "in\r\n" +
                                       dir.Path() + "/TV7W/downloads/\r\n(Not a directory)"});
    EXPECT_EQ(ui.Calls()[0].icon, UserInterface::Icon::Exclamation);
}

}  // namespace
