// What a user meets after the first steps: numbered new documents, the face
// of a font kept as chosen, the record strip's focus mark and Home and End,
// and the status bar saying what an export or a print has written where.

#include "AppTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/PagePrinter.h"
#include "app/PrintingOptionsDialog.h"
#include "app/QtFontChooser.h"
#include "app/RecordStrip.h"
#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "data/ViewReadout.h"

#include <QApplication>
#include <QFontDialog>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

QStringList WindowTitles(CMainFrm& frame)
{
    QStringList titles;
    for (const QMdiSubWindow* window : frame.findChildren<QMdiSubWindow*>())
        titles << window->windowTitle().remove(QStringLiteral("[*]"));
    titles.sort();
    return titles;
}

TEST_F(AppTest, NewDocumentsAreNumberedFromTheLowestFreeNumber)
{
    Start();
    app->Documents().NewDocument();
    QMdiSubWindow* first = app->Frame().findChild<QMdiSubWindow*>();
    app->Documents().NewDocument();
    app->Documents().NewDocument();
    EXPECT_EQ(WindowTitles(app->Frame()), QStringList({"untitled 2.spc", "untitled 3.spc", "untitled.spc"}));
    ASSERT_EQ(first->windowTitle().remove(QStringLiteral("[*]")), "untitled.spc");
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(WindowTitles(app->Frame()), QStringList({"untitled 2.spc", "untitled 3.spc"}));
    app->Documents().NewDocument();
    EXPECT_EQ(WindowTitles(app->Frame()), QStringList({"untitled 2.spc", "untitled 3.spc", "untitled.spc"}));
}

TEST_F(AppTest, AFontLeftAsItWasKeepsTheFaceTheUserChose)
{
    Start();
    Settings().Plotfont = "Arial,16400";
    QtFontChooser fonts(&app->Frame());
    PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
    bool asked = false;
    WhenModalOpens([&](QWidget* modal) {
        asked = qobject_cast<QFontDialog*>(modal) != nullptr;
        static_cast<QDialog*>(modal)->accept();
    });
    QTest::mouseClick(dialog.MainFontButton(), Qt::LeftButton);
    EXPECT_TRUE(asked);
    EXPECT_EQ(Settings().Plotfont, "Arial,16400");
}

TEST_F(AppTest, TheRecordStripMarksItsFocusAndHomeAndEndSelectTheFirstAndLastRecord)
{
    Start();
    app->Documents().NewDocument();
    CMainVue* view = app->Frame().ActiveView();
    auto* strip = view->findChild<RecordStrip*>();
    ASSERT_NE(strip, nullptr);
    const auto whitePixelsOfTheMark = [strip] {
        const QImage cells = strip->grab().toImage();
        int white = 0;
        for (int x = 1; x < ViewReadout::kCellWidth - 1; ++x)
            white += cells.pixel(x, 1) == qRgb(255, 255, 255) ? 1 : 0;
        return white;
    };
    EXPECT_EQ(whitePixelsOfTheMark(), 0);
    strip->setFocus();
    ASSERT_TRUE(strip->hasFocus());
    EXPECT_GT(whitePixelsOfTheMark(), 1);

    QTest::keyClick(strip, Qt::Key_End);
    EXPECT_EQ(view->SelectedMemory(), 30);
    QTest::keyClick(strip, Qt::Key_Home);
    EXPECT_EQ(view->SelectedMemory(), 1);
}

TEST_F(AppTest, TheStatusBarSaysWhatAnExportOrAPrintWroteWhere)
{
    Start();
    CMainDoc* doc = app->Documents().OpenDocumentFile(SampleFile("survey.spc"));
    ASSERT_NE(doc, nullptr);
    app->Frame().ActiveView()->SetSelectedMemory(5);
    const QStatusBar* bar = app->Frame().statusBar();

    const QString prn = QString::fromStdString(dir.File("survey.prn"));
    dialogs.Answer(prn);
    app->Frame().Dispatch(CommandId::ExportPrn);
    EXPECT_EQ(bar->currentMessage(), "Exported 30 records to " + prn);

    const QString csv = QString::fromStdString(dir.File("survey.csv"));
    dialogs.Answer(csv);
    app->Frame().Dispatch(CommandId::ExportCsv);
    EXPECT_EQ(bar->currentMessage(), "Exported 30 records to " + csv);  // a file of zeros: all in use

    const QString bmp = QString::fromStdString(dir.File("survey.bmp"));
    dialogs.Answer(bmp);
    app->Frame().Dispatch(CommandId::ExportBitmap);
    EXPECT_EQ(bar->currentMessage(), "Exported record 5 to " + bmp);

    const QString pdf = QString::fromStdString(dir.File("survey 05.pdf"));
    QPrinter& printer = app->Analyser().Printer().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    app->Frame().Dispatch(CommandId::FilePrintDirect);
    EXPECT_EQ(bar->currentMessage(), "Printed record 5 to " + pdf);

    // A failed export says nothing of the kind.
    dialogs.Answer(QString::fromStdString(dir.File("no-such-folder/survey.prx")));
    WhenModalOpens([](QWidget* box) { PressButton(box, "OK"); });
    app->Frame().Dispatch(CommandId::ExportPrx);
    EXPECT_EQ(bar->currentMessage(), "Printed record 5 to " + pdf);
}

}  // namespace
