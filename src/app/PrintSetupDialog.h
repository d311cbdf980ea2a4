#pragma once

#include <QDialog>
#include <QList>
#include <QPageSize>

class QButtonGroup;
class QComboBox;
class QPrinter;

// Print Setup: which printer the pages go to (an installed printer or a PDF
// file), on which paper and which way up. OK applies the choice to the
// program's printer; Cancel leaves it as it was.
class PrintSetupDialog : public QDialog {
public:
    // The entry that stands for printing into a PDF file.
    static const QString& PdfFileEntry();

    PrintSetupDialog(QPrinter& printer, QWidget* parent);

    void accept() override;

private:
    // The paper sizes of the chosen printer, the printer's own one selected.
    void ListPapers();
    // Selects the listed paper equivalent to paper; else keeps the selection.
    void SelectPaper(const QPageSize& paper);

    QPrinter& m_printer;
    QComboBox* m_printers;
    QComboBox* m_papers;
    QList<QPageSize> m_paperSizes;  // one per entry of m_papers
    QButtonGroup* m_orientation;
};
