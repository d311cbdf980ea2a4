#include "disk/RecoveryFolder.h"

#include "disk/AtomicFile.h"
#include "disk/SystemError.h"
#include "disk/UserFolders.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockName = "lock";
constexpr const char* kCopySuffix = ".spc";
constexpr const char* kNoteSuffix = ".note";
constexpr std::string_view kPathKey = "path=";
constexpr std::string_view kUntitledKey = "untitled=";

std::string CopyFile(const std::string& folder, int number)
{
    return folder + "/" + std::to_string(number) + kCopySuffix;
}

std::string NoteFile(const std::string& folder, int number)
{
    return folder + "/" + std::to_string(number) + kNoteSuffix;
}

// A lock on folder/lock, taken without waiting; -1 when another run holds it
// or the file cannot be made.
int TryLock(const std::string& folder)
{
    const int fd = ::open((folder + "/" + kLockName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> ReadSmallFile(const std::string& path)
{
    // A note is a path and a flag; anything much longer is not one.
    constexpr std::streamsize kLimit = 8192;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text(kLimit + 1, '\0');
    in.read(text.data(), kLimit + 1);
    if (in.gcount() > kLimit)
        return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

// The copies of one session folder, by number.
std::vector<AbandonedCopies::Copy> CopiesIn(const std::string& folder)
{
    std::vector<std::pair<int, AbandonedCopies::Copy>> numbered;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const fs::path name = entry.path().filename();
        if (name.extension() != kNoteSuffix)
            continue;
        const std::string stem = name.stem().string();
        if (stem.empty() || stem.size() > 9 ||
            !std::all_of(stem.begin(), stem.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const int number = std::stoi(stem);
        const std::string copy = CopyFile(folder, number);
        const std::optional<std::string> text = ReadSmallFile(entry.path().string());
        std::optional<RecoveryNote> note = text ? ParseRecoveryNote(*text) : std::nullopt;
        if (note && fs::is_regular_file(copy, error))
            numbered.emplace_back(number, AbandonedCopies::Copy{copy, std::move(*note)});
    }
    std::sort(numbered.begin(), numbered.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<AbandonedCopies::Copy> copies;
    for (auto& [number, copy] : numbered)
        copies.push_back(std::move(copy));
    return copies;
}

}  // namespace

std::string DefaultRecoveryFolder()
{
    return ProgramFolder("XDG_STATE_HOME", ".local/state") + "/recovery";
}

std::string FormatRecoveryNote(const RecoveryNote& note)
{
    return std::string(kUntitledKey) + (note.untitled ? "1" : "0") + "\n" + std::string(kPathKey) +
           note.path + "\n";
}

std::optional<RecoveryNote> ParseRecoveryNote(std::string_view text)
{
    // The path comes last and runs to the final line break, so that any
    // name the system allows, line breaks included, comes back whole.
    RecoveryNote note;
    if (text.starts_with("untitled=0\n") || text.starts_with("untitled=1\n"))
        note.untitled = text[kUntitledKey.size()] == '1';
    else
        return std::nullopt;
    text.remove_prefix(kUntitledKey.size() + 2);
    if (!text.starts_with(kPathKey) || !text.ends_with('\n') || text.size() < kPathKey.size() + 2)
        return std::nullopt;
    note.path = text.substr(kPathKey.size(), text.size() - kPathKey.size() - 1);
    return note;
}

RecoverySession::RecoverySession(const std::string& recoveryFolder)
{
    std::error_code error;
    fs::create_directories(recoveryFolder, error);
    if (error) {
        m_error = error.message();
        return;
    }
    fs::permissions(recoveryFolder, fs::perms::owner_all, error);
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const std::string name =
        std::to_string(::getpid()) + "-" +
        std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    // The folder is locked under a hidden name first and then renamed, so that
    // no other starting program sees it unlocked and takes it for abandoned.
    const std::string hidden = recoveryFolder + "/." + name;
    m_folder = recoveryFolder + "/" + name;
    if (!fs::create_directory(hidden, error)) {
        m_error = error ? error.message() : SystemError::Describe(EEXIST);
        return;
    }
    m_lock = TryLock(hidden);
    if (m_lock < 0 || ::rename(hidden.c_str(), m_folder.c_str()) != 0) {
        m_error = SystemError::Describe(errno);
        if (m_lock >= 0)
            ::close(m_lock);
        m_lock = -1;
        fs::remove_all(hidden, error);
    }
}

RecoverySession::~RecoverySession()
{
    if (m_lock < 0)
        return;
    std::error_code error;
    fs::remove_all(m_folder, error);
    ::close(m_lock);
}

bool RecoverySession::Write(int number, const RecoveryNote& note, const void* data, std::size_t size,
                            std::string& error)
{
    if (!IsOpen()) {
        error = m_error;
        return false;
    }
    const std::string text = FormatRecoveryNote(note);
    return WriteFileAtomically(CopyFile(m_folder, number), data, size, error) &&
           WriteFileAtomically(NoteFile(m_folder, number), text.data(), text.size(), error);
}

void RecoverySession::Remove(int number)
{
    if (!IsOpen())
        return;
    // The note goes first: a copy without its note no longer counts.
    ::unlink(NoteFile(m_folder, number).c_str());
    ::unlink(CopyFile(m_folder, number).c_str());
}

AbandonedCopies::AbandonedCopies(const std::string& recoveryFolder)
{
    std::error_code error;
    std::vector<std::string> folders;
    for (const fs::directory_entry& entry : fs::directory_iterator(recoveryFolder, error))
        if (entry.is_directory(error) && !entry.path().filename().string().starts_with("."))
            folders.push_back(entry.path().string());
    std::sort(folders.begin(), folders.end());
    for (const std::string& folder : folders) {
        const int lock = TryLock(folder);
        if (lock < 0)
            continue;  // a running program's own copies
        std::vector<Copy> copies = CopiesIn(folder);
        if (copies.empty()) {
            fs::remove_all(folder, error);
            ::close(lock);
            continue;
        }
        m_sessions.push_back({folder, lock});
        for (Copy& copy : copies)
            m_copies.push_back(std::move(copy));
    }
}

AbandonedCopies::~AbandonedCopies()
{
    for (const Session& session : m_sessions)
        ::close(session.lock);
}

void AbandonedCopies::Discard()
{
    std::error_code error;
    for (const Session& session : m_sessions)
        fs::remove_all(session.folder, error);
    m_copies.clear();
}
