#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The one file object through which all of the program's own file access goes.
// Created on the stack, given a path, used for a few operations and dropped;
// it keeps the last failure as a result code and a short diagnostic text and
// never shows anything.
class DskFile {
public:
    // Result codes.
    static constexpr int kOk = 0;
    static constexpr int kNoFile = -1;          // no path, no file open, length query failed
    static constexpr int kOpenFailed = -4;      // opening the file failed
    static constexpr int kShortTransfer = -7;   // read or write moved fewer bytes than asked
    static constexpr int kMapFailed = -8;       // the memory mapping could not be made
    static constexpr int kHeldElsewhere = -10;  // another process holds the file exclusively

    // Open modes.
    static constexpr int kRead = 1;
    static constexpr int kWrite = 2;
    // Map access.
    static constexpr int kMapReadOnly = 1;
    static constexpr int kMapReadWrite = 2;

    static constexpr std::size_t kMaxText = 255;
    static constexpr std::size_t kMaxField = 255;

    DskFile() = default;
    ~DskFile();
    DskFile(const DskFile&) = delete;
    DskFile& operator=(const DskFile&) = delete;

    int DskSetName(const std::string& path);
    int DskOpen(int mode);
    int DskClose();
    int DskRead(void* buffer, std::int32_t& count);
    int DskWrite(const void* buffer, std::int32_t& count);
    int DskReadLine(std::string& line);
    std::int64_t DskGetLength();
    std::int64_t DskXGetLength(const std::string& path);
    int DskMap(std::int64_t size, int access);
    int DskUnmap();

    static int DskCopyFile(const std::string& destination, const std::string& source);
    static int DskDeleteFile(const std::string& path);

    int LastResult() const { return m_nLastResult; }
    // The system error number (Windows numbering) of the last failure, 0 if none.
    int SystemErrorCode() const { return m_nSystemError; }
    const std::string& ErrorText() const { return m_strError; }
    const std::string& OperationName() const { return m_strOperation; }
    const std::string& FullPath() const { return m_strFullPath; }
    const std::string& Name() const { return m_strName; }
    const std::string& Directory() const { return m_strDirectory; }
    bool IsOpen() const { return m_bOpen; }
    // The POSIX st_mode of the path at the last open or length query; 0 after close.
    std::uint32_t Attributes() const { return m_nAttributes; }
    std::uint8_t* MappedView() const { return m_pView; }
    std::size_t MappedSize() const { return m_nMappedSize; }
    bool IsMappingAnonymous() const { return m_bAnonymous; }

private:
    void Enter(const char* operation);
    int Fail(int result, int systemError, const char* format, int asked = 0, int moved = 0);
    void ReadAttributes();
    int FillReadAhead();

    int m_nLastResult = 0;
    int m_nSystemError = 0;
    std::string m_strError;
    std::string m_strOperation;
    int m_hFile = -1;
    std::uint32_t m_nAttributes = 0;  // POSIX st_mode of the last open or length query
    bool m_bOpen = false;
    std::string m_strFullPath;
    std::string m_strName;
    std::string m_strDirectory;
    std::uint8_t* m_pView = nullptr;
    std::size_t m_nMappedSize = 0;
    bool m_bAnonymous = false;
    // Bytes DskReadLine fetched from the file in one read and has not handed
    // out yet; DskRead takes them first.
    std::string m_readAhead;
    std::size_t m_nReadAheadPos = 0;
};

// Splits path at its last '\' or '/' into directory (with the separator) and name.
void DskSplitPath(const std::string& path, std::string& directory, std::string& name);

// DskReadLine's rule on bytes in memory: moves the bytes of text from pos
// into line until a control character other than TAB ends a line that holds
// something, or the line has DskFile::kMaxText characters. True when the
// line is complete; false when text ran out first (line holds what came).
bool DskTakeLine(std::string_view text, std::size_t& pos, std::string& line);

// Copies field number index of line into field; the fields are the runs of
// characters that are none of the (up to three) delimiters packed into the
// low bytes of delimiters. Returns 0, or -1 for an empty line.
int DskGetField(const std::string& line, std::string& field, int index, std::uint32_t delimiters,
                int mode = 2);
// The field of line that starts at or after pos (DskGetField's fields, one
// after the other); pos moves past it. Empty after the last field.
std::string_view DskNextField(std::string_view line, std::size_t& pos, std::uint32_t delimiters);
