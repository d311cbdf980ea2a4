#pragma once

#include "data/SpectrumFile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The undo and redo steps of one document: for each step the whole file
// image before it (undo) or after it (redo) and the step's name ("Paste").
// A step costs one 5828-byte image, so the history keeps the last kMaxSteps.
// It also knows where the document was last saved, so that undoing back to
// that point makes the document unmodified again.
class EditHistory {
public:
    static constexpr std::size_t kMaxSteps = 100;

    // A step from image before to the present; a step with the same name and
    // a non-zero merge key as the last one (typing in one comment) joins it
    // instead, unless the document was saved in between.
    void Push(const std::string& name, const SpectrumFile& before, int mergeKey);
    bool CanUndo() const { return !m_undo.empty(); }
    bool CanRedo() const { return !m_redo.empty(); }
    const std::string& UndoName() const;
    const std::string& RedoName() const;
    // Swaps image with the image before the last step (after the next step
    // for Redo). Nothing when there is no step.
    void Undo(SpectrumFile& image);
    void Redo(SpectrumFile& image);

    // The present is what is on disk.
    void MarkSaved() { m_saved = m_undo.size(); }
    // True when the present is not what was last saved.
    bool DiffersFromSaved() const { return m_saved != m_undo.size(); }
    // The saved image can no longer be reached (a change no step records).
    void ForgetSaved() { m_saved.reset(); }
    void Clear();

private:
    struct Step {
        std::string name;
        SpectrumFile image;
        int mergeKey = 0;
    };

    std::vector<Step> m_undo;
    std::vector<Step> m_redo;
    // Undo steps present when the document was saved; nothing when that
    // point can no longer be reached.
    std::optional<std::size_t> m_saved = 0;
};
