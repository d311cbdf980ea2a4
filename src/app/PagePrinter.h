#pragma once

#include <QPrinter>

#include <memory>

class CMainDoc;
class PlotPage;
struct PrintLayout;
class QWidget;
class UserInterface;

// The program's one printer and the printing of a record's page on it:
// Print Setup, Print (with the print dialog, which also prints to a PDF
// file), print direct and Print Preview. The page is rendered at the
// printer's printable size (plot in the upper half of the sheet), in 256
// greys when Plotgrey is set, else black and white; Plotgronly leaves out
// bitmaps and texts. A page that cannot be rendered is reported once and
// nothing goes to the printer.
class PagePrinter {
public:
    // The resolution the page's fonts are sized for.
    static constexpr int kResolution = 300;

    PagePrinter(UserInterface& ui, QWidget* parent);

    // Made at its first use: finding the system's printers takes a while,
    // which the program's start should not wait for.
    QPrinter& Printer();

    // The Print Setup dialog (printer, paper, orientation); true when accepted.
    bool Setup();
    // Prints record (0..29) of document, asking with the print dialog first
    // when withDialog is true, or when there is nothing to print on (no
    // printer installed and no file named). True when the page was printed.
    bool Print(CMainDoc& document, int record, bool withDialog);
    // The preview window for record (0..29) of document.
    void Preview(CMainDoc& document, int record);

    // Renders the page for printer's printable size (the preview's smaller
    // page when preview is true): false with error set when it cannot be.
    static bool RenderPage(PlotPage& page, PrintLayout& layout, const QPrinter& printer, CMainDoc& document,
                           int record, bool preview, QString& error);

private:
    // A PDF file is named as the job is, in the folder of the last one or
    // else beside the document.
    void ProposePdfName(const CMainDoc& document);
    // A printer to print on, or a file to print into.
    bool HasTarget();

    UserInterface& m_ui;
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
};
