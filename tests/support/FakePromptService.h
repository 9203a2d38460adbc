#pragma once

#include "platform/PromptService.h"

#include <QList>

#include <deque>

// Stands in for the person at the keyboard: records every message and dialog, and answers from
// queues. An empty queue answers Cancel for messages with a choice, Ok otherwise, and cancels dialogs.
class FakePromptService : public platform::PromptService {
public:
    struct Message {
        QString text;
        QString caption;
        platform::PromptButtons buttons;
        platform::PromptIcon icon;
    };
    struct Dialog {
        bool save;
        platform::FileDialogRequest request;
    };

    platform::PromptAnswer message(const QString& text, const QString& caption, platform::PromptButtons buttons,
                                   platform::PromptIcon icon) override;
    // Recorded as a YesNo message; the box is ticked when `tickCheckBox` says so.
    platform::PromptAnswer question(const QString& text, const QString& caption, const QString& checkBox,
                                    bool& checked) override;
    // Recorded as a YesNoCancel message (its choices in `choiceLists`); answered from `choices`.
    std::optional<int> choose(const QString& text, const QString& caption, const QStringList& choices) override;
    std::optional<QString> openFileName(const platform::FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const platform::FileDialogRequest& request) override;

    void queueAnswer(platform::PromptAnswer answer) { answers.push_back(answer); }
    // std::nullopt queues a cancelled choice (Esc).
    void queueChoice(std::optional<int> choice) { choices.push_back(choice); }
    // std::nullopt queues a cancelled dialog.
    void queueFileName(const std::optional<QString>& name) { fileNames.append(name.value_or(QString())); }

    QList<Message> messages;
    QList<Dialog> dialogs;
    std::deque<platform::PromptAnswer> answers;
    std::deque<std::optional<int>> choices;
    QList<QStringList> choiceLists;
    QStringList fileNames; // a null string stands for a cancelled dialog
    bool tickCheckBox = false;
    QStringList checkBoxes; // the check box texts shown with questions
};
