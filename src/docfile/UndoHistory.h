#pragma once

#include "UndoStep.h"

#include <cstddef>
#include <deque>
#include <optional>

// The steps Edit > Undo and Edit > Redo walk through, and where the document was last saved
// among them, so that the modified flag can follow: back at the save point the document is as
// its file.
class UndoHistory {
public:
    // The oldest steps go beyond this many; a save point among them can then no longer be reached.
    static constexpr std::size_t kLimit = 100;

    bool CanUndo() const { return m_position > 0; }
    bool CanRedo() const { return m_position < m_steps.size(); }
    // The name of the step Undo or Redo would take; empty when there is none.
    QString UndoName() const { return CanUndo() ? m_steps[m_position - 1].Name() : QString(); }
    QString RedoName() const { return CanRedo() ? m_steps[m_position].Name() : QString(); }

    // A new step: whatever could be made again is gone.
    void Push(UndoStep step);
    // The step to take back (then flipped backwards by the caller), or null.
    UndoStep* StepBack();
    // The step to make again (then flipped forwards by the caller), or null.
    UndoStep* StepForward();
    // Forgets every step; the records as they stand become the save point when `saved`.
    void Clear(bool saved);

    void MarkSaved() { m_savePoint = m_position; }
    void ForgetSavePoint() { m_savePoint.reset(); }
    bool AtSavePoint() const { return m_savePoint == m_position; }
    std::size_t Count() const { return m_steps.size(); }

private:
    std::deque<UndoStep> m_steps;
    std::size_t m_position = 0; // steps before it stand, steps from it on were taken back
    std::optional<std::size_t> m_savePoint = 0;
};
