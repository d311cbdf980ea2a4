#include "app/EditEntriesDlg.h"

#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/DialogUnits.h"
#include "app/ResourcePicture.h"
#include "app/WindowPlacement.h"
#include "data/ByteList.h"
#include "data/CMainDoc.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/UserInterface.h"
#include "data/WindowPosition.h"
#include "plot/Latin1Text.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <string_view>

namespace {

using EditEntries::Button;

constexpr int kProgramIcon = 31234;
// The width of the texts and of the labels before them, in dialog units.
constexpr int kFieldWidth = 52;
constexpr int kLabelWidth = 34;
// The grid column that takes the room left over, so that every group's
// labels, texts and buttons line up from the left.
constexpr int kSpareColumn = 5;

QGridLayout* AddGroup(QVBoxLayout* column, const char* title)
{
    auto* group = new QGroupBox(QLatin1String(title));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    grid->setColumnMinimumWidth(0, DialogUnits::ToPixelsX(kLabelWidth));
    grid->setColumnStretch(kSpareColumn, 1);
    column->addWidget(group);
    return grid;
}

}  // namespace

EditEntriesDlg::EditEntriesDlg(CMainVue& view, UserInterface& ui, QWidget* parent)
    : QDialog(parent), m_view(view), m_ui(ui)
{
    setWindowTitle(QStringLiteral("Edit Entries Directly"));
    setWindowIcon(QIcon(ResourcePicture(kProgramIcon)));
    setFont(DialogUnits::TemplateFont());
    setModal(false);

    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    QGridLayout* grid = AddGroup(left, "Source");
    AddField(grid, "file", "File", 0);
    AddField(grid, "memory", "Memory: ", 1);
    AddButton(grid, "memoryDown", "-", "Previous memory record", 1, 2, Button::MemoryDown);
    AddButton(grid, "memoryUp", "+", "Next memory record", 1, 3, Button::MemoryUp);

    grid = AddGroup(left, "Frequency Data Points");
    AddField(grid, "frequency", "Freq", 0);
    AddButton(grid, "bandDown", "-", "Previous band", 0, 2, Button::BandDown);
    AddButton(grid, "bandUp", "+", "Next band", 0, 3, Button::BandUp);
    AddField(grid, "level", "dB", 1);
    AddButton(grid, "levelDown", "-", "Band level down one step", 1, 2, Button::LevelDown);
    AddButton(grid, "levelUp", "+", "Band level up one step", 1, 3, Button::LevelUp);
    AddButton(grid, "levelUpTen", "++", "Band level up ten steps", 1, 4, Button::LevelUpTen);

    grid = AddGroup(left, "Input");
    AddField(grid, "input", "Input", 0);
    AddButton(grid, "sourceUp", "+", "Next signal source", 0, 2, Button::SourceUp);
    AddField(grid, "weight", "Weight", 1);
    AddButton(grid, "weightingToggle", "+", "Toggle the weighting", 1, 2, Button::WeightingToggle);

    grid = AddGroup(right, "Ref && Wideband");
    AddField(grid, "reference", "Ref0dB", 0);
    AddButton(grid, "referenceDown", "-", "Reference 1 dB lower", 0, 2, Button::ReferenceDown);
    AddButton(grid, "referenceUp", "+", "Reference 1 dB higher", 0, 3, Button::ReferenceUp);
    AddButton(grid, "referenceUpTen", "++", "Reference 10 dB higher", 0, 4, Button::ReferenceUpTen);
    AddField(grid, "wideband", "WB", 1);
    AddButton(grid, "widebandDown", "-", "Wide-band level down one step", 1, 2, Button::WidebandDown);
    AddButton(grid, "widebandUp", "+", "Wide-band level up one step", 1, 3, Button::WidebandUp);
    AddButton(grid, "widebandUpTen", "++", "Wide-band level up ten steps", 1, 4, Button::WidebandUpTen);

    grid = AddGroup(right, "NC Curve");
    AddField(grid, "nc", "", 0);
    AddButton(grid, "ncDown", "-", "Previous NC curve", 0, 2, Button::NcDown);
    AddButton(grid, "ncUp", "+", "Next NC curve", 0, 3, Button::NcUp);

    auto* buttons = new QGridLayout;
    right->addLayout(buttons);
    right->addStretch();
    AddButton(buttons, "byteList", "Byte list", "Show the record's bytes", 0, 0, [this] { ShowByteList(); });
    AddButton(buttons, "refresh", "Refresh", "Show the record again", 0, 1, [this] { Refresh(); });
    // OK is the default button: Return closes the window.
    AddButton(buttons, "ok", "OK", "Close", 1, 1, [this] {
        if (onClose)
            onClose();
    })->setDefault(true);

    // The edits made here are undone and redone from here too.
    for (const int command : {CommandId::EditUndo, CommandId::EditRedo})
        for (const QKeySequence& key : CommandTable::Accelerators(command))
            connect(new QShortcut(key, this), &QShortcut::activated, this,
                    [this, command] { m_view.RunCommand(command); });

    RestorePosition();
    Refresh();
}

