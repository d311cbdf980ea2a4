#include "data/DocumentMessages.h"
#include "data/ProfileFile.h"
#include "disk/SystemError.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<std::uint8_t> NewDocumentImage()
{
    std::vector<std::uint8_t> image(8, ' ');
    for (int record = 0; record < 30; ++record) {
        image.insert(image.end(), 30, 0);
        image.insert(image.end(), {0, 15, 2, 13});
    }
    image.insert(image.end(), 4800, ' ');
    return image;
}

}  // namespace

class SpectrumFiles : public DocumentTest {
protected:
    ~SpectrumFiles() override { Profile().SetPath({}); }

    TempDir dir;
};

TEST_F(SpectrumFiles, NewDocumentSavedAtOnceIsTheEmptyImage)
{
    EXPECT_EQ(doc.GetPathName(), "untitled.spc");
    EXPECT_TRUE(doc.NeedsName());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("new.spc")));
    EXPECT_EQ(ReadBytes(dir.File("new.spc")), NewDocumentImage());
    EXPECT_EQ(doc.GetTitle(), "new.spc");
    EXPECT_FALSE(doc.NeedsName());
}

TEST_F(SpectrumFiles, NewDocumentPathStartsInTheRememberedFolder)
{
    Profile().SetPath(dir.File("TV7W.ini"));
    Profile().WriteString("Settings", "InitDocDir", "/data/site/");
    doc.OnNewDocument();
    EXPECT_EQ(doc.GetPathName(), "/data/site/untitled.spc");
    EXPECT_EQ(doc.GetTitle(), "untitled.spc");
}

TEST_F(SpectrumFiles, AnyContentOfTheRightLengthOpensAndSavingRewritesChecksums)
{
    std::vector<std::uint8_t> bytes(5828);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    WriteBytes(dir.File("any.spc"), bytes);
    ASSERT_TRUE(doc.OnOpenDocument(dir.File("any.spc")));
    EXPECT_TRUE(doc.IsDataValid());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(std::vector<std::uint8_t>(doc.Data().Bytes(), doc.Data().Bytes() + 5828), bytes);
    EXPECT_EQ(ui.Count("wait"), 2);
    EXPECT_EQ(ui.WaitCursorDepth(), 0);

    ASSERT_TRUE(doc.OnSaveDocument(dir.File("any.spc")));
    const std::vector<std::uint8_t> saved = ReadBytes(dir.File("any.spc"));
    for (int record = 0; record < 30; ++record) {
        const std::size_t start = 8 + 34 * static_cast<std::size_t>(record);
        std::uint8_t sum = 0;
        for (std::size_t i = start; i < start + 33; ++i) {
            sum ^= saved[i];
            EXPECT_EQ(saved[i], bytes[i]);
        }
        EXPECT_EQ(saved[start + 33], sum) << "record " << record;
    }
    EXPECT_TRUE(std::equal(saved.begin() + 1028, saved.end(), bytes.begin() + 1028));
}

TEST_F(SpectrumFiles, OtherLengthsAreRefusedAsUnknownFormat)
{
    for (std::size_t length : {std::size_t{0}, std::size_t{5827}, std::size_t{5829}}) {
        WriteBytes(dir.File("bad.spc"), std::vector<std::uint8_t>(length, 1));
        ui.Clear();
        doc.SetModifiedFlag(true);
        EXPECT_FALSE(doc.OnOpenDocument(dir.File("bad.spc"))) << length;
        EXPECT_FALSE(doc.IsDataValid());
        EXPECT_FALSE(doc.IsModified());
        ASSERT_EQ(ui.Texts("tell"), std::vector<std::string>{"Unknown File Format"});
        EXPECT_EQ(ui.Calls()[1].icon, UserInterface::Icon::Exclamation);
    }
}

TEST_F(SpectrumFiles, APipeWithoutWriterIsRefusedAtOnce)
{
    ASSERT_EQ(::mkfifo(dir.File("pipe.spc").c_str(), 0666), 0);
    ::alarm(10);  // a blocking open ends the test program instead of hanging it
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("pipe.spc")));
    ::alarm(0);
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{"Cannot open " + dir.File("pipe.spc") +
                                                         "\r\n(Access denied, or not a file)"});
}

TEST(DocumentMessages, ASystemErrorWithoutAWindowsNumberGivesItsOwnText)
{
    EXPECT_EQ(DocumentMessages::CannotOpen("/x.spc", SystemError::FromErrno(EIO)),
              "Cannot open /x.spc\r\n(Input/output error)");
    EXPECT_EQ(DocumentMessages::CannotOpen("/x.spc", SystemError::FromErrno(EACCES)),
              "Cannot open /x.spc\r\n(Access denied, or not a file)");
}

TEST_F(SpectrumFiles, ALengthThatMatchesOnlyInItsLow32BitsIsUnknown)
{
    const std::string path = dir.File("huge.spc");
    WriteText(path, "");
    // Sparse: no disk space is used.
    ASSERT_EQ(::truncate(path.c_str(), (std::int64_t{1} << 32) + SpectrumFile::kSize), 0);
    EXPECT_FALSE(doc.OnOpenDocument(path));
    EXPECT_EQ(ui.Texts("tell"), std::vector<std::string>{"Unknown File Format"});
}

TEST_F(SpectrumFiles, MissingFilesAndFoldersAreRefusedWithAMessage)
{
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.spc")));
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path()));
    const std::vector<std::string> messages = ui.Texts("tell");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "Cannot open " + dir.File("missing.spc") + "\r\n(File not found)");
    EXPECT_EQ(messages[1], "Cannot open " + dir.Path() + "\r\n(Access denied, or not a file)");
    EXPECT_FALSE(doc.IsDataValid());
}

TEST_F(SpectrumFiles, AFailedSaveKeepsTheOldFileAndTheDocumentModified)
{
    const std::string path = dir.File("site.spc");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const std::vector<std::uint8_t> before = ReadBytes(path);
    FillSampleRecord(4);
    doc.SetModifiedFlag(true);

    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto* handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;  // every write past 100 bytes fails, as on a full disk
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved_ok = doc.OnSaveDocument(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);

    EXPECT_FALSE(saved_ok);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(ReadBytes(path), before);
    ASSERT_EQ(ui.Count("tell"), 1);
    EXPECT_EQ(ui.Texts("tell")[0].rfind("Cannot save " + path + "\r\n(", 0), 0u);

    ui.Clear();
    EXPECT_FALSE(doc.OnSaveDocument(dir.File("no/such/folder/site.spc")));
    EXPECT_EQ(ui.Count("tell"), 1);
    EXPECT_TRUE(doc.IsModified());
}
