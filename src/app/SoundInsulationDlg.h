#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

// Sound Insulation: the source-room, receiving-room and (optional)
// background records and the receiving room's reverberation time: none,
// one value, or 16 values for 100 .. 3150 Hz, as tv7w-cli difference
// --rt takes them.
class SoundInsulationDlg : public QDialog {
    Q_OBJECT

public:
    struct Choice {
        int source = 1;      // 1..30
        int receive = 2;     // 1..30
        int background = 0;  // 1..30, 0 none
        QString times;       // empty: none
    };

    SoundInsulationDlg(const Choice& proposed, QWidget* parent);
    Choice Chosen() const;

private:
    QSpinBox* m_source;
    QSpinBox* m_receive;
    QComboBox* m_background;
    QLineEdit* m_times;
};
