#include "ViewFixture.h"

#include "app/CMainChd.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/DocumentManager.h"
#include "app/EditEntriesDlg.h"
#include "app/PlotPicture.h"
#include "app/RecordStrip.h"
#include "app/UserTextBox.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/RecordClipboard.h"
#include "data/WindowPosition.h"
#include "plot/ScreenGraph.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <filesystem>

namespace {

// ---- the form and its texts ------------------------------------------------------

TEST_F(ViewTest, TheFormShowsTheSelectedRecordsTexts)
{
    Open();
    Fill(4);
    Doc().Data().serialNumber = {'T', '7', 'A', '0', '0', '4', '2', '\0'};
    view->SetSelectedMemory(5);
    EXPECT_EQ(Field("reference"), "110.0dB SPL");
    EXPECT_EQ(Field("wideband"), "112.5dB SPL");
    EXPECT_EQ(Field("source"), "Mike");
    EXPECT_EQ(Field("weighting"), "flat");
    EXPECT_EQ(Field("nc"), "NC-30");
    EXPECT_EQ(Field("serial"), "T7A0042");
    EXPECT_EQ(Field("memory"), "5");
    EXPECT_EQ(Field("changed"), "");
    EXPECT_EQ(Control<QTextEdit>("userText")->toPlainText(), "Plant room\nnorth wall\n\n");
    EXPECT_TRUE(Control("ncUp")->isEnabled());
    // Down and Up wait for an analyser that has answered.
    EXPECT_FALSE(Control("down")->isEnabled());

    // An empty Left record: only its source shows, and no NC buttons.
    view->SetSelectedMemory(1);
    EXPECT_EQ(Field("reference"), "");
    EXPECT_EQ(Field("source"), "Left");
    EXPECT_EQ(Field("nc"), "");
    EXPECT_FALSE(Control("ncUp")->isEnabled());
    EXPECT_FALSE(Control("ncDown")->isEnabled());
    EXPECT_EQ(Control<QTextEdit>("userText")->toPlainText(), "");
}

TEST_F(ViewTest, EveryControlHasANameAndTooltipsFollowTheSetting)
{
    Open();
    for (QWidget* control : view->findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        }
    }
    EXPECT_EQ(Control("cutOne")->toolTip(), "Copy data in selected Memory  to Clipboard, then delete it");
    EXPECT_EQ(Control("nc")->toolTip(), "\"NC-15\" to \"NC-65\"");
    EXPECT_EQ(Control("ncUp")->toolTip(), "");
    Settings().Tooltips = 0;
    view->Invalidate();
    EXPECT_EQ(Control("cutOne")->toolTip(), "");
}

TEST_F(ViewTest, RecordStripAndPlotShowTheSelectedRecord)
{
    Open();
    Fill(2);
    view->SetSelectedMemory(3);
    QApplication::processEvents();
    auto* strip = view->findChild<RecordStrip*>();
    ASSERT_NE(strip, nullptr);
    const QImage cells = strip->grab().toImage();
    EXPECT_EQ(cells.pixel(20, 0), RecordStrip::kSelectedFrame);  // record 3: olive frame
    EXPECT_EQ(cells.pixel(25, 8), RecordStrip::kSelectedInUse);  // holding data
    EXPECT_EQ(cells.pixel(0, 0), RecordStrip::kFrame);
    EXPECT_EQ(cells.pixel(5, 8), RecordStrip::kEmpty);

    auto* plot = view->findChild<PlotPicture*>();
    ASSERT_NE(plot, nullptr);
    plot->grab();
    // Band 0 (code 130, -3.75 dBr) is a red dash at 2 dB per step: row 31 + 18.
    EXPECT_EQ(plot->Picture().pixel(26, 49), ScreenGraph::kRecordColour);
    QCheckBox* twoDb = Control<QCheckBox>("twoDb");
    twoDb->click();
    plot->grab();
    EXPECT_EQ(plot->Picture().pixel(26, 68), ScreenGraph::kRecordColour);
}

