#include "app/PrintingOptionsDialog.h"

#include "app/DialogUnits.h"
#include "app/FileDialogs.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "disk/DskFile.h"
#include "plot/FontSpec.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>

namespace {

constexpr int kPercentLimit = 10000;
constexpr int kTextLimit = 255;

QString FontLabel(const std::string& spec)
{
    FontSpec font;
    font.FromSpec(spec);
    std::string face;
    font.FaceName(face);
    return QStringLiteral("%1 (%2pt)").arg(QString::fromStdString(face)).arg(font.PointSize());
}

bool IsNone(const QString& name)
{
    return name.compare(QStringLiteral("none"), Qt::CaseInsensitive) == 0;
}

bool FileExists(const QString& name)
{
    DskFile file;
    return file.DskXGetLength(name.toStdString()) >= 0;
}

std::string Text(const QLineEdit* edit)
{
    return edit->text().left(kTextLimit).toStdString();
}

// The user's Pictures folder, or the home folder when there is none.
QString PicturesFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

}  // namespace

PrintingOptionsDialog::PrintingOptionsDialog(UserInterface& ui, FileDialogs& files, FontChooser& fonts,
                                             QWidget* parent)
    : QDialog(parent), m_ui(ui), m_files(files), m_fonts(fonts)
{
    using DialogUnits::ToPixels;
    const ProgramSettings& settings = Settings();
    setWindowTitle(QStringLiteral("Printing Options"));
    setFont(DialogUnits::TemplateFont());
    // Two units wider than the template, so the frames keep off the right edge.
    setFixedSize(ToPixels(0, 0, 215, 296).size());

    const auto group = [this](const char* title, QRect where) {
        auto* box = new QGroupBox(QString::fromLatin1(title), this);
        box->setGeometry(where);
    };
    // Each control also has the name a screen reader gives it.
    const auto edit = [this](const std::string& text, QRect where, const char* name) {
        auto* field = new QLineEdit(QString::fromStdString(text), this);
        field->setMaxLength(kTextLimit);
        field->setGeometry(where);
        field->setAccessibleName(QLatin1String(name));
        return field;
    };
    const auto button = [this](const char* text, QRect where, const char* name) {
        auto* push = new QPushButton(QString::fromLatin1(text), this);
        push->setAutoDefault(false);
        push->setGeometry(where);
        push->setAccessibleName(QLatin1String(name));
        return push;
    };
    // A percentage with its label before it: W=H=-1 keeps a bitmap's own size.
    const auto percent = [this](const char* bitmap, const char* name, int value, int left, int top) {
        auto* label = new QLabel(QString::fromLatin1(name), this);
        // Right-aligned before its field, a unit's gap between them.
        label->setGeometry(ToPixels(left, top + 2, 14, 8));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* box = new QSpinBox(this);
        label->setBuddy(box);
        box->setAccessibleName(QStringLiteral("%1 %2").arg(QLatin1String(bitmap), label->text()));
        box->setRange(-kPercentLimit, kPercentLimit);
        box->setButtonSymbols(QAbstractSpinBox::NoButtons);
        box->setValue(value);
        box->setGeometry(ToPixels(left + 15, top, 24, 12));
        return box;
    };

    group("Main Text ", ToPixels(2, 0, 210, 31));
    m_mainFont = edit({}, ToPixels(14, 11, 124, 12), "Main text font");
    m_mainFont->setReadOnly(true);
    m_mainFont->setFocusPolicy(Qt::NoFocus);
    m_mainFont->setText(FontLabel(settings.Plotfont));
    m_mainFontButton = button("Change font", ToPixels(146, 11, 50, 12), "Change the main text font");

    group("User Background Bitmap ", ToPixels(2, 34, 210, 48));
    m_backgroundX = percent("Background", "X%", settings.Plotbkgdbmpx, 6, 44);
    m_backgroundY = percent("Background", "Y%", settings.Plotbkgdbmpy, 56, 44);
    m_backgroundW = percent("Background", "W%", settings.Plotbkgdbmpdx, 106, 44);
    m_backgroundH = percent("Background", "H%", settings.Plotbkgdbmpdy, 156, 44);
    m_backgroundName = edit(settings.Plotbkgdbmp, ToPixels(6, 62, 164, 12), "Background bitmap file");
    m_backgroundBrowse = button("Browse", ToPixels(175, 62, 30, 12), "Browse for the background bitmap");

    group("User Logo Bitmap ", ToPixels(2, 86, 210, 48));
    m_logoX = percent("Logo", "X%", settings.Plotuserbmpx, 6, 96);
    m_logoY = percent("Logo", "Y%", settings.Plotuserbmpy, 56, 96);
    m_logoW = percent("Logo", "W%", settings.Plotuserbmpdx, 106, 96);
    m_logoH = percent("Logo", "H%", settings.Plotuserbmpdy, 156, 96);
    m_logoName = edit(settings.Plotuserbmp, ToPixels(6, 114, 164, 12), "Logo bitmap file");
    m_logoBrowse = button("Browse", ToPixels(175, 114, 30, 12), "Browse for the logo bitmap");

    // Two units above the template: the frame's top line then clears the header field.
    group("Header Text ", ToPixels(2, 136, 210, 44));
    m_header = edit(settings.Plothdr, ToPixels(6, 147, 198, 12), "Header text");
    m_headerFont = edit({}, ToPixels(14, 162, 124, 12), "Header text font");
    m_headerFont->setReadOnly(true);
    m_headerFont->setFocusPolicy(Qt::NoFocus);
    m_headerFont->setText(FontLabel(settings.Plothdrfont));
    m_headerFontButton = button("Change font", ToPixels(146, 163, 50, 12), "Change the header text font");

    m_graphOnly = new QCheckBox(QStringLiteral("Plot Graph Only (no text)"), this);
    m_graphOnly->setChecked(settings.Plotgronly != 0);
    m_graphOnly->setGeometry(ToPixels(6, 184, 98, 10));
    m_grey = new QCheckBox(QStringLiteral("Grey scale print"), this);
    m_grey->setChecked(settings.Plotgrey != 0);
    m_grey->setGeometry(ToPixels(112, 184, 98, 10));
    // Off by default, so the page stays as it was unless the user wants the line.
    m_results = new QCheckBox(QStringLiteral("Print results"), this);
    m_results->setChecked(settings.Printresults != 0);
    m_results->setGeometry(ToPixels(6, 196, 98, 10));

    auto* userNote = new QLabel(QStringLiteral("Note on User Bitmaps:\n"
                                               "Measurements are as a % relative to total plot dimension.\n"
                                               "e.g. X=10 means left bitmap edge is at 10% of plot width.\n"
                                               "W=50% means bitmap's width is half of plot width.\n"
                                               "Use W=H=-1 to keep original bitmap size (no stretch)."),
                                this);
    userNote->setGeometry(ToPixels(7, 209, 199, 49));
    auto* defaultNote = new QLabel(QStringLiteral("No name entry causes default bitmaps to be used.\n"
                                                  "Enter \"none\" if no user bitmap is required."),
                                   this);
    defaultNote->setGeometry(ToPixels(7, 259, 199, 22));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(ToPixels(82, 282, 50, 12));

    connect(m_mainFontButton, &QPushButton::clicked, this,
            [this] { ChangeFont(Settings().Plotfont, m_mainFont); });
    connect(m_headerFontButton, &QPushButton::clicked, this,
            [this] { ChangeFont(Settings().Plothdrfont, m_headerFont); });
    connect(m_backgroundBrowse, &QPushButton::clicked, this, [this] { Browse(m_backgroundName); });
    connect(m_logoBrowse, &QPushButton::clicked, this, [this] { Browse(m_logoName); });
    connect(ok, &QPushButton::clicked, this, &PrintingOptionsDialog::accept);
}

