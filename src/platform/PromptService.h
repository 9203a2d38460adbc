#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

enum class PromptButtons { Ok, YesNoCancel, YesNo, RetryCancel, OkCancel };
enum class PromptIcon { None, Stop, Exclamation, Information, Question };
enum class PromptAnswer { Ok, Yes, No, Cancel, Retry };

// What a file dialog is asked to show. Filters are "Description (*.ext)" strings in order.
struct FileDialogRequest {
    QString title;
    QString initialName; // file name or path proposed to the user
    QStringList filters;
    QString defaultExtension; // without the dot; appended when the user typed none
    bool confirmOverwrite = true;
};

// Everything a person answers: message boxes and file dialogs. The program shows real ones; tests
// and the command-line tool put their own in place.
class PromptService {
public:
    virtual ~PromptService() = default;

    virtual PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons,
                                 PromptIcon icon) = 0;
    // A Yes/No question with a check box beneath it (say "Do not ask again"); `checked` holds the
    // box's state before and after. A service without such a box asks the plain question and
    // leaves the box as it was.
    virtual PromptAnswer question(const QString& text, const QString& caption, const QString& checkBox, bool& checked) {
        (void)checkBox;
        (void)checked;
        return message(text, caption, PromptButtons::YesNo, PromptIcon::Question);
    }
    // A question answered by one of several choices, each a button of its own, with Cancel (and Esc)
    // beside them: the index of the choice, nothing when cancelled. A service that cannot offer
    // choices cancels.
    virtual std::optional<int> choose(const QString& text, const QString& caption, const QStringList& choices) {
        (void)text;
        (void)caption;
        (void)choices;
        return std::nullopt;
    }
    // An empty optional means the user cancelled.
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
};

} // namespace platform
