#include "app/COptionsDlg.h"

#include "app/DialogUnits.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "link/AnalyserLink.h"
#include "link/CCommsDlg.h"
#include "link/SerialDevices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <vector>

namespace {

constexpr int kExtraWidth = 50;  // dialog units beyond the template's width

constexpr int kPorts = 8;
constexpr int kMinBitmapSide = 1;
constexpr int kMaxBitmapSide = 16000;

struct Choice {
    const char* text;
    int value;
};

const std::vector<Choice> kDecimals{{"none", 0}, {"1", 1}};
const std::vector<Choice> kFieldSeparators{
    {"space", 0x20}, {"tab", 0x09}, {"comma", 0x2C}, {"newline", 0x0A}, {"CReturn", 0x0D}};
// 0x0E stands for the pair CR LF.
const std::vector<Choice> kRecordSeparators{{"space", 0x20},   {"tab", 0x09},     {"comma", 0x2C},
                                            {"newline", 0x0A}, {"CReturn", 0x0D}, {"CR-LF", 0x0E}};
const std::vector<Choice> kNumberFormats{{"truncate", 0}, {"round", 1}};
const std::vector<Choice> kRecordFormats{{"PRN ", 30}, {"PRX", 31}, {"dB+3int", 32}, {"dB+3text", 33}};

std::string PortKey(int port)
{
    return "COM" + std::to_string(port);
}

// The device the link opens for port n.
std::string DeviceOfPort(int port)
{
    return Profile().GetString(ProfileKeys::kPorts, PortKey(port), "/dev/ttyS" + std::to_string(port - 1));
}

QComboBox* List(QWidget* parent, const std::vector<Choice>& choices, int value, QRect where)
{
    auto* list = new QComboBox(parent);
    for (const Choice& choice : choices)
        list->addItem(QString::fromLatin1(choice.text), choice.value);
    // A value without an item shows the first one.
    list->setCurrentIndex(std::max(0, list->findData(value)));
    list->setGeometry(where);
    return list;
}

int ValueOf(const QComboBox* list)
{
    return list->currentData().toInt();
}

}  // namespace

