#pragma once

#include "app/CommandTarget.h"

#include <QPointer>

class BandTableWindow;
class CMainFrm;
struct AppServices;

// The commands on a record's acoustic results: the Band Table window of the
// active view and the export of every record's results as CSV.
class ResultsCommands : public CommandTarget {
public:
    ResultsCommands(AppServices& services, CMainFrm& frame);
    ~ResultsCommands() override;

    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

private:
    void ToggleBandTable();
    void ExportCsv();

    AppServices& m_services;
    CMainFrm& m_frame;
    // A window of the frame, which takes it along when it goes.
    QPointer<BandTableWindow> m_bandTable;
};

// The decimal point of the user's locale: ',' where it is a comma, else '.'.
char LocaleDecimalPoint();
