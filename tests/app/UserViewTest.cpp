// What a user meets in the menus, the option dialogs, the analyser's windows
// and when closing documents: the commands a menu holds when it opens, what
// a box shows and keeps, the cursor over a message, the colour of a mark,
// the size a window opens at, a position kept and a closed document let go.

#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserLogWindow.h"
#include "app/AnalyserWindow.h"
#include "app/CMainChd.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/COptionsDlg.h"
#include "app/CommandIds.h"
#include "app/CrashRecovery.h"
#include "app/EditEntriesDlg.h"
#include "app/ExchangeProgressDialog.h"
#include "app/PrintingOptionsDialog.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/RecentFileList.h"
#include "data/UserInterface.h"
#include "data/WindowPosition.h"
#include "link/CCommsDlg.h"
#include "link/FrontPanel.h"
#include "plot/FontChooser.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <filesystem>

namespace {

// The texts of a menu as the user sees it opened ("-" for a separator).
QStringList OpenedMenu(CMainFrm& frame, const QString& title)
{
    for (QAction* entry : frame.menuBar()->actions())
        if (entry->text() == title && entry->menu()) {
            QMenu* menu = entry->menu();
            QMetaObject::invokeMethod(menu, "aboutToShow");
            QStringList texts;
            for (QAction* action : menu->actions())
                texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
            return texts;
        }
    ADD_FAILURE() << "no menu " << title.toStdString();
    return {};
}

// The menu with its recent files taken out: what must not change.
QStringList WithoutRecentFiles(QStringList texts)
{
    texts.removeIf([](const QString& text) {
        return text == "Recent File" || (text.startsWith(QLatin1Char('&')) && text[1].isDigit());
    });
    return texts;
}

class NoFontChooser : public FontChooser {
public:
    bool ChooseFont(LogFontRecord&, bool) override { return false; }
};

// ---- menus and the recent-file list --------------------------------------------------------

TEST_F(AppTest, OpeningTheFileMenuKeepsItsCommandsAndListsTheRecentFiles)
{
    CMainFrm& frame = Start().Frame();
    const QStringList empty = OpenedMenu(frame, "&File");
    EXPECT_EQ(empty, (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...", "-",
                                  "Recent File", "-", "E&xit"}));
    EXPECT_EQ(OpenedMenu(frame, "&File"), empty);                          // opened again
    EXPECT_FALSE(frame.MenuAction(CommandId::FileMruFirst)->isEnabled());  // "Recent File" stands for none

    const QString first = SampleFile("first.spc");
    const QString second = SampleFile("second.spc");
    app->Documents().OpenDocumentFile(first);
    app->Documents().OpenDocumentFile(second);
    const QStringList withDocument = OpenedMenu(frame, "&File");
    for (const char* command : {"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Save &As...", "&Import",
                                "&Print...\tCtrl+P", "E&xit"})
        EXPECT_TRUE(withDocument.contains(command)) << command;
    EXPECT_TRUE(withDocument.contains("&1 " + second));
    EXPECT_TRUE(withDocument.contains("&2 " + first));
    EXPECT_FALSE(withDocument.contains("Recent File"));
    EXPECT_EQ(WithoutRecentFiles(OpenedMenu(frame, "&File")), WithoutRecentFiles(withDocument));

    // An ampersand in a name is shown, not taken for the entry's key.
    const QString research = SampleFile("R&D.spc");
    app->Documents().OpenDocumentFile(research);
    QString shown = research;
    shown.replace(QStringLiteral("&"), QStringLiteral("&&"));
    EXPECT_EQ(OpenedMenu(frame, "&File").filter(QStringLiteral("R&&D")), QStringList{"&1 " + shown});
    EXPECT_TRUE(frame.MenuAction(CommandId::FileMruFirst)->isEnabled());
}

TEST_F(AppTest, ARecentFileThatCanNoLongerBeOpenedLeavesTheList)
{
    CMainFrm& frame = Start().Frame();
    const QString kept = SampleFile("kept.spc");
    const QString gone = SampleFile("gone.spc");
    app->RecentFiles().Add(kept.toStdString());
    app->RecentFiles().Add(gone.toStdString());
    std::filesystem::remove(gone.toStdString());
    QString told;
    WhenModalOpens([&told](QWidget* box) {
        told = BoxText(box);
        PressButton(box, "OK");
    });
    ASSERT_TRUE(frame.Dispatch(CommandId::FileMruFirst));  // the first entry: the last added
    EXPECT_TRUE(told.contains("gone.spc")) << told.toStdString();
    EXPECT_TRUE(app->Documents().Documents().empty());
    EXPECT_EQ(app->RecentFiles().Files(), std::vector<std::string>{kept.toStdString()});
    const QStringList menu = OpenedMenu(frame, "&File");
    EXPECT_TRUE(menu.contains("&1 " + kept));
    EXPECT_FALSE(menu.filter("gone.spc").size() > 0);
}

