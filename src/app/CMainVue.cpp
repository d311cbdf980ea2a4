#include "app/CMainVue.h"

#include "app/AppServices.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/DialogUnits.h"
#include "app/EditEntriesDlg.h"
#include "app/PlotPicture.h"
#include "app/QtUserInterface.h"
#include "app/RecordKeyFilter.h"
#include "app/RecordStrip.h"
#include "app/UserTextBox.h"
#include "data/NcCurveTable.h"
#include "data/ProgramSettings.h"
#include "data/ViewReadout.h"
#include "link/CCommsDlg.h"
#include "plot/Latin1Text.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// The form's template: 289 x 246 dialog units.
constexpr int kFormWidth = 289;
constexpr int kFormHeight = 246;
constexpr int kSourceMike = 1;
// The comment text as the box takes it: at most 255 characters.
constexpr qsizetype kMaxUserText = 255;

}  // namespace

CMainVue::CMainVue(CMainDoc& document, AppServices& services, QWidget* parent)
    : QScrollArea(parent), m_document(document), m_services(services), m_b2dB(Settings().Draw2db != 0),
      m_bMulti(Settings().Drawmulti != 0), m_bJoined(Settings().Drawjoined != 0)
{
    setFrameShape(QFrame::NoFrame);
    setAccessibleName(QStringLiteral("Spectrum view"));
    // Tab goes round the form's controls; the view itself is no stop of its own.
    setFocusPolicy(Qt::NoFocus);
    BuildForm();
    setWidget(m_form);
    m_document.AddView(this);
    Invalidate();
}

CMainVue::~CMainVue()
{
    // An open Edit Entries window closes with its view and keeps its position.
    if (m_dlgModify)
        m_dlgModify->StorePosition();
    m_dlgModify.reset();
    m_document.RemoveView(this);
}

// ---- the form -------------------------------------------------------------------

