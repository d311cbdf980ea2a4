#include "app/PrintSetupDialog.h"

#include "app/DefaultPaper.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// What a PDF file can be printed on: the common sheets.
const QList<QPageSize::PageSizeId> kPdfPapers = {QPageSize::A3, QPageSize::A4, QPageSize::A5,
                                                 QPageSize::Letter, QPageSize::Legal};

}  // namespace

const QString& PrintSetupDialog::PdfFileEntry()
{
    static const QString entry = QStringLiteral("PDF file");
    return entry;
}

PrintSetupDialog::PrintSetupDialog(QPrinter& printer, QWidget* parent) : QDialog(parent), m_printer(printer)
{
    setWindowTitle(QStringLiteral("Print Setup"));
    m_printers = new QComboBox;
    m_printers->setObjectName(QStringLiteral("printer"));
    m_printers->addItems(QPrinterInfo::availablePrinterNames());
    m_printers->addItem(PdfFileEntry());
    const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty();
    m_printers->setCurrentText(toPdf ? PdfFileEntry() : printer.printerName());
    m_papers = new QComboBox;
    m_papers->setObjectName(QStringLiteral("paper"));

    auto* portrait = new QRadioButton(QStringLiteral("P&ortrait"));
    auto* landscape = new QRadioButton(QStringLiteral("L&andscape"));
    m_orientation = new QButtonGroup(this);
    m_orientation->addButton(portrait, QPageLayout::Portrait);
    m_orientation->addButton(landscape, QPageLayout::Landscape);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape : portrait)->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait);
    orientation->addWidget(landscape);
    orientation->addStretch();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Printer:"), m_printers);
    form->addRow(QStringLiteral("Pap&er:"), m_papers);
    form->addRow(QStringLiteral("Orientation:"), orientation);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);

    ListPapers();
    SelectPaper(printer.pageLayout().pageSize());
    connect(m_printers, &QComboBox::currentTextChanged, this, [this] { ListPapers(); });
}

void PrintSetupDialog::ListPapers()
{
    m_paperSizes.clear();
    QPageSize preferred = DefaultPaper();
    if (m_printers->currentText() == PdfFileEntry()) {
        for (QPageSize::PageSizeId id : kPdfPapers)
            m_paperSizes.append(QPageSize(id));
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(m_printers->currentText());
        m_paperSizes = info.supportedPageSizes();
        preferred = info.defaultPageSize();
    }
    m_papers->clear();
    for (const QPageSize& paper : m_paperSizes)
        m_papers->addItem(paper.name());
    SelectPaper(preferred);
}

void PrintSetupDialog::SelectPaper(const QPageSize& paper)
{
    for (qsizetype i = 0; i < m_paperSizes.size(); ++i)
        if (m_paperSizes[i].isEquivalentTo(paper)) {
            m_papers->setCurrentIndex(static_cast<int>(i));
            return;
        }
    if (m_papers->currentIndex() < 0 && !m_paperSizes.isEmpty())
        m_papers->setCurrentIndex(0);
}

void PrintSetupDialog::accept()
{
    if (m_printers->currentText() == PdfFileEntry()) {
        m_printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        m_printer.setOutputFormat(QPrinter::NativeFormat);
        m_printer.setPrinterName(m_printers->currentText());
    }
    if (const int paper = m_papers->currentIndex(); paper >= 0)
        m_printer.setPageSize(m_paperSizes[paper]);
    m_printer.setPageOrientation(static_cast<QPageLayout::Orientation>(m_orientation->checkedId()));
    QDialog::accept();
}
