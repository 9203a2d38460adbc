#include "SyncCommands.h"

#include "SyncRun.h"
#include "SyncSettingsDialog.h"

#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/PromptService.h"
#include "platform/SettingsStore.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace {

const QString kCaption = QStringLiteral("Synchronize");

QString progressText(const QString& step, int done, int total) {
    if (total <= 0)
        return QStringLiteral("Synchronizing: %1...").arg(step);
    return QStringLiteral("Synchronizing: %1 (%2 of %3)").arg(step).arg(done).arg(total);
}

QString summary(const davsync::SyncReport& report) {
    if (!report.Succeeded())
        return QStringLiteral("Synchronization stopped: %1").arg(report.failure);
    return QStringLiteral("Synchronized: %1 uploaded, %2 downloaded, %3 deleted")
        .arg(report.uploaded)
        .arg(report.downloaded)
        .arg(report.deletedHere + report.deletedThere);
}

} // namespace

SyncCommands::SyncCommands(DocumentStorage& storage, platform::PromptService& prompt, platform::SettingsStore& settings,
                           QWidget* window)
    : QObject(window), m_storage(storage), m_document(storage.Document()), m_prompt(prompt), m_settings(settings),
      m_window(window) {
    m_askPassword = [this](const QString& note) -> std::optional<QString> {
        bool ok = false;
        const QString password = QInputDialog::getText(m_window, kCaption, note, QLineEdit::Password, QString(), &ok);
        return ok ? std::optional<QString>(password) : std::nullopt;
    };
    m_editSettings = [](SyncSettingsDialog& dialog) { return dialog.exec() == QDialog::Accepted; };
}

SyncCommands::~SyncCommands() {
    Stop();
}

bool SyncCommands::IsRunning() const {
    return m_starting || (m_run && m_run->IsRunning());
}

void SyncCommands::Stop() {
    if (!m_run)
        return;
    m_run->Stop();
    delete m_run;
    m_run = nullptr;
    emit statusText(QStringLiteral("Ready"));
    emit runningChanged(false);
}

void SyncCommands::Synchronize(const std::function<void()>& saveAs) {
    if (IsRunning())
        return;
    if (!SyncSettings::Read(m_settings).IsComplete()) {
        EditSettings();
        if (!SyncSettings::Read(m_settings).IsComplete())
            return;
    }
    // The sync state is kept per document file: an untitled document has none to keep it by.
    if (m_storage.HasNoFileName()) {
        const platform::PromptAnswer answer =
            m_prompt.message(QStringLiteral("The document must be saved before it is synchronized. Save it now?"),
                             kCaption, platform::PromptButtons::YesNo, platform::PromptIcon::Question);
        if (answer != platform::PromptAnswer::Yes || !saveAs)
            return;
        saveAs();
        if (m_storage.HasNoFileName())
            return;
    }
    start(false);
}

void SyncCommands::SynchronizeInBackground() {
    const SyncSettings settings = SyncSettings::Read(m_settings);
    if (IsRunning() || !settings.syncOnOpenAndSave || !settings.IsComplete() || m_storage.HasNoFileName())
        return;
    start(true);
}

bool SyncCommands::mayUsePlainHttp(const QUrl& server, bool sendsPassword) {
    if (!sendsPassword || !SyncSettings::NeedsPlainHttpConsent(server) ||
        SyncSettings::HasPlainHttpConsent(m_settings, server))
        return true;
    const platform::PromptAnswer answer = m_prompt.message(
        QStringLiteral("The server %1 is reached over plain HTTP: your password would travel unencrypted. "
                       "Send it anyway?")
            .arg(server.host()),
        kCaption, platform::PromptButtons::YesNo, platform::PromptIcon::Exclamation);
    if (answer != platform::PromptAnswer::Yes)
        return false;
    SyncSettings::GivePlainHttpConsent(m_settings, server);
    return true;
}

