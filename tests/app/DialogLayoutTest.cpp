// What a user sees of the dialogs and the print preview: whole titles and
// texts, frames inside the window, labels beside their fields, the preview
// wide enough for its toolbar and its page smoothed, grey pages in PDF files
// as 8-bit grey without loss.

#include "AppTestSupport.h"

#include "app/AnalyserCommands.h"
#include "app/CMainFrm.h"
#include "app/CommandIds.h"
#include "app/PagePrinter.h"
#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QSpinBox>
#include <QToolBar>

#include <set>

namespace {

// Room a title bar takes beside its title: the icon and three buttons.
constexpr int kTitleBarControls = 4 * 32;

// Runs command and hands the modal window it opens to check, then closes it.
void Inspect(CMainApp& app, int command, std::function<void(QWidget*)> check)
{
    bool seen = false;
    WhenModalOpens([&](QWidget* modal) {
        seen = true;
        check(modal);
        // OK: the About box's Escape and close box show the disclaimer.
        static_cast<QDialog*>(modal)->accept();
    });
    app.Frame().Dispatch(command);
    EXPECT_TRUE(seen);
}

TEST_F(AppTest, ProgramOptionsShowsItsWholeTitleAndTheWholeDeviceName)
{
    Start({.file = {}, .demo = true});
    Inspect(*app, CommandId::ProgramOptions, [](QWidget* dialog) {
        const QFontMetrics title(QApplication::font());
        EXPECT_GE(dialog->width(), title.horizontalAdvance(dialog->windowTitle()) + kTitleBarControls);
        QLineEdit* device = nullptr;
        for (auto* box : dialog->findChildren<QComboBox*>())
            if (box->isEditable())
                device = box->lineEdit();
        ASSERT_NE(device, nullptr);
        EXPECT_TRUE(device->text().startsWith("simulated analyser (/dev/pts/"))
            << device->text().toStdString();
        EXPECT_LE(device->fontMetrics().horizontalAdvance(device->text()), device->width() - 8);
    });
}

TEST_F(AppTest, PrintingOptionsKeepsItsFramesInsideAndItsLabelsBeforeTheirFields)
{
    Start();
    Inspect(*app, CommandId::PrintingOptions, [](QWidget* dialog) {
        for (const QGroupBox* group : dialog->findChildren<QGroupBox*>())
            EXPECT_LE(group->geometry().right(), dialog->width() - 3) << group->title().toStdString();
        int percents = 0;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->text().endsWith('%'))
                continue;
            ++percents;
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
            // The field on the label's line right of it starts after it.
            const QSpinBox* field = nullptr;
            for (const QSpinBox* box : dialog->findChildren<QSpinBox*>())
                if (box->geometry().intersects(QRect(label->x(), label->y(), 200, label->height())) &&
                    (field == nullptr || box->x() < field->x()))
                    field = box;
            ASSERT_NE(field, nullptr);
            EXPECT_LT(label->geometry().right(), field->x()) << label->text().toStdString();
        }
        EXPECT_EQ(percents, 8);
    });
}

TEST_F(AppTest, TheAboutBoxShowsItsFirstLinesWhole)
{
    Start();
    Inspect(*app, CommandId::AppAbout, [](QWidget* about) {
        const QLabel* version = nullptr;
        for (const QLabel* label : about->findChildren<QLabel*>())
            if (label->text().startsWith("TALVEK 7 Interface Program"))
                version = label;
        ASSERT_NE(version, nullptr);
        const QRect drawn = version->fontMetrics().boundingRect(version->contentsRect(),
                                                                static_cast<int>(version->alignment()),
                                                                QStringLiteral("TALVEK 7 Interface Program"));
        EXPECT_GE(drawn.top(), 0);
        EXPECT_GE(version->height(), 2 * version->fontMetrics().lineSpacing());
    });
}

class PrintPageTest : public AppTest {
protected:
    void OpenSample()
    {
        Start();
        CMainDoc* doc = app->Documents().OpenDocumentFile(SampleFile("a.spc"));
        ASSERT_NE(doc, nullptr);
        for (int band = 0; band < 30; ++band)
            doc->Data().records[0].Bytes()[band] = static_cast<std::uint8_t>(100 + band);
    }
};

TEST_F(PrintPageTest, ThePreviewFitsItsToolbarAndShowsThePageSmoothed)
{
    OpenSample();
    Inspect(*app, CommandId::FilePrintPreview, [](QWidget* dialog) {
        const QToolBar* toolbar = dialog->findChild<QToolBar*>();
        ASSERT_NE(toolbar, nullptr);
        EXPECT_GE(dialog->width(), toolbar->sizeHint().width());
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        preview->fitToWidth();
        QApplication::processEvents();
        // The plot in the page's upper half: a shrunk black and white page
        // shows greys between its black strokes and the white paper.
        const QImage shown = preview->grab().toImage();
        std::set<int> levels;
        for (int y = shown.height() / 8; y < shown.height() / 3; ++y)
            for (int x = shown.width() / 3; x < 2 * shown.width() / 3; ++x)
                levels.insert(qGray(shown.pixel(x, y)));
        EXPECT_GT(levels.size(), 16u);
    });
}

TEST_F(PrintPageTest, AGreyPageGoesIntoThePdfFileAs8BitGreyWithoutLoss)
{
    OpenSample();
    Settings().Plotgrey = 1;
    const QString pdf = QString::fromStdString(dir.File("grey.pdf"));
    QPrinter& printer = app->Analyser().Printer().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(app->Frame().Dispatch(CommandId::FilePrintDirect));
    QProcess pdfimages;
    pdfimages.start(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    ASSERT_TRUE(pdfimages.waitForFinished());
    const QStringList lines = QString::fromLocal8Bit(pdfimages.readAllStandardOutput()).split('\n');
    ASSERT_GE(lines.size(), 3);
    // page num type width height color comp bpc enc ...
    const QStringList image = lines[2].simplified().split(' ');
    ASSERT_GT(image.size(), 8) << lines[2].toStdString();
    EXPECT_EQ(image[5], "gray");
    EXPECT_EQ(image[6], "1");
    EXPECT_EQ(image[7], "8");
    EXPECT_NE(image[8], "jpeg");
    EXPECT_EQ(lines.size(), 4) << "one image";  // two heading lines, the image, the final newline
}

}  // namespace
