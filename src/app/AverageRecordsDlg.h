#pragma once

#include <QDialog>

class QLineEdit;
class QSpinBox;

// Average Records: which records to average ("1,3-5,9", as tv7w-cli
// average takes them) and the record (1..30) to store the average in.
class AverageRecordsDlg : public QDialog {
    Q_OBJECT

public:
    struct Choice {
        QString records;
        int target = 1;
    };

    AverageRecordsDlg(const Choice& proposed, QWidget* parent);
    Choice Chosen() const;

private:
    QLineEdit* m_records;
    QSpinBox* m_target;
};
