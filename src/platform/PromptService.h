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
    // An empty optional means the user cancelled.
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
};

} // namespace platform