COptionsDlg::COptionsDlg(CCommsDlg& comms, UserInterface& ui, QWidget* parent, bool simulated)
    : QDialog(parent), m_comms(comms), m_ui(ui), m_simulated(simulated)
{
    using DialogUnits::ToPixels;
    const ProgramSettings& settings = Settings();
    setWindowTitle(QStringLiteral("Program Options"));
    setFont(DialogUnits::TemplateFont());
    // Wider than the template: the title bar shows the whole title, and the
    // device field a name such as "simulated analyser (/dev/pts/12)".
    setFixedSize(ToPixels(0, 0, 129 + kExtraWidth, 286).size());

    const auto group = [this](const char* title, QRect where) {
        auto* box = new QGroupBox(QString::fromLatin1(title), this);
        box->setGeometry(where);
        box->lower();
    };
    const auto check = [this](const char* text, int value, QRect where) {
        auto* box = new QCheckBox(QString::fromLatin1(text), this);
        box->setChecked(value != 0);
        box->setGeometry(where);
        return box;
    };
    // A list's caption, which also names it to a screen reader.
    const auto label = [this](const char* text, QRect where, QWidget* list) {
        auto* caption = new QLabel(QString::fromLatin1(text), this);
        caption->setGeometry(where);
        caption->setBuddy(list);
        list->setAccessibleName(caption->text().trimmed());
    };
    const auto number = [this](int value, QRect where) {
        auto* box = new QSpinBox(this);
        box->setRange(kMinBitmapSide, kMaxBitmapSide);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setValue(value);
        box->setGeometry(where);
        return box;
    };

    group("Program Start Options", ToPixels(6, 7, 118 + kExtraWidth, 109));
    m_splash = check("Show Splash Screen", settings.Splashscreen, ToPixels(12, 17, 106, 10));
    m_tooltips = check("Enable Tooltips", settings.Tooltips, ToPixels(12, 28, 106, 10));
    m_sounds = check("Enable Sounds", settings.Sounds, ToPixels(12, 39, 106, 10));
    group("Default on Start to ", ToPixels(6, 53, 118 + kExtraWidth, 63));
    m_decimals = List(this, kDecimals, settings.Drawdpoint, ToPixels(9, 64, 50, 12));
    label("Decimal points", ToPixels(62, 66, 60, 8), m_decimals);
    m_twoDb = check("2dB Display plot ", settings.Draw2db, ToPixels(10, 78, 105, 10));
    m_joined = check("Show Joined lines", settings.Drawjoined, ToPixels(10, 89, 105, 10));
    m_multi = check("Show Multi lines", settings.Drawmulti, ToPixels(10, 100, 105, 10));

    group("Clipboard Options", ToPixels(6, 122, 118 + kExtraWidth, 97));
    m_fieldSep = List(this, kFieldSeparators, settings.Clipfiesep, ToPixels(10, 133, 50, 12));
    label("Field separator", ToPixels(63, 135, 58, 8), m_fieldSep);
    m_recordSep = List(this, kRecordSeparators, settings.Cliprecsep, ToPixels(10, 148, 50, 12));
    label("Record separator", ToPixels(63, 150, 58, 8), m_recordSep);
    m_round = List(this, kNumberFormats, settings.Clipround, ToPixels(10, 162, 50, 12));
    label("Number Format", ToPixels(63, 164, 58, 8), m_round);
    m_format = List(this, kRecordFormats, settings.Clipfmat, ToPixels(10, 177, 50, 12));
    label("Record Format ", ToPixels(63, 179, 58, 8), m_format);
    m_width = number(settings.Clipbmpdx, ToPixels(10, 195, 20, 12));
    m_height = number(settings.Clipbmpdy, ToPixels(34, 195, 19, 12));
    auto* sizeLabel = new QLabel(QStringLiteral("Export Bitmap size in pixels (x,y)"), this);
    sizeLabel->setWordWrap(true);
    sizeLabel->setGeometry(ToPixels(56, 192, 66, 18));
    sizeLabel->setBuddy(m_width);
    m_width->setAccessibleName(QStringLiteral("Export bitmap width in pixels"));
    m_height->setAccessibleName(QStringLiteral("Export bitmap height in pixels"));

    group("Comms Port", ToPixels(5, 225, 118 + kExtraWidth, 42));
    m_port = new QComboBox(this);
    for (int port = 1; port <= kPorts; ++port)
        m_port->addItem(QString::number(port), port);
    m_port->setCurrentIndex(settings.Comport >= 1 && settings.Comport <= kPorts ? settings.Comport - 1 : 0);
    m_port->setGeometry(ToPixels(9, 235, 50, 12));
    m_port->setAccessibleName(QStringLiteral("Comms port"));
    m_test = new QPushButton(QStringLiteral("Test"), this);
    m_test->setGeometry(ToPixels(69, 236, 40, 11));
    m_device = new QComboBox(this);
    m_device->setEditable(true);
    m_device->setInsertPolicy(QComboBox::NoInsert);
    for (const SerialDevice& device : ListSerialDevices())
        m_device->addItem(QString::fromStdString(device.name));
    m_device->setGeometry(ToPixels(9, 250, 110 + kExtraWidth, 12));
    m_device->setAccessibleName(QStringLiteral("Serial device of the port"));
    m_device->lineEdit()->setAccessibleName(m_device->accessibleName());
    ShowDeviceOfPort();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(ToPixels(39 + kExtraWidth / 2, 271, 50, 12));
    ok->setDefault(true);

    if (settings.Tooltips != 0) {
        setToolTip(QStringLiteral("General Parameter Dialog"));
        m_port->setToolTip(QStringLiteral("TALVEK 7 comms port"));
        m_device->setToolTip(QStringLiteral("The serial device of this port"));
        m_format->setToolTip(QStringLiteral("Clipboard Record Format"));
        m_fieldSep->setToolTip(QStringLiteral("Clipboard Field Separator"));
        m_recordSep->setToolTip(QStringLiteral("Clipboard Record Separator"));
        m_round->setToolTip(QStringLiteral("Action on Float to Integer conversion"));
        m_decimals->setToolTip(QStringLiteral("Number of decimal points"));
    }
    connect(m_port, &QComboBox::currentIndexChanged, this, [this] { ShowDeviceOfPort(); });
    connect(m_test, &QPushButton::clicked, this, [this] { TestPort(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

COptionsDlg::~COptionsDlg() = default;

void COptionsDlg::ShowDeviceOfPort()
{
    if (m_simulated) {
        m_device->setEnabled(false);
        m_device->setCurrentText(QStringLiteral("simulated analyser (%1)")
                                     .arg(QString::fromStdString(m_comms.Link().DevicePath())));
        m_device->lineEdit()->setCursorPosition(0);
        return;
    }
    m_device->setCurrentText(QString::fromStdString(DeviceOfPort(m_port->currentIndex() + 1)));
    m_device->lineEdit()->setCursorPosition(0);
}

void COptionsDlg::ApplyPort()
{
    const int port = m_port->currentIndex() + 1;
    Settings().Comport = port;
    if (m_simulated)
        return;
    const std::string device = m_device->currentText().trimmed().toStdString();
    if (!device.empty() && device != DeviceOfPort(port))
        Profile().WriteString(ProfileKeys::kPorts, PortKey(port), device);
}

void COptionsDlg::ApplyOptions()
{
    ProgramSettings& settings = Settings();
    settings.Splashscreen = m_splash->isChecked() ? 1 : 0;
    settings.Draw2db = m_twoDb->isChecked() ? 1 : 0;
    settings.Drawjoined = m_joined->isChecked() ? 1 : 0;
    settings.Drawmulti = m_multi->isChecked() ? 1 : 0;
    settings.Clipbmpdx = m_width->value();
    settings.Clipbmpdy = m_height->value();
    settings.Sounds = m_sounds->isChecked() ? 1 : 0;
    settings.Tooltips = m_tooltips->isChecked() ? 1 : 0;
    settings.Clipfiesep = ValueOf(m_fieldSep);
    settings.Cliprecsep = ValueOf(m_recordSep);
    settings.Clipfmat = ValueOf(m_format);
    settings.Clipround = ValueOf(m_round);
    settings.Drawdpoint = ValueOf(m_decimals);
    ApplyPort();
    m_ui.RefreshAllViews();
    m_ui.Beep();
}

void COptionsDlg::done(int result)
{
    // OK, Escape and the close box all keep what is shown.
    ApplyOptions();
    QDialog::done(result);
}

void COptionsDlg::TestPort()
{
    ApplyPort();
    // A port refused says why itself, and for lack of permission how to fix it.
    if (m_comms.Connect() == 0)
        m_ui.Tell("Port is Available", UserInterface::Icon::None);
    m_comms.Disconnect();
}
