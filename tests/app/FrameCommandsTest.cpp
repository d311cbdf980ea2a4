// Commands of the frames as the user gives them: Print Setup's choice of
// printer and paper, Arrange Icons, the frames' accelerators while a text
// box has the focus, Return in Edit Entries, and file names with letters
// beyond ASCII in the clipboard field.

#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserWindow.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/EditEntriesDlg.h"
#include "app/PagePrinter.h"
#include "app/PrintSetupDialog.h"
#include "app/UserTextBox.h"
#include "data/CMainDoc.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QRadioButton>
#include <QTest>

#include <cstdlib>
#include <set>
#include <utility>

namespace {

CMainDoc& OpenWithRecord(CMainApp& app, const QString& path)
{
    CMainDoc* doc = app.Documents().OpenDocumentFile(path);
    EXPECT_NE(doc, nullptr);
    doc->Data().records[0].bands[0] = 120;
    doc->UpdateAllViews(nullptr);
    return *doc;
}

TEST_F(AppTest, PrintSetupChoosesThePrinterAndItsPaperAndCancelKeepsThem)
{
    Start();
    QPrinter& printer = app->Analyser().Printer().Printer();
    QStringList printers;
    QStringList papers;
    WhenModalOpens([&](QWidget* modal) {
        auto* setup = dynamic_cast<PrintSetupDialog*>(modal);
        ASSERT_NE(setup, nullptr);
        EXPECT_EQ(setup->windowTitle(), "Print Setup");
        auto* printerBox = setup->findChild<QComboBox*>(QStringLiteral("printer"));
        auto* paperBox = setup->findChild<QComboBox*>(QStringLiteral("paper"));
        for (int i = 0; i < printerBox->count(); ++i)
            printers << printerBox->itemText(i);
        printerBox->setCurrentText(PrintSetupDialog::PdfFileEntry());
        for (int i = 0; i < paperBox->count(); ++i)
            papers << paperBox->itemText(i);
        EXPECT_EQ(paperBox->currentText(), "A4");
        paperBox->setCurrentText(QStringLiteral("Letter / ANSI A"));
        setup->findChildren<QRadioButton*>().at(1)->click();  // Landscape
        setup->accept();
    });
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintSetup));
    EXPECT_EQ(printers.last(), "PDF file");
    EXPECT_TRUE(papers.contains("A5")) << papers.join(',').toStdString();
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    // Opened again it shows the choice; Cancel changes nothing.
    QString shown;
    WhenModalOpens([&](QWidget* modal) {
        auto* paperBox = modal->findChild<QComboBox*>(QStringLiteral("paper"));
        shown = paperBox->currentText();
        paperBox->setCurrentText(QStringLiteral("A3"));
        static_cast<QDialog*>(modal)->reject();
    });
    app->Frame().Dispatch(CommandId::FilePrintSetup);
    EXPECT_EQ(shown, "Letter / ANSI A");
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
}

TEST_F(AppTest, WithNoPrinterThePaperIsTheSystemsPaperSize)
{
    // No printer is installed where the tests run.
    ::setenv("PAPERSIZE", "letter", 1);
    Start();
    EXPECT_EQ(app->Analyser().Printer().Printer().pageLayout().pageSize().id(), QPageSize::Letter);
    ::unsetenv("PAPERSIZE");
    const std::string paperConf = dir.File("papersize");
    WriteText(paperConf, "# the system's paper\nA5\n");
    ::setenv("PAPERCONF", paperConf.c_str(), 1);
    app.reset();
    Start();
    EXPECT_EQ(app->Analyser().Printer().Printer().pageLayout().pageSize().id(), QPageSize::A5);
    ::unsetenv("PAPERCONF");
}

TEST_F(AppTest, ArrangeIconsLinesTheMinimizedWindowsUpAlongTheBottom)
{
    Start();
    for (const char* name : {"a.spc", "b.spc", "c.spc"})
        app->Documents().OpenDocumentFile(SampleFile(name));
    const QList<QMdiSubWindow*> windows = app->Frame().findChildren<QMdiSubWindow*>();
    ASSERT_EQ(windows.size(), 3);
    for (QMdiSubWindow* window : windows) {
        window->showMinimized();
        window->move(150, 120);
    }
    windows[1]->showNormal();
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::WindowArrange));
    const int bottom = app->Frame().centralWidget()->height();
    std::set<std::pair<int, int>> corners;  // left, bottom
    for (QMdiSubWindow* window : {windows[0], windows[2]}) {
        EXPECT_TRUE(window->isMinimized());
        corners.emplace(window->geometry().left(), window->geometry().bottom());
    }
    const std::set<std::pair<int, int>> expected = {{0, bottom - 1}, {windows[0]->width(), bottom - 1}};
    EXPECT_EQ(corners, expected);
    EXPECT_FALSE(windows[1]->isMinimized());
}

TEST_F(AnalyserTest, CtrlAInTheCommentBoxOrAReadOnlyFieldIsConnect)
{
    StartWithAnalyser();
    app->Documents().OpenDocumentFile(SampleFile("site.spc"));
    CMainVue* view = app->Frame().ActiveView();
    ASSERT_NE(view, nullptr);
    auto* comment = view->findChild<UserTextBox*>(QStringLiteral("userText"));
    comment->setFocus();
    QTest::keyClicks(comment, QStringLiteral("north"));
    QTest::keyClick(comment, Qt::Key_A, Qt::ControlModifier);
    ASSERT_NE(Commands().Window(), nullptr);
    EXPECT_TRUE(Commands().Window()->IsOpen());
    EXPECT_FALSE(comment->textCursor().hasSelection());

    app->Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app->Frame()));
    auto* reference = view->findChild<QLineEdit*>(QStringLiteral("reference"));
    reference->setFocus();
    QTest::keyClick(reference, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(Commands().Window()->IsOpen());
    EXPECT_FALSE(reference->hasSelectedText());
}

TEST_F(AppTest, ReturnClosesEditEntries)
{
    Start();
    OpenWithRecord(*app, SampleFile("site.spc"));
    CMainVue* view = app->Frame().ActiveView();
    app->Frame().Dispatch(CommandId::ModifyEntries);
    EditEntriesDlg* dialog = view->EditEntries();
    ASSERT_NE(dialog, nullptr);
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    // Even after a click on another button.
    dialog->findChild<QAbstractButton*>(QStringLiteral("bandUp"))->click();
    QTest::keyClick(dialog, Qt::Key_Return);
    EXPECT_EQ(view->EditEntries(), nullptr);
    EXPECT_EQ(view->HighlightBand(), 0);
}

TEST_F(AppTest, TheClipboardFieldShowsAFileNameBeyondAsciiAsTheTitleDoes)
{
    Start();
    OpenWithRecord(*app, SampleFile("Büro 3.spc"));
    CMainVue* view = app->Frame().ActiveView();
    app->Frame().Dispatch(CommandId::EditCopy);
    EXPECT_EQ(view->findChild<QLineEdit*>(QStringLiteral("clipboard"))->text(), "Büro 3.spc    [01]");
}

}  // namespace
