// Printing through the program's printer into PDF files, a page that cannot
// be rendered, and the bitmap export of the window the user works in.

#include "AppTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/PagePrinter.h"
#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "plot/ExportBitmap.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/resource.h>

namespace {

// What pdfinfo says of a PDF file, "Key: value" lines.
QString PdfInfo(const QString& path)
{
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    pdfinfo.waitForFinished();
    return QString::fromLocal8Bit(pdfinfo.readAllStandardOutput());
}

// "width x height" of the first image in a PDF file, as pdfimages lists it.
QString ImageSize(const QString& path)
{
    QProcess pdfimages;
    pdfimages.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path});
    pdfimages.waitForFinished();
    const QStringList lines = QString::fromLocal8Bit(pdfimages.readAllStandardOutput()).split('\n');
    if (lines.size() < 3)
        return {};
    const QStringList fields = lines[2].simplified().split(' ');
    return fields.size() > 4 ? fields[3] + QStringLiteral(" x ") + fields[4] : QString();
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A limit on the size of the files this process writes, as "ulimit -f"
// sets it, for the lifetime of the object. A write beyond it fails (the
// signal that would end the process is ignored, as the program ignores it).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_before);
        rlimit limited = m_before;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_before{};
    void (*m_signal)(int) = SIG_DFL;
};

class PrintingTest : public AppTest {
protected:
    CMainDoc& OpenSample()
    {
        Start();
        CMainDoc* doc = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
        EXPECT_NE(doc, nullptr);
        // Two records that differ, so that their pages do.
        for (int band = 0; band < 30; ++band) {
            doc->Data().records[0].Bytes()[band] = static_cast<std::uint8_t>(100 + band);
            doc->Data().records[4].Bytes()[band] = static_cast<std::uint8_t>(180 - 2 * band);
        }
        return *doc;
    }

    QPrinter& PrintToPdf(const QString& path)
    {
        QPrinter& printer = app->Analyser().Printer().Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return printer;
    }
};

TEST_F(PrintingTest, PrintDirectWritesOneA4PageToAPdfFile)
{
    OpenSample();
    const QString pdf = QString::fromStdString(dir.File("page.pdf"));
    PrintToPdf(pdf);
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintDirect));
    const QString info = PdfInfo(pdf);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
}

TEST_F(PrintingTest, APdfThatCannotBeWrittenWholeIsReportedAndTheOldOneKept)
{
    OpenSample();
    const std::string pdf = dir.File("page.pdf");
    WriteText(pdf, "%PDF-1.4 the page printed last week");
    PrintToPdf(QString::fromStdString(pdf));
    const auto files = [&] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.insert(entry.path().filename().string());
        return names;
    };
    const std::set<std::string> before = files();
    QStringList messages;
    WhenModalOpens([&](QWidget* box) {
        messages << BoxText(box);
        PressButton(box, "OK");
    });
    {
        // Far less than the page takes.
        const FileSizeLimit limit(4096);
        ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintDirect));
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Cannot print the page\n(")))
        << messages[0].toStdString();
    EXPECT_EQ(ReadText(pdf), "%PDF-1.4 the page printed last week");
    EXPECT_EQ(files(), before);  // nothing half-written left beside it

    // Without the limit the page replaces the old file.
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintDirect));
    EXPECT_TRUE(PdfInfo(QString::fromStdString(pdf)).contains(QStringLiteral("Pages:")));
}

TEST_F(PrintingTest, PrintDirectWithNothingToPrintOnAsksWithThePrintDialog)
{
    OpenSample();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&app->Frame(), Qt::Key_PageDown);
    // No printer installed: the printer stands for a PDF file without a name.
    QPrinter& printer = PrintToPdf(QString());
    QString proposed;
    QString job;
    WhenModalOpens([&](QWidget* modal) {
        ASSERT_NE(qobject_cast<QPrintDialog*>(modal), nullptr);
        proposed = printer.outputFileName();
        job = printer.docName();
        static_cast<QDialog*>(modal)->accept();
    });
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintDirect));
    // Named for the file and record, beside the file.
    EXPECT_EQ(job, "a memory 05");
    EXPECT_EQ(proposed, QString::fromStdString(dir.File("a memory 05.pdf")));
    EXPECT_TRUE(PdfInfo(proposed).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));

    // The next print proposes the same name in the folder of the last file.
    printer.setOutputFileName(QString::fromStdString(dir.File("elsewhere/custom.pdf")));
    WhenModalOpens([&](QWidget* modal) {
        proposed = printer.outputFileName();
        static_cast<QDialog*>(modal)->reject();
    });
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrint));
    EXPECT_EQ(proposed, QString::fromStdString(dir.File("elsewhere/a memory 05.pdf")));
}

