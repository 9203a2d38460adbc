#include "FakePromptService.h"

using platform::PromptAnswer;
using platform::PromptButtons;

PromptAnswer FakePromptService::message(const QString& text, const QString& caption, PromptButtons buttons,
                                        platform::PromptIcon icon) {
    messages.append({text, caption, buttons, icon});
    if (!answers.empty()) {
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

PromptAnswer FakePromptService::question(const QString& text, const QString& caption, const QString& checkBox,
                                         bool& checked) {
    checkBoxes.append(checkBox);
    checked = tickCheckBox;
    return message(text, caption, PromptButtons::YesNo, platform::PromptIcon::Question);
}

std::optional<int> FakePromptService::choose(const QString& text, const QString& caption, const QStringList& offered) {
    messages.append({text, caption, PromptButtons::YesNoCancel, platform::PromptIcon::Question});
    choiceLists.append(offered);
    if (choices.empty())
        return std::nullopt;
    const std::optional<int> choice = choices.front();
    choices.pop_front();
    return choice;
}

namespace {
std::optional<QString> takeName(QStringList& names) {
    if (names.isEmpty())
        return std::nullopt;
    const QString name = names.takeFirst();
    if (name.isNull())
        return std::nullopt;
    return name;
}
} // namespace

std::optional<QString> FakePromptService::openFileName(const platform::FileDialogRequest& request) {
    dialogs.append({false, request});
    return takeName(fileNames);
}

std::optional<QString> FakePromptService::saveFileName(const platform::FileDialogRequest& request) {
    dialogs.append({true, request});
    return takeName(fileNames);
}
