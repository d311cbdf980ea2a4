// The Spectrum Chart: levels at their heights, bounds as markers, the record
// list, following the view and undo, the hover readout, copy and export.

#include "AppTestSupport.h"

#include "app/AnalysisCommands.h"
#include "app/CMainFrm.h"
#include "app/CMainVue.h"
#include "app/ChartCanvas.h"
#include "app/CommandIds.h"
#include "app/SpectrumChartWindow.h"
#include "data/CMainDoc.h"
#include "data/NcCurveTable.h"
#include "support/ExampleRecord.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

#include <cstring>

namespace {

constexpr QRgb kRecordOneColour = 0xFF000000u;  // black
constexpr QRgb kRecordTwoColour = 0xFFE69F00u;  // orange

class SpectrumChart : public AppTest {
protected:
    // Record 1 the example record (110 dB SPL reference: 25 Hz below range,
    // 250 Hz at 110 dB SPL, 20 kHz above range), record 2 Mike at 40 dB SPL
    // in every band, record 3 a Left record (dBu); the others empty.
    SpectrumChartWindow& Open()
    {
        SpectrumFile image;
        for (auto& comment : image.comments)
            comment.fill(' ');
        image.records[0] = ExampleRecord();
        std::memcpy(image.comments[0].data(), "Plant room", 10);
        image.records[1].bands.fill(160);
        image.records[1].refCode = 85;
        image.records[1].mode = 1;
        image.records[2].bands.fill(160);
        image.records[2].mode = 2;
        const std::string path = dir.File("site.spc");
        WriteBytes(path, std::vector<std::uint8_t>(image.Bytes(), image.Bytes() + SpectrumFile::kSize));
        Start();
        app->Documents().OpenDocumentFile(QString::fromStdString(path));
        app->Frame().MenuAction(CommandId::ViewSpectrumChart)->trigger();
        SpectrumChartWindow* window = app->Analysis().Chart();
        EXPECT_NE(window, nullptr);
        window->resize(900, 600);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return *window;
    }

    static QImage Picture(SpectrumChartWindow& window)
    {
        return window.Canvas().grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The colour at frequency hz and level (dB) on the chart, moved by dy pixels.
    static QRgb At(SpectrumChartWindow& window, double hz, double level, double dy = 0.0)
    {
        const FrequencyChart::Geometry geometry = window.Canvas().Geometry();
        const QImage image = Picture(window);
        return image.pixel(QPointF(geometry.X(hz), geometry.Y(level) + dy).toPoint()) | 0xFF000000u;
    }
    static QListWidgetItem* Item(SpectrumChartWindow& window, const QString& text)
    {
        const auto items = window.findChild<QListWidget*>("records")->findItems(text, Qt::MatchStartsWith);
        EXPECT_EQ(items.size(), 1) << text.toStdString();
        return items.value(0);
    }
    // The mouse moved over widget to position (the offscreen platform moves
    // no pointer, so the event is sent as the window system would send it).
    static void MoveMouse(QWidget& widget, QPoint position)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(position), QPointF(widget.mapToGlobal(position)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&widget, &move);
    }
    static double Hz(int band) { return NcCurveTable::BandNominalFrequency(band); }
};

TEST_F(SpectrumChart, ALevelAtItsHeightAndBandsOutOfRangeAsMarkersAtTheEdges)
{
    SpectrumChartWindow& window = Open();
    ASSERT_EQ(window.Canvas().Chart().series.size(), 1u);
    EXPECT_EQ(window.Canvas().Chart().levelAxis, "Level (dB SPL)");
    const FrequencyChart::Geometry geometry = window.Canvas().Geometry();
    // 102.5 to 110 dB SPL in range: the scale runs from 90, 40 dB up.
    EXPECT_EQ(geometry.floorDb, 90.0);
    EXPECT_EQ(geometry.topDb, 130.0);

    // 250 Hz at 110 dB SPL: the trace is there and not 12 pixels lower.
    EXPECT_EQ(At(window, Hz(10), 110.0), kRecordOneColour);
    EXPECT_NE(At(window, Hz(10), 110.0, 12.0), kRecordOneColour);
    // 25 Hz is below range: a marker sits on the floor, and no line runs
    // from it to 31.5 Hz.
    const QImage image = Picture(window);
    const int x25 = static_cast<int>(geometry.X(Hz(0)));
    EXPECT_EQ(image.pixel(x25, static_cast<int>(geometry.plot.bottom()) - 3) | 0xFF000000u, kRecordOneColour);
    const double between = std::sqrt(Hz(0) * Hz(1));
    EXPECT_NE(image.pixel(QPointF(geometry.X(between), geometry.Y(96.25)).toPoint()) | 0xFF000000u,
              kRecordOneColour);
    // 20 kHz is above range: a marker under the top edge.
    EXPECT_EQ(image.pixel(static_cast<int>(geometry.X(Hz(29))), static_cast<int>(geometry.plot.top()) + 3) |
                  0xFF000000u,
              kRecordOneColour);

    // The mouse over 250 Hz reads the band out.
    MoveMouse(window.Canvas(), QPointF(geometry.X(Hz(10)) + 2, geometry.Y(115)).toPoint());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Readout() == "250 Hz:    1: 110.0"; }))
        << window.Readout().toStdString();
    // With the NC-35 curve its level there too.
    auto* curve = window.findChild<QComboBox*>("curve");
    curve->setCurrentIndex(1);
    ASSERT_EQ(curve->currentText(), "NC-N");
    EXPECT_EQ(window.Canvas().Chart().series.front().label, "NC-35");
    MoveMouse(window.Canvas(), QPointF(geometry.X(Hz(10)) + 1, geometry.Y(115)).toPoint());
    EXPECT_EQ(window.Readout(), "250 Hz:    1: 110.0    NC-35: 45.0");
    curve->setCurrentIndex(0);
    MoveMouse(window.Canvas(), QPointF(x25, geometry.Y(115)).toPoint());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Readout() == "25 Hz:    1: below range"; }))
        << window.Readout().toStdString();
}