// ---- option dialogs --------------------------------------------------------------------------

TEST_F(AnalyserTest, ProgramOptionsShowTheirTooltipsOnlyWhenTheyAreOn)
{
    StartWithAnalyser();
    Settings().Tooltips = 1;
    {
        COptionsDlg dialog(app->Services().comms, app->Ui(), &app->Frame());
        EXPECT_EQ(dialog.toolTip(), "General Parameter Dialog");
        EXPECT_EQ(dialog.PortList()->toolTip(), "TALVEK 7 comms port");
    }
    Settings().Tooltips = 0;
    COptionsDlg dialog(app->Services().comms, app->Ui(), &app->Frame());
    EXPECT_EQ(dialog.toolTip(), "");
    EXPECT_EQ(dialog.PortList()->toolTip(), "");
}

TEST_F(AppTest, PrintingOptionsShowAndKeepPlotGraphOnly)
{
    Start();
    NoFontChooser fonts;
    const auto graphOnly = [](PrintingOptionsDialog& dialog) {
        for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
            if (box->text() == "Plot Graph Only (no text)")
                return box;
        ADD_FAILURE() << "no Plot Graph Only box";
        return static_cast<QCheckBox*>(nullptr);
    };
    for (int setting : {0, 1}) {
        Settings().Plotgronly = setting;
        PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
        QCheckBox* box = graphOnly(dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->isChecked(), setting == 1);
        dialog.accept();
        EXPECT_EQ(Settings().Plotgronly, setting);  // OK keeps what was shown
    }
    PrintingOptionsDialog dialog(app->Ui(), dialogs, fonts, &app->Frame());
    graphOnly(dialog)->click();
    dialog.accept();
    EXPECT_EQ(Settings().Plotgronly, 0);
}

// ---- the wait cursor and message boxes -----------------------------------------------------

TEST_F(AppTest, AMessageDuringAWaitShowsTheArrowAndTheWaitComesBack)
{
    Start();
    Qt::CursorShape overBox = Qt::BlankCursor;
    {
        WaitCursor wait(app->Ui());
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        WhenModalOpens([&overBox](QWidget* box) {
            overBox = QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                        : Qt::ArrowCursor;
            PressButton(box, "OK");
        });
        app->Ui().Tell("Something to read", UserInterface::Icon::Exclamation);
        EXPECT_EQ(overBox, Qt::ArrowCursor);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// ---- the analyser's windows ------------------------------------------------------------------

TEST_F(AnalyserTest, TheSelectedMemoryIsMarkedGreenOnTheFrontPanel)
{
    StartWithAnalyser();
    AnalyserWindow& window = OpenWindow();
    for (int memory : {1, 30}) {
        app->Services().comms.Panel().m_nPanelMemory = memory;
        const QImage shown = window.grab().toImage();
        const FrontPanel::Rect mark = FrontPanel::MemoryMark(memory);
        const QPoint centre((mark.left + mark.right) / 2, (mark.top + mark.bottom) / 2);
        EXPECT_EQ(shown.pixelColor(centre), QColor(0, 255, 0)) << "memory " << memory;
        const FrontPanel::Rect other = FrontPanel::MemoryMark(memory == 1 ? 30 : 1);
        EXPECT_NE(shown.pixelColor((other.left + other.right) / 2, (other.top + other.bottom) / 2),
                  QColor(0, 255, 0));
    }
}

TEST_F(AnalyserTest, TheAnalyserLogOpensWiderThanItIsTall)
{
    StartWithAnalyser();
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::AnalyserLog));
    AnalyserLogWindow* log = Commands().LogWindow();
    ASSERT_NE(log, nullptr);
    EXPECT_GT(log->width(), log->height());
    EXPECT_GE(log->width(), 600);  // a line of the log and its explanation
}

