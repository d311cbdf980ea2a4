#include "AppTestSupport.h"

#include "app/CMainChd.h"
#include "app/CMainClient.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/CrashRecovery.h"
#include "app/ResourcePicture.h"
#include "data/CMainDoc.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <filesystem>

namespace {

QStringList MenuTitles(CMainFrm& frame)
{
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions())
        titles << action->text();
    return titles;
}

// ---- menus, states, accelerators -------------------------------------------

TEST_F(AppTest, MenusSwapWithTheActiveDocumentWindow)
{
    CMainFrm& frame = Start().Frame();
    EXPECT_EQ(MenuTitles(frame), (QStringList{"&File", "&View", "&General"}));
    EXPECT_FALSE(frame.StateOf(CommandId::FileSave).enabled);
    EXPECT_TRUE(frame.StateOf(CommandId::FileOpen).enabled);

    app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    EXPECT_EQ(MenuTitles(frame),
              (QStringList{"&File", "&Edit", "&View", "&Analysis", "&Window", "&TALVEK 7", "&Help"}));
    EXPECT_TRUE(frame.StateOf(CommandId::FileSave).enabled);
    ASSERT_NE(frame.MenuAction(CommandId::FileClose), nullptr);
    EXPECT_EQ(frame.MenuAction(CommandId::FileClose)->text(), "&Close\tCtl+L");
    EXPECT_EQ(frame.MenuAction(CommandId::ExportBitmapGraphOnly)->statusTip(),
              "Save the Plot output as a bitmap file (graph part only)");

    QTest::keyClick(&frame, Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(app->Documents().Documents().empty());
    EXPECT_EQ(MenuTitles(frame), (QStringList{"&File", "&View", "&General"}));
}

TEST_F(AppTest, PageDownReachesTheActiveViewAndWrapsAtTheLastRecord)
{
    CMainFrm& frame = Start().Frame();
    app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    CMainVue* view = frame.ActiveView();
    ASSERT_NE(view, nullptr);
    for (int i = 0; i < 29; ++i)
        QTest::keyClick(&frame, Qt::Key_PageDown);
    EXPECT_EQ(view->SelectedMemory(), 30);
    QTest::keyClick(&frame, Qt::Key_PageDown);
    EXPECT_EQ(view->SelectedMemory(), 1);
    QTest::keyClick(&frame, Qt::Key_PageUp);
    EXPECT_EQ(view->SelectedMemory(), 30);
}

TEST_F(AppTest, ToolbarHasTheFourteenButtonsAndTheStatusBarSaysReady)
{
    CMainFrm& frame = Start().Frame();
    auto* toolbar = frame.findChild<QToolBar*>();
    ASSERT_NE(toolbar, nullptr);
    int buttons = 0;
    for (QAction* action : toolbar->actions())
        if (!action->isSeparator()) {
            ++buttons;
            EXPECT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
        }
    EXPECT_EQ(buttons, 14);
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Ready");
    // Save needs a document.
    frame.UpdateCommandStates();
    for (QAction* action : toolbar->actions()) {
        if (action->data().toInt() == CommandId::FileSave) {
            EXPECT_FALSE(action->isEnabled());
        }
    }
}

TEST_F(AppTest, AMenuItemTakesTheTextItsTargetGivesAndGetsItsOwnBack)
{
    // A command of the test's own, which no window of the program answers.
    constexpr int kRenamed = 40001;
    struct Renamer : CommandTarget {
        QString text;
        std::optional<CommandState> QueryCommand(int id) override
        {
            if (id != kRenamed)
                return std::nullopt;
            CommandState state;
            state.text = text;
            return state;
        }
        void RunCommand(int) override {}
    } renamer;
    CMainFrm& frame = Start().Frame();
    frame.AddCommandTarget(&renamer);
    app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    QAction* cut = frame.MenuAction(CommandId::EditCut);
    ASSERT_NE(cut, nullptr);
    auto* edit = cut->associatedObjects().first();
    auto* undo = new QAction(QStringLiteral("&Undo\tAlt+Backspace"), edit);
    undo->setData(kRenamed);
    qobject_cast<QMenu*>(edit)->addAction(undo);
    renamer.text = QStringLiteral("&Undo Paste\tCtrl+Z");
    QMetaObject::invokeMethod(edit, "aboutToShow");
    EXPECT_EQ(undo->text(), "&Undo Paste\tCtrl+Z");
    renamer.text.clear();
    QMetaObject::invokeMethod(edit, "aboutToShow");
    EXPECT_EQ(undo->text(), "&Undo\tAlt+Backspace");
}

// ---- documents ---------------------------------------------------------------

TEST_F(AppTest, OpeningAnOpenFileActivatesItsWindowInsteadOfReadingItAgain)
{
    CMainFrm& frame = Start().Frame();
    const QString a = SampleFile("a.spc");
    CMainDoc* first = app->Documents().OpenDocumentFile(a);
    app->Documents().OpenDocumentFile(SampleFile("b.spc"));
    EXPECT_EQ(app->Documents().OpenDocumentFile(dir.Path().c_str() + QStringLiteral("/./a.spc")), first);
    EXPECT_EQ(app->Documents().Documents().size(), 2u);
    EXPECT_EQ(&frame.ActiveChild()->Document(), first);
}

// The program's working folder for the lifetime of the object.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::string& folder) : m_before(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(m_before); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path m_before;
};

