#include "app/PagePrinter.h"

#include "app/DefaultPaper.h"
#include "app/PrintSetupDialog.h"
#include "data/CMainDoc.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "disk/AtomicFile.h"
#include "plot/DrawDib.h"
#include "plot/PlotPage.h"
#include "plot/PrintLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int kPreviewHeightPercent = 90;  // of the screen
constexpr int kPreviewWidthPercent = 80;   // of the preview's height: an upright sheet and the toolbar

// "site memory 05": which page of which file.
QString JobName(const CMainDoc& document, int record)
{
    return QStringLiteral("%1 memory %2")
        .arg(QFileInfo(QString::fromStdString(document.GetTitle())).completeBaseName())
        .arg(record + 1, 2, 10, QLatin1Char('0'));
}

void TellCannotPrint(UserInterface& ui, const QString& error)
{
    ui.Tell("Cannot print the page\r\n(" + error.toStdString() + ")", UserInterface::Icon::Exclamation);
}

// The rendered page over the upper half of the sheet. The preview shows it
// smoothed at the size of its window, so thin strokes and small digits stay
// readable when shrunk. A printer gets its pixels as they are: a grey page
// as 8-bit grey without loss (a PDF file would otherwise hold a lossy
// colour picture of it), a black and white page as it is.
void DrawPage(QPainter& painter, const PlotPage& page, const PrintLayout& layout, bool preview)
{
    const QRect target(0, 0, layout.targetWidth, layout.targetHeight);
    if (preview) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, DibToQImage(page.Image()));
    } else if (page.Image().BitsPerPixel() == 8) {
        painter.setRenderHint(QPainter::LosslessImageRendering);
        painter.drawImage(target, DibToQImage(page.Image()).convertToFormat(QImage::Format_Grayscale8));
    } else {
        DrawDib(painter, page.Image(), 0, 0, target.width(), target.height(), 0, 0, 0, 0, 0);
    }
}

// A grey page is printed in greys: a PDF file then holds it as 8-bit grey,
// not as colour.
void UseGreysOfThePage(QPrinter& printer)
{
    printer.setColorMode(Settings().Plotgrey != 0 ? QPrinter::GrayScale : QPrinter::Color);
}

// The printer makes the PDF in a scratch folder of its own (in greys for a
// grey page, which a plain PDF writer cannot do); it is read back whole and
// written beside the file it replaces, then renamed over it: a disk that
// fills up, a quota or a file-size limit leave the old file as it was.
bool WritePdf(QPrinter& printer, const PlotPage& page, const PrintLayout& layout, QString& error)
{
    const QString target = printer.outputFileName();
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        error = QStringLiteral("no scratch folder for the PDF");
        return false;
    }
    const QString made = scratch.filePath(QStringLiteral("page.pdf"));
    printer.setOutputFileName(made);
    QPainter painter;
    const bool begun = painter.begin(&printer);
    if (begun) {
        DrawPage(painter, page, layout, false);
        painter.end();
    }
    printer.setOutputFileName(target);
    if (!begun) {
        error = QStringLiteral("the PDF cannot be made");
        return false;
    }
    QFile file(made);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // A PDF cut short by a full disk or a size limit lacks its end mark.
    if (!bytes.trimmed().endsWith("%%EOF")) {
        error = QStringLiteral("the PDF could not be written whole");
        return false;
    }
    std::string why;
    if (WriteFileAtomically(target.toLocal8Bit().toStdString(), bytes.constData(),
                            static_cast<std::size_t>(bytes.size()), why))
        return true;
    error = QString::fromLocal8Bit(why.c_str());
    return false;
}

// The rendered page onto the printer, or into its PDF file: false with
// error set when the job did not go through whole.
bool PrintPage(QPrinter& printer, const PlotPage& page, const PrintLayout& layout, QString& error)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return WritePdf(printer, page, layout, error);
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = QStringLiteral("the printer cannot be opened");
        return false;
    }
    DrawPage(painter, page, layout, false);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        error = QStringLiteral("the printer did not take the job");
        return false;
    }
    return true;
}

}  // namespace

