// Every exchange is covered by the modal progress dialog: its texts and bar,
// Cancel in the middle of a download of all 30 records, and closing refused
// while an exchange runs.

#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserWindow.h"
#include "app/CMainChd.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/ExchangeProgressDialog.h"
#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <cstring>

namespace {

TEST_F(AnalyserTest, CancelInTheMiddleOfAnAll30DownloadLeavesTheDocumentAlone)
{
    StartWithAnalyser();
    CMainDoc* doc = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    ASSERT_NE(doc, nullptr);
    AnalyserWindow& window = OpenWindow();
    ExchangeProgressDialog& progress = Commands().Progress();
    progress.SetShowDelay(0);
    CCommsDlg& comms = app->Services().comms;
    const SpectrumFile before = doc->Data();

    // Half way: the dialog is up and modal, and nothing closes.
    int barValue = -1;
    int barMaximum = -1;
    bool modal = false;
    Qt::CursorShape pointer = Qt::BlankCursor;
    bool frameClosed = true;
    bool childClosed = true;
    bool windowClosed = true;
    QString text;
    onPause = [&] {
        if (pauses != 600 || !progress.isVisible())
            return;
        modal = QApplication::activeModalWidget() == &progress;
        // Cancel is there to be clicked: the arrow over it, not the wait cursor.
        pointer =
            QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::BlankCursor;
        text = progress.TextLabel()->text();
        barValue = progress.Bar()->value();
        barMaximum = progress.Bar()->maximum();
        frameClosed = app->Frame().close();
        childClosed = app->Frame().Children().front()->close();
        windowClosed = window.close();
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
    };
    pauses = 0;
    EXPECT_EQ(comms.DownloadToFile(*doc, CCommsDlg::kAllRecords, CCommsDlg::kAllRecords), CCommsDlg::kFailed);
    onPause = nullptr;

    EXPECT_TRUE(modal);
    EXPECT_EQ(pointer, Qt::ArrowCursor);
    EXPECT_EQ(text.left(19), "Downloading Memory ");
    EXPECT_GT(barValue, 5);
    EXPECT_LT(barValue, 25);
    EXPECT_EQ(barMaximum, 30);
    EXPECT_FALSE(frameClosed);
    EXPECT_FALSE(childClosed);
    EXPECT_FALSE(windowClosed);
    EXPECT_TRUE(app->Frame().isVisible());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(app->Documents().Documents().size(), 1u);

    EXPECT_EQ(comms.LastFailure(), CommsFailure::Cancelled);
    EXPECT_EQ(std::memcmp(&doc->Data(), &before, sizeof before), 0);
    EXPECT_FALSE(comms.Link().IsOpen());
    EXPECT_EQ(window.StatusLine()->text(), "Cancelled");

    // The dialog goes once the exchange has ended; closing works again.
    QTest::qWait(60);
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(app->Services().exchangeRunning());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(window.close());
}

TEST_F(AnalyserTest, CancelInThePauseBetweenTwoRecordsOfAnAll30UploadStopsIt)
{
    StartWithAnalyser();
    CMainDoc* doc = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    ASSERT_NE(doc, nullptr);
    OpenWindow();
    ExchangeProgressDialog& progress = Commands().Progress();
    progress.SetShowDelay(0);
    CCommsDlg& comms = app->Services().comms;
    CMainVue* view = app->Frame().ActiveView();
    const MemoryRecord second = simulator.Analyser().Memory(1);

    // One record's upload is its selection, "T" and 68 half-bytes: the
    // pause after the last one's acknowledgement is the gap before record 2.
    constexpr std::size_t kOneRecord = 70;
    QString batch;
    QString bar;
    bool cancelled = false;
    onPause = [&] {
        if (cancelled || pauseMs != Settings().Comdelay || simulator.Received().size() != kOneRecord)
            return;
        batch = progress.BatchLabel()->text();
        bar = QStringLiteral("%1/%2").arg(progress.Bar()->value()).arg(progress.Bar()->maximum());
        QTest::mouseClick(progress.CancelButton(), Qt::LeftButton);
        cancelled = true;
    };
    view->findChild<QCheckBox*>(QStringLiteral("all30"))->click();
    QString question;
    WhenModalOpens([&](QWidget* box) {
        question = BoxText(box);
        PressButton(box, QStringLiteral("&Yes"));
    });
    QTest::mouseClick(view->findChild<QWidget*>(QStringLiteral("up")), Qt::LeftButton);
    onPause = nullptr;

    EXPECT_EQ(question, "Overwrite all 30 memories of the TALVEK 7?");
    ASSERT_TRUE(cancelled);
    EXPECT_TRUE(batch.startsWith(QStringLiteral("Record 1 of 30, about "))) << batch.toStdString();
    EXPECT_EQ(bar, "33/1020");
    EXPECT_EQ(comms.LastFailure(), CommsFailure::Cancelled);
    EXPECT_EQ(simulator.Received().size(), kOneRecord);  // nothing of record 2
    EXPECT_EQ(simulator.Analyser().Memory(1), second);
    EXPECT_FALSE(view->findChild<QCheckBox*>(QStringLiteral("all30"))->isChecked());

    // The next exchange starts while the dialog still shows the cancel:
    // it can be cancelled too.
    ASSERT_TRUE(progress.isVisible());
    bool enabled = false;
    onPause = [&] { enabled = enabled || progress.CancelButton()->isEnabled(); };
    EXPECT_EQ(comms.ReadStatus(), 0);
    onPause = nullptr;
    EXPECT_TRUE(enabled);
}

TEST_F(AnalyserTest, AShortExchangeShowsNoProgressDialog)
{
    StartWithAnalyser();
    AnalyserWindow& window = OpenWindow();
    bool shown = false;
    onPause = [&] { shown = shown || Commands().Progress().isVisible(); };
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 45));  // Mike
    EXPECT_FALSE(shown);
    EXPECT_EQ(simulator.Received(), std::vector<std::uint8_t>{'M'});
}

}  // namespace