TEST_F(SpectrumChart, TickingARecordAddsItsTraceAndRecordsInAnotherUnitAreGreyedOut)
{
    SpectrumChartWindow& window = Open();
    QListWidgetItem* active = Item(window, "1  Plant room");
    QListWidgetItem* second = Item(window, "2");
    QListWidgetItem* line = Item(window, "3");
    ASSERT_TRUE(active && second && line);
    EXPECT_EQ(window.findChild<QListWidget*>("records")->count(), 3);
    EXPECT_EQ(active->checkState(), Qt::Checked);
    EXPECT_FALSE(active->flags() & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(line->flags() & Qt::ItemIsEnabled);
    EXPECT_TRUE(second->flags() & Qt::ItemIsUserCheckable);

    auto* list = window.findChild<QListWidget*>("records");
    list->setCurrentItem(second);
    QTest::keyClick(list, Qt::Key_Space);
    ASSERT_EQ(second->checkState(), Qt::Checked);
    ASSERT_EQ(window.Canvas().Chart().series.size(), 2u);
    EXPECT_EQ(window.Canvas().Geometry().floorDb, 30.0);
    EXPECT_EQ(At(window, Hz(16), 40.0), kRecordTwoColour);
    EXPECT_NE(At(window, Hz(16), 40.0, 12.0), kRecordTwoColour);
    // The active record is drawn over the others, strongest.
    EXPECT_TRUE(window.Canvas().Chart().series.back().strong);
    EXPECT_EQ(window.Canvas().Chart().series.back().label, "1  Plant room");

    // Octave bands: ten points a record.
    window.findChild<QCheckBox*>("octaves")->click();
    EXPECT_EQ(window.Canvas().Chart().series.front().points.size(), 10u);
    EXPECT_EQ(At(window, 1000.0, 40.0 + 10.0 * std::log10(3.0)), kRecordTwoColour);
}

TEST_F(SpectrumChart, FollowsTheViewsRecordAndEveryChangeOfTheDocumentUndoIncluded)
{
    SpectrumChartWindow& window = Open();
    CMainFrm& frame = app->Frame();
    const auto shows = [&](std::size_t traces) {
        return QTest::qWaitFor([&] { return window.Canvas().Chart().series.size() == traces; });
    };
    frame.Dispatch(CommandId::NextRecord);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Choice().activeRecord == 1; }));
    EXPECT_EQ(window.Canvas().Chart().series.back().label, "2");
    frame.Dispatch(CommandId::PreviousRecord);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.Choice().activeRecord == 0; }));

    frame.Dispatch(CommandId::EditCut);
    EXPECT_TRUE(shows(0));
    frame.Dispatch(CommandId::EditUndo);
    EXPECT_TRUE(shows(1));
    EXPECT_EQ(At(window, Hz(10), 110.0), kRecordOneColour);

    // Without a document window the chart is empty.
    app->Documents().Close(frame.ActiveView()->GetDocument());
    EXPECT_TRUE(shows(0));
    EXPECT_EQ(window.findChild<QListWidget*>("records")->count(), 0);
    EXPECT_FALSE(frame.StateOf(CommandId::ViewSpectrumChart).enabled);
}

TEST_F(SpectrumChart, CopiesAnImageAndExportsByExtension)
{
    SpectrumChartWindow& window = Open();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), window.Canvas().size() * window.Canvas().devicePixelRatio());

    dialogs.Answer(QString::fromStdString(dir.File("chart.svg")));
    window.Export();
    ASSERT_FALSE(dialogs.requests.empty());
    EXPECT_EQ(dialogs.requests.back().proposedName, QString::fromStdString(dir.File("site chart.pdf")));
    const std::string svg = ReadText(dir.File("chart.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Frequency (Hz)"), std::string::npos);
    dialogs.Answer(QString::fromStdString(dir.File("chart.pdf")));
    window.Export();
    EXPECT_EQ(ReadText(dir.File("chart.pdf")).substr(0, 5), "%PDF-");

    QString told;
    WhenModalOpens([&](QWidget* box) {
        told = BoxText(box);
        PressButton(box, QStringLiteral("OK"));
    });
    dialogs.Answer(QString::fromStdString(dir.File("chart.jpg")));
    window.Export();
    EXPECT_TRUE(told.startsWith("Cannot export the chart to ")) << told.toStdString();
    EXPECT_FALSE(FileExists(dir.File("chart.jpg")));
}

}  // namespace
