#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "platform/SettingsStore.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"
#include "shell/sync/SyncCommands.h"
#include "shell/sync/SyncSettings.h"
#include "shell/sync/SyncSettingsDialog.h"
#include "support/FakePromptService.h"
#include "support/RadicaleServer.h"
#include "support/TestMain.h"
#include "sync/SyncSession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

using platform::PromptAnswer;
using platform::PromptIcon;

namespace {

Person person(const char* first, const char* last) {
    Person p;
    p.FName = first;
    p.LName = last;
    p.RName = std::string(last) + ", " + first;
    p.WhitePages = 1;
    return p;
}

SyncSettings settingsFor(const QUrl& server, const QString& user) {
    SyncSettings settings;
    settings.server = server;
    settings.user = user;
    return settings;
}

QStringList names(const PimDocument& document) {
    QStringList all;
    for (const auto& [id, p] : document.Persons())
        all << QString::fromStdString(p.RName);
    all.sort();
    return all;
}

// A main window over a saved document of one person, with the account in the settings.
struct Frame {
    Frame(const QUrl& server, const QString& user) {
        settingsFor(server, user).Write(store);
        // No desktop secret store runs under the tests: the password is asked for.
        frame.Sync().SetPasswordAsker([this](const QString& note) {
            passwordNotes << note;
            return std::optional<QString>(QStringLiteral("pw"));
        });
        PimDocument document;
        document.Add(person("Jane", "Doe"));
        QVERIFY(DocumentStorage(document).WriteToFile(path));
        frame.OpenStartupDocument({path});
    }
    int messagesWith(const QString& words) const {
        return int(std::count_if(prompts.messages.cbegin(), prompts.messages.cend(),
                                 [&](const auto& message) { return message.text.contains(words); }));
    }
    bool synchronizeEnabled() {
        frame.UpdateCommandStates();
        return frame.Action(cmd::FileSynchronize)->isEnabled();
    }

    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("home.pgr"));
    FakePromptService prompts;
    platform::SettingsStore store;
    MainFrame frame{prompts, QString()};
    QStringList passwordNotes;
};

} // namespace

class TestSyncCommands : public QObject {
    Q_OBJECT

    RadicaleServer m_server;

private slots:
    void initTestCase() {
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        QVERIFY2(m_server.Start(), qPrintable(m_server.Problem()));
    }
    void init() { QSettings().clear(); }

