#pragma once

#include "app/CommandTarget.h"
#include "data/CMainDoc.h"

#include <QLabel>
#include <QScrollArea>

struct AppServices;

// The spectrum view: one window's look at one document, with its own
// selected record. (A plain picture of the selected record until the form
// view is built.)
class CMainVue : public QScrollArea, public DocumentView, public CommandTarget {
public:
    CMainVue(CMainDoc& document, AppServices& services, QWidget* parent = nullptr);
    ~CMainVue() override;

    CMainDoc& GetDocument() const { return m_document; }
    // The selected memory record, 1..30.
    int SelectedMemory() const { return m_nMemory; }
    // The size of the whole view with the form unscrolled, which the window
    // takes at first and on Resize View.
    QSize FormSize() const;

    void OnUpdate(DocumentView* sender, int hint) override;
    std::optional<CommandState> QueryCommand(int id) override;
    void RunCommand(int id) override;

private:
    void ShowRecord();

    CMainDoc& m_document;
    AppServices& m_services;
    QLabel* m_picture = nullptr;
    int m_nMemory = 1;
};
