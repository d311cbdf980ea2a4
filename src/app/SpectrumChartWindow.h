#pragma once

#include "data/SpectrumFile.h"
#include "plot/SpectrumChartData.h"

#include <QWidget>

#include <set>

class ChartCanvas;
class CMainDoc;
class CMainFrm;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QSpinBox;
class QTimer;
class QVBoxLayout;
struct AppServices;

// The Spectrum Chart: the absolute levels of the active view's record and
// of the records ticked in the list beside it, large, against frequency. It
// follows the active window, its record and every change of its document
// (edit, paste, undo, download); Copy puts the chart on the clipboard as an
// image, Export writes it as PNG, SVG or PDF.
class SpectrumChartWindow : public QWidget {
    Q_OBJECT

public:
    // How often the window looks whether the active view or its document
    // moved on, as the Band Table does.
    static constexpr int kFollowMs = 100;

    SpectrumChartWindow(CMainFrm& frame, AppServices& services);

    // Shows the active view's document and record as they are now.
    void Follow();
    void Copy();
    void Export();

    ChartCanvas& Canvas() const { return *m_canvas; }
    const SpectrumChartChoice& Choice() const { return m_choice; }
    // The readout of the band under the mouse.
    QString Readout() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildMenus(QVBoxLayout* layout);
    // The document shown while it is open, else null.
    CMainDoc* ShownDocument() const;
    void FillList();
    void UpdateChart();
    void Ticked(QListWidgetItem* item);
    void ShowReadout(double hz);
    void ReadCurve();

    CMainFrm& m_frame;
    AppServices& m_services;
    // The document shown, compared with the active view's but never used
    // once that has gone.
    const CMainDoc* m_document = nullptr;
    SpectrumFile m_image{};
    SpectrumChartChoice m_choice;
    QLabel* m_heading;
    QListWidget* m_records;
    QCheckBox* m_octaves;
    QComboBox* m_curve;
    QSpinBox* m_curveNumber;
    ChartCanvas* m_canvas;
    QLabel* m_readout;
    QTimer* m_followTimer;
};
