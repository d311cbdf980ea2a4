// The spectrum view's record commands: the record clipboard, the transfers
// with the analyser, Edit Entries, Resize View, export and import, undo and redo.

#include "app/AppServices.h"
#include "app/CMainVue.h"
#include "app/CommandIds.h"
#include "app/EditEntriesDlg.h"
#include "app/FileDialogs.h"
#include "app/QtUserInterface.h"
#include "app/StatusTexts.h"
#include "data/RecordClipboard.h"
#include "data/RecordText.h"
#include "link/CCommsDlg.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QMdiSubWindow>

#include <cstdio>

namespace {

using namespace CommandId;

QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Local(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

// "&Undo Paste\tCtrl+Z": the menu item names the step it takes back.
QString StepText(const char* command, const std::string& step, const char* key)
{
    QString text = QLatin1String(command);
    if (!step.empty())
        text += QLatin1Char(' ') + QString::fromStdString(step);
    return text + QLatin1Char('\t') + QLatin1String(key);
}

}  // namespace

std::optional<CommandState> CMainVue::QueryCommand(int id)
{
    switch (id) {
    case NextRecord:
    case PreviousRecord:
    case EditCopy:
    case EditCopyAll:
    case EditCut:
    case EditPaste:
    case ResizeView:
    case ExportPrn:
    case ExportPrx:
    case Import:
        return CommandState{};
    case ModifyEntries:
        return CommandState{true, m_dlgModify != nullptr};
    case EditUndo: {
        CommandState state{m_document.CanUndo()};
        state.text = StepText("&Undo", m_document.UndoName(), "Ctrl+Z");
        return state;
    }
    case EditRedo: {
        CommandState state{m_document.CanRedo()};
        state.text = StepText("&Redo", m_document.RedoName(), "Ctrl+Y");
        return state;
    }
    default:
        return std::nullopt;
    }
}

void CMainVue::RunCommand(int id)
{
    switch (id) {
    case NextRecord:
        StepRecord(1);
        break;
    case PreviousRecord:
        StepRecord(-1);
        break;
    case EditCopy:
        CopyOne();
        break;
    case EditCopyAll:
        CopyAll();
        break;
    case EditCut:
        CutOne();
        break;
    case EditPaste:
        Paste();
        break;
    case ModifyEntries:
        ToggleEditEntries();
        break;
    case ResizeView:
        ResizeToForm();
        break;
    case ExportPrn:
        ExportText(TextFileKind::kPrn);
        break;
    case ExportPrx:
        ExportText(TextFileKind::kPrx);
        break;
    case Import:
        ImportText();
        break;
    case EditUndo:
        m_document.Undo();
        break;
    case EditRedo:
        m_document.Redo();
        break;
    default:
        break;
    }
}

// ---- the record clipboard ------------------------------------------------------------

// "title    [nn]" for the selected record; empty for an empty record, so
// that no view offers to paste it.
std::string CMainVue::RecordDescription()
{
    if (m_document.IsRecordInUse(m_nMemory - 1) == 0)
        return {};
    char number[8];
    std::snprintf(number, sizeof number, "[%02d]", m_nMemory);
    return m_document.GetTitle() + "    " + number;
}

void CMainVue::ReportClipboard(int copied)
{
    // The program's own clipboard has the records whatever the system did.
    if (copied == CMainDoc::kClipboardUnavailable)
        m_services.showStatus(QStringLiteral("The system clipboard refused the records' text: "
                                             "they can be pasted in TV7W only"));
}

void CMainVue::CopyOne()
{
    m_document.SetClipboardLabel(RecordDescription());
    ReportClipboard(m_document.CopyRecords(m_nMemory - 1, 1));
    Invalidate();
}

void CMainVue::CopyAll()
{
    WaitCursor wait(m_services.ui);
    m_document.SetClipboardLabel(m_document.GetTitle() + "    [ALL]");
    ReportClipboard(m_document.CopyRecords(0, SpectrumFile::kRecords));
    Invalidate();
}

void CMainVue::CutOne()
{
    const std::string description = RecordDescription();
    {
        DocumentEdit edit(m_document, "Cut");
        ReportClipboard(m_document.CopyRecords(m_nMemory - 1, 1));
        m_document.SetClipboardLabel(description);
        m_document.ClearRecord(m_nMemory - 1);
    }
    DocumentChanged();
}

void CMainVue::Paste()
{
    if (Clipboard().copyCount >= 2 &&
        !m_services.ui.AskYesNo("Pasting ALL 30 Memory Records\r\nContinue?",
                                UserInterface::Icon::Exclamation, UserInterface::Question::PasteAll))
        return;
    {
        DocumentEdit edit(m_document, "Paste");
        m_document.PasteRecords(m_nMemory - 1);
    }
    DocumentChanged();
}

// ---- transfers -------------------------------------------------------------------------

void CMainVue::Download()
{
    CCommsDlg& comms = m_services.comms;
    {
        DocumentEdit edit(m_document, "Download");
        const int result =
            m_bAll30 ? comms.DownloadToFile(m_document, CCommsDlg::kAllRecords, CCommsDlg::kAllRecords)
                     : comms.DownloadToFile(m_document, m_nMemory - 1, CCommsDlg::kCurrentMemory);
        // Only records that arrived change the file: then it takes the
        // serial number of the analyser they came from, when that is known.
        if (result == CCommsDlg::kOk) {
            if (comms.Serial()[0] != '\0')
                m_document.Data().serialNumber = comms.Serial();
            m_document.SetModifiedFlag();
        }
    }
    UntickAll30();
    DocumentChanged();
}

bool CMainVue::MayOverwriteMemories()
{
    UserInterface& ui = m_services.ui;
    if (m_bAll30)
        return ui.AskYesNo("Overwrite all 30 memories of the TALVEK 7?", UserInterface::Icon::Exclamation,
                           UserInterface::Question::Overwrite);
    const int memory = m_services.comms.Panel().m_nPanelMemory;
    // An unknown memory is refused by the upload itself.
    if (m_document.IsRecordInUse(m_nMemory - 1) != 0 || memory < 1 || memory > SpectrumFile::kRecords)
        return true;
    char question[128];
    std::snprintf(question, sizeof question,
                  "Record %d holds no data\r\nOverwrite memory %d of the TALVEK 7 with it?", m_nMemory,
                  memory);
    return ui.AskYesNo(question, UserInterface::Icon::Exclamation, UserInterface::Question::Overwrite);
}

void CMainVue::Upload()
{
    if (!MayOverwriteMemories())
        return;
    CCommsDlg& comms = m_services.comms;
    if (m_bAll30)
        comms.UploadAllFromFile(m_document);
    else
        comms.UploadFromFile(m_document, CCommsDlg::kCurrentMemory, m_nMemory - 1);
    UntickAll30();
    Invalidate();
    // The analyser window shows what the analyser now holds.
    m_services.ui.Repaint();
}

void CMainVue::UntickAll30()
{
    // A transfer of all 30 is chosen afresh each time: the next Up does not
    // rewrite every memory by surprise.
    m_bAll30 = false;
    m_all30->setChecked(false);
}

// ---- Edit Entries and Resize View ---------------------------------------------------------

void CMainVue::ToggleEditEntries()
{
    if (m_dlgModify) {
        CloseEditEntries();
        return;
    }
    WaitCursor wait(m_services.ui);
    m_dlgModify = std::make_unique<EditEntriesDlg>(*this, m_services.ui, window());
    m_dlgModify->onClose = [this] { CloseEditEntries(); };
    m_nHighlightBand = 1;
    Invalidate();
    m_dlgModify->show();
}

void CMainVue::CloseEditEntries()
{
    if (!m_dlgModify)
        return;
    m_dlgModify->StorePosition();
    m_dlgModify->hide();
    // The window may be closing itself from one of its own handlers.
    m_dlgModify.release()->deleteLater();
    SetHighlightBand(0);
    m_services.updateCommandStates();
}

void CMainVue::ResizeToForm()
{
    // The window shrinks to the form where it is larger and keeps its size
    // where it is smaller.
    auto* window = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (window == nullptr)
        return;
    const QSize fit = FormSize() + (window->size() - size());
    window->resize(window->size().boundedTo(fit));
    Invalidate();
}

// ---- export and import ------------------------------------------------------------------------

void CMainVue::ExportText(int kind)
{
    const QString proposed = Local(m_document.TextFileName(kind));
    FileDialogs::Request request;
    request.title = QStringLiteral("Save As");
    request.directory = QFileInfo(proposed).path();
    request.proposedName = proposed;
    request.defaultSuffix = kind == TextFileKind::kPrx ? QStringLiteral("prx") : QStringLiteral("prn");
    const std::optional<QString> path = m_services.fileDialogs.GetSaveFileName(request);
    if (!path)
        return;
    if (m_document.ExportText(kind, Local(*path)) == 0)
        m_services.showStatus(StatusTexts::ExportedRecords(SpectrumFile::kRecords, *path));
}

void CMainVue::ImportText()
{
    const QString proposed = Local(m_document.TextFileName(TextFileKind::kPrn));
    FileDialogs::Request request;
    request.title = QStringLiteral("Open");
    request.directory = QFileInfo(proposed).path();
    request.proposedName = proposed;
    const std::optional<QString> path = m_services.fileDialogs.GetOpenFileName(request);
    if (!path)
        return;
    {
        DocumentEdit edit(m_document, "Import");
        m_document.OnImport(Local(*path));
    }
    DocumentChanged();
}
