// The Band Table window following the active view, its copy, and Export CSV.

#include "AppTestSupport.h"

#include "app/BandTableWindow.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/PrintingOptionsDialog.h"
#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "data/SpectrumFile.h"
#include "plot/FontChooser.h"
#include "support/ExampleRecord.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

class ResultsWindow : public AppTest {
protected:
    ~ResultsWindow() override { QLocale::setDefault(m_locale); }

    // Record 1 the example record (110 dB SPL reference, 25 Hz below range,
    // 20 kHz above), record 2 Mike at 40 dB SPL in every band, the others empty.
    QString RecordsFile(const std::string& name)
    {
        SpectrumFile file;
        for (auto& comment : file.comments)
            comment.fill(' ');
        file.records[0] = ExampleRecord();
        file.records[1].bands.fill(160);
        file.records[1].refCode = 85;
        file.records[1].mode = 1;
        const std::string path = dir.File(name);
        WriteBytes(path, std::vector<std::uint8_t>(file.Bytes(), file.Bytes() + SpectrumFile::kSize));
        return QString::fromStdString(path);
    }

    // Opens the Band Table from the View menu and gives the main window the keyboard again.
    BandTableWindow* OpenBandTable()
    {
        QAction* item = app->Frame().MenuAction(CommandId::ViewBandTable);
        EXPECT_NE(item, nullptr);
        if (item == nullptr)
            return nullptr;
        item->trigger();
        auto* window = app->Frame().findChild<BandTableWindow*>();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(window && window->isVisible());
        ActivateFrame();
        return window;
    }

    void ActivateFrame()
    {
        app->Frame().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&app->Frame()));
    }

    static QString Heading(BandTableWindow* window) { return window->findChild<QLabel*>()->text(); }
    // The text at row, column of the window's table "bands", "octaves" or "totals".
    static QString Cell(BandTableWindow* window, const char* table, int row, int column)
    {
        const QTableWidgetItem* item = window->findChild<QTableWidget*>(table)->item(row, column);
        return item ? item->text() : QString();
    }
    static QString BandCell(BandTableWindow* window, int row, int column)
    {
        return Cell(window, "bands", row, column);
    }
    static QString TotalsCell(BandTableWindow* window, int row, int column)
    {
        return Cell(window, "totals", row, column);
    }

private:
    QLocale m_locale;
};

// ---- the Band Table window ---------------------------------------------------

TEST_F(ResultsWindow, BandTableShowsTheActiveViewsRecordAndFollowsItsSteps)
{
    CMainFrm& frame = Start().Frame();
    EXPECT_FALSE(frame.StateOf(CommandId::ViewBandTable).enabled);
    app->Documents().OpenDocumentFile(RecordsFile("plant.spc"));
    ASSERT_EQ(frame.MenuAction(CommandId::ViewBandTable)->text(), "&Band Table");
    EXPECT_EQ(frame.MenuAction(CommandId::ViewBandTable)->statusTip(),
              "Show or hide the band levels, totals and NC and NR ratings of the selected record");
    BandTableWindow* window = OpenBandTable();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Band Table");
    EXPECT_EQ(Heading(window),
              "Data File: plant.spc    Memory: 1    Source: Mike    Reference: 110.0 dB SPL");
    EXPECT_EQ(BandCell(window, 0, 0), "25");
    EXPECT_EQ(BandCell(window, 0, 3), "<90.0");
    EXPECT_EQ(BandCell(window, 29, 4), ">105.0");
    EXPECT_EQ(Cell(window, "octaves", 0, 0), "31.5");
    EXPECT_EQ(Cell(window, "octaves", 0, 1), "106.9");
    EXPECT_EQ(TotalsCell(window, 0, 1), ">123.1");
    EXPECT_EQ(TotalsCell(window, 3, 1), ">70");

    // PgDn in the main window steps the view; the table follows.
    QTest::keyClick(&frame, Qt::Key_PageDown);
    ASSERT_EQ(frame.ActiveView()->SelectedMemory(), 2);
    QTRY_COMPARE(Heading(window),
                 "Data File: plant.spc    Memory: 2    Source: Mike    Reference: 40.0 dB SPL");
    EXPECT_EQ(TotalsCell(window, 0, 1), "54.8");
    EXPECT_EQ(TotalsCell(window, 3, 1), "48");
    EXPECT_EQ(TotalsCell(window, 4, 1), "8000");
    EXPECT_EQ(TotalsCell(window, 5, 1), "52");
    QTest::keyClick(&frame, Qt::Key_PageDown);
    QTRY_COMPARE(window->Shown()->heading[1][1], "3");
    EXPECT_EQ(TotalsCell(window, 0, 1), "");

    // Record 3 is empty: a Left record at 0 dBu without a band in range.
    EXPECT_EQ(window->Shown()->heading[2][1], "Left");
    // A change of the record shows without a step.
    frame.ActiveView()->GetDocument().Data().records[2].bands[16] = 160;
    QTRY_COMPARE(TotalsCell(window, 0, 1), "0.0");

    // The View menu item is checked while the window is open and closes it.
    EXPECT_TRUE(frame.StateOf(CommandId::ViewBandTable).checked);
    frame.Dispatch(CommandId::ViewBandTable);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(frame.StateOf(CommandId::ViewBandTable).checked);
}