TEST_F(ViewTest, TheMouseReadsOutThePlotAndChoosesRecordsOnTheStrip)
{
    Open();
    Fill(0);
    auto* plot = view->findChild<PlotPicture*>();
    auto* strip = view->findChild<RecordStrip*>();
    // The row the plot draws 0 dBr at reads 0.0.
    QTest::mouseMove(plot, QPoint(21, 31));
    EXPECT_EQ(Field("info"), "Mem:01     Freq:25Hz     Cursor:0.0dBr       Data:-3.8dBr");
    QTest::mouseMove(strip, QPoint(95, 8));
    EXPECT_EQ(Field("info"), "Mem:10");
    EXPECT_EQ(view->SelectedMemory(), 1);
    // A press on the strip's right-most pixel selects record 30.
    QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(300, 8));
    EXPECT_EQ(view->SelectedMemory(), 30);
    EXPECT_EQ(Field("info"), "Mem:30");
    // Leaving the strip or the plot straight onto another control empties the line.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(strip, &leave);
    EXPECT_EQ(Field("info"), "");
    QTest::mouseMove(plot, QPoint(21, 29));
    QApplication::sendEvent(plot, &leave);
    EXPECT_EQ(Field("info"), "");
    // Left and Right step the record while the strip has the focus.
    strip->setFocus();
    QTest::keyClick(strip, Qt::Key_Right);
    EXPECT_EQ(view->SelectedMemory(), 1);
    QTest::keyClick(strip, Qt::Key_Left);
    EXPECT_EQ(view->SelectedMemory(), 30);
    EXPECT_TRUE(strip->accessibleDescription().startsWith("Record 30 selected."))
        << strip->accessibleDescription().toStdString();
}

TEST_F(ViewTest, TheReadingOfThePlotFollowsTheRecordTheReferenceAndTheScale)
{
    Open();
    Fill(0);
    Fill(1);
    Record(1).bands[0] = 146;
    auto* plot = view->findChild<PlotPicture*>();
    QTest::mouseMove(plot, QPoint(21, 21));
    EXPECT_EQ(Field("info"), "Mem:01     Freq:25Hz     Cursor:2.0dBr       Data:-3.8dBr");
    QTest::keyClick(&app->Frame(), Qt::Key_PageDown);
    EXPECT_EQ(Field("info"), "Mem:02     Freq:25Hz     Cursor:2.0dBr       Data:-1.8dBr");
    Click("previousRecord");
    EXPECT_EQ(Field("info"), "Mem:01     Freq:25Hz     Cursor:2.0dBr       Data:-3.8dBr");
    Click("referenceDown");
    EXPECT_EQ(Field("info"), "Mem:01     Freq:25Hz     Cursor:2.0dBr       Data:-2.8dBr");
    Control<QCheckBox>("twoDb")->click();
    EXPECT_EQ(Field("info"), "Mem:01     Freq:25Hz     Cursor:1.0dBr       Data:-2.8dBr");
    // Away from the plot a change leaves the line empty.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(plot, &leave);
    QTest::keyClick(&app->Frame(), Qt::Key_PageDown);
    EXPECT_EQ(Field("info"), "");
}

TEST_F(ViewTest, TheReferenceOfARecordThatHoldsNoDataCannotBeStepped)
{
    Open();
    Fill(0);
    EXPECT_TRUE(Control("referenceUp")->isEnabled());
    EXPECT_TRUE(Control("referenceDown")->isEnabled());
    view->SetSelectedMemory(2);
    EXPECT_FALSE(Control("referenceUp")->isEnabled());
    EXPECT_FALSE(Control("referenceDown")->isEnabled());
    Click("referenceUp");
    EXPECT_EQ(Doc().IsRecordInUse(1), 0);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ViewTest, SavingTakesTheChangedMarkAwayInEveryView)
{
    Open();
    Fill(0);
    app->Frame().Dispatch(CommandId::WindowNew);
    CMainVue* other = app->Frame().ActiveView();
    ASSERT_NE(other, view);
    Click("ncUp");
    EXPECT_EQ(Field("changed"), "data changed!");
    EXPECT_EQ(Field("changed", other), "data changed!");
    app->Frame().Dispatch(CommandId::FileSave);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Field("changed"), "");
    EXPECT_EQ(Field("changed", other), "");
}

