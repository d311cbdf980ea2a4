#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Copies of documents with unsaved changes, so that a crash loses nothing.
// Every run of the program keeps its copies in a session folder of its own
// under the recovery folder, locked (flock) for as long as the run lives and
// removed when it ends normally. A session folder that nobody holds locked
// was left by a run that crashed: its copies are what can be recovered.
//
// Copy number n of a session is two files: "n.spc", the document's bytes,
// and "n.note", where it came from:
//     untitled=0
//     path=/home/ann/hall.spc
// A copy counts only when both are there.

// $XDG_STATE_HOME/TV7W/recovery (default ~/.local/state/TV7W/recovery).
std::string DefaultRecoveryFolder();

struct RecoveryNote {
    std::string path;       // the document's path name when it was copied
    bool untitled = false;  // never saved under a name of the user's

    bool operator==(const RecoveryNote&) const = default;
};

std::string FormatRecoveryNote(const RecoveryNote& note);
// Nothing for a text that is not a note: both lines, in this order, a path
// that is not empty, and the final line break are required.
std::optional<RecoveryNote> ParseRecoveryNote(std::string_view text);

// This run's session folder: created and locked on construction, removed
// with every copy in it on destruction.
class RecoverySession {
public:
    explicit RecoverySession(const std::string& recoveryFolder);
    ~RecoverySession();
    RecoverySession(const RecoverySession&) = delete;
    RecoverySession& operator=(const RecoverySession&) = delete;

    // False when the folder could not be made; Error() says why.
    bool IsOpen() const { return m_lock >= 0; }
    const std::string& Error() const { return m_error; }
    const std::string& Folder() const { return m_folder; }

    // Writes copy number, atomically: the bytes first, then the note.
    bool Write(int number, const RecoveryNote& note, const void* data, std::size_t size, std::string& error);
    void Remove(int number);

private:
    std::string m_folder;
    std::string m_error;
    int m_lock = -1;
};

// The copies that crashed runs left, found and locked on construction so
// that no other starting program offers them too; the locks go with the
// object, the copies stay unless discarded.
class AbandonedCopies {
public:
    struct Copy {
        std::string file;  // the document's bytes
        RecoveryNote note;
    };

    explicit AbandonedCopies(const std::string& recoveryFolder);
    ~AbandonedCopies();
    AbandonedCopies(const AbandonedCopies&) = delete;
    AbandonedCopies& operator=(const AbandonedCopies&) = delete;

    // In the order of their sessions, then of their numbers.
    const std::vector<Copy>& Copies() const { return m_copies; }
    // Removes the abandoned session folders with every copy in them.
    void Discard();

private:
    struct Session {
        std::string folder;
        int lock;
    };
    std::vector<Session> m_sessions;
    std::vector<Copy> m_copies;
};
