#include "app/DocumentManager.h"

#include "app/FileDialogs.h"
#include "data/CMainDoc.h"
#include "data/RecentFileList.h"
#include "data/UserInterface.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

QString Local(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

// A file's name as the program keeps it: absolute, so that the recent-file
// list, the recovery copies and Save name the same file whatever folder the
// program runs in later.
QString Absolute(const QString& path)
{
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Two names of one file are one document, however the user reached it.
QString Canonical(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

}  // namespace

DocumentManager::DocumentManager(UserInterface& ui, FileDialogs& dialogs, RecentFileList& recent)
    : m_ui(ui), m_dialogs(dialogs), m_recent(recent)
{}

DocumentManager::~DocumentManager() = default;

CMainDoc* DocumentManager::Find(const QString& path) const
{
    const QString wanted = Canonical(path);
    for (const auto& document : m_documents)
        if (!document->NeedsName() && Canonical(Local(document->GetPathName())) == wanted)
            return document.get();
    return nullptr;
}

std::vector<CMainDoc*> DocumentManager::Documents() const
{
    std::vector<CMainDoc*> documents;
    for (const auto& document : m_documents)
        documents.push_back(document.get());
    return documents;
}

CMainDoc* DocumentManager::OpenDocumentFile(const QString& name)
{
    const QString path = Absolute(name);
    if (CMainDoc* open = Find(path)) {
        if (m_host)
            m_host->ActivateWindowOf(*open);
        return open;
    }
    auto document = std::make_unique<CMainDoc>(m_ui);
    if (!document->OnOpenDocument(path.toLocal8Bit().toStdString())) {
        // The entry as the list held it, and as it is now kept.
        m_recent.Remove(name.toLocal8Bit().toStdString());
        m_recent.Remove(path.toLocal8Bit().toStdString());
        Changed(nullptr);
        return nullptr;
    }
    CMainDoc* opened = m_documents.emplace_back(std::move(document)).get();
    m_recent.Add(opened->GetPathName());
    if (m_host)
        m_host->OpenWindowFor(*opened);
    Changed(opened);
    return opened;
}

CMainDoc* DocumentManager::NewDocument()
{
    auto document = std::make_unique<CMainDoc>(m_ui);
    if (!document->OnNewDocument())
        return nullptr;
    NameUntitled(*document);
    CMainDoc* created = m_documents.emplace_back(std::move(document)).get();
    if (m_host)
        m_host->OpenWindowFor(*created);
    Changed(created);
    return created;
}

void DocumentManager::NameUntitled(CMainDoc& document) const
{
    // "untitled.spc", then "untitled 2.spc", "untitled 3.spc", ...: the
    // lowest number no other new document in the program has.
    const std::string path = document.GetPathName();
    const std::string folder = path.substr(0, path.size() - document.GetTitle().size());
    const std::string stem = std::filesystem::path(CMainDoc::kUntitled).stem().string();
    const std::string extension = std::filesystem::path(CMainDoc::kUntitled).extension().string();
    for (int number = 1;; ++number) {
        const std::string name =
            number == 1 ? std::string(CMainDoc::kUntitled) : stem + " " + std::to_string(number) + extension;
        const bool taken = std::any_of(m_documents.begin(), m_documents.end(), [&](const auto& other) {
            return other.get() != &document && other->NeedsName() && other->GetTitle() == name;
        });
        if (!taken) {
            document.SetPathName(folder + name);
            return;
        }
    }
}

CMainDoc* DocumentManager::OpenUnsavedCopy(const std::string& copy, const std::string& pathName,
                                           bool untitled)
{
    auto document = std::make_unique<CMainDoc>(m_ui);
    if (!document->OnOpenDocument(copy))
        return nullptr;
    if (untitled) {
        // Read from a file it would count as named: it becomes a new document
        // holding the copy's records.
        const SpectrumFile records = document->Data();
        document->OnNewDocument();
        document->Data() = records;
    }
    document->SetPathName(untitled ? pathName : Absolute(Local(pathName)).toLocal8Bit().toStdString());
    document->SetModifiedFlag(true);
    CMainDoc* opened = m_documents.emplace_back(std::move(document)).get();
    if (m_host)
        m_host->OpenWindowFor(*opened);
    Changed(opened);
    return opened;
}

bool DocumentManager::Save(CMainDoc& document)
{
    if (document.NeedsName())
        return SaveAs(document);
    return SaveTo(document, Local(document.GetPathName()));
}

bool DocumentManager::SaveAs(CMainDoc& document)
{
    FileDialogs::Request request;
    request.title = QStringLiteral("Save As");
    request.proposedName = Local(document.GetPathName());
    request.filters = {QStringLiteral("TV7W Files (*.spc)"), QStringLiteral("All Files (*)")};
    request.defaultSuffix = QStringLiteral("spc");
    const std::optional<QString> path = m_dialogs.GetSaveFileName(request);
    if (!path)
        return false;
    // Two documents under one name: the next save of the other would
    // overwrite what this one saves now.
    if (const CMainDoc* other = Find(*path); other != nullptr && other != &document) {
        m_ui.Tell("Cannot save under the name " + Absolute(*path).toLocal8Bit().toStdString() +
                      "\r\nAnother window has that file open. Close it first, or choose another name.",
                  UserInterface::Icon::Exclamation);
        return false;
    }
    return SaveTo(document, Absolute(*path));
}

bool DocumentManager::SaveTo(CMainDoc& document, const QString& path)
{
    // The document keeps its name and stays modified when the save fails.
    if (!document.OnSaveDocument(path.toLocal8Bit().toStdString()))
        return false;
    m_recent.Add(document.GetPathName());
    Changed(&document);
    return true;
}

bool DocumentManager::SaveModified(CMainDoc& document)
{
    if (!document.IsModified())
        return true;
    const QString name = Local(document.NeedsName() ? document.GetTitle() : document.GetPathName());
    const SaveAnswer answer = m_askSaveChanges ? m_askSaveChanges(name) : SaveAnswer::Cancel;
    switch (answer) {
    case SaveAnswer::Yes:
        return Save(document);
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

bool DocumentManager::Close(CMainDoc& document)
{
    if (!SaveModified(document))
        return false;
    // The windows forget the document as they close; the last one removes it.
    document.SetModifiedFlag(false);
    if (m_host)
        m_host->CloseWindowsOf(document);
    else
        Remove(document);
    return true;
}

bool DocumentManager::SaveAllModified()
{
    for (CMainDoc* document : Documents())
        if (!SaveModified(*document))
            return false;
    return true;
}

void DocumentManager::Remove(CMainDoc& document)
{
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [&](const auto& open) { return open.get() == &document; });
    if (it == m_documents.end())
        return;
    const std::unique_ptr<CMainDoc> removed = std::move(*it);
    m_documents.erase(it);
    Changed(nullptr);
}

void DocumentManager::Changed(CMainDoc* document)
{
    for (const auto& listener : m_onChange)
        listener(document);
}