TEST_F(ViewTest, ReferenceAndNcStepsChangeTheRecordAndCanBeUndone)
{
    Open();
    Fill(0);
    Click("referenceUp");
    EXPECT_EQ(Field("reference"), "111.0dB SPL");
    EXPECT_EQ(Field("changed"), "data changed!");
    Click("ncUp");
    EXPECT_EQ(Field("nc"), "NC-35");
    Record(0).mode = 1 | (11 << 4);
    Click("ncUp");
    EXPECT_EQ(Field("nc"), "none");
    Click("ncDown");
    EXPECT_EQ(Field("nc"), "NC-65");
    // Stored indices beyond NC-65 (12 to 15): "+" gives none, "-" one less.
    Record(0).mode = 1 | (15 << 4);
    Click("ncDown");
    EXPECT_EQ(Record(0).NcCurve(), 14);
    Click("ncUp");
    EXPECT_EQ(Record(0).NcCurve(), 0);

    // A band at code 5 cannot drop a whole dB: nothing changes.
    Record(0).bands[3] = 5;
    const SpectrumFile before = Doc().Data();
    WhenModalOpens([](QWidget* box) {
        EXPECT_EQ(BoxText(box), "Cannot do, data will overflow");
        PressButton(box, "OK");
    });
    Click("referenceUp");
    EXPECT_EQ(Doc().Data(), before);
}

TEST_F(ViewTest, AtADevicePixelRatioOf2ThePlotIsScaledWithoutSmoothing)
{
    Open();
    Fill(0);
    view->findChild<QCheckBox*>(QStringLiteral("multi"))->click();
    auto* plot = view->findChild<PlotPicture*>();
    ASSERT_NE(plot, nullptr);
    QImage doubled(plot->size() * 2, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2);
    plot->render(&doubled);
    const QImage& picture = plot->Picture();
    ASSERT_EQ(picture.size(), QSize(ScreenGraph::kWidth, ScreenGraph::kHeight));
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb pixel = picture.pixel(x, y);
            for (const QPoint& at : {QPoint(2 * x, 2 * y), QPoint(2 * x + 1, 2 * y), QPoint(2 * x, 2 * y + 1),
                                     QPoint(2 * x + 1, 2 * y + 1)})
                differing += doubled.pixel(at) != pixel;
        }
    EXPECT_EQ(differing, 0);
}

// ---- the user text box and the accelerators ----------------------------------------------

TEST_F(ViewTest, TheUserTextIsStoredAsTypedAndKeepsToFourLines)
{
    Open();
    auto* box = Control<UserTextBox>("userText");
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("ab"));
    QTest::keyClick(box, Qt::Key_Return);
    // c, e acute (in Latin-1) and the euro sign (not in Latin-1)
    for (const char* typed : {"c", "\xc3\xa9", "\xe2\x82\xac"}) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8(typed));
        QApplication::sendEvent(box, &key);
    }
    std::string comment;
    Doc().GetComment(comment, 0, 0);
    EXPECT_EQ(comment, "ab\r\nc\xe9?\r\n\r\n\r\n");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().UndoName(), "Typing");
    for (int line = 0; line < 3; ++line)
        QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->textCursor().position(), 0);  // a fifth line sends the caret home
}

