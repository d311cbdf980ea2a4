#include "app/DemoAnalyser.h"

#include "link/AnalyserLink.h"
#include "sim/TalvekSimulator.h"

DemoAnalyser::DemoAnalyser() : m_simulator(std::make_unique<TalvekSimulator>())
{}

DemoAnalyser::~DemoAnalyser()
{
    if (m_thread.joinable()) {
        m_simulator->Stop();
        m_thread.join();
    }
}

bool DemoAnalyser::Attach(AnalyserLink& link, std::string& error)
{
    if (!m_simulator->Open(error))
        return false;
    m_simulator->SetRealtime(true);
    // Nobody reads what the program sent; the log would only grow.
    m_simulator->KeepLog(false);
    m_thread = std::thread([this] { m_simulator->Run(); });
    link.SetDevicePath(m_simulator->DevicePath());
    return true;
}

const std::string& DemoAnalyser::DevicePath() const
{
    return m_simulator->DevicePath();
}
