#pragma once

#include "SecretStore.h"
#include "SyncSettings.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class DocumentStorage;
class PimDocument;
class SyncRun;
class QWidget;

namespace platform {
class PromptService;
class SettingsStore;
} // namespace platform

// File > Synchronize and Edit > Options > Synchronization Settings...: finds the account and its
// password, runs one synchronisation at a time in the background, shows its progress and its report.
class SyncCommands : public QObject {
    Q_OBJECT
public:
    // Asks the person for the password; `note` says why it is asked. Nothing: cancelled.
    using PasswordAsker = std::function<std::optional<QString>(const QString& note)>;
    // Shows the settings dialog and answers whether it was confirmed.
    using SettingsEditor = std::function<bool(class SyncSettingsDialog& dialog)>;

    SyncCommands(DocumentStorage& storage, platform::PromptService& prompt, platform::SettingsStore& settings,
                 QWidget* window);
    ~SyncCommands() override;

    // File > Synchronize: the report at the end. `saveAs` names an untitled document first.
    void Synchronize(const std::function<void()>& saveAs);
    // After the document was opened or saved, when the settings ask for it: a report only when
    // something needs the user's eye.
    void SynchronizeInBackground();
    void EditSettings();

    bool IsRunning() const;
    // Before the document is replaced or the window closes: stops the work and waits for it.
    void Stop();

    void SetPasswordAsker(PasswordAsker asker) { m_askPassword = std::move(asker); }
    void SetSettingsEditor(SettingsEditor editor) { m_editSettings = std::move(editor); }
    // Saves the document under its name (File > Save without the sync that follows a save).
    void SetSaver(std::function<void()> save) { m_save = std::move(save); }

signals:
    void statusText(const QString& text);
    void runningChanged(bool running);

private:
    bool start(bool background);
    std::optional<QString> password(const SyncSettings& settings);
    bool mayUsePlainHttp(const QUrl& server, bool sendsPassword);
    void ended(bool background);

    DocumentStorage& m_storage;
    PimDocument& m_document;
    platform::PromptService& m_prompt;
    platform::SettingsStore& m_settings;
    QWidget* m_window;
    SecretStore m_secrets;
    // Passwords the secret store could not keep, for the rest of this run only.
    QHash<QString, QString> m_heldPasswords;
    PasswordAsker m_askPassword;
    SettingsEditor m_editSettings;
    std::function<void()> m_save;
    SyncRun* m_run = nullptr;
    bool m_starting = false;
};
