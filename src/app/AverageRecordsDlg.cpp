#include "app/AverageRecordsDlg.h"

#include "data/SpectrumFile.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

AverageRecordsDlg::AverageRecordsDlg(const Choice& proposed, QWidget* parent)
    : QDialog(parent), m_records(new QLineEdit(proposed.records)), m_target(new QSpinBox)
{
    setWindowTitle(QStringLiteral("Average Records"));
    m_records->setObjectName(QStringLiteral("records"));
    m_records->setPlaceholderText(QStringLiteral("such as 1,3-5,9"));
    m_target->setObjectName(QStringLiteral("target"));
    m_target->setRange(1, SpectrumFile::kRecords);
    m_target->setValue(proposed.target);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("&Records to average:"), m_records);
    layout->addRow(QStringLiteral("&Store the average in record:"), m_target);
    layout->addRow(buttons);
}

AverageRecordsDlg::Choice AverageRecordsDlg::Chosen() const
{
    return {m_records->text().trimmed(), m_target->value()};
}
