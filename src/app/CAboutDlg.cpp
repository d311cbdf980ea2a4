#include "app/CAboutDlg.h"

#include "app/DialogUnits.h"
#include "app/QtUserInterface.h"
#include "app/ResourcePicture.h"

#include <QLabel>
#include <QPushButton>

#include <string>

namespace {
constexpr int kPicture = 134;
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    using DialogUnits::ToPixels;
    setWindowTitle(QStringLiteral("About TV7W"));
    setFont(DialogUnits::TemplateFont());
    setFixedSize(ToPixels(0, 0, 230, 160).size());

    auto* picture = new QLabel(this);
    picture->setPixmap(ResourcePicture(kPicture));
    picture->setGeometry(ToPixels(8, 6, 214, 40));
    picture->setAlignment(Qt::AlignCenter);
    picture->setAccessibleName(QStringLiteral("TV7W, TALVEK 7 Interface Program"));
    auto* version = new QLabel(QStringLiteral("TALVEK 7 Interface Program\nVersion 2.23\n\n"), this);
    version->setGeometry(ToPixels(8, 50, 214, 26));
    // From the top: the empty lines after the version only make room below it.
    version->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* contact = new QLabel(QStringLiteral("Halden Electrics\nTALVEK 7 support: see the manual (F1) for "
                                              "connecting and using the analyser.\n\nTV7W for Linux, built "
                                              "with C++20 and Qt 6."),
                               this);
    contact->setWordWrap(true);
    contact->setGeometry(ToPixels(8, 78, 214, 52));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(ToPixels(172, 138, 50, 14));
    ok->setDefault(true);
    auto* disclaimer = new QPushButton(QStringLiteral("Disclaimer && Licence"), this);
    disclaimer->setGeometry(ToPixels(8, 138, 90, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(disclaimer, &QPushButton::clicked, this, &CAboutDlg::reject);
}

std::string CAboutDlg::DisclaimerText()
{
    return "DISCLAIMER:\r\n"
           "THIS SOFTWARE AND THE ACCOMPANYING FILES ARE SUPPLIED \"AS IS\" AND WITHOUT WARRANTIES AS TO "
           "PERFORMANCE OR MERCHANTABILITY OR ANY OTHER WARRANTIES WHETHER EXPRESSED OR IMPLIED. NO WARRANTY "
           "OF FITNESS FOR A PARTICULAR PURPOSE IS OFFERED. THE LIABILITY OF THE SUPPLIER IS LIMITED TO THE "
           "REPLACEMENT OF THE PRODUCT.\r\n"
           "The user must assume the entire risk of using the program.\r\n\r\n\r\n"
           "LICENCE:\r\n"
           "This program may be used with any TALVEK 7 analyser and copied for that purpose, provided it is "
           "copied whole and unchanged.";
}

void CAboutDlg::reject()
{
    // The cancel button is the disclaimer: Escape shows it too.
    QtUserInterface().Tell(DisclaimerText(), UserInterface::Icon::None);
}