QLineEdit* EditEntriesDlg::AddField(QGridLayout* grid, const char* name, const char* label, int row)
{
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setAccessibleName(*label ? QString::fromLatin1(label).trimmed() : QStringLiteral("NC curve"));
    // The file name may be long; every other text fits "110.0dB SPL".
    if (std::string_view(name) == "file")
        field->setMinimumWidth(DialogUnits::ToPixelsX(kFieldWidth));
    else
        field->setFixedWidth(DialogUnits::ToPixelsX(kFieldWidth));
    grid->addWidget(new QLabel(QLatin1String(label)), row, 0);
    grid->addWidget(field, row, 1);
    m_fields[QLatin1String(name)] = field;
    return field;
}

QPushButton* EditEntriesDlg::AddButton(QGridLayout* grid, const char* name, const char* text,
                                       const char* description, int row, int column,
                                       std::function<void()> action)
{
    auto* button = new QPushButton(QLatin1String(text));
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(QLatin1String(description));
    if (Settings().Tooltips == 1)
        button->setToolTip(QLatin1String(description));
    button->setAutoDefault(false);
    if (*text == '+' || *text == '-')
        button->setFixedWidth(DialogUnits::ToPixelsX(14));
    connect(button, &QPushButton::clicked, this, std::move(action));
    grid->addWidget(button, row, column);
    return button;
}

void EditEntriesDlg::AddButton(QGridLayout* grid, const char* name, const char* text, const char* description,
                               int row, int column, Button button)
{
    AddButton(grid, name, text, description, row, column, [this, button] { Press(button); });
}

QString EditEntriesDlg::Text(const char* name) const
{
    const auto field = m_fields.find(QLatin1String(name));
    return field == m_fields.end() ? QString() : field->second->text();
}

void EditEntriesDlg::Refresh()
{
    CMainDoc& doc = m_view.GetDocument();
    const int record = m_view.SelectedMemory() - 1;
    const int band = m_view.HighlightBand() - 1;
    std::string text;
    const auto show = [this](const char* name, const QString& value) {
        m_fields[QLatin1String(name)]->setText(value);
    };
    show("file", QString::fromLocal8Bit(doc.GetTitle().c_str()));
    show("memory", QString::number(record + 1));
    doc.GetBandLabel(text, band);
    show("frequency", Latin1Text(text) + QStringLiteral(" Hz"));
    doc.GetBandLevel(text, band, record);
    show("level", Latin1Text(text));
    doc.GetSource(text, record);
    show("input", Latin1Text(text));
    doc.GetWeighting(text, record);
    show("weight", Latin1Text(text));
    doc.GetRefLevel(text, record);
    show("reference", Latin1Text(text));
    doc.GetWidebandLevel(text, record);
    show("wideband", Latin1Text(text));
    doc.GetNcCurve(text, record);
    show("nc", Latin1Text(text));
}

void EditEntriesDlg::Press(Button button)
{
    if (EditEntries::StepsSelection(button)) {
        EditEntries::Selection selection{m_view.SelectedMemory(), m_view.HighlightBand()};
        EditEntries::StepSelection(button, selection);
        m_view.SetSelectedMemory(selection.memory);
        m_view.SetHighlightBand(selection.band);
        return;
    }
    CMainDoc& doc = m_view.GetDocument();
    {
        DocumentEdit edit(doc, "Modify Entries");
        MemoryRecord& record = doc.Data().records[static_cast<std::size_t>(m_view.SelectedMemory() - 1)];
        if (EditEntries::EditRecord(button, record, m_view.HighlightBand()))
            doc.SetModifiedFlag();
    }
    // Every view of the document repaints, this window with its view.
    doc.UpdateAllViews(nullptr);
}

void EditEntriesDlg::ShowByteList()
{
    m_ui.Tell(FormatByteList(m_view.GetDocument(), m_view.SelectedMemory() - 1), UserInterface::Icon::None);
    Refresh();
}

void EditEntriesDlg::RestorePosition()
{
    WindowPlacement::Restore(*this, Profile().GetInt(ProfileKeys::kSettings, ProfileKeys::kDlgModifPos, 0),
                             m_view, &m_view);
}

void EditEntriesDlg::StorePosition()
{
    if (!WindowPlacement::PositionsWork())
        return;
    const QPoint corner = frameGeometry().topLeft();
    Profile().WriteInt(ProfileKeys::kSettings, ProfileKeys::kDlgModifPos,
                       PackWindowPosition(corner.x(), corner.y()));
}

void EditEntriesDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (onClose)
        onClose();
}

void EditEntriesDlg::reject()
{
    if (onClose)
        onClose();
}
