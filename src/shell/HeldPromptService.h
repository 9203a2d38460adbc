#pragma once

#include "platform/PromptService.h"

#include <QList>

#include <functional>

// Stands before the real message boxes while the splash shows the start-up: notices wait until
// it has closed, so that a message about a damaged file is not hidden behind it, and then appear
// in their order. A question cannot wait for its answer: it ends the wait at once.
class HeldPromptService : public platform::PromptService {
public:
    explicit HeldPromptService(platform::PromptService& target) : m_target(target) {}

    // From now on notices wait; the first question calls `endWait` (which closes the splash),
    // shows what waited and is then asked.
    void Hold(std::function<void()> endWait);
    // Shows what waited; from then on everything goes straight through.
    void Release();
    bool IsHolding() const { return m_holding; }

    platform::PromptAnswer message(const QString& text, const QString& caption, platform::PromptButtons buttons,
                                   platform::PromptIcon icon) override;
    platform::PromptAnswer question(const QString& text, const QString& caption, const QString& checkBox,
                                    bool& checked) override;
    std::optional<int> choose(const QString& text, const QString& caption, const QStringList& choices) override;
    std::optional<QString> openFileName(const platform::FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const platform::FileDialogRequest& request) override;

private:
    struct Notice {
        QString text;
        QString caption;
        platform::PromptIcon icon;
    };
    void endHoldForQuestion();

    platform::PromptService& m_target;
    bool m_holding = false;
    std::function<void()> m_endWait;
    QList<Notice> m_waiting;
};
