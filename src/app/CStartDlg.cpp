#include "app/CStartDlg.h"

#include "app/DialogUnits.h"
#include "app/ResourcePicture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int kTopPicture = 134;
constexpr int kLowerPicture = 139;
}  // namespace

CStartDlg::CStartDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    using DialogUnits::ToPixels;
    setFont(DialogUnits::TemplateFont());
    setObjectName(QStringLiteral("startDialog"));
    // The window has no title bar; a screen reader still names it.
    setAccessibleName(QStringLiteral("TV7W"));
    setStyleSheet(QStringLiteral("#startDialog { border: 1px solid palette(dark); }"));
    setFixedSize(ToPixels(0, 0, 230, 210).size());

    auto* top = new QLabel(this);
    top->setPixmap(ResourcePicture(kTopPicture));
    top->setGeometry(ToPixels(8, 6, 214, 40));
    top->setAlignment(Qt::AlignCenter);
    top->setAccessibleName(QStringLiteral("TV7W, TALVEK 7 Interface Program"));
    auto* lower = new QLabel(this);
    lower->setPixmap(ResourcePicture(kLowerPicture));
    lower->setGeometry(ToPixels(8, 48, 130, 80));
    lower->setAlignment(Qt::AlignCenter);
    lower->setAccessibleName(QStringLiteral("The TALVEK 7 analyser"));
    auto* text = new QLabel(QStringLiteral("Interface Program for TALVEK 7 3rd Octave Portable Spectrum "
                                           "Analyser\n\nFor  more information see About Box"),
                            this);
    text->setWordWrap(true);
    text->setGeometry(ToPixels(142, 52, 80, 74));

    auto* open = new QPushButton(QStringLiteral("Open Spectrum Data File "), this);
    open->setGeometry(ToPixels(8, 134, 100, 14));
    auto* exit = new QPushButton(QStringLiteral("Exit Program"), this);
    exit->setGeometry(ToPixels(8, 152, 100, 14));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(ToPixels(172, 188, 50, 14));
    ok->setDefault(true);
    m_dontShow = new QCheckBox(QStringLiteral("Dont show this dialog on start"), this);
    m_dontShow->setGeometry(ToPixels(8, 190, 150, 10));

    connect(open, &QPushButton::clicked, this, [this] { Choose(kOpenFile); });
    connect(exit, &QPushButton::clicked, this, [this] { Choose(kExit); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool CStartDlg::DontShowAgain() const
{
    return m_dontShow->isChecked();
}

void CStartDlg::Choose(int choice)
{
    m_nChoice = choice;
    accept();
}
