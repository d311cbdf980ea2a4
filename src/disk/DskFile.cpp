#include "disk/DskFile.h"

#include "disk/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Format(const char* format, int a, int b, int c)
{
    char text[DskFile::kMaxText + 1];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// Calls transfer(bytes moved so far, bytes left) until asked bytes are moved,
// the file ends or a call fails; returns the system error, 0 for none.
template <typename Transfer> int MoveAll(std::int32_t asked, std::int32_t& moved, Transfer transfer)
{
    while (moved < asked) {
        const ssize_t n = transfer(moved, static_cast<std::size_t>(asked - moved));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return SystemError::FromErrno(errno);
        if (n == 0)
            return 0;
        moved += static_cast<std::int32_t>(n);
    }
    return 0;
}

// The line reader fetches this many bytes at a time instead of one read per byte.
constexpr std::size_t kReadAheadSize = 4096;

// Opens path and takes a shared advisory lock: readers and writers share the
// file, but a process that holds it exclusively keeps us out (the sharing
// violation of the diagnostic texts). Only a regular file is opened: the
// open does not wait (a pipe without writer, a device), and a folder, pipe
// or device is refused like a file that cannot be opened. Returns the
// descriptor, or -1 with errno set.
int OpenShared(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat info {};
    int err = 0;
    if (::fstat(fd, &info) != 0)
        err = errno;
    else if (!S_ISREG(info.st_mode))
        err = S_ISDIR(info.st_mode) ? EISDIR : EACCES;
    else if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        err = errno;
    else if (::flock(fd, LOCK_SH | LOCK_NB) != 0)
        err = errno;
    if (err != 0) {
        ::close(fd);
        errno = err;
        return -1;
    }
    return fd;
}

}  // namespace

DskFile::~DskFile()
{
    DskClose();
}

void DskFile::Enter(const char* operation)
{
    m_strOperation = operation;
}

int DskFile::Fail(int result, int systemError, const char* format, int asked, int moved)
{
    m_nLastResult = result;
    m_nSystemError = systemError;
    m_strError = Format(format, systemError, asked, moved);
    return result;
}

void DskFile::ReadAttributes()
{
    struct stat info {};
    m_nAttributes = ::stat(m_strFullPath.c_str(), &info) == 0 ? info.st_mode : 0;
}

int DskFile::DskSetName(const std::string& path)
{
    // The whole path is kept: a path cut short could name another file.
    m_strFullPath = path;
    DskSplitPath(m_strFullPath, m_strDirectory, m_strName);
    return kOk;
}

int DskFile::DskOpen(int mode)
{
    Enter("DskOpen");
    if (m_strFullPath.empty()) {
        m_nLastResult = kNoFile;
        return kNoFile;
    }
    DskClose();
    Enter("DskOpen");
    ReadAttributes();
    const int flags = mode == kRead ? O_RDONLY : O_WRONLY | O_CREAT;
    const int fd = OpenShared(m_strFullPath, flags);
    if (fd < 0) {
        const int code = SystemError::FromErrno(errno);
        return Fail(code == SystemError::kSharingViolation ? kHeldElsewhere : kOpenFailed, code, "<ee=%d>");
    }
    // Truncate only once the lock is ours, so a file held elsewhere is never emptied.
    if (mode != kRead && ::ftruncate(fd, 0) != 0) {
        const int code = SystemError::FromErrno(errno);
        ::close(fd);
        return Fail(kOpenFailed, code, "<ee=%d>");
    }
    m_hFile = fd;
    m_bOpen = true;
    return kOk;
}

int DskFile::DskClose()
{
    Enter("DskClose");
    DskUnmap();
    if (m_hFile >= 0)
        ::close(m_hFile);
    m_hFile = -1;
    m_nAttributes = 0;
    m_bOpen = false;
    m_readAhead.clear();
    m_nReadAheadPos = 0;
    return kOk;
}

int DskFile::DskRead(void* buffer, std::int32_t& count)
{
    Enter("DskRead");
    if (!m_bOpen)
        return kNoFile;
    const std::int32_t asked = count;
    // Bytes the line reader fetched ahead come first.
    const std::size_t waiting = m_readAhead.size() - m_nReadAheadPos;
    std::int32_t moved =
        static_cast<std::int32_t>(std::min(waiting, static_cast<std::size_t>(std::max(asked, 0))));
    m_readAhead.copy(static_cast<char*>(buffer), static_cast<std::size_t>(moved), m_nReadAheadPos);
    m_nReadAheadPos += static_cast<std::size_t>(moved);
    const int err = MoveAll(asked, moved, [&](std::int32_t done, std::size_t left) {
        return ::read(m_hFile, static_cast<char*>(buffer) + done, left);
    });
    count = moved;
    if (moved == asked)
        return kOk;
    return Fail(kShortTransfer, err ? err : 1, "<ee=%d,%d,%d>", asked, moved);
}

int DskFile::DskWrite(const void* buffer, std::int32_t& count)
{
    Enter("DskWrite");
    if (!m_bOpen)
        return kNoFile;
    const std::int32_t asked = count;
    std::int32_t moved = 0;
    const int err = MoveAll(asked, moved, [&](std::int32_t done, std::size_t left) {
        return ::write(m_hFile, static_cast<const char*>(buffer) + done, left);
    });
    count = moved;
    if (moved == asked)
        return kOk;
    return Fail(kShortTransfer, err ? err : 1, "<ee=%d,%d,%d>\r\n", asked, moved);
}

int DskFile::DskReadLine(std::string& line)
{
    Enter("DskReadLine");
    line.clear();
    if (!m_bOpen)
        return kNoFile;
    while (!DskTakeLine(m_readAhead, m_nReadAheadPos, line)) {
        const int result = FillReadAhead();
        Enter("DskReadLine");
        if (result != kOk)
            return result;
    }
    return kOk;
}