TEST_F(ResultsWindow, BandTableFollowsTheActiveWindowAndOutlivesItsDocuments)
{
    CMainFrm& frame = Start().Frame();
    app->Documents().OpenDocumentFile(RecordsFile("plant.spc"));
    QTest::keyClick(&frame, Qt::Key_PageDown);
    BandTableWindow* window = OpenBandTable();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Shown()->heading[1][1], "2");

    app->Documents().OpenDocumentFile(SampleFile("other.spc"));
    QTRY_COMPARE(window->Shown()->heading[0][1], "other.spc");
    EXPECT_EQ(window->Shown()->heading[1][1], "1");
    EXPECT_EQ(Heading(window).left(33), "Data File: other.spc    Memory: 1");

    // Back to the first window: its view is still at record 2.
    app->Documents().OpenDocumentFile(QString::fromStdString(dir.File("plant.spc")));
    QTRY_COMPARE(window->Shown()->heading[0][1], "plant.spc");
    EXPECT_EQ(window->Shown()->heading[1][1], "2");

    // Closing the active document leaves the other one's window active.
    QTest::keyClick(&frame, Qt::Key_L, Qt::ControlModifier);
    ASSERT_EQ(app->Documents().Documents().size(), 1u);
    QTRY_COMPARE(window->Shown()->heading[0][1], "other.spc");

    // With every document closed the window stays, empty, with Copy off.
    ASSERT_TRUE(app->Documents().Close(*app->Documents().Documents().front()));
    QTRY_COMPARE(Heading(window), "No document window is active.");
    EXPECT_FALSE(window->Shown().has_value());
    EXPECT_EQ(window->findChild<QTableWidget*>("bands")->rowCount(), 0);
    EXPECT_FALSE(window->findChild<QPushButton*>("copy")->isEnabled());

    // A document opened again fills it again.
    app->Documents().OpenDocumentFile(QString::fromStdString(dir.File("plant.spc")));
    QTRY_VERIFY(window->Shown().has_value());
    EXPECT_EQ(window->Shown()->heading[1][1], "1");
}

TEST_F(ResultsWindow, CopyButtonAndCtrlCPutTheTableOnTheClipboard)
{
    CMainFrm& frame = Start().Frame();
    app->Documents().OpenDocumentFile(RecordsFile("plant.spc"));
    QTest::keyClick(&frame, Qt::Key_PageDown);
    BandTableWindow* window = OpenBandTable();
    ASSERT_NE(window, nullptr);
    const QString expected = QString::fromLatin1(BandTableText(*window->Shown()).c_str());
    EXPECT_TRUE(expected.startsWith("Data File\tplant.spc\r\nMemory\t2\r\n"));
    EXPECT_TRUE(expected.endsWith("\r\nNC\t48\r\nNC band\t8000\r\nNR\t52\r\nNR band\t8000\r\n"));

    QApplication::clipboard()->clear();
    auto* copy = window->findChild<QPushButton*>("copy");
    ASSERT_EQ(copy->text(), "&Copy");
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text(), expected);

    // Ctrl+C in the Band Table copies the table, not the view's records.
    QApplication::clipboard()->clear();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), expected);

    // The main window's keys work on: PgDn steps its view.
    QTest::keyClick(window, Qt::Key_PageDown);
    EXPECT_EQ(frame.ActiveView()->SelectedMemory(), 3);
    QTRY_COMPARE(window->Shown()->heading[1][1], "3");
}

