#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

// The program's only access to the serial port the TALVEK 7 is cabled to. It
// opens a numbered port (or a device path given directly), puts the line into
// a fixed configuration, moves bytes in and out without ever blocking and
// turns every failure into a negative result plus a one-line text that the
// caller may show. It knows nothing of the analyser's commands.
//
// Port n is the device named by key "COMn" of section "Ports" of the profile
// file, /dev/ttyS<n-1> when the key is missing. Texts name the port "COM%d"
// whatever device stands behind it, unless the port is given a name of its
// own (the device a user typed). The open is exclusive: a second opener,
// in this or another process, is refused as "Access Denied".
class AnalyserLink {
public:
    // Windows system error numbers the texts and the callers test for.
    static constexpr int kErrorNotFound = 2;
    static constexpr int kErrorAccessDenied = 5;
    static constexpr int kErrorGenFailure = 31;

    static constexpr int kDefaultPort = 1;
    static constexpr std::uint32_t kDefaultBaudRate = 1200;
    static constexpr int kDefaultByteSize = 8;
    static constexpr int kParityNone = 0;
    static constexpr int kParityOdd = 1;
    static constexpr int kParityEven = 2;
    static constexpr int kParityMark = 3;
    static constexpr int kParitySpace = 4;
    static constexpr int kOneStopBit = 0;
    static constexpr int kTwoStopBits = 2;
    static constexpr std::size_t kMaxText = 255;
    // Drain gives up after this many bytes: more than any reply and the junk
    // a line may carry between replies, far less than a flooding device sends.
    static constexpr int kMaxDrainBytes = 8192;

    AnalyserLink() = default;
    virtual ~AnalyserLink();
    AnalyserLink(const AnalyserLink&) = delete;
    AnalyserLink& operator=(const AnalyserLink&) = delete;

    // 0, or the negated system error of the failed open (-2 no such port, -5 in use).
    int Open();
    // Discards both queues and closes; clears the last error and its text. Always 0.
    int Close();
    // -1 for n < 1; 0 when n is the current port; else reopens an open port on n.
    int SetPort(int n);
    int SetBaudRate(std::uint32_t rate);
    // 0 none, 1 odd, 2 even, 3 mark, 4 space; anything else means none.
    int SetParity(int parity);
    // 2 selects two stop bits, anything else one.
    int SetStopBits(int count);
    // Sends length bytes; length becomes the count written. 0 or -1.
    int Write(const std::uint8_t* buffer, int& length);
    // Takes up to length bytes that have already arrived, never waiting;
    // length becomes the count taken. 0 some taken, 1 none had arrived, -1 failure.
    int Read(std::uint8_t* buffer, int& length);
    // Discards every byte already received. 0, or Read's failure, or -1
    // ("Never Quiet") when more than kMaxDrainBytes keep coming.
    int Drain();
    // Clears the line's error state. 0, or -1 when the port is not open.
    int ClearErrors();

    // A device path used instead of the profile's entry for the port; empty
    // to go back to the profile.
    void SetDevicePath(std::string path) { m_strDevicePath = std::move(path); }
    // The device that Open opens for the current port.
    std::string DevicePath() const;
    // The name the texts give the port instead of "COM<n>"; empty for that.
    void SetPortName(std::string name) { m_strPortName = std::move(name); }
    bool HasPortName() const { return !m_strPortName.empty(); }
    std::string PortName() const;

    // Is told of every byte written to and read from the port, for the
    // analyser log; empty to stop.
    using TrafficObserver = std::function<void(bool sent, const std::uint8_t* bytes, int count)>;
    void SetTrafficObserver(TrafficObserver observer) { m_observer = std::move(observer); }

    bool IsOpen() const { return m_bOpen != 0; }
    int Port() const { return m_nPort; }
    int LastError() const { return m_nLastError; }
    const std::string& ErrorText() const { return m_szError; }
    std::uint32_t BaudRate() const { return m_nBaudRate; }

protected:
    // The device behind the link: the serial device by default; a line in
    // memory for a fuzz run, which has no device to open. Each works like
    // its system call (errno set where it fails).
    // Opens path for this link alone as a line: its handle, or -1 with the
    // Windows system error of the failure in systemError.
    virtual int OpenDevice(const std::string& path, int& systemError);
    // Writes the line configuration of the fields into the open device.
    virtual void Configure();
    // Discards both queues and closes.
    virtual void CloseDevice(int handle);
    virtual long ReadDevice(int handle, std::uint8_t* buffer, std::size_t size);
    virtual long WriteDevice(int handle, const std::uint8_t* buffer, std::size_t size);
    // Waits at most milliseconds for the device to take more; false on failure.
    virtual bool WaitWritable(int handle, int milliseconds);
    int Handle() const { return m_hPort; }

private:
    void SetError(const char* format, int value = 0);
    int FailedOpen(int systemError);

    int m_bOpen = 0;
    int m_nLastError = 0;
    std::string m_szError;
    int m_nPort = kDefaultPort;
    std::uint32_t m_nBaudRate = kDefaultBaudRate;
    int m_nParity = kParityNone;
    int m_bParity = 0;
    int m_nStopBits = kOneStopBit;
    int m_nByteSize = kDefaultByteSize;
    int m_hPort = -1;
    std::string m_strDevicePath;
    std::string m_strPortName;
    TrafficObserver m_observer;
};
