// What a screen reader and a keyboard user meet: every control of the main
// window and of each dialog has an accessible name, the toolbar's buttons
// are named after their commands, Tab follows the view's form, and the front
// panel's keys are pressed from the keyboard.

#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserLogWindow.h"
#include "app/AnalyserWindow.h"
#include "app/BandTableWindow.h"
#include "app/CAboutDlg.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/COptionsDlg.h"
#include "app/CStartDlg.h"
#include "app/CommandIds.h"
#include "app/EditEntriesDlg.h"
#include "app/ExchangeProgressDialog.h"
#include "app/FrontPanelKeys.h"
#include "app/HelpWindow.h"
#include "app/PrintingOptionsDialog.h"
#include "link/CCommsDlg.h"
#include "plot/FontChooser.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {

std::vector<std::uint8_t> Bytes(std::string_view text)
{
    return {text.begin(), text.end()};
}

class NoFonts : public FontChooser {
public:
    bool ChooseFont(LogFontRecord&, bool) override { return false; }
};

// The roles of the things a user works: they must say what they are.
bool IsControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::Slider:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTabList:
    case QAccessible::Dialog:
    case QAccessible::Window:
    case QAccessible::Document:
    case QAccessible::Graphic:
    case QAccessible::Chart:
    case QAccessible::Grouping:
        return true;
    default:
        return false;
    }
}

// Every shown control in window's accessibility tree without a name, as
// "role class objectName" (the window itself included).
QStringList UnnamedControls(QWidget* window)
{
    QStringList unnamed;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        // A table's cells are its content: an empty one is a blank, not a control.
        if (node == nullptr || node->state().invisible || node->role() == QAccessible::Cell)
            return;
        const bool takesFocus = node->state().focusable;
        if ((IsControl(node->role()) || takesFocus) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            QObject* object = node->object();
            unnamed << QStringLiteral("%1 %2 \"%3\"")
                           .arg(node->role())
                           .arg(QLatin1String(object ? object->metaObject()->className() : "?"))
                           .arg(object ? object->objectName() : QString());
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return unnamed;
}

TEST_F(AnalyserTest, EveryControlOfTheMainWindowAndOfEachDialogHasAName)
{
    StartWithAnalyser();
    app->Documents().OpenDocumentFile(SampleFile("hall.spc"));
    CMainFrm& frame = app->Frame();
    frame.show();
    EXPECT_EQ(UnnamedControls(&frame), QStringList()) << "main window";

    ASSERT_TRUE(frame.Dispatch(CommandId::ModifyEntries));
    EXPECT_EQ(UnnamedControls(frame.ActiveView()->EditEntries()), QStringList()) << "Edit Entries";
    ASSERT_TRUE(frame.Dispatch(CommandId::ViewBandTable));
    EXPECT_EQ(UnnamedControls(frame.findChild<BandTableWindow*>()), QStringList()) << "Band Table";
    ASSERT_TRUE(frame.Dispatch(CommandId::AnalyserLog));
    EXPECT_EQ(UnnamedControls(Commands().LogWindow()), QStringList()) << "log";
    AnalyserWindow& analyser = OpenWindow();
    EXPECT_EQ(UnnamedControls(&analyser), QStringList()) << "analyser window";
    Commands().Progress().show();
    EXPECT_EQ(UnnamedControls(&Commands().Progress()), QStringList()) << "progress";
    Commands().Progress().hide();

    COptionsDlg options(app->Services().comms, app->Ui(), &frame);
    options.show();
    EXPECT_EQ(UnnamedControls(&options), QStringList()) << "Program Options";
    NoFonts fonts;
    PrintingOptionsDialog printing(app->Ui(), dialogs, fonts, &frame);
    printing.show();
    EXPECT_EQ(UnnamedControls(&printing), QStringList()) << "Printing Options";
    CAboutDlg about(&frame);
    about.show();
    EXPECT_EQ(UnnamedControls(&about), QStringList()) << "About";
    CStartDlg start(&frame);
    start.show();
    EXPECT_EQ(UnnamedControls(&start), QStringList()) << "start dialog";
    HelpWindow help(&frame);
    help.show();
    EXPECT_EQ(UnnamedControls(&help), QStringList()) << "help";
}

TEST_F(AppTest, TheToolbarsButtonsAreNamedAfterTheirCommands)
{
    Start();
    QStringList names;
    for (QAction* action : app->Frame().findChild<QToolBar*>()->actions())
        if (!action->isSeparator())
            names << QAccessible::queryAccessibleInterface(
                         app->Frame().findChild<QToolBar*>()->widgetForAction(action))
                         ->text(QAccessible::Name);
    EXPECT_EQ(names, QStringList({"New", "Open", "Save", "Cut", "Copy", "Paste", "Print", "Print Preview",
                                  "Printing Options", "Program Options", "Modify Entries", "Spectrum Chart",
                                  "Connect", "Help"}));
}

// Tab from the first control walks the form row by row, the right-hand
// column's groups as they come, past the disabled buttons (NC steps for a
// record not measured with Mike, Paste with an empty clipboard, the
// transfers without an analyser), and comes round to the first again.
TEST_F(AppTest, TabFollowsTheViewsForm)
{
    Start();
    app->Documents().OpenDocumentFile(SampleFile("hall.spc"));
    CMainFrm& frame = app->Frame();
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CMainVue* view = frame.ActiveView();
    view->findChild<QWidget*>(QStringLiteral("reference"))->setFocus(Qt::TabFocusReason);
    QStringList order;
    while (view->isAncestorOf(QApplication::focusWidget()) &&
           !order.contains(QApplication::focusWidget()->objectName())) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"reference",      "referenceDown", "referenceUp", "wideband",
                                  "source",         "weighting",     "nc",          "multi",
                                  "joined",         "twoDb",         "serial",      "records",
                                  "previousRecord", "nextRecord",    "memory",      "clipboard",
                                  "copyAll",        "copyOne",       "cutOne",      "userText",
                                  "all30"}));
}