PrintingOptionsDialog::~PrintingOptionsDialog() = default;

void PrintingOptionsDialog::ChangeFont(std::string& spec, QLineEdit* label)
{
    FontSpec font;
    if (font.Choose(spec, m_fonts) == 0) {
        spec = font.Spec();
        label->setText(FontLabel(spec));
    }
}

void PrintingOptionsDialog::Browse(QLineEdit* name)
{
    for (;;) {
        // Start in the folder of the name, or without one where pictures are kept.
        QString start = PicturesFolder();
        if (!name->text().isEmpty()) {
            start = name->text();
            const qsizetype slash = start.lastIndexOf(QLatin1Char('/'));
            start = slash > 0 ? start.left(slash) : QString();
        }
        FileDialogs::Request request;
        request.title = QStringLiteral("Open");
        request.directory = start.isEmpty() ? QStringLiteral("/") : start;
        request.filters = {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("All (*)")};
        const std::optional<QString> chosen = m_files.GetOpenFileName(request);
        if (!chosen)
            return;
        name->setText(*chosen);
        if (IsNone(*chosen) || FileExists(*chosen) ||
            !m_ui.AskYesNo("No such file, retry?", UserInterface::Icon::None, UserInterface::Question::Other))
            return;
    }
}

bool PrintingOptionsDialog::NameAccepted(const QString& name)
{
    if (name.isEmpty() || IsNone(name) || FileExists(name))
        return true;
    return !m_ui.AskYesNo(name.toStdString() + "\r\nIs not a valid file or does not exist, retry?",
                          UserInterface::Icon::None, UserInterface::Question::Other);
}

void PrintingOptionsDialog::SaveSteps()
{
    ProgramSettings& settings = Settings();
    settings.Plotuserbmp = Text(m_logoName);
    settings.Plotuserbmpx = m_logoX->value();
    settings.Plotuserbmpy = m_logoY->value();
    settings.Plotuserbmpdx = m_logoW->value();
    settings.Plotuserbmpdy = m_logoH->value();
    settings.Plotbkgdbmp = Text(m_backgroundName);
    settings.Plotbkgdbmpx = m_backgroundX->value();
    settings.Plotbkgdbmpy = m_backgroundY->value();
    settings.Plotbkgdbmpdx = m_backgroundW->value();
    settings.Plotbkgdbmpdy = m_backgroundH->value();
    settings.Plotgronly = m_graphOnly->isChecked() ? 1 : 0;
    settings.Plotgrey = m_grey->isChecked() ? 1 : 0;
    settings.Printresults = m_results->isChecked() ? 1 : 0;
    settings.Plothdr = Text(m_header);
    m_ui.Beep();
}

void PrintingOptionsDialog::accept()
{
    if (!NameAccepted(m_logoName->text()) || !NameAccepted(m_backgroundName->text()))
        return;
    SaveSteps();
    QDialog::accept();
}

void PrintingOptionsDialog::reject()
{
    // Escape saves as OK does; there is no way to leave without saving.
    accept();
}

void PrintingOptionsDialog::closeEvent(QCloseEvent* event)
{
    // The close box saves at once, then runs the OK handler.
    SaveSteps();
    event->ignore();
    accept();
}
