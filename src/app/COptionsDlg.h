#pragma once

#include <QDialog>

class CCommsDlg;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class UserInterface;

// Program Options: what the program shows at start, tooltips and sounds,
// the defaults of a new view, the clipboard text, the size of exported
// bitmaps and the analyser's port, which it can test. Every way of leaving
// it (OK, Escape, the close box) stores the values shown. Port n is the
// device of key "COMn" of section "Ports"; the dialog shows the device of
// the chosen port and offers the serial devices present. In a demo run the
// simulated analyser stands behind every port: the dialog says so, and Test
// tries it, leaving the ports' devices as they are.
class COptionsDlg : public QDialog {
public:
    COptionsDlg(CCommsDlg& comms, UserInterface& ui, QWidget* parent, bool simulated = false);
    ~COptionsDlg() override;

    // Stores every control's value into the settings and the chosen port's
    // device into the profile.
    void ApplyOptions();

    QCheckBox* SplashBox() const { return m_splash; }
    QCheckBox* TooltipsBox() const { return m_tooltips; }
    QCheckBox* SoundsBox() const { return m_sounds; }
    QComboBox* DecimalsList() const { return m_decimals; }
    QCheckBox* TwoDbBox() const { return m_twoDb; }
    QCheckBox* JoinedBox() const { return m_joined; }
    QCheckBox* MultiBox() const { return m_multi; }
    QComboBox* FieldSeparatorList() const { return m_fieldSep; }
    QComboBox* RecordSeparatorList() const { return m_recordSep; }
    QComboBox* NumberFormatList() const { return m_round; }
    QComboBox* RecordFormatList() const { return m_format; }
    QSpinBox* WidthBox() const { return m_width; }
    QSpinBox* HeightBox() const { return m_height; }
    QComboBox* PortList() const { return m_port; }
    QComboBox* DeviceBox() const { return m_device; }
    QPushButton* TestButton() const { return m_test; }

    void done(int result) override;

private:
    void TestPort();
    // Shows the device of the port chosen in the port list.
    void ShowDeviceOfPort();
    // Stores the port number and its device at once (Test does).
    void ApplyPort();

    CCommsDlg& m_comms;
    UserInterface& m_ui;
    bool m_simulated;
    QCheckBox* m_splash;
    QCheckBox* m_tooltips;
    QCheckBox* m_sounds;
    QComboBox* m_decimals;
    QCheckBox* m_twoDb;
    QCheckBox* m_joined;
    QCheckBox* m_multi;
    QComboBox* m_fieldSep;
    QComboBox* m_recordSep;
    QComboBox* m_round;
    QComboBox* m_format;
    QSpinBox* m_width;
    QSpinBox* m_height;
    QComboBox* m_port;
    QComboBox* m_device;
    QPushButton* m_test;
};
