#include "HeldPromptService.h"

#include <utility>

using platform::PromptAnswer;
using platform::PromptButtons;

void HeldPromptService::Hold(std::function<void()> endWait) {
    m_holding = true;
    m_endWait = std::move(endWait);
}

void HeldPromptService::Release() {
    m_holding = false;
    m_endWait = nullptr;
    const QList<Notice> waiting = std::exchange(m_waiting, {});
    for (const Notice& notice : waiting)
        m_target.message(notice.text, notice.caption, PromptButtons::Ok, notice.icon);
}

void HeldPromptService::endHoldForQuestion() {
    if (!m_holding)
        return;
    if (m_endWait)
        m_endWait();
    Release();
}

PromptAnswer HeldPromptService::message(const QString& text, const QString& caption, PromptButtons buttons,
                                        platform::PromptIcon icon) {
    if (m_holding && buttons == PromptButtons::Ok) {
        m_waiting.append({text, caption, icon});
        return PromptAnswer::Ok;
    }
    endHoldForQuestion();
    return m_target.message(text, caption, buttons, icon);
}

PromptAnswer HeldPromptService::question(const QString& text, const QString& caption, const QString& checkBox,
                                         bool& checked) {
    endHoldForQuestion();
    return m_target.question(text, caption, checkBox, checked);
}

std::optional<int> HeldPromptService::choose(const QString& text, const QString& caption, const QStringList& choices) {
    endHoldForQuestion();
    return m_target.choose(text, caption, choices);
}

std::optional<QString> HeldPromptService::openFileName(const platform::FileDialogRequest& request) {
    endHoldForQuestion();
    return m_target.openFileName(request);
}

std::optional<QString> HeldPromptService::saveFileName(const platform::FileDialogRequest& request) {
    endHoldForQuestion();
    return m_target.saveFileName(request);
}