TEST_F(AppTest, AFileNamedRelativelyIsSavedWhereItWasWhateverFolderTheProgramIsInLater)
{
    SampleFile("site.spc");
    const std::string elsewhere = dir.File("elsewhere");
    std::filesystem::create_directory(elsewhere);
    std::optional<WorkingFolder> working(std::in_place, dir.Path());
    Start({QStringLiteral("./site.spc")});
    working.emplace(elsewhere);

    ASSERT_EQ(app->Documents().Documents().size(), 1u);
    CMainDoc& site = *app->Documents().Documents().front();
    EXPECT_EQ(site.GetPathName(), dir.File("site.spc"));
    EXPECT_EQ(app->RecentFiles().Files(), std::vector<std::string>{dir.File("site.spc")});
    site.Data().records[0].bands[0] = 99;
    site.SetModifiedFlag();
    // The copy kept against a crash names the file as it was opened.
    app->Recovery()->CopyChanges();
    app->Recovery()->Flush();
    EXPECT_EQ(ReadText(app->Recovery()->SessionFolder() + "/1.note"),
              "untitled=0\npath=" + dir.File("site.spc") + "\n");
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FileSave));
    EXPECT_EQ(ReadBytes(dir.File("site.spc"))[SpectrumFile::kRecordsOffset], 99);
    EXPECT_FALSE(FileExists(elsewhere + "/site.spc"));

    // Opened again by another relative name from the new folder: the same document.
    EXPECT_EQ(app->Documents().OpenDocumentFile(QStringLiteral("../site.spc")), &site);
}

TEST_F(AppTest, SaveAsOntoAFileAnotherWindowHasOpenIsRefused)
{
    CMainFrm& frame = Start().Frame();
    app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    CMainDoc* b = app->Documents().OpenDocumentFile(SampleFile("b.spc"));
    b->Data().records[0].bands[0] = 7;
    b->SetModifiedFlag();
    const std::vector<std::uint8_t> a = ReadBytes(dir.File("a.spc"));
    // Another spelling of the name of a.spc.
    dialogs.Answer(QString::fromStdString(dir.Path() + "/./a.spc"));
    QString told;
    WhenModalOpens([&](QWidget* box) {
        told = BoxText(box);
        PressButton(box, "OK");
    });
    frame.Dispatch(CommandId::FileSaveAs);
    EXPECT_EQ(told, QString::fromStdString("Cannot save under the name " + dir.File("a.spc") +
                                           "\nAnother window has that file open. Close it first, or "
                                           "choose another name."));
    EXPECT_EQ(ReadBytes(dir.File("a.spc")), a);
    EXPECT_EQ(b->GetPathName(), dir.File("b.spc"));
    EXPECT_TRUE(b->IsModified());

    // Its own name is no other window's.
    dialogs.Answer(QString::fromStdString(dir.File("b.spc")));
    frame.Dispatch(CommandId::FileSaveAs);
    EXPECT_FALSE(b->IsModified());
    EXPECT_EQ(ReadBytes(dir.File("b.spc"))[SpectrumFile::kRecordsOffset], 7);
}

