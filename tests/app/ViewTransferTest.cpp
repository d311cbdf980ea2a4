// Down and Up from the view, against the simulated analyser on a real
// pseudo-terminal, through the program's own analyser object.

#include "ViewFixture.h"

#include "app/CommandIds.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"
#include "sim/TalvekSimulator.h"
#include "support/ScopedEnvironment.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QMessageBox>
#include <QTimer>

#include <cstdlib>
#include <thread>

namespace {

class ViewTransfer : public ViewTest {
protected:
    ViewTransfer()
    {
        std::string error;
        if (!simulator.Open(error))
            throw std::runtime_error(error);
        // Replies at once, not at the line's speed.
        simulator.SetRealtime(false);
        analyser = std::thread([this] { simulator.Run(); });
    }
    ~ViewTransfer() override
    {
        // The program, and the timer that answers its questions, go before the analyser.
        app.reset();
        simulator.Stop();
        analyser.join();
    }

    // The view's document, with an analyser that has answered its status read.
    void Connect()
    {
        Open();
        Settings().Comdelay = 1;
        Comms().Link().SetDevicePath(simulator.DevicePath());
        ASSERT_EQ(Comms().ReadStatus(), 0);
        view->Invalidate();
        ASSERT_TRUE(Control("down")->isEnabled());
    }
    CCommsDlg& Comms() { return app->Services().comms; }
    // Answers every message box with No, or OK where there is no No; Yes
    // to the question before an upload, when yesToOverwrite.
    void AnswerNoToEverything(bool yesToOverwrite = false)
    {
        auto* timer = new QTimer(&app->Frame());
        QObject::connect(timer, &QTimer::timeout, [this, yesToOverwrite] {
            // The progress dialog is modal too; only message boxes are answered.
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            questions << BoxText(box);
            if (yesToOverwrite && BoxText(box).startsWith(QLatin1String("Overwrite"))) {
                PressButton(box, QStringLiteral("&Yes"));
                return;
            }
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                if (button->text() == QLatin1String("&No")) {
                    button->click();
                    return;
                }
            PressButton(box, QStringLiteral("OK"));
        });
        timer->start(10);
    }