// ---- Export CSV ----------------------------------------------------------------

TEST_F(ResultsWindow, ExportCsvProposesTheDocumentsNameAndWritesTheLocalesNumbers)
{
    CMainFrm& frame = Start().Frame();
    EXPECT_FALSE(frame.StateOf(CommandId::ExportCsv).enabled);
    app->Documents().OpenDocumentFile(RecordsFile("plant.spc"));
    QAction* item = frame.MenuAction(CommandId::ExportCsv);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "CSV");
    EXPECT_TRUE(frame.StateOf(CommandId::ExportCsv).enabled);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const std::string point = dir.File("point.csv");
    dialogs.Answer(QString::fromStdString(point));
    item->trigger();
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Export CSV");
    EXPECT_EQ(dialogs.requests[0].filters, QStringList{"CSV (*.csv)"});
    EXPECT_EQ(dialogs.requests[0].proposedName, QString::fromStdString(dir.File("plant.csv")));
    EXPECT_EQ(dialogs.requests[0].defaultSuffix, "csv");
    const std::string pointText = ReadText(point);
    EXPECT_EQ(pointText.substr(0, 81),
              "record,source,unit,weighting,NC curve,reference,LZ,LA,LC,NC,NR,comment,25,31.5,40");
    EXPECT_NE(pointText.find("\r\n1,Mike,dB SPL,flat,NC-30,110.0,>123.1,>119.8,>121.9,>70,116,,<90.0,102.5,"),
              std::string::npos);
    EXPECT_NE(pointText.find("\r\n2,Mike,dB SPL,flat,none,40.0,54.8,51.9,53.6,48,52,,40.0,"),
              std::string::npos);
    // Header and the two records in use.
    EXPECT_EQ(std::count(pointText.begin(), pointText.end(), '\n'), 3);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::string comma = dir.File("comma.csv");
    dialogs.Answer(QString::fromStdString(comma));
    item->trigger();
    const std::string commaText = ReadText(comma);
    EXPECT_EQ(commaText.substr(0, 81),
              "record;source;unit;weighting;NC curve;reference;LZ;LA;LC;NC;NR;comment;25;31,5;40");
    EXPECT_NE(commaText.find("\r\n1;Mike;dB SPL;flat;NC-30;110,0;>123,1;>119,8;>121,9;>70;116;;<90,0;102,5;"),
              std::string::npos);
    EXPECT_NE(commaText.find("\r\n2;Mike;dB SPL;flat;none;40,0;54,8;51,9;53,6;48;52;;40,0;"),
              std::string::npos);

    // Cancel writes nothing.
    item->trigger();
    EXPECT_EQ(dialogs.requests.size(), 3u);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.File("plant.csv"))));
}

TEST_F(ResultsWindow, ExportCsvThatCannotBeWrittenSaysSoAndLeavesTheOldFile)
{
    CMainFrm& frame = Start().Frame();
    app->Documents().OpenDocumentFile(RecordsFile("plant.spc"));
    const std::string blocked = dir.File("missing/plant.csv");
    dialogs.Answer(QString::fromStdString(blocked));
    QString told;
    WhenModalOpens([&told](QWidget* box) {
        told = BoxText(box);
        PressButton(box, "OK");
    });
    frame.Dispatch(CommandId::ExportCsv);
    EXPECT_TRUE(told.contains("missing/plant.csv")) << told.toStdString();
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(blocked)));
}

// ---- the results line on the page -------------------------------------------

class NoFontChooser : public FontChooser {
public:
    bool ChooseFont(LogFontRecord&, bool) override { return false; }
};

TEST_F(ResultsWindow, PrintingOptionsShowAndKeepThePrintResultsBox)
{
    Start();
    NoFontChooser fonts;
    Settings().Printresults = 0;
    {
        PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
        EXPECT_EQ(dialog.ResultsBox()->text(), "Print results");
        EXPECT_FALSE(dialog.ResultsBox()->isChecked());
        dialog.ResultsBox()->click();
        dialog.accept();
    }
    EXPECT_EQ(Settings().Printresults, 1);
    {
        // Escape keeps what the dialog shows, as OK does.
        PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
        EXPECT_TRUE(dialog.ResultsBox()->isChecked());
        dialog.show();
        dialog.ResultsBox()->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(Settings().Printresults, 0);
}

}  // namespace