    // The dialog finds the collections off the GUI thread, picks the first of each and keeps its
    // choices in the settings file; the password goes nowhere near that file.
    void settingsDialogKeepsSettingsButNotPassword() {
        QTemporaryDir folder;
        PimDocument other;
        DocumentStorage otherFile(other);
        other.Add(person("Server", "Side"));
        otherFile.SetFileName(folder.filePath(QStringLiteral("other.pgr")));
        QVERIFY(davsync::Synchronize(otherFile, settingsFor(m_server.Url(), QStringLiteral("dora")).Account({}))
                    .Succeeded());

        FakePromptService prompts;
        MainFrame frame(prompts, QString());
        frame.Sync().SetSettingsEditor([this](SyncSettingsDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("serverEdit"))->setText(m_server.Url().toString());
            dialog.findChild<QLineEdit*>(QStringLiteral("userEdit"))->setText(QStringLiteral("dora"));
            dialog.findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->setText(QStringLiteral("Zx9-secret"));
            dialog.findChild<QCheckBox*>(QStringLiteral("syncOnOpenAndSave"))->setChecked(true);
            dialog.findChild<QPushButton*>(QStringLiteral("findButton"))->click();
            [&] { QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsSearching(), 15000); }();
            const auto* books = dialog.findChild<QComboBox*>(QStringLiteral("addressBookList"));
            [&] {
                QVERIFY2(books->currentData().toString().startsWith(m_server.Url().toString()),
                         qPrintable(dialog.findChild<QLabel*>(QStringLiteral("findStatus"))->text()));
            }();
            return true;
        });
        frame.Route(cmd::SyncSettings);

        platform::SettingsStore store;
        const SyncSettings kept = SyncSettings::Read(store);
        QCOMPARE(kept.server, m_server.Url());
        QCOMPARE(kept.user, QStringLiteral("dora"));
        QVERIFY(kept.addressBook.path().startsWith(QStringLiteral("/dora/")));
        QVERIFY(kept.eventCalendar.path().startsWith(QStringLiteral("/dora/")));
        QVERIFY(kept.syncOnOpenAndSave);
        QFile file(store.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!file.readAll().contains("Zx9-secret"));
        // Without a secret store the user hears that the password could not be kept.
        QCOMPARE(prompts.messages.size(), 1);
        QVERIFY(prompts.messages[0].text.startsWith(QStringLiteral("The password could not be kept")));
    }

    // A record goes up and one comes down while the window goes on handling events; the command
    // stays disabled while the sync runs and the status bar shows its steps.
    void synchronizeCarriesBothWays() {
        QTemporaryDir folder;
        PimDocument other;
        DocumentStorage otherFile(other);
        other.Add(person("Max", "Remote"));
        otherFile.SetFileName(folder.filePath(QStringLiteral("phone.pgr")));
        const davsync::SyncAccount account = settingsFor(m_server.Url(), QStringLiteral("erik")).Account({});
        QVERIFY(davsync::Synchronize(otherFile, account).Succeeded());

        Frame window(m_server.Url(), QStringLiteral("erik"));
        QStringList statusTexts;
        connect(&window.frame.Sync(), &SyncCommands::statusText, this,
                [&](const QString& text) { statusTexts << text; });
        window.frame.Document().Add(person("Kim", "Unsaved"));
        window.frame.Route(cmd::FileSynchronize);
        QVERIFY(window.frame.Sync().IsRunning());
        QVERIFY(!window.synchronizeEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!window.frame.Sync().IsRunning(), 30000);

        QVERIFY(window.synchronizeEnabled());
        QCOMPARE(window.passwordNotes.size(), 1);
        QVERIFY(window.passwordNotes[0].contains(QStringLiteral("cannot be kept")));
        QVERIFY(statusTexts.filter(QStringLiteral("Synchronizing: ")).size() >= 2);
        QCOMPARE(window.prompts.messages.size(), 1);
        QCOMPARE(window.prompts.messages[0].icon, PromptIcon::Information);
        QVERIFY2(window.prompts.messages[0].text.contains(QStringLiteral("Uploaded: 2\nDownloaded: 1")),
                 qPrintable(window.prompts.messages[0].text));
        const QStringList all{"Doe, Jane", "Remote, Max", "Unsaved, Kim"};
        QCOMPARE(names(window.frame.Document()), all);
        // What came down is saved at once: the sync state already names it.
        QVERIFY(!window.frame.Document().IsModified());
        PimDocument saved;
        QVERIFY(DocumentStorage(saved).ReadFromFile(window.path, window.prompts));
        QCOMPARE(names(saved), all);
        QCOMPARE(davsync::Synchronize(otherFile, account).downloaded, 2);
        QCOMPARE(names(other), all);
    }

    // Many deletions at once are asked about first; a no holds them back, and the report says so.
    void manyDeletionsAreAskedFirst() {
        Frame window(m_server.Url(), QStringLiteral("ivan"));
        PimDocument& document = window.frame.Document();
        for (int i = 0; i < 12; ++i)
            document.Add(person("Many", std::to_string(i).c_str()));
        window.frame.Route(cmd::FileSynchronize);
        QTRY_VERIFY_WITH_TIMEOUT(!window.frame.Sync().IsRunning(), 30000);
        for (int id = 2; id <= 13; ++id)
            document.RemovePerson(id);
        window.prompts.queueAnswer(PromptAnswer::No);
        window.frame.Route(cmd::FileSynchronize);
        QTRY_VERIFY_WITH_TIMEOUT(!window.frame.Sync().IsRunning(), 30000);
        QCOMPARE(
            window.messagesWith(QStringLiteral("This synchronization would delete 12 of 13 persons on the server")), 1);
        QVERIFY(window.prompts.messages.last().text.contains(QStringLiteral("Deletions held back")));
        QCOMPARE(window.prompts.messages.last().icon, PromptIcon::Exclamation);

        window.prompts.queueAnswer(PromptAnswer::Yes);
        window.frame.Route(cmd::FileSynchronize);
        QTRY_VERIFY_WITH_TIMEOUT(!window.frame.Sync().IsRunning(), 30000);
        QVERIFY2(window.prompts.messages.last().text.contains(QStringLiteral("Deleted on the server: 12")),
                 qPrintable(window.prompts.messages.last().text));
    }

    // A server that is not there: the message, and the document as it was.
    void failureLeavesDocumentUnchanged() {
        RadicaleServer gone;
        QVERIFY(gone.Start());
        const QUrl url = gone.Url();
        gone.Stop();
        Frame window(url, QString());
        window.frame.Route(cmd::FileSynchronize);
        QTRY_VERIFY_WITH_TIMEOUT(!window.frame.Sync().IsRunning(), 30000);
        QCOMPARE(window.prompts.messages.size(), 1);
        QCOMPARE(window.prompts.messages[0].icon, PromptIcon::Stop);
        QVERIFY(window.prompts.messages[0].text.startsWith(QStringLiteral("Synchronization stopped: ")));
        QCOMPARE(names(window.frame.Document()), QStringList{"Doe, Jane"});
        QVERIFY(!window.frame.Document().IsModified());
    }

    // Saving starts a sync in the background; closing the window meanwhile stops it cleanly, with
    // nothing to report.
    void saveSyncsInBackgroundAndCloseStopsIt() {
        Frame window(m_server.Url(), QStringLiteral("hugo"));
        platform::SettingsStore().writeNumber(QStringLiteral("Synchronization"), QStringLiteral("SyncOnOpenAndSave"),
                                              1);
        window.frame.Document().Add(person("Ida", "New"));
        window.frame.Route(cmd::FileSave);
        QVERIFY(!window.frame.Document().IsModified());
        QVERIFY(window.frame.Sync().IsRunning());
        QVERIFY(window.frame.close());
        QVERIFY(!window.frame.Sync().IsRunning());
        QVERIFY(window.prompts.messages.isEmpty());
    }

    // An untitled document is saved first; declining leaves it unsynchronised.
    void untitledDocumentAsksToSaveFirst() {
        Frame window(m_server.Url(), QStringLiteral("fritz"));
        window.frame.Route(cmd::FileNew);
        window.prompts.queueAnswer(PromptAnswer::No);
        window.frame.Route(cmd::FileSynchronize);
        QVERIFY(!window.frame.Sync().IsRunning());
        QCOMPARE(window.prompts.messages.size(), 1);
        QVERIFY(window.prompts.messages[0].text.contains(QStringLiteral("must be saved")));
    }

    void plainHttpNeedsConsent_data() {
        QTest::addColumn<QString>("server");
        QTest::addColumn<bool>("asks");
        QTest::newRow("localhost") << "http://localhost:5232/" << false;
        QTest::newRow("loopback") << "http://127.0.0.1:5232/" << false;
        QTest::newRow("loopback v6") << "http://[::1]:5232/" << false;
        QTest::newRow("https") << "https://dav.example.org/" << false;
        QTest::newRow("other host") << "http://dav.example.org/" << true;
    }
    void plainHttpNeedsConsent() {
        QFETCH(QString, server);
        QFETCH(bool, asks);
        QCOMPARE(SyncSettings::NeedsPlainHttpConsent(QUrl(server)), asks);
    }

    void addressWithoutSchemeIsEncrypted() {
        SyncSettingsDialog dialog(SyncSettings{}, QString());
        dialog.findChild<QLineEdit*>(QStringLiteral("serverEdit"))->setText(QStringLiteral(" dav.example.org/dav "));
        QCOMPARE(dialog.Settings().server, QUrl(QStringLiteral("https://dav.example.org/dav")));
    }

    // Asked once per server: a refusal sends nothing and asks again next time, a yes is remembered.
    void plainHttpAskedOncePerServer() {
        Frame window(QUrl(QStringLiteral("http://dav.example.invalid/")), QStringLiteral("gus"));
        window.prompts.queueAnswer(PromptAnswer::No);
        window.frame.Route(cmd::FileSynchronize);
        QVERIFY(!window.frame.Sync().IsRunning());
        QVERIFY(window.passwordNotes.isEmpty());
        QVERIFY(window.prompts.messages[0].text.contains(QStringLiteral("plain HTTP")));

        window.prompts.queueAnswer(PromptAnswer::Yes);
        window.frame.Route(cmd::FileSynchronize);
        QTRY_VERIFY_WITH_TIMEOUT(!window.frame.Sync().IsRunning(), 30000);
        window.frame.Route(cmd::FileSynchronize);
        QTRY_VERIFY_WITH_TIMEOUT(!window.frame.Sync().IsRunning(), 30000);
        QCOMPARE(window.messagesWith(QStringLiteral("plain HTTP")), 2);
    }
};

TAVORO_TEST_MAIN(TestSyncCommands)
#include "TestSyncCommands.moc"
