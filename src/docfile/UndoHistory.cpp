#include "UndoHistory.h"

void UndoHistory::Push(UndoStep step) {
    if (m_savePoint && *m_savePoint > m_position)
        m_savePoint.reset();
    m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_position), m_steps.end());
    m_steps.push_back(std::move(step));
    ++m_position;
    if (m_steps.size() > kLimit) {
        m_steps.pop_front();
        --m_position;
        if (m_savePoint == std::size_t(0))
            m_savePoint.reset();
        else if (m_savePoint)
            --*m_savePoint;
    }
}

UndoStep* UndoHistory::StepBack() {
    if (!CanUndo())
        return nullptr;
    return &m_steps[--m_position];
}

UndoStep* UndoHistory::StepForward() {
    if (!CanRedo())
        return nullptr;
    return &m_steps[m_position++];
}

void UndoHistory::Clear(bool saved) {
    m_steps.clear();
    m_position = 0;
    if (saved)
        m_savePoint = 0;
    else
        m_savePoint.reset();
}
