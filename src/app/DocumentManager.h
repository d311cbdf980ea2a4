#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CMainDoc;
class FileDialogs;
class RecentFileList;
class UserInterface;

// The open documents: opening (a file already open is activated, not read
// twice), new, save, save as, the "save changes?" question and closing. The
// windows that show documents are the host's business.
class DocumentManager {
public:
    enum class SaveAnswer { Yes, No, Cancel };

    // What the manager needs from the window side.
    class Host {
    public:
        virtual ~Host() = default;
        virtual void OpenWindowFor(CMainDoc& document) = 0;
        virtual void ActivateWindowOf(CMainDoc& document) = 0;
        virtual void CloseWindowsOf(CMainDoc& document) = 0;
    };

    DocumentManager(UserInterface& ui, FileDialogs& dialogs, RecentFileList& recent);
    ~DocumentManager();

    void SetHost(Host* host) { m_host = host; }
    // The question "Save changes to %s?" with Yes, No and Cancel.
    void SetSaveQuestion(std::function<SaveAnswer(const QString& name)> ask)
    {
        m_askSaveChanges = std::move(ask);
    }

    // Opens the file name (made absolute against the working folder), or
    // activates the window of the document that has it open. Null when the
    // file could not be read (the document has said why).
    CMainDoc* OpenDocumentFile(const QString& name);
    CMainDoc* NewDocument();
    // Opens the copy of a document that had unsaved changes as that document:
    // modified, under its path name, and still untitled (Save asks for a
    // name) when it was. Null when the copy could not be read.
    CMainDoc* OpenUnsavedCopy(const std::string& copy, const std::string& pathName, bool untitled);
    // Save: through Save As when the document has no name yet.
    bool Save(CMainDoc& document);
    // Refuses a name another open document has.
    bool SaveAs(CMainDoc& document);
    // Asks to save a modified document: false when the user cancelled or the
    // save failed, so whatever was about to close it must not.
    bool SaveModified(CMainDoc& document);
    // Close: asks first, then closes every window of the document.
    bool Close(CMainDoc& document);
    // Asks for every modified document in turn: false when one was kept.
    bool SaveAllModified();
    // Forgets a document whose last window has closed.
    void Remove(CMainDoc& document);

    CMainDoc* Find(const QString& path) const;
    std::vector<CMainDoc*> Documents() const;
    // Called after a document was opened, created, saved or removed (with
    // null for a removed document); every listener in the order added.
    void AddChangeListener(std::function<void(CMainDoc*)> listener)
    {
        m_onChange.push_back(std::move(listener));
    }

private:
    bool SaveTo(CMainDoc& document, const QString& path);
    // Numbers a new document's name when another new document has it.
    void NameUntitled(CMainDoc& document) const;
    void Changed(CMainDoc* document);

    UserInterface& m_ui;
    FileDialogs& m_dialogs;
    RecentFileList& m_recent;
    Host* m_host = nullptr;
    std::function<SaveAnswer(const QString&)> m_askSaveChanges;
    std::vector<std::function<void(CMainDoc*)>> m_onChange;
    std::vector<std::unique_ptr<CMainDoc>> m_documents;
};