void CMainVue::BuildForm()
{
    m_form = new QWidget;
    m_form->setFont(DialogUnits::TemplateFont());
    m_form->setFixedSize(DialogUnits::ToPixelsX(kFormWidth), DialogUnits::ToPixelsY(kFormHeight));
    m_form->setMouseTracking(true);
    m_form->installEventFilter(this);
    // Every accelerator of the frames (Ctrl+A is Connect, never Select All).
    QList<QKeySequence> recordKeys;
    for (int id : CommandTable::CommandsWithAccelerators())
        recordKeys += CommandTable::Accelerators(id);
    m_recordKeys = new RecordKeyFilter(recordKeys, this);

    // Group boxes first: the controls inside them lie above them.
    AddGroup("NC", 232, 19, 53, 29);
    AddGroup("Display", 232, 50, 54, 47);
    AddGroup("Memory", 2, 123, 284, 25);
    AddGroup("Clipboard", 2, 165, 284, 26);
    AddGroup("TALVEK 7", 232, 193, 54, 50);

    AddLabel("0dB ref:", 3, 3, 25, 8);
    m_ref = AddField("reference", 30, 1, 56, 12, true);
    Describe(m_ref, "Reference corresponding to 0db on plot", "0dB reference");
    m_refDown = AddButton("referenceDown", "-", 87, 1, 8, 12);
    Describe(m_refDown, "Decrease Ref 0 by 1db");
    m_refUp = AddButton("referenceUp", "+", 96, 1, 8, 12);
    Describe(m_refUp, "Increase Ref0 by 1db");
    AddLabel("W/B", 108, 3, 16, 8);
    m_wideband = AddField("wideband", 127, 1, 56, 12, true);
    Describe(m_wideband, "Wide-band signal level");
    AddLabel("Source:", 187, 3, 26, 8);
    m_source = AddField("source", 215, 2, 31, 12, true);
    Describe(m_source, "Signal source");
    AddLabel("Wt:", 253, 3, 12, 8);
    m_weighting = AddField("weighting", 267, 2, 18, 12, true);
    Describe(m_weighting, "Wide-band signal weighting");

    m_plot = new PlotPicture(m_document, m_form);
    m_plot->move(DialogUnits::ToPixels(2, 17, 228, 106).topLeft());
    m_plot->setAccessibleName(QStringLiteral("Spectrum plot"));
    m_plot->installEventFilter(this);
    m_plot->onMouse = [this](QPoint at) {
        m_plotPoint = at;
        ShowReadout(PlotReadout());
    };

    m_nc = AddField("nc", 235, 29, 29, 12, false);
    Describe(m_nc, "\"NC-15\" to \"NC-65\"", "NC curve");
    m_ncDown = AddButton("ncDown", "-", 267, 29, 7, 12);
    m_ncDown->setAccessibleName(QStringLiteral("Previous NC curve"));
    m_ncUp = AddButton("ncUp", "+", 275, 29, 8, 12);
    m_ncUp->setAccessibleName(QStringLiteral("Next NC curve"));

    m_multi = AddCheckBox("multi", "Multi ", 237, 61, 40, 10, m_bMulti);
    Describe(m_multi, "Shows all other traces in data file as background shade", "Multi");
    m_joined = AddCheckBox("joined", "Joined", 237, 73, 42, 10, m_bJoined);
    Describe(m_joined, "Shows data trace as continuous line");
    m_2dB = AddCheckBox("twoDb", "2dB/step", 237, 85, 45, 10, m_b2dB);
    Describe(m_2dB, "Toggles plot display between 1db/step and 2db/step");

    AddLabel("S/N:", 233, 100, 15, 8);
    m_serial = AddField("serial", 250, 98, 36, 12, false);
    Describe(m_serial, "TALVEK 7 Serial number ", "TALVEK 7 serial number");
    m_changed = new QLabel(m_form);
    m_changed->setObjectName(QStringLiteral("changed"));
    m_changed->setGeometry(DialogUnits::ToPixels(234, 113, 49, 12));
    m_changed->setAlignment(Qt::AlignCenter);
    Describe(m_changed, "Data in the File has Changed!", "Data changed");

    m_strip = new RecordStrip(m_document, m_form);
    m_strip->move(DialogUnits::ToPixels(14, 133, 200, 11).topLeft());
    m_strip->setObjectName(QStringLiteral("records"));
    m_strip->setAccessibleName(QStringLiteral("Memory records"));
    m_strip->installEventFilter(this);
    m_strip->onMouse = [this](QPoint at, bool leftButton) {
        const std::optional<int> cell = ViewReadout::StripCell(at.x(), at.y());
        m_plotPoint.reset();
        ShowReadout(cell ? Latin1Text(ViewReadout::StripText(*cell)) : QString());
        if (cell && leftButton && *cell + 1 != m_nMemory)
            SetSelectedMemory(*cell + 1);
    };
    m_strip->onStep = [this](int step) { StepRecord(step); };
    m_strip->onSelect = [this](int memory) { SetSelectedMemory(memory); };
    QAbstractButton* previous = AddButton("previousRecord", "-", 239, 132, 10, 12);
    Describe(previous, "Previous selected Memory Record");
    QAbstractButton* next = AddButton("nextRecord", "+", 251, 132, 10, 12);
    Describe(next, "Next selected Memory Record");
    m_memory = AddField("memory", 267, 132, 14, 12, false);
    Describe(m_memory, "Selected Memory Record <1...30>", "Selected memory record");

    m_info = new QLabel(m_form);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setGeometry(DialogUnits::ToPixels(15, 153, 270, 12));
    m_info->setAlignment(Qt::AlignCenter);
    Describe(m_info, "General Information");

    m_clipboard = AddField("clipboard", 7, 175, 134, 12, true);
    Describe(m_clipboard, "Current Contents of Clipboard");
    m_paste = AddButton("paste", "Paste", 148, 175, 30, 12);
    Describe(m_paste, "Copy data in Clipboard to selected Memory");
    QAbstractButton* copyAll = AddButton("copyAll", "Copy all", 182, 175, 30, 12);
    Describe(copyAll, "Copy All 30 Memory Records to Clipboard");
    QAbstractButton* copyOne = AddButton("copyOne", "Copy 1", 216, 175, 30, 12);
    Describe(copyOne, "Copy selected Memory data to Clipboard");
    QAbstractButton* cutOne = AddButton("cutOne", "Cut 1", 250, 175, 30, 12);
    Describe(cutOne, "Copy data in selected Memory  to Clipboard, then delete it");

    m_userText = new UserTextBox(m_form);
    m_userText->setObjectName(QStringLiteral("userText"));
    m_userText->setGeometry(DialogUnits::ToPixels(2, 195, 226, 47));
    Describe(m_userText, "User defined text (4 lines of 40 characters)", "User text");
    m_userText->installEventFilter(m_recordKeys);
    m_userText->onEdited = [this] { UserTextEdited(); };
    m_userText->onFocusLost = [this] { Invalidate(); };

    m_down = AddButton("down", "Down", 244, 204, 30, 11);
    Describe(m_down, "Transfer Data from TALVEK 7");
    m_up = AddButton("up", "Up", 244, 217, 30, 11);
    Describe(m_up, "Transfer Data to TALVEK 7");
    m_all30 = AddCheckBox("all30", "All 30", 243, 231, 33, 10, m_bAll30);
    Describe(m_all30, "Set to transfer all 30 Memory Records");

    const auto onClick = [this](QAbstractButton* button, auto action) {
        connect(button, &QAbstractButton::clicked, this, action);
    };
    onClick(m_refDown, [this] { ShiftReference(-1); });
    onClick(m_refUp, [this] { ShiftReference(1); });
    onClick(m_ncDown, [this] { StepNcCurve(-1); });
    onClick(m_ncUp, [this] { StepNcCurve(1); });
    onClick(previous, [this] { StepRecord(-1); });
    onClick(next, [this] { StepRecord(1); });
    for (QCheckBox* box : {m_multi, m_joined, m_2dB, m_all30})
        onClick(box, [this] { ReadSwitches(); });
    onClick(m_paste, [this] { Paste(); });
    onClick(copyAll, [this] { CopyAll(); });
    onClick(copyOne, [this] { CopyOne(); });
    onClick(cutOne, [this] { CutOne(); });
    onClick(m_down, [this] { Download(); });
    onClick(m_up, [this] { Upload(); });
}