    // Copies of the downloads go into the test's folder.
    ScopedEnvironment dataHome{"XDG_DATA_HOME", dir.Path().c_str()};
    TalvekSimulator simulator;
    std::thread analyser;
    QStringList questions;
};

TEST_F(ViewTransfer, DownFillsTheSelectedRecordAndTakesTheSerial)
{
    Connect();
    view->SetSelectedMemory(7);
    Click("down");
    const MemoryRecord sent = simulator.Analyser().Memory(simulator.Analyser().SelectedMemory() - 1);
    EXPECT_TRUE(std::equal(sent.Bytes(), sent.Bytes() + MemoryRecord::kDataSize, Record(6).Bytes()));
    EXPECT_EQ(Field("serial"), "T7A0042");
    EXPECT_EQ(Field("changed"), "data changed!");
    EXPECT_EQ(Doc().UndoName(), "Download");
    app->Frame().Dispatch(CommandId::EditUndo);
    EXPECT_EQ(Doc().IsRecordInUse(6), 0);
    EXPECT_EQ(Field("serial"), "");
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(ViewTransfer, DownOfAll30FillsEveryRecord)
{
    Connect();
    Control<QCheckBox>("all30")->click();
    Click("down");
    for (int memory = 0; memory < SpectrumFile::kRecords; ++memory) {
        const MemoryRecord& sent = simulator.Analyser().Memory(memory);
        EXPECT_TRUE(std::equal(sent.Bytes(), sent.Bytes() + MemoryRecord::kDataSize, Record(memory).Bytes()))
            << "memory " << memory + 1;
    }
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_FALSE(Control<QCheckBox>("all30")->isChecked());
}

TEST_F(ViewTransfer, AFailedDownChangesNothing)
{
    Connect();
    Doc().Data().serialNumber = {'O', 'L', 'D', 'S', 'E', 'R', 'I', 'A'};
    const SpectrumFile before = Doc().Data();
    // The analyser's record fails its checksum and the user does not take it.
    simulator.Analyser().SetCorruptMemory(simulator.Analyser().SelectedMemory());
    AnswerNoToEverything();
    Click("down");
    EXPECT_EQ(Comms().LastFailure(), CommsFailure::ChecksumRefused);
    EXPECT_FALSE(questions.isEmpty());
    EXPECT_EQ(Doc().Data(), before);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Doc().CanUndo());
}

TEST_F(ViewTransfer, UpSendsTheSelectedRecordOrAll30)
{
    Connect();
    Fill(3);
    view->SetSelectedMemory(4);
    Click("up");
    const int selected = simulator.Analyser().SelectedMemory();
    EXPECT_TRUE(std::equal(Record(3).Bytes(), Record(3).Bytes() + MemoryRecord::kSize,
                           simulator.Analyser().Memory(selected - 1).Bytes()));
    EXPECT_FALSE(Doc().IsModified());

    Fill(29);
    Control<QCheckBox>("all30")->click();
    QString question;
    WhenModalOpens([&question](QWidget* box) {
        question = BoxText(box);
        PressButton(box, QStringLiteral("&Yes"));
    });
    Click("up");
    EXPECT_EQ(question, "Overwrite all 30 memories of the TALVEK 7?");
    EXPECT_EQ(simulator.Analyser().Memory(29), Record(29));
    EXPECT_EQ(simulator.Analyser().Memory(0), Record(0));
    // The next Up sends one record again.
    EXPECT_FALSE(Control<QCheckBox>("all30")->isChecked());
}

TEST_F(ViewTransfer, UpAsksBeforeOverwritingAllMemoriesOrWithAnEmptyRecord)
{
    Connect();
    Fill(0);
    simulator.ClearReceived();
    const auto upAnswering = [&](const char* button) {
        QString question;
        WhenModalOpens([&question, button](QWidget* box) {
            question = BoxText(box);
            PressButton(box, QLatin1String(button));
        });
        Click("up");
        return question;
    };

    // A record that holds no data, into the memory selected on the analyser.
    view->SetSelectedMemory(5);
    EXPECT_EQ(upAnswering("&No"), "Record 5 holds no data\nOverwrite memory 1 of the TALVEK 7 with it?");
    EXPECT_TRUE(simulator.Received().empty());

    Control<QCheckBox>("all30")->click();
    EXPECT_EQ(upAnswering("&No"), "Overwrite all 30 memories of the TALVEK 7?");
    EXPECT_TRUE(simulator.Received().empty());
    EXPECT_TRUE(Control<QCheckBox>("all30")->isChecked());

    // A record in use goes without a question, and only to the selected memory.
    Control<QCheckBox>("all30")->click();
    simulator.ClearReceived();
    questions.clear();
    AnswerNoToEverything();
    view->SetSelectedMemory(1);
    Click("up");
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(simulator.Received().size(), 70u);
}

TEST_F(ViewTransfer, UpOfAll30StopsAtTheFirstRecordThatFails)
{
    Connect();
    Fill(0);
    Fill(1);
    Fill(2);
    // What one record costs the analyser in answers, measured on record 1.
    simulator.SetFaults({});
    Click("up");
    const long perRecord = simulator.BytesSent();
    ASSERT_GT(perRecord, 0);
    const MemoryRecord untouched = simulator.Analyser().Memory(3);

    // The analyser falls silent in the middle of record 3; the user gives up.
    simulator.SetFaults({.stopAfterBytes = 2 * perRecord + perRecord / 2});
    AnswerNoToEverything(true);
    Control<QCheckBox>("all30")->click();
    Click("up");
    EXPECT_EQ(simulator.Analyser().Memory(0), Record(0));
    EXPECT_EQ(simulator.Analyser().Memory(1), Record(1));
    EXPECT_NE(simulator.Analyser().Memory(2), Record(2));
    EXPECT_EQ(simulator.Analyser().Memory(3), untouched);  // never sent
    EXPECT_EQ(questions.size(), 2);                        // overwrite all 30?, then try again?
    EXPECT_FALSE(Doc().IsModified());
}

}  // namespace
