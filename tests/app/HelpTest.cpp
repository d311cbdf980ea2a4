#include "AppTestSupport.h"

#include "app/CMainFrm.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/HelpWindow.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTimer>

namespace {

HelpWindow* OpenHelpWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* help = dynamic_cast<HelpWindow*>(widget); help && help->isVisible())
            return help;
    return nullptr;
}

QString Page(const QString& name)
{
    QFile file(QStringLiteral(":/help/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

TEST_F(AppTest, F1OpensTheManualAtItsContentsWhereverItWasLeft)
{
    Start();
    EXPECT_EQ(OpenHelpWindow(), nullptr);
    QTest::keyClick(&app->Frame(), Qt::Key_F1);
    HelpWindow* help = OpenHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
    EXPECT_EQ(help->documentTitle(), QStringLiteral("TV7W Help"));

    help->setSource(QUrl(QStringLiteral("files.html")));
    EXPECT_EQ(help->documentTitle(), QStringLiteral("Files and settings"));
    app->Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app->Frame()));
    app->Frame().MenuAction(CommandId::Help)->trigger();
    EXPECT_EQ(OpenHelpWindow(), help);  // one window for the whole run
    EXPECT_EQ(help->source(), QUrl(QStringLiteral("qrc:/help/index.html")));
}

TEST_F(AppTest, AnOpenManualDoesNotKeepTheProgramRunningAfterExit)
{
    Start();
    QTest::keyClick(&app->Frame(), Qt::Key_F1);
    ASSERT_NE(OpenHelpWindow(), nullptr);
    // File > Exit from the running program; a program that runs on is
    // stopped after a while with status 1.
    QTimer::singleShot(0, &app->Frame(), [this] { app->Frame().MenuAction(CommandId::AppExit)->trigger(); });
    // The stop belongs to this test: fired in a later one, it would end
    // every event loop of that test at once.
    QObject stopper;
    QTimer::singleShot(3000, &stopper, [] { QApplication::exit(1); });
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST(HelpManual, EveryPageIsListedInTheContentsAndEveryLinkLeadsToAPage)
{
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]*)(#[^\"]*)?\""));
    const QString contents = Page(QStringLiteral("index.html"));
    QSet<QString> linked;
    for (const QRegularExpressionMatch& match : link.globalMatch(contents))
        linked.insert(match.captured(1));

    QDirIterator pages(QStringLiteral(":/help"));
    int count = 0;
    while (pages.hasNext()) {
        const QString name = QFileInfo(pages.next()).fileName();
        ++count;
        if (name != QLatin1String("index.html")) {
            EXPECT_TRUE(linked.contains(name)) << name.toStdString() << " is not in the contents";
        }
        const QString text = Page(name);
        EXPECT_TRUE(text.contains(QLatin1String("<title>"))) << name.toStdString();
        for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
            const QString target = match.captured(1);
            if (!target.isEmpty()) {
                EXPECT_FALSE(Page(target).isEmpty())
                    << name.toStdString() << " links to " << target.toStdString();
            }
        }
    }
    EXPECT_GE(count, 10);
}

TEST(HelpManual, TheKeyTableListsEveryKeyOfTheMenusAndToolbar)
{
    const QString contents = Page(QStringLiteral("index.html"));
    const QString table =
        contents.section(QStringLiteral("<h2>Keys</h2>"), 1).section(QStringLiteral("</table>"), 0, 0);
    ASSERT_FALSE(table.isEmpty());
    for (const int id : CommandTable::CommandsWithAccelerators())
        for (const QKeySequence& key : CommandTable::Accelerators(id)) {
            // Written out as the menus' shortcut labels are.
            QString text = key.toString(QKeySequence::PortableText);
            text.replace(QStringLiteral("PgDown"), QStringLiteral("Page Down"))
                .replace(QStringLiteral("PgUp"), QStringLiteral("Page Up"))
                .replace(QStringLiteral("Del"), QStringLiteral("Delete"))
                .replace(QStringLiteral("Ins"), QStringLiteral("Insert"));
            EXPECT_TRUE(table.contains(QStringLiteral("<td>") + text) ||
                        table.contains(QStringLiteral(", ") + text))
                << text.toStdString();
        }
}