std::optional<QString> SyncCommands::password(const SyncSettings& settings) {
    if (settings.user.isEmpty())
        return QString();
    const QString key = settings.PasswordKey();
    if (m_heldPasswords.contains(key))
        return m_heldPasswords.value(key);
    QString problem;
    if (std::optional<QString> stored = m_secrets.Read(key, &problem))
        return stored;
    const QString question = QStringLiteral("Password for %1 at %2:").arg(settings.user, settings.server.host());
    if (!problem.isEmpty()) {
        const std::optional<QString> typed = m_askPassword(
            QStringLiteral("The desktop's secret store cannot be reached (%1), so the password cannot be kept: "
                           "it is asked for again the next time Tavoro! starts.\n\n%2")
                .arg(problem, question));
        if (typed)
            m_heldPasswords.insert(key, *typed);
        return typed;
    }
    const std::optional<QString> typed = m_askPassword(question);
    if (typed && !m_secrets.Write(key, *typed).ok)
        m_heldPasswords.insert(key, *typed);
    return typed;
}

bool SyncCommands::start(bool background) {
    // Asking for a password waits in an event loop, where the command could come again.
    if (m_starting)
        return false;
    const QScopedValueRollback<bool> starting(m_starting, true);
    const SyncSettings settings = SyncSettings::Read(m_settings);
    if (!mayUsePlainHttp(settings.server, !settings.user.isEmpty()))
        return false;
    const std::optional<QString> secret = password(settings);
    if (!secret)
        return false;
    delete m_run;
    m_run = new SyncRun(m_storage, settings.Account(*secret), this);
    connect(m_run, &SyncRun::progress, this,
            [this](const QString& step, int done, int total) { emit statusText(progressText(step, done, total)); });
    connect(m_run, &SyncRun::finished, this, [this, background] { ended(background); });
    m_run->SetDeletionConfirmation([this](const QString& question) {
        return m_prompt.message(question, kCaption, platform::PromptButtons::YesNo,
                                platform::PromptIcon::Exclamation) == platform::PromptAnswer::Yes;
    });
    // The sync state now names the records that came down; a document closed without them would
    // have them deleted from the server by the next sync.
    connect(m_run, &SyncRun::applied, this, [this] {
        if (m_save && !m_storage.IsReadOnly())
            m_save();
    });
    emit statusText(QStringLiteral("Synchronizing..."));
    m_run->Start();
    emit runningChanged(true);
    return true;
}

void SyncCommands::ended(bool background) {
    const davsync::SyncReport report = m_run->Report();
    m_run->deleteLater();
    m_run = nullptr;
    emit statusText(summary(report));
    emit runningChanged(false);
    if (!report.Succeeded()) {
        // A refused password is asked for again next time rather than sent once more.
        m_heldPasswords.remove(SyncSettings::Read(m_settings).PasswordKey());
    }
    if (background && report.Complete() && report.conflicts.isEmpty())
        return;
    m_prompt.message(report.Text().trimmed(), kCaption, platform::PromptButtons::Ok,
                     !report.Succeeded() ? platform::PromptIcon::Stop
                     : report.Complete() ? platform::PromptIcon::Information
                                         : platform::PromptIcon::Exclamation);
}

void SyncCommands::EditSettings() {
    const SyncSettings settings = SyncSettings::Read(m_settings);
    const QString key = settings.PasswordKey();
    QString known = m_heldPasswords.value(key);
    if (known.isEmpty() && !settings.user.isEmpty())
        known = m_secrets.Read(key).value_or(QString());

    SyncSettingsDialog dialog(settings, known, m_window);
    dialog.SetPlainHttpCheck(
        [this, &dialog](const QUrl& server) { return mayUsePlainHttp(server, !dialog.Password().isEmpty()); });
    if (!m_editSettings(dialog))
        return;
    const SyncSettings chosen = dialog.Settings();
    chosen.Write(m_settings);
    const QString password = dialog.Password();
    if (password == known && chosen.PasswordKey() == key)
        return;
    m_heldPasswords.remove(key);
    if (password.isEmpty() || chosen.user.isEmpty())
        return;
    const SecretStore::Result kept = m_secrets.Write(chosen.PasswordKey(), password);
    if (kept.ok)
        return;
    m_heldPasswords.insert(chosen.PasswordKey(), password);
    m_prompt.message(QStringLiteral("The password could not be kept in the desktop's secret store (%1). "
                                    "Tavoro! holds it until it ends and then asks for it again.")
                         .arg(kept.error),
                     kCaption, platform::PromptButtons::Ok, platform::PromptIcon::Exclamation);
}