TEST_F(PrintingTest, PrintingFromThePreviewPrintsThePageAtFullSize)
{
    OpenSample();
    const QString direct = QString::fromStdString(dir.File("direct.pdf"));
    PrintToPdf(direct);
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintDirect));
    const QString fromPreview = QString::fromStdString(dir.File("preview.pdf"));
    PrintToPdf(fromPreview);
    WhenModalOpens([&](QWidget* modal) {
        // The preview's own print button, without its print dialog.
        modal->findChild<QPrintPreviewWidget*>()->print();
        modal->close();
    });
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintPreview));
    const QString image = ImageSize(direct);
    EXPECT_GT(image.section(' ', 0, 0).toInt(), 2000) << image.toStdString();  // 300 dots per inch
    EXPECT_EQ(ImageSize(fromPreview), image);
}

TEST_F(PrintingTest, APageThatCannotBeRenderedIsReportedOnceAndNothingIsPrinted)
{
    OpenSample();
    const QString pdf = QString::fromStdString(dir.File("page.pdf"));
    QPrinter& printer = PrintToPdf(pdf);
    Settings().Plotgrey = 1;
    // 8-bit greys of a 2 m square sheet at 300 dpi are more than a page may take.
    printer.setPageSize(QPageSize(QSizeF(2000, 2000), QPageSize::Millimeter));
    QStringList messages;
    WhenModalOpens([&](QWidget* box) {
        messages << BoxText(box);
        PressButton(box, "OK");
    });
    app->Frame().Dispatch(CommandId::FilePrintDirect);
    EXPECT_EQ(messages, QStringList{"Cannot print the page\n(Cannot alloc)"});
    EXPECT_FALSE(QFile::exists(pdf));
}

TEST_F(PrintingTest, ThePreviewReportsAPageThatCannotBeRenderedOnce)
{
    OpenSample();
    QPrinter& printer = PrintToPdf(QString::fromStdString(dir.File("unused.pdf")));
    Settings().Plotgrey = 1;
    // The preview renders a quarter of the page each way.
    printer.setPageSize(QPageSize(QSizeF(8000, 8000), QPageSize::Millimeter));
    int messages = 0;
    std::function<void(QWidget*)> answer = [&](QWidget* modal) {
        if (qobject_cast<QPrintPreviewDialog*>(modal)) {
            // Asked again for its page: no second message.
            static_cast<QPrintPreviewDialog*>(modal)->findChild<QPrintPreviewWidget*>()->updatePreview();
            QTest::qWait(50);
            modal->close();
            return;
        }
        ++messages;
        PressButton(modal, "OK");
        WhenModalOpens(answer);
    };
    WhenModalOpens(answer);
    app->Frame().Dispatch(CommandId::FilePrintPreview);
    EXPECT_EQ(messages, 1);
}

TEST_F(PrintingTest, BitmapExportTakesTheRecordOfTheActiveWindow)
{
    CMainDoc& doc = OpenSample();
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::WindowNew));
    CMainVue* second = app->Frame().ActiveView();
    ASSERT_NE(second, nullptr);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(&app->Frame(), Qt::Key_PageDown);
    ASSERT_EQ(second->SelectedMemory(), 5);

    const QString out = QString::fromStdString(dir.File("out.bmp"));
    dialogs.Answer(out);
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::ExportBitmap));
    EXPECT_EQ(dialogs.requests.back().proposedName, QString::fromStdString(dir.File("a.bmp")));
    const std::string expected = dir.File("record5.bmp");
    ASSERT_EQ(ExportBitmap(doc, 4, expected, 0), 0);
    const std::string first = dir.File("record1.bmp");
    ASSERT_EQ(ExportBitmap(doc, 0, first, 0), 0);
    EXPECT_EQ(FileBytes(out), FileBytes(QString::fromStdString(expected)));
    EXPECT_NE(FileBytes(out), FileBytes(QString::fromStdString(first)));
}

TEST_F(PrintingTest, ExportPageWritesTheChosenFormat)
{
    OpenSample();
    const QString out = QString::fromStdString(dir.File("page.svg"));
    dialogs.Answer(out);
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::ExportPage));
    const QByteArray svg = FileBytes(out);
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains("Data File: a.spc    Memory: 1"));
}

}  // namespace
