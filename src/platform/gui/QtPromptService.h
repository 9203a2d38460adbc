#pragma once

#include "platform/PromptService.h"

class QWidget;

namespace platform {

// The real message boxes and file dialogs, parented to the main window once it exists.
class QtPromptService : public PromptService {
public:
    explicit QtPromptService(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) override;
    PromptAnswer question(const QString& text, const QString& caption, const QString& checkBox, bool& checked) override;
    std::optional<int> choose(const QString& text, const QString& caption, const QStringList& choices) override;
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace platform
