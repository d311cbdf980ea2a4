#pragma once

#include "app/CMainApp.h"
#include "app/FileDialogs.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Readable failures: Qt strings print as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}

// File dialogs answered from a script: each request is recorded, each answer
// taken in turn (Cancel once the script is used up).
class ScriptedFileDialogs : public FileDialogs {
public:
    void Answer(std::optional<QString> path) { m_answers.push_back(std::move(path)); }
    std::optional<QString> GetOpenFileName(const Request& request) override;
    std::optional<QString> GetSaveFileName(const Request& request) override;

    std::vector<Request> requests;

private:
    std::optional<QString> Next(const Request& request);
    std::deque<std::optional<QString>> m_answers;
};

// Runs action on the next modal window that opens (a message box, a
// dialog), from the event loop that window runs.
void WhenModalOpens(std::function<void(QWidget*)> action);
// Presses the message box's button with this text ("&Yes", "&No", "OK", ...).
void PressButton(QWidget* box, const QString& text);
// The text of a message box.
QString BoxText(QWidget* box);

// A test with a private profile file and settings at their defaults, and a
// spectrum data file or two to open.
class AppTest : public ::testing::Test {
protected:
    AppTest();
    ~AppTest() override;

    // A 5828-byte spectrum data file in the test's folder.
    QString SampleFile(const std::string& name);
    // The application, started with options (Splashscreen 0 unless set).
    CMainApp& Start(CMainApp::Options options = {});

    TempDir dir;
    // Copies of unsaved documents stay in the test's folder too.
    ScopedEnvironment stateHome{"XDG_STATE_HOME", dir.Path().c_str()};
    ScriptedFileDialogs dialogs;
    std::unique_ptr<CMainApp> app;
};
