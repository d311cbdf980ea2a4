#include "data/EditHistory.h"

namespace {
const std::string kNoName;
}

void EditHistory::Push(const std::string& name, const SpectrumFile& before, int mergeKey)
{
    // The steps that could be redone lead elsewhere now; so may the saved state.
    const bool branched = !m_redo.empty();
    if (branched && m_saved && *m_saved > m_undo.size())
        m_saved.reset();
    m_redo.clear();
    const bool savedAtTop = m_saved == m_undo.size();
    if (mergeKey != 0 && !branched && !savedAtTop && !m_undo.empty() && m_undo.back().mergeKey == mergeKey &&
        m_undo.back().name == name)
        return;
    if (m_undo.size() == kMaxSteps) {
        m_undo.erase(m_undo.begin());
        if (m_saved)
            m_saved = *m_saved == 0 ? std::nullopt : std::optional<std::size_t>(*m_saved - 1);
    }
    m_undo.push_back({name, before, mergeKey});
}

const std::string& EditHistory::UndoName() const
{
    return m_undo.empty() ? kNoName : m_undo.back().name;
}

const std::string& EditHistory::RedoName() const
{
    return m_redo.empty() ? kNoName : m_redo.back().name;
}

void EditHistory::Undo(SpectrumFile& image)
{
    if (m_undo.empty())
        return;
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    std::swap(step.image, image);
    step.mergeKey = 0;
    m_redo.push_back(std::move(step));
}

void EditHistory::Redo(SpectrumFile& image)
{
    if (m_redo.empty())
        return;
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    std::swap(step.image, image);
    m_undo.push_back(std::move(step));
}

void EditHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
    m_saved = 0;
}
