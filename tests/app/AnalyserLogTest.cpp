// The analyser log on screen: the bytes of an exchange appear while the
// window is open, Save As writes them to a file, Clear empties it.

#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserLogWindow.h"
#include "app/AnalyserWindow.h"
#include "app/CMainFrm.h"
#include "app/CommandIds.h"
#include "link/AnalyserLog.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

QString FileText(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    return QString::fromLatin1(file.readAll());
}

TEST_F(AnalyserTest, TheLogShowsEveryByteOfAnExchangeAndSavesIt)
{
    StartWithAnalyser();
    AnalyserWindow& window = OpenWindow();
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::AnalyserLog));
    AnalyserLogWindow* log = Commands().LogWindow();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->isVisible());
    // The status read of the opening is there already: "?" and its 1 + 8 replies.
    EXPECT_TRUE(log->Text()->toPlainText().contains("sent      3F '?'  status request"));

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(300, 45));  // Mike
    QTest::qWait(2 * 100 + 50);  // the window catches up at most every 100 ms
    const QStringList lines = log->Text()->toPlainText().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[lines.size() - 2].endsWith("  sent      4D 'M'  input Mike"))
        << lines[lines.size() - 2].toStdString();
    EXPECT_TRUE(lines.back().contains("  received  ")) << lines.back().toStdString();
    EXPECT_TRUE(lines.back().endsWith("reply to 4D (input Mike)")) << lines.back().toStdString();

    const std::string saved = dir.File("field.log");
    dialogs.Answer(QString::fromStdString(saved));
    QTest::mouseClick(log->SaveButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.requests.back().proposedName, "tv7w-analyser.log");
    const QString text = FileText(saved);
    EXPECT_TRUE(text.startsWith("TV7W analyser log, ")) << text.toStdString();
    // The file holds what the window shows, one line per byte.
    EXPECT_TRUE(text.endsWith(log->Text()->toPlainText() + "\n"));
    EXPECT_EQ(text.count('\n'), static_cast<qsizetype>(Commands().Log().Entries().size()) + 1);

    QTest::mouseClick(log->ClearButton(), Qt::LeftButton);
    QTest::qWait(150);
    EXPECT_TRUE(Commands().Log().Entries().empty());
    EXPECT_TRUE(log->Text()->toPlainText().isEmpty());
}

TEST_F(AnalyserTest, ALogThatCannotBeSavedSaysWhy)
{
    StartWithAnalyser();
    OpenWindow();
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::AnalyserLog));
    const std::string path = dir.File("no-folder/field.log");
    dialogs.Answer(QString::fromStdString(path));
    QString message;
    WhenModalOpens([&](QWidget* box) {
        message = BoxText(box);
        PressButton(box, "OK");
    });
    QTest::mouseClick(Commands().LogWindow()->SaveButton(), Qt::LeftButton);
    EXPECT_TRUE(message.startsWith(QString::fromStdString("Cannot write " + path + "\n(")))
        << message.toStdString();
}

}  // namespace
