#include "app/SoundInsulationDlg.h"

#include "data/SpectrumFile.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace {

QSpinBox* RecordBox(const char* name, int value)
{
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(1, SpectrumFile::kRecords);
    box->setValue(value);
    return box;
}

}  // namespace

SoundInsulationDlg::SoundInsulationDlg(const Choice& proposed, QWidget* parent)
    : QDialog(parent), m_source(RecordBox("source", proposed.source)),
      m_receive(RecordBox("receive", proposed.receive)), m_background(new QComboBox),
      m_times(new QLineEdit(proposed.times))
{
    setWindowTitle(QStringLiteral("Sound Insulation"));
    m_background->setObjectName(QStringLiteral("background"));
    m_background->addItem(QStringLiteral("none"));
    for (int record = 1; record <= SpectrumFile::kRecords; ++record)
        m_background->addItem(QString::number(record));
    m_background->setCurrentIndex(proposed.background);
    m_times->setObjectName(QStringLiteral("times"));
    m_times->setPlaceholderText(QStringLiteral("none, 0.5, or 16 values for 100 to 3150 Hz"));
    m_times->setMinimumWidth(m_times->fontMetrics().horizontalAdvance(m_times->placeholderText()) + 20);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("&Source room record:"), m_source);
    layout->addRow(QStringLiteral("&Receiving room record:"), m_receive);
    layout->addRow(QStringLiteral("&Background record:"), m_background);
    layout->addRow(QStringLiteral("Reverberation &time (s):"), m_times);
    layout->addRow(buttons);
}

SoundInsulationDlg::Choice SoundInsulationDlg::Chosen() const
{
    return {m_source->value(), m_receive->value(), m_background->currentIndex(), m_times->text().trimmed()};
}
