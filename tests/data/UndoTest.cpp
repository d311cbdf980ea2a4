#include "data/DocumentMessages.h"
#include "support/SampleDocument.h"
#include "support/TempDir.h"

using Undo = DocumentTest;

namespace {

// A change the user makes: band 0 of record 0 one code higher.
void Edit(CMainDoc& doc, const char* name = "Modify Entries", int mergeKey = 0)
{
    DocumentEdit edit(doc, name, mergeKey);
    ++doc.Data().records[0].bands[0];
    doc.SetModifiedFlag();
}

}  // namespace

TEST_F(Undo, UndoAndRedoBringBackEachImageAndNameTheirStep)
{
    const SpectrumFile start = doc.Data();
    Edit(doc);
    {
        DocumentEdit edit(doc, "Paste");
        doc.Data().records[4].wideband = 7;
        doc.SetModifiedFlag();
    }
    const SpectrumFile end = doc.Data();
    EXPECT_EQ(doc.UndoName(), "Paste");
    EXPECT_FALSE(doc.CanRedo());

    doc.Undo();
    EXPECT_EQ(doc.Data().records[4], MemoryRecord::Empty());
    EXPECT_EQ(doc.UndoName(), "Modify Entries");
    EXPECT_EQ(doc.RedoName(), "Paste");
    doc.Undo();
    EXPECT_EQ(doc.Data(), start);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
    doc.Undo();  // nothing left: nothing happens
    EXPECT_EQ(doc.Data(), start);

    doc.Redo();
    doc.Redo();
    EXPECT_EQ(doc.Data(), end);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(Undo, AnEditThatChangesNothingIsNoStep)
{
    {
        DocumentEdit edit(doc, "Paste");
        doc.SetModifiedFlag();
    }
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(Undo, TheModifiedMarkGoesWhenUndoReturnsToTheSavedImage)
{
    TempDir dir;
    Edit(doc);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.spc")));
    const SpectrumFile saved = doc.Data();
    Edit(doc);
    EXPECT_TRUE(doc.IsModified());
    doc.Undo();
    EXPECT_EQ(doc.Data(), saved);
    EXPECT_FALSE(doc.IsModified());
    // Further back than the save is a change again, and so is forward.
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.Redo();
    EXPECT_FALSE(doc.IsModified());
    doc.Redo();
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(Undo, ANewEditAfterUndoingPastTheSaveNeverLooksSavedAgain)
{
    TempDir dir;
    Edit(doc);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.spc")));
    doc.Undo();
    Edit(doc, "Cut");
    EXPECT_FALSE(doc.CanRedo());
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());  // the saved image lay on the branch that is gone
}

TEST_F(Undo, TypingInOneCommentIsOneStepUntilTheDocumentIsSaved)
{
    TempDir dir;
    Edit(doc, "Typing", 1);
    Edit(doc, "Typing", 1);
    Edit(doc, "Typing", 2);  // another record's comment
    doc.Undo();
    EXPECT_EQ(doc.Data().records[0].bands[0], 2);
    doc.Undo();
    EXPECT_EQ(doc.Data().records[0].bands[0], 0);

    Edit(doc, "Typing", 1);
    ASSERT_TRUE(doc.OnSaveDocument(dir.File("a.spc")));
    Edit(doc, "Typing", 1);
    doc.Undo();
    EXPECT_EQ(doc.Data().records[0].bands[0], 1);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Undo, TheHistoryKeepsItsLastStepsOnly)
{
    for (std::size_t i = 0; i < EditHistory::kMaxSteps + 5; ++i)
        Edit(doc);
    int undone = 0;
    while (doc.CanUndo()) {
        doc.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, static_cast<int>(EditHistory::kMaxSteps));
    EXPECT_EQ(doc.Data().records[0].bands[0], 5);
    EXPECT_TRUE(doc.IsModified());  // the new document's image is out of reach
}

TEST_F(Undo, AChangeNoStepRecordsKeepsTheDocumentModifiedThroughUndo)
{
    // A document that holds unsaved records from elsewhere (a recovered copy).
    doc.Data().records[3].wideband = 9;
    doc.SetModifiedFlag();
    Edit(doc);
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    // Marked unmodified, the present counts as saved.
    doc.SetModifiedFlag(false);
    Edit(doc);
    doc.Undo();
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Undo, OpeningOrANewDocumentStartsAFreshHistory)
{
    Edit(doc);
    doc.OnNewDocument();
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(Undo, UndoUpdatesEveryView)
{
    struct Counter : DocumentView {
        int updates = 0;
        void OnUpdate(DocumentView*, int) override { ++updates; }
    } first, second;
    doc.AddView(&first);
    doc.AddView(&second);
    Edit(doc);
    doc.Undo();
    doc.Redo();
    EXPECT_EQ(first.updates, 2);
    EXPECT_EQ(second.updates, 2);
    doc.RemoveView(&first);
    doc.RemoveView(&second);
}