QLineEdit* CMainVue::AddField(const char* name, int left, int top, int width, int height, bool centred)
{
    auto* field = new QLineEdit(m_form);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setGeometry(DialogUnits::ToPixels(left, top, width, height));
    field->setAlignment(centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    field->setTextMargins(0, 0, 0, 0);
    field->installEventFilter(m_recordKeys);
    return field;
}

QAbstractButton* CMainVue::AddButton(const char* name, const char* text, int left, int top, int width,
                                     int height)
{
    auto* button = new QPushButton(QLatin1String(text), m_form);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(DialogUnits::ToPixels(left, top, width, height));
    return button;
}

QCheckBox* CMainVue::AddCheckBox(const char* name, const char* text, int left, int top, int width, int height,
                                 bool checked)
{
    auto* box = new QCheckBox(QLatin1String(text), m_form);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(DialogUnits::ToPixels(left, top, width, height));
    box->setChecked(checked);
    return box;
}

void CMainVue::AddLabel(const char* text, int left, int top, int width, int height)
{
    auto* label = new QLabel(QLatin1String(text), m_form);
    label->setGeometry(DialogUnits::ToPixels(left, top, width, height));
}

void CMainVue::AddGroup(const char* title, int left, int top, int width, int height)
{
    auto* group = new QGroupBox(QLatin1String(title), m_form);
    group->setGeometry(DialogUnits::ToPixels(left, top, width, height));
    group->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CMainVue::Describe(QWidget* control, const char* tooltip, const char* accessibleName)
{
    const QString tip = QLatin1String(tooltip);
    m_tooltips.emplace_back(control, tip);
    control->setAccessibleName(accessibleName ? QLatin1String(accessibleName) : tip.trimmed());
}

void CMainVue::ApplyTooltips()
{
    const bool shown = Settings().Tooltips == 1;
    for (auto& [control, tip] : m_tooltips)
        control->setToolTip(shown ? tip : QString());
}

QSize CMainVue::FormSize() const
{
    return m_form->size() + QSize(2 * frameWidth(), 2 * frameWidth());
}

// ---- showing the document ---------------------------------------------------------

void CMainVue::OnUpdate(DocumentView*, int)
{
    Invalidate();
}

void CMainVue::Invalidate()
{
    FillFields();
    // A reading of the plot follows its record, reference and scale.
    if (m_plotPoint)
        ShowReadout(PlotReadout());
    m_plot->Show(m_nMemory, {m_b2dB, m_bMulti, m_bJoined}, m_nHighlightBand);
    m_strip->SetSelected(m_nMemory);
    m_strip->update();
    if (m_dlgModify)
        m_dlgModify->Refresh();
}

void CMainVue::FillFields()
{
    const int record = m_nMemory - 1;
    const bool inUse = m_document.IsRecordInUse(record) != 0;
    std::string text;
    m_document.GetSerialText(text);
    m_serial->setText(Latin1Text(text));
    m_document.GetRefLevel(text, record);
    m_ref->setText(inUse ? Latin1Text(text) : QString());
    m_document.GetWidebandLevel(text, record);
    m_wideband->setText(inUse ? Latin1Text(text) : QString());
    const int source = m_document.GetSource(text, record);
    m_source->setText(Latin1Text(text));
    m_document.GetWeighting(text, record);
    m_weighting->setText(inUse ? Latin1Text(text) : QString());
    m_document.GetNcCurve(text, record);
    m_nc->setText(inUse ? Latin1Text(text) : QString());
    m_changed->setText(m_document.IsModified() ? QStringLiteral("data changed!") : QString());
    FillUserText(record);
    m_document.GetClipboardLabel(text);
    // The label starts with the document's title, a file name.
    m_clipboard->setText(QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())));
    m_memory->setText(QString::number(m_nMemory));

    m_paste->setEnabled(!text.empty());
    const bool answered = m_services.comms.HasAnalyserAnswered();
    m_down->setEnabled(answered);
    m_up->setEnabled(answered);
    // A reference shift would make an empty record one in use.
    m_refDown->setEnabled(inUse);
    m_refUp->setEnabled(inUse);
    m_ncDown->setEnabled(source == kSourceMike);
    m_ncUp->setEnabled(source == kSourceMike);
    m_multi->setChecked(m_bMulti);
    m_joined->setChecked(m_bJoined);
    m_2dB->setChecked(m_b2dB);
    m_all30->setChecked(m_bAll30);
    ApplyTooltips();
}