TEST_F(ViewTest, AFileDroppedOnTheUserTextBoxOpensInsteadOfBecomingTheComment)
{
    Open();
    auto* box = Control<UserTextBox>("userText");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(SampleFile("dropped.spc"))});
    data.setText(SampleFile("dropped.spc"));
    const QPointF inside(20, 20);
    QDragEnterEvent enter(inside.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());  // by the main window
    QDropEvent drop(inside, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box->viewport(), &drop);
    EXPECT_EQ(box->toPlainText(), "");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(app->Documents().Documents().size(), 2u);

    // Plain text still drops into the box.
    QMimeData text;
    text.setText(QStringLiteral("Fan on"));
    QDragEnterEvent textEnter(inside.toPoint(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box->viewport(), &textEnter);
    QDropEvent typed(inside, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box->viewport(), &typed);
    EXPECT_EQ(box->toPlainText(), "Fan on\n\n\n");
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(ViewTest, RecordKeysActOnRecordsWhileTheUserTextBoxHasTheFocus)
{
    Open();
    Fill(0);
    auto* box = Control<UserTextBox>("userText");
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Doc().IsRecordInUse(0), 0);  // the record was cut, not the text
    EXPECT_EQ(Clipboard().copyCount, 1);
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Doc().IsRecordInUse(0), 1);
    EXPECT_EQ(box->toPlainText(), "Plant room\nnorth wall\n\n");
    QTest::keyClick(box, Qt::Key_PageDown);
    EXPECT_EQ(view->SelectedMemory(), 2);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Record(1), Record(0));
    QTest::keyClick(box, Qt::Key_PageUp);
    QTest::keyClick(box, Qt::Key_PageUp);
    EXPECT_EQ(view->SelectedMemory(), 30);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().copyStart, 29);
    QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);  // nothing to redo: nothing happens
    EXPECT_EQ(Record(1), Record(0));
}

TEST_F(ViewTest, RecordKeysActOnRecordsFromTheTextFieldsToo)
{
    Open();
    Fill(0);
    auto* reference = Control<QLineEdit>("reference");
    reference->setFocus();
    reference->selectAll();
    QTest::keyClick(reference, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Field("clipboard"), "plant.spc    [01]");
    EXPECT_NE(QApplication::clipboard()->text(), "110.0dB SPL");
    auto* memory = Control<QLineEdit>("memory");
    memory->setFocus();
    QTest::keyClick(memory, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Doc().UndoName(), "");  // pasting record 1 over itself changes nothing
    QTest::keyClick(memory, Qt::Key_PageDown);
    EXPECT_EQ(view->SelectedMemory(), 2);
    QTest::keyClick(memory, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Record(1), Record(0));
    QTest::keyClick(memory, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Doc().IsRecordInUse(1), 0);
}

TEST_F(ViewTest, TheOtherUndoAndRedoKeysActOnTheDocumentFromTheUserTextBox)
{
    Open();
    Fill(0);
    Click("referenceUp");
    auto* box = Control<UserTextBox>("userText");
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClick(box, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Field("reference"), "110.0dB SPL");
    EXPECT_EQ(Field("changed"), "");
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Field("reference"), "111.0dB SPL");
    // The text itself was left alone.
    EXPECT_EQ(box->toPlainText(), "Plant room\nnorth wall\n\n");
    EXPECT_EQ(Doc().UndoName(), "Reference Shift");
}

// ---- the record clipboard ------------------------------------------------------------------------

TEST_F(ViewTest, CopyOnePutsTheRecordTextOnTheSystemClipboardAndEnablesPaste)
{
    Open();
    Fill(4);
    view->SetSelectedMemory(5);
    Settings().Clipfmat = 30;
    Settings().Clipfiesep = 44;
    Click("copyOne");
    QString expected;
    for (int band = 0; band < 30; ++band)
        expected += QStringLiteral("%1 %2").arg(band ? "," : "").arg(130 + band, 3);
    EXPECT_EQ(QApplication::clipboard()->text(), expected + "\r\n");
    EXPECT_EQ(Field("clipboard"), "plant.spc    [05]");
    EXPECT_TRUE(Control("paste")->isEnabled());

    // An empty record copies, but leaves nothing to offer: Paste is disabled.
    view->SetSelectedMemory(6);
    Click("copyOne");
    EXPECT_EQ(Field("clipboard"), "");
    EXPECT_FALSE(Control("paste")->isEnabled());
}

