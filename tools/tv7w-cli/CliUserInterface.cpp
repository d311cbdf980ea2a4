#include "CliUserInterface.h"

#include <cstdio>
#include <iostream>

std::string PlainLines(const std::string& text)
{
    std::string plain;
    for (char c : text)
        if (c != '\r')
            plain.push_back(c);
    return plain;
}

void CliUserInterface::EndProgress()
{
    if (m_bProgressShown)
        std::cerr << '\n';
    m_bProgressShown = false;
}

void CliUserInterface::Tell(const std::string& text, Icon)
{
    EndProgress();
    std::cerr << PlainLines(text) << '\n';
}

bool CliUserInterface::AskYesNo(const std::string& text, Icon, Question kind)
{
    EndProgress();
    const bool yes = m_answer && m_answer(kind);
    std::cerr << PlainLines(text) << ' ' << (yes ? "Yes" : "No") << '\n';
    return yes;
}

void CliUserInterface::ShowProgress(const std::string& text)
{
    // A download names its memory after every 5 ms poll: write only changes.
    if (m_bProgressShown && text == m_strProgress)
        return;
    m_strProgress = text;
    // Carriage return and erase-line keep the progress on one line.
    std::cerr << "\r\033[K" << PlainLines(text) << std::flush;
    m_bProgressShown = true;
}

bool CliUserInterface::SetClipboardText(const std::string& text)
{
    // The command line has no clipboard: the text goes to standard output.
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0;
}
