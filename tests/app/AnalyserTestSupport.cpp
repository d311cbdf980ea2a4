#include "AnalyserTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/AnalyserWindow.h"
#include "app/CMainFrm.h"
#include "app/CommandIds.h"
#include "app/EventLoopSleeper.h"
#include "data/ProgramSettings.h"
#include "link/CCommsDlg.h"

#include <stdexcept>

AnalyserTest::AnalyserTest()
{
    std::string error;
    if (!simulator.Open(error))
        throw std::runtime_error(error);
    EventLoopSleeper::Instance().SetWaiter([this](int milliseconds) {
        ++pauses;
        pauseMs = milliseconds;
        if (simulator.IsLineOpen())
            simulator.Service();
        if (onPause)
            onPause();
    });
}

AnalyserTest::~AnalyserTest()
{
    app.reset();
    EventLoopSleeper::Instance().SetWaiter(nullptr);
}

CMainApp& AnalyserTest::StartWithAnalyser()
{
    Start();
    Settings().Comdelay = 1;
    app->Services().comms.Link().SetDevicePath(simulator.DevicePath());
    return *app;
}

AnalyserCommands& AnalyserTest::Commands()
{
    return app->Analyser();
}

AnalyserWindow& AnalyserTest::OpenWindow()
{
    EXPECT_TRUE(app->Frame().Dispatch(CommandId::Connect));
    AnalyserWindow* window = Commands().Window();
    EXPECT_NE(window, nullptr);
    simulator.ClearReceived();
    return *window;
}