PagePrinter::PagePrinter(UserInterface& ui, QWidget* parent) : m_ui(ui), m_parent(parent)
{}

QPrinter& PagePrinter::Printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setResolution(kResolution);
        m_printer->setPageSize(DefaultPaper());
        m_printer->setPageOrientation(QPageLayout::Portrait);
    }
    return *m_printer;
}

bool PagePrinter::Setup()
{
    PrintSetupDialog dialog(Printer(), m_parent);
    return dialog.exec() == QDialog::Accepted;
}

bool PagePrinter::RenderPage(PlotPage& page, PrintLayout& layout, const QPrinter& printer, CMainDoc& document,
                             int record, bool preview, QString& error)
{
    const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
    layout = PrintLayoutFor(printable.width(), printable.height(), preview);
    if (page.Render(&document, record, layout.pageWidth, layout.pageHeight, layout.fontDivisor,
                    Settings().Plotgronly, Settings().Plotgrey != 0 ? 8 : 1) == 0)
        return true;
    error = QString::fromStdString(page.ErrorText());
    return false;
}

void PagePrinter::ProposePdfName(const CMainDoc& document)
{
    QPrinter& printer = Printer();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return;
    QString folder = QFileInfo(printer.outputFileName()).absolutePath();
    if (printer.outputFileName().isEmpty())
        folder = document.GetPathName().empty()
                     ? QDir::homePath()
                     : QFileInfo(QString::fromStdString(document.GetPathName())).absolutePath();
    printer.setOutputFileName(folder + QLatin1Char('/') + printer.docName() + QStringLiteral(".pdf"));
}

bool PagePrinter::HasTarget()
{
    QPrinter& printer = Printer();
    return printer.outputFormat() == QPrinter::NativeFormat ? !printer.printerName().isEmpty()
                                                            : !printer.outputFileName().isEmpty();
}

bool PagePrinter::Print(CMainDoc& document, int record, bool withDialog)
{
    QPrinter& printer = Printer();
    printer.setDocName(JobName(document, record));
    UseGreysOfThePage(printer);
    if (withDialog || !HasTarget()) {
        ProposePdfName(document);
        QPrintDialog dialog(&printer, m_parent);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        if (dialog.exec() != QDialog::Accepted)
            return false;
    }
    WaitCursor wait(m_ui);
    // The page is rendered before the job starts, so that a page that
    // cannot be rendered leaves no blank sheet and no empty file.
    PlotPage page;
    PrintLayout layout;
    QString error;
    if (!RenderPage(page, layout, printer, document, record, false, error) ||
        !PrintPage(printer, page, layout, error)) {
        TellCannotPrint(m_ui, error);
        return false;
    }
    return true;
}

void PagePrinter::Preview(CMainDoc& document, int record)
{
    UseGreysOfThePage(Printer());
    QPrintPreviewDialog dialog(&Printer(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // Nearly the screen's height: the whole sheet then shows the preview's
    // page (a quarter of the printed one each way) at about its own size.
    const QRect room =
        (m_parent ? m_parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    const int height = room.height() * kPreviewHeightPercent / 100;
    // Never narrower than its toolbar, whose last buttons (Print) would otherwise hide.
    const int width = std::max(height * kPreviewWidthPercent / 100, dialog.sizeHint().width());
    dialog.resize(std::min(room.width(), width), height);
    // The preview asks for its page again whenever the setup changes; a
    // page that cannot be rendered is reported once.
    bool told = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* printer) {
        // The preview records its pages as pictures; its Print button asks
        // for the page again on the printer itself, which gets the full page.
        const bool preview = printer->paintEngine()->type() == QPaintEngine::Picture;
        PlotPage page;
        PrintLayout layout;
        QString error;
        if (!RenderPage(page, layout, *printer, document, record, preview, error)) {
            // Every print is answered; the preview's repaints only once.
            if (!preview || !told)
                TellCannotPrint(m_ui, error);
            told = true;
        } else if (preview) {
            QPainter painter(printer);
            DrawPage(painter, page, layout, true);
        } else if (!PrintPage(*printer, page, layout, error)) {
            TellCannotPrint(m_ui, error);
        }
    });
    dialog.exec();
}
