#include "AppTestSupport.h"

#include "app/CMainFrm.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/SpectrumFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace {

// The whole test program runs on one offscreen QApplication.
class AppEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        m_application = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_program[9] = "test_app";
    char* m_argv[2] = {m_program, nullptr};
    std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// Counts the tests that have ended: a wait for a modal window that its test
// never opened ends with that test, so it cannot answer (with references
// into a finished test) a window of the next one.
int g_testsEnded = 0;

void PollForModal(std::function<void(QWidget*)> action, int triesLeft, int test)
{
    if (test != g_testsEnded)
        return;
    if (QWidget* modal = QApplication::activeModalWidget()) {
        action(modal);
        return;
    }
    if (triesLeft > 0)
        QTimer::singleShot(
            10, [action = std::move(action), triesLeft, test] { PollForModal(action, triesLeft - 1, test); });
}

}  // namespace

std::optional<QString> ScriptedFileDialogs::Next(const Request& request)
{
    requests.push_back(request);
    if (m_answers.empty())
        return std::nullopt;
    // Moved out through a plain QString: GCC 12 at -O2 takes a copy of the
    // optional for "maybe uninitialized".
    const bool given = m_answers.front().has_value();
    QString answer = given ? std::move(*m_answers.front()) : QString();
    m_answers.pop_front();
    if (!given)
        return std::nullopt;
    return answer;
}

std::optional<QString> ScriptedFileDialogs::GetOpenFileName(const Request& request)
{
    return Next(request);
}

std::optional<QString> ScriptedFileDialogs::GetSaveFileName(const Request& request)
{
    return Next(request);
}

void WhenModalOpens(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(
        0, [action = std::move(action), test = g_testsEnded] { PollForModal(action, 500, test); });
}

void PressButton(QWidget* box, const QString& text)
{
    for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
        if (button->text() == text) {
            button->click();
            return;
        }
    ADD_FAILURE() << "no button " << text.toStdString();
}

QString BoxText(QWidget* box)
{
    auto* message = qobject_cast<QMessageBox*>(box);
    return message ? message->text() : QString();
}

AppTest::AppTest()
{
    // Copies of unsaved documents stay in the test's folder too.
    ::setenv("XDG_STATE_HOME", dir.Path().c_str(), 1);
    Profile().SetPath(dir.File("TV7W.ini"));
    Settings() = ProgramSettings{};
    Settings().Splashscreen = 0;
}

AppTest::~AppTest()
{
    ++g_testsEnded;
    app.reset();
    Profile().SetPath({});
    ::unsetenv("XDG_STATE_HOME");
}

QString AppTest::SampleFile(const std::string& name)
{
    const std::string path = dir.File(name);
    WriteBytes(path, std::vector<std::uint8_t>(sizeof(SpectrumFile), 0));
    return QString::fromStdString(path);
}

CMainApp& AppTest::Start(CMainApp::Options options)
{
    if (Settings().Splashscreen == 0)
        WriteText(dir.File("TV7W.ini"), "[Settings]\r\nSplashscreen=0\r\n");
    app = std::make_unique<CMainApp>(options, &dialogs);
    EXPECT_TRUE(app->InitInstance());
    // Accelerators reach only the active window.
    app->Frame().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&app->Frame()));
    return *app;
}