TEST_F(ViewTest, PasteOfAllRecordsAsksFirst)
{
    Open();
    Fill(4);
    Click("copyAll");
    EXPECT_EQ(Field("clipboard"), "plant.spc    [ALL]");
    Doc().ClearRecord(4);
    Doc().SetModifiedFlag(false);
    QString question;
    WhenModalOpens([&](QWidget* box) {
        question = BoxText(box);
        PressButton(box, "&No");
    });
    Click("paste");
    EXPECT_EQ(question, "Pasting ALL 30 Memory Records\nContinue?");
    EXPECT_EQ(Doc().IsRecordInUse(4), 0);
    EXPECT_FALSE(Doc().IsModified());

    WhenModalOpens([](QWidget* box) { PressButton(box, "&Yes"); });
    Click("paste");
    EXPECT_EQ(Doc().IsRecordInUse(4), 1);
    EXPECT_EQ(Doc().UndoName(), "Paste");
}

TEST_F(ViewTest, CutThenPasteMovesARecordAndTheMenuNamesTheUndo)
{
    Open();
    Fill(0);
    const MemoryRecord moved = Record(0);
    Click("cutOne");
    view->SetSelectedMemory(8);
    Click("paste");
    EXPECT_EQ(Record(7), moved);
    EXPECT_EQ(Doc().IsRecordInUse(0), 0);
    CMainFrm& frame = app->Frame();
    EXPECT_EQ(frame.StateOf(CommandId::EditUndo).text, "&Undo Paste\tCtrl+Z");
    frame.Dispatch(CommandId::EditUndo);
    EXPECT_EQ(frame.StateOf(CommandId::EditUndo).text, "&Undo Cut\tCtrl+Z");
    EXPECT_EQ(frame.StateOf(CommandId::EditRedo).text, "&Redo Paste\tCtrl+Y");
}

// ---- two views, undo across a save ---------------------------------------------------------------------

TEST_F(ViewTest, TwoViewsOfOneDocumentStayInStep)
{
    Open();
    Fill(0);
    CMainFrm& frame = app->Frame();
    frame.Dispatch(CommandId::WindowNew);
    CMainVue* second = frame.ActiveView();
    ASSERT_NE(second, view);
    second->SetSelectedMemory(2);
    EXPECT_EQ(view->SelectedMemory(), 1);  // each view keeps its own record
    Click("referenceUp");
    second->SetSelectedMemory(1);
    EXPECT_EQ(Field("reference", second), "111.0dB SPL");
    EXPECT_EQ(Field("changed", second), "data changed!");
    QTest::keyClick(&frame, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Field("reference", view), "110.0dB SPL");
    EXPECT_EQ(Field("reference", second), "110.0dB SPL");
}

TEST_F(ViewTest, UndoAndRedoWorkAcrossASave)
{
    Open();
    Fill(0);
    Click("ncUp");
    CMainFrm& frame = app->Frame();
    frame.Dispatch(CommandId::FileSave);
    EXPECT_FALSE(Doc().IsModified());
    Click("ncUp");
    EXPECT_EQ(Field("nc"), "NC-40");
    frame.Dispatch(CommandId::EditUndo);
    EXPECT_EQ(Field("nc"), "NC-35");
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(Field("changed"), "");
    frame.Dispatch(CommandId::EditUndo);
    EXPECT_EQ(Field("nc"), "NC-30");
    EXPECT_TRUE(Doc().IsModified());
    frame.Dispatch(CommandId::EditRedo);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ViewTest, ResizeViewShrinksAnEnlargedWindowToTheFormOnly)
{
    Open();
    CMainFrm& frame = app->Frame();
    CMainChd* window = frame.ActiveChild();
    ASSERT_NE(window, nullptr);
    const QSize fitted = window->size();
    EXPECT_EQ(view->size(), view->FormSize());
    window->resize(fitted + QSize(200, 150));
    frame.Dispatch(CommandId::ResizeView);
    EXPECT_EQ(window->size(), fitted);
    window->resize(fitted.width() + 50, 200);
    frame.Dispatch(CommandId::ResizeView);
    EXPECT_EQ(window->size(), QSize(fitted.width(), 200));
}

// ---- Edit Entries --------------------------------------------------------------------------------

