#pragma once

#include "data/InsulationTable.h"

#include <QWidget>

class ChartCanvas;
class PagePrinter;
class QLabel;
class QTableWidget;
struct AppServices;

// The results of Sound Insulation: per band from 50 Hz to 5 kHz the levels
// of both rooms and the background, the corrected receiving level, D and
// DnT with their bounds; the ratings; the chart of D (or DnT) against the
// shifted reference curve; Copy, Export CSV and Print (which also prints
// to PDF). It shows the results it was given: a later change of the
// records needs the command again.
class SoundInsulationWindow : public QWidget {
    Q_OBJECT

public:
    SoundInsulationWindow(const InsulationResults& results, const QString& documentPath,
                          AppServices& services, PagePrinter& printer, QWidget* parent);

    const InsulationResults& Results() const { return m_results; }
    void Copy();
    void ExportCsv();
    void Print();

private:
    InsulationResults m_results;
    QString m_documentPath;
    AppServices& m_services;
    PagePrinter& m_printer;
    QTableWidget* m_table;
    QLabel* m_ratings;
    ChartCanvas* m_chart;
};