// The front panel without the mouse: Tab from Refresh comes to the panel,
// the arrow keys step from key to key with the help line following, and
// Space and Return press the focused key as a click does.
TEST_F(AnalyserTest, TheFrontPanelsKeysArePressedFromTheKeyboard)
{
    StartWithAnalyser();
    AnalyserWindow& window = OpenWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const CCommsDlg& comms = app->Services().comms;
    FrontPanelKeys* panel = window.PanelKeys();
    EXPECT_EQ(window.focusWidget(), window.RefreshButton());
    QTest::keyClick(window.RefreshButton(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), panel);
    EXPECT_EQ(window.HoverLine()->text(), "Click for Mike");
    EXPECT_EQ(panel->accessibleName(), "Front panel: Click for Mike");
    EXPECT_EQ(panel->accessibleDescription(),
              "Memory 1, input Left, range 2 dB, speed fast, sensitivity 2 of 8, display shown. Arrow keys "
              "choose a key, Space or Return presses it");

    simulator.ClearReceived();
    QTest::keyClick(panel, Qt::Key_Up);  // nothing above the top row
    QTest::keyClick(panel, Qt::Key_Space);
    EXPECT_EQ(comms.Panel().m_nSource, 1);
    QTest::keyClick(panel, Qt::Key_Down);
    EXPECT_EQ(window.HoverLine()->text(), "Click for Weighting C");
    QTest::keyClick(panel, Qt::Key_Right);
    QTest::keyClick(panel, Qt::Key_Right);
    EXPECT_EQ(window.HoverLine()->text(), "Click for Diff");
    QTest::keyClick(panel, Qt::Key_Return);
    EXPECT_EQ(simulator.Received(), Bytes("MD"));
    EXPECT_EQ(window.StatusLine()->text(), "OK");
    EXPECT_EQ(panel->accessibleDescription().section(QLatin1Char(','), 1, 1), " input Diff");

    // Down the right-hand column past Range to Speed, left along the bottom
    // row to Hide, and up onto the memory strip.
    QTest::keyClick(panel, Qt::Key_Down);
    EXPECT_EQ(window.HoverLine()->text(), "Click for Range 1dB");
    QTest::keyClick(panel, Qt::Key_Down);
    QTest::keyClick(panel, Qt::Key_Down);  // nothing below the bottom row
    EXPECT_EQ(window.HoverLine()->text(), "Click for Slow");
    QTest::keyClick(panel, Qt::Key_Left);
    EXPECT_EQ(window.HoverLine()->text(), "Click to Hide");
    QTest::keyClick(panel, Qt::Key_Up);
    EXPECT_EQ(window.HoverLine()->text(), "Select Memory: 28");
    QTest::keyClick(panel, Qt::Key_Right);
    QTest::keyClick(panel, Qt::Key_Space);
    EXPECT_EQ(comms.Panel().m_nPanelMemory, 29);
    EXPECT_EQ(window.MemoryField()->text(), "29");
}

}  // namespace