TEST_F(ViewTest, EditEntriesShowsWithoutChangingAndFollowsTheView)
{
    Open();
    // A Left record that arrived with weighting and NC bits.
    Record(1).bands[0] = 100;
    Record(1).mode = 2 | 8 | (4 << 4);
    Profile().WriteInt(ProfileKeys::kSettings, ProfileKeys::kDlgModifPos, PackWindowPosition(5000, 40));
    view->SetSelectedMemory(2);
    app->Frame().Dispatch(CommandId::ModifyEntries);
    EditEntriesDlg* dialog = view->EditEntries();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Edit Entries Directly");
    EXPECT_EQ(dialog->pos().x(), 0);  // beyond the screen
    EXPECT_TRUE(app->Frame().StateOf(CommandId::ModifyEntries).checked);
    EXPECT_EQ(view->HighlightBand(), 1);
    EXPECT_EQ(dialog->Text("memory"), "2");
    EXPECT_EQ(dialog->Text("frequency"), "25 Hz");
    EXPECT_EQ(dialog->Text("level"), "-7.5dBr");
    EXPECT_EQ(dialog->Text("weight"), "C");
    EXPECT_EQ(Record(1).mode, 2 | 8 | (4 << 4));  // showing changes nothing
    EXPECT_FALSE(Doc().IsModified());
    dialog->findChild<QAbstractButton*>(QStringLiteral("refresh"))->click();
    EXPECT_EQ(Record(1).mode, 2 | 8 | (4 << 4));

    // The view moves on: the window shows and edits the new record.
    view->SetSelectedMemory(3);
    EXPECT_EQ(dialog->Text("memory"), "3");
    EXPECT_EQ(dialog->Text("level"), "<-20dBr");
    dialog->findChild<QAbstractButton*>(QStringLiteral("levelUpTen"))->click();
    EXPECT_EQ(Record(2).bands[0], 10);
    EXPECT_EQ(Record(1).bands[0], 100);
    EXPECT_EQ(Field("changed"), "data changed!");
    EXPECT_EQ(Doc().UndoName(), "Modify Entries");
    dialog->findChild<QAbstractButton*>(QStringLiteral("bandDown"))->click();
    EXPECT_EQ(view->HighlightBand(), 30);
    EXPECT_EQ(dialog->Text("frequency"), "20K Hz");

    // Undo and redo from the window itself.
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Record(2).bands[0], 0);
    EXPECT_EQ(dialog->Text("level"), "<-20dBr");
    QTest::keyClick(dialog, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Record(2).bands[0], 10);

    dialog->move(120, 80);
    dialog->findChild<QAbstractButton*>(QStringLiteral("ok"))->click();
    EXPECT_EQ(view->EditEntries(), nullptr);
    EXPECT_EQ(view->HighlightBand(), 0);
    const WindowPosition stored = UnpackWindowPosition(
        Profile().GetInt(ProfileKeys::kSettings, ProfileKeys::kDlgModifPos, 0), 4096, 4096);
    EXPECT_EQ(stored.x, 120);
    EXPECT_EQ(stored.y, 80);
}

TEST_F(ViewTest, EditEntriesKeepsTheWeightingAndNcCurveOfALeftRecordThroughOtherEdits)
{
    Open();
    constexpr int kLeftFlatNc30 = 2 | 8 | (4 << 4);
    Record(1).bands[0] = 100;
    Record(1).mode = kLeftFlatNc30;
    view->SetSelectedMemory(2);
    app->Frame().Dispatch(CommandId::ModifyEntries);
    EditEntriesDlg* dialog = view->EditEntries();
    ASSERT_NE(dialog, nullptr);
    for (const char* button : {"levelUp", "referenceUp", "widebandUp"}) {
        dialog->findChild<QAbstractButton*>(QLatin1String(button))->click();
        EXPECT_EQ(Record(1).mode, kLeftFlatNc30) << button;
    }
    EXPECT_EQ(Record(1).bands[0], 101);
    EXPECT_EQ(dialog->Text("weight"), "C");
    // Their own buttons leave them alone on a record that is not Mike's.
    dialog->findChild<QAbstractButton*>(QStringLiteral("ncUp"))->click();
    EXPECT_EQ(Record(1).mode, kLeftFlatNc30);
}