TEST_F(AppTest, ClosingAModifiedDocumentAsksAndCancelKeepsIt)
{
    CMainFrm& frame = Start().Frame();
    CMainDoc* document = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    document->SetModifiedFlag();
    QString asked;
    app->Documents().SetSaveQuestion([&](const QString& name) {
        asked = name;
        return DocumentManager::SaveAnswer::Cancel;
    });
    frame.Dispatch(CommandId::FileClose);
    EXPECT_TRUE(asked.endsWith("a.spc"));
    EXPECT_EQ(app->Documents().Documents().size(), 1u);
    EXPECT_TRUE(document->IsModified());

    app->Documents().SetSaveQuestion([](const QString&) { return DocumentManager::SaveAnswer::No; });
    frame.ActiveChild()->close();
    EXPECT_TRUE(app->Documents().Documents().empty());
}

TEST_F(AppTest, TheSaveQuestionIsABoxWithYesNoAndCancel)
{
    CMainFrm& frame = Start().Frame();
    CMainDoc* document = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    document->SetModifiedFlag();
    QString text;
    int buttons = 0;
    WhenModalOpens([&](QWidget* box) {
        text = BoxText(box);
        buttons = static_cast<int>(box->findChildren<QAbstractButton*>().size());
        PressButton(box, "&No");
    });
    frame.Dispatch(CommandId::FileClose);
    EXPECT_TRUE(text.startsWith("Save changes to ")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("a.spc?"));
    EXPECT_EQ(buttons, 3);
    EXPECT_TRUE(app->Documents().Documents().empty());
}

TEST_F(AppTest, AFailedSaveKeepsTheWindowAndTheDocumentModified)
{
    CMainFrm& frame = Start().Frame();
    CMainDoc* document = app->Documents().NewDocument();
    document->SetModifiedFlag();
    app->Documents().SetSaveQuestion([](const QString&) { return DocumentManager::SaveAnswer::Yes; });
    // Save of a new document goes through Save As; the folder does not exist.
    dialogs.Answer(QString::fromStdString(dir.File("missing/x.spc")));
    WhenModalOpens([](QWidget* box) { PressButton(box, "OK"); });
    EXPECT_FALSE(frame.ActiveChild()->close());
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Save As");
    EXPECT_EQ(app->Documents().Documents().size(), 1u);
    EXPECT_TRUE(document->IsModified());
    frame.UpdateCommandStates();
    EXPECT_TRUE(frame.ActiveChild()->isWindowModified());
}

TEST_F(AppTest, TwoWindowsOnOneDocumentAreNumberedAndOnlyTheLastOneAsks)
{
    CMainFrm& frame = Start().Frame();
    CMainDoc* document = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
    frame.Dispatch(CommandId::WindowNew);
    frame.UpdateCommandStates();
    ASSERT_EQ(frame.Children().size(), 2u);
    EXPECT_EQ(frame.Children()[0]->windowTitle(), "a.spc:1[*]");
    EXPECT_EQ(frame.Children()[1]->windowTitle(), "a.spc:2[*]");
    document->SetModifiedFlag();
    int questions = 0;
    app->Documents().SetSaveQuestion([&](const QString&) {
        ++questions;
        return DocumentManager::SaveAnswer::No;
    });
    frame.Children()[1]->close();
    EXPECT_EQ(questions, 0);
    frame.Children()[0]->close();
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(app->Documents().Documents().empty());
}

TEST_F(AppTest, AFileDroppedOnTheMainWindowOpens)
{
    CMainFrm& frame = Start().Frame();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(SampleFile("dropped.spc"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);
    ASSERT_EQ(app->Documents().Documents().size(), 1u);
    EXPECT_EQ(app->Documents().Documents()[0]->GetTitle(), "dropped.spc");
}

// ---- the picture behind the windows -----------------------------------------

TEST_F(AppTest, TheClientAreaIsGreyWithThePictureCentred)
{
    CMainFrm& frame = Start().Frame();
    frame.showNormal();
    frame.resize(900, 700);
    QApplication::processEvents();
    const QImage shot = frame.Client().viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, 2), CMainClient::BackgroundColour());
    // The picture sits at its own size with its centre on the area's centre.
    const QImage picture = ResourcePicture(CMainClient::kPictureResource).toImage();
    ASSERT_EQ(picture.size(), QSize(320, 74));
    const QPoint origin((shot.width() - 320) / 2, (shot.height() - 74) / 2);
    for (const QPoint at : {QPoint(60, 37), QPoint(0, 0), QPoint(319, 73), QPoint(200, 20)})
        EXPECT_EQ(shot.pixel(origin + at), picture.pixel(at)) << at.x() << "," << at.y();
}

}  // namespace