bool DskTakeLine(std::string_view text, std::size_t& pos, std::string& line)
{
    while (line.size() < DskFile::kMaxText) {
        if (pos == text.size())
            return false;
        const auto byte = static_cast<unsigned char>(text[pos++]);
        // TAB stays inside a line: the import splits TAB-separated values
        // (the clipboard's default layout) into fields, not into lines.
        if (byte >= 32 || (byte == '\t' && !line.empty()))
            line.push_back(static_cast<char>(byte));
        else if (!line.empty())
            return true;
    }
    return true;
}

int DskFile::FillReadAhead()
{
    m_readAhead.resize(kReadAheadSize);
    m_nReadAheadPos = 0;
    ssize_t n = 0;
    do {
        n = ::read(m_hFile, m_readAhead.data(), kReadAheadSize);
    } while (n < 0 && errno == EINTR);
    const int err = n < 0 ? SystemError::FromErrno(errno) : 0;
    m_readAhead.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    if (n > 0)
        return kOk;
    // The outcome of a one-byte DskRead at the end of the file or on a failed read.
    return Fail(kShortTransfer, err ? err : 1, "<ee=%d,%d,%d>", 1, 0);
}

std::int64_t DskFile::DskGetLength()
{
    Enter("DskGetLength");
    ReadAttributes();
    if (!m_bOpen)
        return DskXGetLength(m_strFullPath);
    struct stat info {};
    if (::fstat(m_hFile, &info) != 0) {
        Fail(kNoFile, SystemError::FromErrno(errno), "<ee=%d> (DskGetLength)");
        return kNoFile;
    }
    // The whole length: a file 4 GiB longer than another must not pass for it.
    return static_cast<std::int64_t>(info.st_size);
}

std::int64_t DskFile::DskXGetLength(const std::string& path)
{
    const int fd = OpenShared(path, O_RDONLY);
    if (fd < 0) {
        Fail(kNoFile, SystemError::FromErrno(errno), "<ee=%d> C_F (DskXGetLength)\r\n");
        return kNoFile;
    }
    struct stat info {};
    const bool ok = ::fstat(fd, &info) == 0;
    const int err = errno;
    ::close(fd);
    if (!ok) {
        Fail(kNoFile, SystemError::FromErrno(err), "<ee=%d> G_F_S (DskXGetLength)\r\n");
        return kNoFile;
    }
    return static_cast<std::int64_t>(info.st_size);
}

int DskFile::DskMap(std::int64_t size, int access)
{
    DskUnmap();
    const int protection = access == kMapReadOnly ? PROT_READ : PROT_READ | PROT_WRITE;
    void* view = MAP_FAILED;
    std::size_t length = 0;
    if (size > 0) {
        length = static_cast<std::size_t>(size);
        view = ::mmap(nullptr, length, protection, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        m_bAnonymous = true;
    } else if (m_bOpen) {
        // Never more than the file holds: a view beyond its end faults when touched.
        const std::int64_t fileLength = DskGetLength();
        if (fileLength > 0 && size >= -fileLength) {
            length = static_cast<std::size_t>(size == 0 ? fileLength : -size);
            view = ::mmap(nullptr, length, protection, MAP_SHARED, m_hFile, 0);
        }
    }
    if (view == MAP_FAILED) {
        m_bAnonymous = false;
        m_nLastResult = kMapFailed;
        return kMapFailed;
    }
    m_pView = static_cast<std::uint8_t*>(view);
    m_nMappedSize = length;
    return kOk;
}

int DskFile::DskUnmap()
{
    if (m_pView)
        ::munmap(m_pView, m_nMappedSize);
    m_pView = nullptr;
    m_nMappedSize = 0;
    m_bAnonymous = false;
    return kOk;
}

int DskFile::DskCopyFile(const std::string& destination, const std::string& source)
{
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return kNoFile;
    const int out = ::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    bool ok = out >= 0;
    char block[8192];
    while (ok) {
        const ssize_t n = ::read(in, block, sizeof block);
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = ::write(out, block, static_cast<std::size_t>(n)) == n;
    }
    ::close(in);
    if (out >= 0 && ::close(out) != 0)
        ok = false;
    return ok ? kOk : kNoFile;
}

int DskFile::DskDeleteFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0 ? kOk : kNoFile;
}

void DskSplitPath(const std::string& path, std::string& directory, std::string& name)
{
    directory.clear();
    name.clear();
    const std::size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos) {
        name = path;
        return;
    }
    directory = path.substr(0, separator + 1);
    name = path.substr(separator + 1);
}

int DskGetField(const std::string& line, std::string& field, int index, std::uint32_t delimiters,
                int /*mode*/)
{
    field.clear();
    if (line.empty())
        return -1;
    std::size_t pos = 0;
    for (int current = 0; current <= index; ++current) {
        const std::string_view next = DskNextField(line, pos, delimiters);
        if (next.empty())
            break;
        if (current == index)
            field = next;
    }
    return 0;
}

std::string_view DskNextField(std::string_view line, std::size_t& pos, std::uint32_t delimiters)
{
    const auto isDelimiter = [delimiters](char c) {
        for (int i = 0; i < 3; ++i) {
            const auto delimiter = static_cast<char>((delimiters >> (8 * i)) & 0xFF);
            if (delimiter != 0 && delimiter == c)
                return true;
        }
        return false;
    };
    while (pos < line.size() && isDelimiter(line[pos]))
        ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !isDelimiter(line[pos]))
        ++pos;
    return line.substr(start, std::min(pos - start, DskFile::kMaxField));
}