TEST_F(ViewTest, EditEntriesNamesEveryControlLinesUpItsTextsAndTipsOnlyWhenAsked)
{
    Open();
    CMainFrm& frame = app->Frame();
    frame.Dispatch(CommandId::ModifyEntries);
    EditEntriesDlg* dialog = view->EditEntries();
    ASSERT_NE(dialog, nullptr);
    dialog->show();
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_"))) {
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->objectName().toStdString();
        }
    }
    const auto left = [dialog](const char* name) {
        QWidget* field = dialog->findChild<QWidget*>(QLatin1String(name));
        return field ? field->mapTo(dialog, QPoint(0, 0)).x() : -1;
    };
    EXPECT_EQ(left("memory"), left("frequency"));
    EXPECT_EQ(left("memory"), left("input"));
    EXPECT_EQ(left("reference"), left("nc"));
    EXPECT_EQ(dialog->findChild<QAbstractButton*>(QStringLiteral("levelUp"))->toolTip(),
              "Band level up one step");

    frame.Dispatch(CommandId::ModifyEntries);
    Settings().Tooltips = 0;
    frame.Dispatch(CommandId::ModifyEntries);
    ASSERT_NE(view->EditEntries(), nullptr);
    EXPECT_EQ(view->EditEntries()->findChild<QAbstractButton*>(QStringLiteral("levelUp"))->toolTip(), "");
}

TEST_F(ViewTest, TheByteListShowsTheRecordWithAFreshChecksum)
{
    Open();
    Fill(4);
    Record(4).checksum = 0;
    view->SetSelectedMemory(5);
    app->Frame().Dispatch(CommandId::ModifyEntries);
    QString text;
    WhenModalOpens([&](QWidget* box) {
        text = BoxText(box);
        PressButton(box, "OK");
    });
    view->EditEntries()->findChild<QAbstractButton*>(QStringLiteral("byteList"))->click();
    EXPECT_TRUE(text.startsWith("Memory Record: 5\n\n00: 82 \n01: 83 ")) << text.toStdString();
    const QString checksum =
        QString::number(Record(4).ComputeChecksum(), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    EXPECT_TRUE(text.endsWith(QStringLiteral("33: %1 Checksum").arg(checksum))) << text.toStdString();
    EXPECT_NE(Record(4).checksum, 0);
    EXPECT_FALSE(Doc().IsModified());
    // The command again closes the window.
    app->Frame().Dispatch(CommandId::ModifyEntries);
    EXPECT_EQ(view->EditEntries(), nullptr);
}

// ---- export and import ------------------------------------------------------------------------

TEST_F(ViewTest, ExportAndImportAskForFilesByTheDocumentsName)
{
    Open();
    Fill(0);
    const QString prx = QString::fromStdString(dir.File("out.prx"));
    dialogs.Answer(prx);
    app->Frame().Dispatch(CommandId::ExportPrx);
    ASSERT_EQ(dialogs.requests.size(), 1u);
    EXPECT_EQ(dialogs.requests[0].title, "Save As");
    EXPECT_EQ(dialogs.requests[0].proposedName, QString::fromStdString(dir.File("plant.prx")));
    EXPECT_EQ(dialogs.requests[0].defaultSuffix, "prx");
    EXPECT_EQ(ReadText(dir.File("out.prx")).size(), 30u * 134 + 1);

    Doc().ClearRecord(0);
    Doc().SetModifiedFlag(false);
    dialogs.Answer(prx);
    app->Frame().Dispatch(CommandId::Import);
    EXPECT_EQ(dialogs.requests[1].title, "Open");
    EXPECT_EQ(dialogs.requests[1].proposedName, QString::fromStdString(dir.File("plant.prn")));
    EXPECT_EQ(Record(0).bands[5], 135);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Doc().UndoName(), "Import");

    // Cancelled: nothing is read or written.
    app->Frame().Dispatch(CommandId::ExportPrn);
    EXPECT_FALSE(std::filesystem::exists(dir.File("plant.prn")));
}

}  // namespace
