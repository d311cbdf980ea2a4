#include "app/CrashRecovery.h"

#include "app/DocumentManager.h"
#include "app/QtUserInterface.h"
#include "app/WindowPlacement.h"
#include "data/CMainDoc.h"

#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

// Often enough that a change is copied within a few seconds; comparing the
// images of the open documents costs next to nothing.
constexpr int kCopyIntervalMs = 1000;

QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QString Listed(const AbandonedCopies::Copy& copy)
{
    if (!copy.note.untitled)
        return Local(copy.note.path);
    const std::size_t slash = copy.note.path.rfind('/');
    return QStringLiteral("%1 (never saved)")
        .arg(Local(slash == std::string::npos ? copy.note.path : copy.note.path.substr(slash + 1)));
}

}  // namespace

CrashRecovery::CrashRecovery(DocumentManager& documents, QtUserInterface& ui, const std::string& folder)
    : m_documents(documents), m_ui(ui), m_folder(folder), m_session(folder), m_writer(m_session)
{
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { CopyChanges(); });
    m_timer.start(kCopyIntervalMs);
    // A save or a close takes the copy away at once, not a second later.
    m_documents.AddChangeListener([this](CMainDoc*) { CopyChanges(); });
}

bool CrashRecovery::OfferAbandoned(QWidget* parent)
{
    AbandonedCopies abandoned(m_folder);
    if (abandoned.Copies().empty())
        return false;
    QStringList names;
    for (const AbandonedCopies::Copy& copy : abandoned.Copies())
        names << Listed(copy);
    QMessageBox box(QMessageBox::Warning, QtUserInterface::Title(),
                    QStringLiteral("TV7W ended without saving the changes to:\n\n%1\n\n"
                                   "Restore them? They open with their changes, which you can then save.")
                        .arg(names.join(QLatin1Char('\n'))),
                    QMessageBox::NoButton, parent);
    QPushButton* restore = box.addButton(QStringLiteral("Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QStringLiteral("Later"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.setInformativeText(
        QStringLiteral("Discard deletes the copies; Later keeps them and asks again at the next start."));
    // The box has its size once shown; it is then centred on the screen,
    // not on a main window that may still be growing to fill it.
    box.show();
    WindowPlacement::CentreOnScreen(box);
    box.exec();
    if (box.clickedButton() == discard)
        abandoned.Discard();
    if (box.clickedButton() != restore)
        return false;

    bool restored = false;
    for (const AbandonedCopies::Copy& copy : abandoned.Copies())
        restored = m_documents.OpenUnsavedCopy(copy.file, copy.note.path, copy.note.untitled) || restored;
    // The restored documents are copied into this run before the old copies
    // go, so that a crash now loses nothing either.
    CopyChanges();
    Flush();
    abandoned.Discard();
    return restored;
}

void CrashRecovery::CopyChanges()
{
    const std::vector<CMainDoc*> documents = m_documents.Documents();
    for (auto it = m_copied.begin(); it != m_copied.end();) {
        const bool open = std::find(documents.begin(), documents.end(), it->first) != documents.end();
        if (open && it->first->IsModified()) {
            ++it;
            continue;
        }
        m_writer.Remove(it->second.number);
        it = m_copied.erase(it);
    }
    for (const CMainDoc* document : documents) {
        if (!document->IsModified())
            continue;
        const RecoveryNote note{document->GetPathName(), document->NeedsName()};
        auto [it, added] = m_copied.try_emplace(document, Copied{m_nextNumber, note, document->Data()});
        if (added)
            ++m_nextNumber;
        else if (it->second.note == note && it->second.image == document->Data())
            continue;
        it->second.note = note;
        it->second.image = document->Data();
        const std::uint8_t* bytes = document->Data().Bytes();
        m_writer.Write(it->second.number, note,
                       std::vector<std::uint8_t>(bytes, bytes + SpectrumFile::kSize));
    }
    TellFailureOnce();
}

void CrashRecovery::TellFailureOnce()
{
    std::string error = m_session.IsOpen() ? m_writer.TakeError() : m_session.Error();
    if (error.empty() || m_failureTold || m_copied.empty())
        return;
    m_failureTold = true;
    m_ui.Tell("Copies of unsaved documents cannot be kept in " + m_folder + "\r\n(" + error +
                  ")\r\nA crash would lose the unsaved changes.",
              UserInterface::Icon::Exclamation);
}