TEST_F(AnalyserTest, EscapeAndTheCloseBoxOfTheProgressDialogCancelTheTransfer)
{
    StartWithAnalyser();
    CMainDoc* doc = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    ASSERT_NE(doc, nullptr);
    OpenWindow();
    ExchangeProgressDialog& progress = Commands().Progress();
    progress.SetShowDelay(0);
    CCommsDlg& comms = app->Services().comms;
    const SpectrumFile before = doc->Data();
    for (const bool escape : {true, false}) {
        bool asked = false;
        onPause = [&] {
            if (asked || pauses < 200 || !progress.isVisible())
                return;
            asked = true;
            if (escape)
                QTest::keyClick(&progress, Qt::Key_Escape);
            else
                progress.close();
        };
        pauses = 0;
        EXPECT_EQ(comms.DownloadToFile(*doc, CCommsDlg::kAllRecords, CCommsDlg::kAllRecords),
                  CCommsDlg::kFailed)
            << (escape ? "Escape" : "close box");
        onPause = nullptr;
        EXPECT_TRUE(asked);
        EXPECT_EQ(comms.LastFailure(), CommsFailure::Cancelled);
        EXPECT_EQ(doc->Data(), before);
        QTest::qWait(60);
        EXPECT_FALSE(progress.isVisible());
    }
}

// ---- closing document windows ----------------------------------------------------------------

TEST_F(AppTest, ClosingADocumentWindowKeepsThePositionOfItsEditEntries)
{
    CMainFrm& frame = Start().Frame();
    app->Documents().OpenDocumentFile(SampleFile("plant.spc"));
    CMainVue* view = frame.ActiveView();
    ASSERT_NE(view, nullptr);
    frame.Dispatch(CommandId::ModifyEntries);
    EditEntriesDlg* dialog = view->EditEntries();
    ASSERT_NE(dialog, nullptr);
    dialog->move(130, 90);
    ASSERT_TRUE(frame.Children().front()->close());
    EXPECT_TRUE(app->Documents().Documents().empty());
    const WindowPosition stored = UnpackWindowPosition(
        Profile().GetInt(ProfileKeys::kSettings, ProfileKeys::kDlgModifPos, 0), 4096, 4096);
    EXPECT_EQ(stored.x, 130);
    EXPECT_EQ(stored.y, 90);
}

TEST_F(AppTest, ClosingOneOfTwoModifiedDocumentsWithoutSavingLetsItGoAndKeepsTheOthersCopy)
{
    CMainFrm& frame = Start().Frame();
    CMainDoc* hall = app->Documents().OpenDocumentFile(SampleFile("hall.spc"));
    CMainDoc* plant = app->Documents().OpenDocumentFile(SampleFile("plant.spc"));
    ASSERT_TRUE(hall && plant);
    for (CMainDoc* doc : {hall, plant}) {
        doc->SetComment(0, "changed");
        doc->SetModifiedFlag();
    }
    CrashRecovery& recovery = *app->Recovery();
    recovery.CopyChanges();
    recovery.Flush();
    const std::string session = recovery.SessionFolder();
    ASSERT_TRUE(FileExists(session + "/1.spc") && FileExists(session + "/2.spc"));

    QString question;
    WhenModalOpens([&question](QWidget* box) {
        question = BoxText(box);
        PressButton(box, "&No");
    });
    CMainChd* hallWindow = nullptr;
    for (CMainChd* child : frame.Children())
        if (&child->Document() == hall)
            hallWindow = child;
    ASSERT_NE(hallWindow, nullptr);
    EXPECT_TRUE(hallWindow->close());
    EXPECT_TRUE(question.contains("hall.spc")) << question.toStdString();
    ASSERT_EQ(app->Documents().Documents(), std::vector<CMainDoc*>{plant});
    // Its copy goes at once, not at the next look at the changes.
    recovery.Flush();
    EXPECT_FALSE(FileExists(session + "/1.spc"));
    EXPECT_FALSE(FileExists(session + "/1.note"));

    // The next look takes only the open document.
    plant->SetComment(1, "changed again");
    plant->SetModifiedFlag();
    recovery.CopyChanges();
    recovery.Flush();
    EXPECT_FALSE(FileExists(session + "/1.spc"));
    EXPECT_TRUE(FileExists(session + "/2.spc"));
    EXPECT_EQ(ReadBytes(session + "/2.spc"),
              std::vector<std::uint8_t>(plant->Data().Bytes(), plant->Data().Bytes() + SpectrumFile::kSize));
}

TEST_F(AppTest, TheRecoveryQuestionNamesANeverSavedDocumentWithoutItsFolder)
{
    const std::string folder = dir.File("TV7W/recovery/100-1");
    std::filesystem::create_directories(folder);
    WriteBytes(folder + "/1.spc", std::vector<std::uint8_t>(SpectrumFile::kSize, 0));
    WriteText(folder + "/1.note", "untitled=1\npath=/data/site/untitled.spc\n");
    QString question;
    WhenModalOpens([&question](QWidget* box) {
        question = BoxText(box);
        PressButton(box, "Later");
    });
    Start();
    EXPECT_TRUE(question.contains("\n\nuntitled.spc (never saved)\n")) << question.toStdString();
}

}  // namespace
