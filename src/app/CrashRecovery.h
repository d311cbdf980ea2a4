#pragma once

#include "data/SpectrumFile.h"
#include "disk/RecoveryFolder.h"
#include "disk/RecoveryWriter.h"

#include <QTimer>

#include <map>
#include <string>

class CMainDoc;
class DocumentManager;
class QWidget;
class QtUserInterface;

// Keeps a copy of every document with unsaved changes in this run's recovery
// session: looked at every second, written by a thread of its own, removed
// when the document is saved or closed. At start it offers what a run that
// crashed left behind.
class CrashRecovery {
public:
    CrashRecovery(DocumentManager& documents, QtUserInterface& ui,
                  const std::string& folder = DefaultRecoveryFolder());

    // Lists the documents a crashed run left unsaved and asks whether to
    // restore them (Restore), delete their copies (Discard) or ask again at
    // the next start (Later). True when any document was restored.
    bool OfferAbandoned(QWidget* parent);
    // Brings the copies up to date with the open documents now.
    void CopyChanges();
    // Waits until every copy given so far is on disk.
    void Flush() { m_writer.Flush(); }
    const std::string& SessionFolder() const { return m_session.Folder(); }

private:
    struct Copied {
        int number;
        RecoveryNote note;
        SpectrumFile image;
    };

    void TellFailureOnce();

    DocumentManager& m_documents;
    QtUserInterface& m_ui;
    std::string m_folder;
    RecoverySession m_session;
    RecoveryWriter m_writer;
    QTimer m_timer;
    std::map<const CMainDoc*, Copied> m_copied;
    int m_nextNumber = 1;
    bool m_failureTold = false;
};