void CMainVue::FillUserText(int record)
{
    // While the user types, the box keeps what they typed; whatever else
    // changed the comment (undo, another view) shows at once.
    if (m_userText->hasFocus() && record == m_nTypedRecord &&
        m_document.Data().comments[static_cast<std::size_t>(record)] == m_typedComment)
        return;
    m_nTypedRecord = -1;
    std::string comment;
    m_document.GetComment(comment, record, 0);
    QString text = Latin1Text(comment);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The fourth line's break would only open an empty fifth line.
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    m_userText->ShowText(text);
}

void CMainVue::UserTextEdited()
{
    const int record = m_nMemory - 1;
    QString text = m_userText->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    // One byte a character: what Latin-1 cannot hold becomes "?".
    const QByteArray bytes = text.left(kMaxUserText).toLatin1();
    {
        DocumentEdit edit(m_document, "Typing", m_nMemory);
        m_document.SetComment(record,
                              std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    m_typedComment = m_document.Data().comments[static_cast<std::size_t>(record)];
    m_nTypedRecord = record;
    // Only four lines are kept: the caret goes back to the start.
    if (m_userText->CaretLine() > UserTextBox::kLines - 1) {
        QTextCursor cursor = m_userText->textCursor();
        cursor.setPosition(0);
        m_userText->setTextCursor(cursor);
        m_userText->ensureCursorVisible();
    }
    DocumentChanged();
}

QString CMainVue::PlotReadout() const
{
    return m_plotPoint ? Latin1Text(ViewReadout::GraphText(m_document, m_nMemory, m_plotPoint->x(),
                                                           m_plotPoint->y(), m_b2dB))
                       : QString();
}

void CMainVue::ShowReadout(const QString& text)
{
    if (m_info->text() != text)
        m_info->setText(text);
}

bool CMainVue::eventFilter(QObject* watched, QEvent* event)
{
    // The information line is empty away from the plot and the strip, also
    // when the mouse leaves them straight onto another control.
    const bool away = (watched == m_form && event->type() == QEvent::MouseMove) ||
                      ((watched == m_plot || watched == m_strip) && event->type() == QEvent::Leave);
    if (away) {
        m_plotPoint.reset();
        ShowReadout(QString());
    }
    return QScrollArea::eventFilter(watched, event);
}

// ---- the view's own controls ---------------------------------------------------------

void CMainVue::SetSelectedMemory(int memory)
{
    if (memory < 1 || memory > SpectrumFile::kRecords)
        return;
    m_nMemory = memory;
    Invalidate();
    m_services.updateCommandStates();
}

void CMainVue::SetHighlightBand(int band)
{
    m_nHighlightBand = band;
    Invalidate();
}

void CMainVue::StepRecord(int step)
{
    int memory = m_nMemory + step;
    if (memory > SpectrumFile::kRecords)
        memory = 1;
    else if (memory < 1)
        memory = SpectrumFile::kRecords;
    SetSelectedMemory(memory);
}

void CMainVue::ShiftReference(int step)
{
    int result = 0;
    {
        DocumentEdit edit(m_document, "Reference Shift");
        result = m_document.ShiftReference(m_nMemory - 1, step);
    }
    if (result != 0) {
        m_services.ui.Tell("Cannot do, data will overflow", UserInterface::Icon::Exclamation);
        return;
    }
    DocumentChanged();
}

void CMainVue::StepNcCurve(int step)
{
    std::string text;
    const int nc = NcCurveTable::StepCurve(m_document.GetNcCurve(text, m_nMemory - 1), step);
    {
        DocumentEdit edit(m_document, "NC Curve");
        m_document.SetNcCurve(m_nMemory - 1, nc);
    }
    DocumentChanged();
}

void CMainVue::ReadSwitches()
{
    m_bMulti = m_multi->isChecked();
    m_bJoined = m_joined->isChecked();
    m_b2dB = m_2dB->isChecked();
    m_bAll30 = m_all30->isChecked();
    Invalidate();
}

void CMainVue::DocumentChanged()
{
    m_document.UpdateAllViews(nullptr);
    m_services.updateCommandStates();
}
