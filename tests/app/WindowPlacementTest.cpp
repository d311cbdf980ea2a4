// Where the program's own windows open: beside the document window inside
// the main window's document area (never over the menus, the toolbar or
// the view's buttons), or where the user left them; the start dialog in
// the middle of the screen.

#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserWindow.h"
#include "app/BandTableWindow.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CStartDlg.h"
#include "app/CommandIds.h"
#include "app/EditEntriesDlg.h"
#include "app/HelpWindow.h"
#include "app/WindowPlacement.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/WindowPosition.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

QRect GlobalRect(const QWidget& widget)
{
    return QRect(widget.mapToGlobal(QPoint(0, 0)), widget.size());
}

TEST(WindowPlacement, BesideTheDocumentWindowWhereThereIsRoomElseAtTheAreasEdge)
{
    const QRect area(0, 60, 1024, 680);  // below the menus and toolbar
    const QRect view(0, 60, 440, 420);
    // Right of the window: the last width that fits, and the first that does not.
    EXPECT_EQ(WindowPlacement::Beside(QSize(580, 300), view, area), QPoint(444, 60));
    EXPECT_EQ(WindowPlacement::Beside(QSize(581, 300), view, area), QPoint(443, 60));
    // Left of a window at the right.
    const QRect right(600, 100, 424, 420);
    EXPECT_EQ(WindowPlacement::Beside(QSize(596, 300), right, area), QPoint(0, 100));
    EXPECT_EQ(WindowPlacement::Beside(QSize(597, 300), right, area), QPoint(427, 100));
    // Never below the area's bottom nor above its top.
    EXPECT_EQ(WindowPlacement::Beside(QSize(300, 400), QRect(0, 500, 440, 200), area), QPoint(444, 340));
    EXPECT_EQ(WindowPlacement::Beside(QSize(300, 900), view, area), QPoint(444, 60));
    // No document window: the area's top right corner.
    EXPECT_EQ(WindowPlacement::Beside(QSize(300, 200), QRect(), area), QPoint(724, 60));
}

class PlacementTest : public AnalyserTest {
protected:
    // One document, its window made narrow at the right of the document
    // area: the test's screen is 800 pixels wide.
    CMainVue& OpenAtTheRight()
    {
        StartWithAnalyser();
        app->Documents().OpenDocumentFile(SampleFile("site.spc"));
        CMainVue* view = app->Frame().ActiveView();
        EXPECT_NE(view, nullptr);
        QMdiSubWindow* document = app->Frame().findChild<QMdiSubWindow*>();
        const QWidget* area = app->Frame().centralWidget();
        document->setGeometry(area->width() - 280, 0, 280, 440);
        return *view;
    }
    QRect Area() const { return GlobalRect(*app->Frame().centralWidget()); }
    QRect DocumentWindow() const { return GlobalRect(*app->Frame().findChild<QMdiSubWindow*>()); }
    // The window lies in the document area and beside the document window.
    void ExpectBeside(const QWidget& window)
    {
        const QRect frame = window.frameGeometry();
        EXPECT_TRUE(Area().contains(frame))
            << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height() << " in "
            << Area().x() << "," << Area().y() << " " << Area().width() << "x" << Area().height() << " doc "
            << DocumentWindow().x() << "," << DocumentWindow().y() << " " << DocumentWindow().width();
        EXPECT_FALSE(frame.intersects(DocumentWindow())) << frame.x() << "," << frame.y();
        EXPECT_EQ(frame.top(), DocumentWindow().top());
    }
};

TEST_F(PlacementTest, WithNoStoredPositionTheAnalyserWindowAndEditEntriesOpenBesideTheView)
{
    CMainVue& view = OpenAtTheRight();
    AnalyserWindow& window = OpenWindow();
    ExpectBeside(window);
    const QRect down = GlobalRect(*view.findChild<QPushButton*>(QStringLiteral("down")));
    EXPECT_FALSE(window.frameGeometry().intersects(down));
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_FALSE(window.IsOpen());

    app->Frame().Dispatch(CommandId::ModifyEntries);
    ASSERT_NE(view.EditEntries(), nullptr);
    ExpectBeside(*view.EditEntries());

    // A stored position is where they open.
    app->Frame().Dispatch(CommandId::ModifyEntries);
    Profile().WriteInt(ProfileKeys::kSettings, ProfileKeys::kDlgModifPos, PackWindowPosition(30, 200));
    app->Frame().Dispatch(CommandId::ModifyEntries);
    EXPECT_EQ(view.EditEntries()->pos(), QPoint(30, 200));
    Profile().WriteInt(ProfileKeys::kSettings, ProfileKeys::kDlgTV7Pos, PackWindowPosition(40, 10));
    EXPECT_EQ(OpenWindow().pos(), QPoint(40, 10));
}

TEST_F(PlacementTest, TheBandTableAndTheManualOpenInsideTheDocumentArea)
{
    OpenAtTheRight();
    app->Frame().Dispatch(CommandId::ViewBandTable);
    auto* table = app->Frame().findChild<BandTableWindow*>();
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(table->isVisible());
    EXPECT_TRUE(Area().contains(table->frameGeometry()));
    EXPECT_EQ(table->frameGeometry().top(), DocumentWindow().top());

    QTest::keyClick(&app->Frame(), Qt::Key_F1);
    HelpWindow* help = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = dynamic_cast<HelpWindow*>(widget); found && found->isVisible())
            help = found;
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(Area().contains(help->frameGeometry())) << help->x() << "," << help->y();
}

TEST_F(AppTest, TheStartDialogIsCentredOnTheScreen)
{
    WriteText(dir.File("TV7W.ini"), "[Settings]\r\nSplashscreen=1\r\n");
    Settings().Splashscreen = 1;
    QRect dialog;
    WhenModalOpens([&](QWidget* modal) {
        dialog = modal->frameGeometry();
        static_cast<CStartDlg*>(modal)->reject();
    });
    app = std::make_unique<CMainApp>(CMainApp::Options{}, &dialogs);
    ASSERT_TRUE(app->InitInstance());
    const QRect room = QApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(dialog.center().x() - room.center().x()), 1);
    EXPECT_LE(std::abs(dialog.center().y() - room.center().y()), 1);
}

}  // namespace
