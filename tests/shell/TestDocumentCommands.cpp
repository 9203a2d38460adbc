#include "docfile/DocumentStorage.h"
#include "docfile/PimDocument.h"
#include "docfile/RecentFileList.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "shell/DocumentCommands.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

class CountingObserver : public DocumentObserver {
public:
    void DocumentChanged(PimDocument&) override { ++changes; }
    int changes = 0;
};

QString setting(const QString& key) {
    QSettings settings;
    return settings.value(key).toString();
}

// One program's worth of document machinery over a real settings file and a folder of real files;
// the person at the keyboard is the fake prompt service.
struct Program {
    Program() : commands(storage, prompt, recentFiles, store, [this](const QString& name) { titles << name; }) {
        document.AddObserver(&observer);
    }

    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    // A file holding one person with this first name.
    QString writeDocument(const char* name, const std::string& firstName) {
        PimDocument source;
        Person person;
        person.FName = firstName;
        source.Add(person);
        const QString file = path(name);
        if (!DocumentStorage(source).Save(file))
            qFatal("cannot write %s", name);
        return file;
    }
    QString writeText(const char* name, const QByteArray& bytes) { return writeTestFile(path(name), bytes); }
    void makeModified() {
        Person person;
        person.FName = "Edited";
        document.Add(person);
        document.SetModified(true);
    }
    std::string firstPerson() const {
        return document.Persons().Empty() ? std::string() : document.Persons().begin()->second.FName;
    }
    void expectMessage(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) const {
        QVERIFY2(!prompt.messages.isEmpty(), "no message shown");
        const FakePromptService::Message& message = prompt.messages.last();
        QCOMPARE(message.text, text);
        QCOMPARE(message.caption, caption);
        QCOMPARE(message.buttons, buttons);
        QCOMPARE(message.icon, icon);
    }

    QTemporaryDir folder;
    PimDocument document;
    DocumentStorage storage{document};
    FakePromptService prompt;
    RecentFileList recentFiles;
    platform::SettingsStore store;
    CountingObserver observer;
    QStringList titles;
    DocumentCommands commands;
};

} // namespace

class TestDocumentCommands : public QObject {
    Q_OBJECT

private slots:
    void init() {
        QSettings().clear();
        platform::Clock::setFixed(platform::LocalTime{2003, 5, 10, 9, 30, 0});
    }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    // The save-modified prompt in front of New: what each answer does, and a save that cannot
    // complete stops the New without a message of its own.
    void saveModifiedPrompt_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAsName"); // "-" cancels the dialog, "" means none is asked
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("newRan");
        QTest::addColumn<bool>("written");
        QTest::newRow("yes, named") << int(PromptAnswer::Yes) << QString() << true << true << true;
        QTest::newRow("yes, untitled, name given") << int(PromptAnswer::Yes) << "new.pgr" << false << true << true;
        QTest::newRow("yes, untitled, dialog cancelled") << int(PromptAnswer::Yes) << "-" << false << false << false;
        QTest::newRow("yes, write fails") << int(PromptAnswer::Yes) << "missing/new.pgr" << false << false << false;
        QTest::newRow("no") << int(PromptAnswer::No) << QString() << true << true << false;
        QTest::newRow("cancel") << int(PromptAnswer::Cancel) << QString() << true << false << false;
    }
    void saveModifiedPrompt() {
        QFETCH(int, answer);
        QFETCH(QString, saveAsName);
        QFETCH(bool, named);
        QFETCH(bool, newRan);
        QFETCH(bool, written);
        Program p;
        const QString file = p.path(named ? "a.pgr" : "new.pgr");
        if (named)
            p.storage.SetFileName(p.writeDocument("a.pgr", "Ann"));
        p.makeModified();
        p.prompt.queueAnswer(PromptAnswer(answer));
        if (!saveAsName.isEmpty())
            p.prompt.queueFileName(saveAsName == QLatin1String("-") ? std::nullopt
                                                                    : std::optional(p.folder.filePath(saveAsName)));
        p.commands.New();
        QCOMPARE(p.prompt.messages.size(), 1); // only the question itself
        p.expectMessage(QStringLiteral("Save changes to %1?").arg(named ? file : QStringLiteral("Untitled")),
                        QStringLiteral("Tavoro!"), PromptButtons::YesNoCancel, PromptIcon::Exclamation);
        QCOMPARE(p.document.Persons().Empty(), newRan);
        if (newRan) {
            QCOMPARE(p.storage.FileName(), QString());
            QVERIFY(!p.document.IsModified());
            QCOMPARE(p.titles.last(), QStringLiteral("Untitled"));
            QVERIFY(p.observer.changes > 0);
        }
        PimDocument reread;
        FakePromptService quiet;
        const bool readable = DocumentStorage(reread).ReadFromFile(file, quiet);
        const bool holdsEdit =
            readable && std::any_of(reread.Persons().begin(), reread.Persons().end(),
                                    [](const auto& entry) { return entry.second.FName == "Edited"; });
        QCOMPARE(holdsEdit, written);
    }

    void openReadsTheChosenFile() {
        Program p;
        QStringList files;
        for (const char* name : {"a.pgr", "b.pgr", "c.pgr", "d.pgr", "e.pgr"}) {
            files << p.writeDocument(name, name);
            p.prompt.queueFileName(files.last());
            p.commands.Open();
        }
        QCOMPARE(p.firstPerson(), std::string("e.pgr"));
        QCOMPARE(p.storage.FileName(), files.last());
        QVERIFY(!p.document.IsModified());
        QCOMPARE(p.titles, files);
        QVERIFY(p.prompt.messages.isEmpty());
        // The recent list keeps the newest four, in the settings too.
        QCOMPARE(p.recentFiles.Entries(), files.mid(1));
        QCOMPARE(setting(QStringLiteral("Recent Document List/Document1")), files.last());
        QVERIFY(!QSettings().contains(QStringLiteral("Recent Document List/Document5")));
        const FakePromptService::Dialog& dialog = p.prompt.dialogs.at(0);
        QVERIFY(!dialog.save);
        QCOMPARE(dialog.request.filters, (QStringList{"Tavoro Files (*.pgr)", "All Files (*.*)"}));
        QCOMPARE(dialog.request.defaultExtension, QStringLiteral("pgr"));
    }

    void openCancelled() {
        Program p;
        p.makeModified();
        p.prompt.queueAnswer(PromptAnswer::Cancel);
        p.commands.Open();
        p.expectMessage(QStringLiteral("Save changes to Untitled?"), QStringLiteral("Tavoro"),
                        PromptButtons::YesNoCancel, PromptIcon::Exclamation);
        QVERIFY(p.prompt.dialogs.isEmpty());
        QVERIFY(p.document.IsModified());

        // Cancelling the file dialog of an untitled document lists no "Untitled".
        p.document.SetModified(false);
        p.prompt.queueFileName(std::nullopt);
        p.commands.Open();
        QVERIFY(p.recentFiles.Entries().isEmpty());
        QCOMPARE(p.titles, QStringList{"Untitled"});
        QCOMPARE(p.prompt.messages.size(), 1);
    }

    // A file that cannot be read or parsed: the program says so, keeps the document's name and
    // forgets the last file used.
    void openFailure_data() {
        QTest::addColumn<QByteArray>("bytes"); // null: no such file
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("oldRecordsKept");
        QTest::newRow("missing") << QByteArray() << QStringList{"Error loading file."} << true;
        QTest::newRow("unparsable") << QByteArray("<Pim Version=\"1\">\r\n<Persons>\r\n</Pim>")
                                    << QStringList{"Parsing error at line 3", "Error loading file."} << false;
        QTest::newRow("not a document") << QByteArray("<?xml version=\"1.0\"?>\n<html><Pim Version=\"1\"/></html>")
                                        << QStringList{"The file is not a Tavoro! document.", "Error loading file."}
                                        << false;
    }
    void openFailure() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        QFETCH(bool, oldRecordsKept);
        Program p;
        const QString old = p.writeDocument("old.pgr", "Old");
        p.storage.ReadFromFile(old, p.prompt);
        p.storage.SetFileName(old);
        p.store.writeText(QStringLiteral("Files"), QStringLiteral("LastFileUsed"), old);
        p.prompt.queueFileName(bytes.isNull() ? p.path("missing.pgr") : p.writeText("bad.pgr", bytes));
        p.commands.Open();
        QStringList shown;
        for (const FakePromptService::Message& message : p.prompt.messages)
            shown << message.text;
        QCOMPARE(shown, messages);
        p.expectMessage(QStringLiteral("Error loading file."), QStringLiteral("Tavoro"), PromptButtons::Ok,
                        PromptIcon::Stop);
        QCOMPARE(p.firstPerson(), std::string(oldRecordsKept ? "Old" : ""));
        QVERIFY(!p.document.IsModified());
        QCOMPARE(setting(QStringLiteral("Files/LastFileUsed")), QString());
        QVERIFY(QSettings().contains(QStringLiteral("Files/LastFileUsed")));
        QVERIFY(p.recentFiles.Entries().isEmpty());
        if (oldRecordsKept) {
            QCOMPARE(p.storage.FileName(), old);
            QVERIFY(p.titles.isEmpty());
            return;
        }
        // The emptied document must not keep the old file's name: a Save would write it over that file.
        QVERIFY(p.storage.HasNoFileName());
        QCOMPARE(p.titles, QStringList{QStringLiteral("Untitled")});
        p.document.Add(Person{});
        p.document.SetModified(true);
        p.commands.Save(); // asks for a name; the fake cancels
        QCOMPARE(p.prompt.dialogs.size(), 2);
        PimDocument reread;
        QVERIFY(DocumentStorage(reread).ReadFromFile(old, p.prompt));
        QCOMPARE(reread.Persons().Find(1)->FName, std::string("Old"));
    }

    void saveUntitledAsksForNameOnce() {
        Program p;
        p.makeModified();
        const QString file = p.path("new.pgr");
        p.prompt.queueFileName(file);
        p.commands.Save();
        QCOMPARE(p.prompt.dialogs.size(), 1);
        QVERIFY(p.prompt.dialogs[0].save);
        QCOMPARE(p.prompt.dialogs[0].request.initialName, QStringLiteral("Untitled"));
        QVERIFY(p.prompt.dialogs[0].request.confirmOverwrite);
        QVERIFY(QFile::exists(file));
        QCOMPARE(p.storage.FileName(), file);
        QVERIFY(!p.document.IsModified());
        // The document is that file now: the title and the recent list name it.
        QCOMPARE(p.titles, QStringList{file});
        QCOMPARE(p.recentFiles.Entries(), QStringList{file});

        p.makeModified();
        p.commands.Save();
        QCOMPARE(p.prompt.dialogs.size(), 1);
        QCOMPARE(p.titles.size(), 1); // a save under the same name changes neither
        PimDocument reread;
        QVERIFY(DocumentStorage(reread).ReadFromFile(file, p.prompt));
        QCOMPARE(reread.Persons().Count(), std::size_t(2));
    }

    void saveUnmodifiedWritesNothing() {
        Program p;
        const QString file = p.writeText("a.pgr", "not even a document");
        p.storage.SetFileName(file);
        p.commands.Save();
        QFile written(file);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("not even a document"));
    }

    void saveCannotWrite() {
        Program p;
        p.storage.SetFileName(p.path("missing/a.pgr"));
        p.makeModified();
        p.commands.Save();
        p.expectMessage(QStringLiteral("Unable to write file!"), QStringLiteral("Tavoro"), PromptButtons::Ok,
                        PromptIcon::Stop);
        QVERIFY(p.document.IsModified());
        QVERIFY(p.titles.isEmpty());
    }

    // Save As into a folder that does not exist: Retry opens the dialog again, Cancel ends the command.
    void saveAsFailure_data() {
        QTest::addColumn<bool>("retry");
        QTest::newRow("retry") << true;
        QTest::newRow("cancel") << false;
    }
    void saveAsFailure() {
        QFETCH(bool, retry);
        Program p;
        const QString old = p.path("old.pgr");
        const QString second = p.path("second.pgr");
        p.storage.SetFileName(old);
        p.makeModified();
        p.prompt.queueFileName(p.path("missing/first.pgr"));
        p.prompt.queueAnswer(retry ? PromptAnswer::Retry : PromptAnswer::Cancel);
        p.prompt.queueFileName(second);
        p.commands.SaveAs();
        QCOMPARE(p.prompt.messages.size(), 1);
        p.expectMessage(QStringLiteral("Error saving %1.").arg(old), QStringLiteral("Tavoro!"),
                        PromptButtons::RetryCancel, PromptIcon::Stop);
        QCOMPARE(p.prompt.dialogs.size(), retry ? 2 : 1);
        QCOMPARE(QFile::exists(second), retry);
        QCOMPARE(p.storage.FileName(), retry ? second : old);
        QCOMPARE(p.document.IsModified(), !retry);
        QCOMPARE(p.recentFiles.Entries(), retry ? QStringList{second} : QStringList());
        QCOMPARE(p.titles, retry ? QStringList{second} : QStringList());
    }

    void backupLeavesNameAndModifiedState() {
        Program p;
        const QString file = p.writeDocument("home.pgr", "Ann");
        p.storage.ReadFromFile(file, p.prompt);
        p.storage.SetFileName(file);
        p.makeModified();
        const QString backup = p.path("home.bak");
        p.prompt.queueFileName(backup);
        p.commands.Backup();
        const platform::FileDialogRequest& request = p.prompt.dialogs.at(0).request;
        QCOMPARE(request.initialName, QStringLiteral("home"));
        QCOMPARE(request.defaultExtension, QStringLiteral("bak"));
        QCOMPARE(request.filters, (QStringList{"Backup Files (*.bak)", "All Files (*.*)"}));
        PimDocument copy;
        QVERIFY(DocumentStorage(copy).ReadFromFile(backup, p.prompt));
        QCOMPARE(copy.Persons().Count(), std::size_t(2));
        QCOMPARE(p.storage.FileName(), file);
        QVERIFY(p.document.IsModified());
        QVERIFY(p.prompt.messages.isEmpty());
        QVERIFY(p.recentFiles.Entries().isEmpty());
    }

    void backupFailureAndCancel() {
        Program p;
        p.prompt.queueFileName(std::nullopt);
        p.commands.Backup();
        QCOMPARE(p.prompt.dialogs.at(0).request.initialName, QStringLiteral("Untitled"));
        QVERIFY(p.prompt.messages.isEmpty());
        p.prompt.queueFileName(p.path("missing/x.bak"));
        p.commands.Backup();
        p.expectMessage(QStringLiteral("Unable to back up file"), QStringLiteral("Backup failed"), PromptButtons::Ok,
                        PromptIcon::Stop);
    }

    void compactRemovesOldDoneTasks() {
        Program p;
        const QString file = p.path("tasks.pgr");
        p.storage.SetFileName(file);
        const auto addTask = [&p](const char* text, int priority, const DateTime& due) {
            Task task;
            task.Description = text;
            task.Priority = priority;
            task.DueDate = due;
            task.DoneDate = due;
            p.document.Add(task);
        };
        addTask("done, due yesterday", Task::Done, DateTime(2003, 5, 9, 23, 0, 0));
        addTask("done, due today", Task::Done, DateTime(2003, 5, 10, 0, 0, 0));
        addTask("open, due last year", Task::Low, DateTime(2002, 1, 1, 0, 0, 0));
        p.document.SetModified(true);
        const int changesBefore = p.observer.changes;
        p.commands.Compact();
        PimDocument reread;
        QVERIFY(DocumentStorage(reread).ReadFromFile(file, p.prompt));
        QStringList kept;
        for (const auto& [id, task] : reread.Tasks())
            kept << QString::fromStdString(task.Description);
        QCOMPARE(kept, (QStringList{"done, due today", "open, due last year"}));
        QCOMPARE(p.document.Tasks().Count(), std::size_t(2));
        QVERIFY(!p.document.IsModified());
        QVERIFY(p.observer.changes > changesBefore);
        QVERIFY(p.prompt.messages.isEmpty());
    }

    // A compacted document that cannot be written stays modified, so that closing still asks;
    // Retry tries again, and once the folder is there Compact writes it.
    void compactCannotWrite() {
        Program p;
        const QString file = p.path("missing/tasks.pgr");
        p.storage.SetFileName(file);
        Task task;
        task.Priority = Task::Done;
        task.DueDate = DateTime(2003, 1, 1, 0, 0, 0);
        p.document.Add(task);
        p.prompt.queueAnswer(platform::PromptAnswer::Retry);
        p.commands.Compact();
        QCOMPARE(p.prompt.messages.size(), 2);
        p.expectMessage(QStringLiteral("Error saving %1.").arg(file), QStringLiteral("Tavoro!"),
                        PromptButtons::RetryCancel, PromptIcon::Stop);
        QVERIFY(p.document.Tasks().Empty());
        QVERIFY(p.document.IsModified());

        QVERIFY(QDir(p.folder.path()).mkdir(QStringLiteral("missing")));
        p.commands.Compact();
        QCOMPARE(p.prompt.messages.size(), 2);
        QVERIFY(QFile::exists(file));
        QVERIFY(!p.document.IsModified());
    }

    void compactUntitledAsksForName() {
        Program p;
        p.makeModified();
        p.prompt.queueFileName(std::nullopt);
        p.commands.Compact();
        QCOMPARE(p.prompt.dialogs.size(), 1);
        QVERIFY(p.prompt.dialogs[0].save);
        QVERIFY(p.document.IsModified()); // nothing was written
        QVERIFY(!QFile::exists(QStringLiteral("Untitled")));

        const QString file = p.path("compact.pgr");
        p.prompt.queueFileName(file);
        p.commands.Compact();
        QVERIFY(QFile::exists(file));
        QCOMPARE(p.storage.FileName(), file);
        QVERIFY(!p.document.IsModified());
        QCOMPARE(p.titles, QStringList{file});
    }

    void openRecentFile() {
        Program p;
        const QString a = p.writeDocument("a.pgr", "Ann");
        const QString b = p.writeDocument("b.pgr", "Ben");
        p.recentFiles.Add(a);
        p.recentFiles.Add(b);
        p.commands.OpenRecentFile(2); // the second item: the older file
        QCOMPARE(p.firstPerson(), std::string("Ann"));
        QCOMPARE(p.storage.FileName(), a);
        QCOMPARE(p.recentFiles.Entries(), (QStringList{b, a}));
        QCOMPARE(p.titles, QStringList{a});
        QCOMPARE(setting(QStringLiteral("Recent Document List/Document1")), a);
        QVERIFY(p.prompt.messages.isEmpty());
    }

    void deletedRecentFileDisappears() {
        Program p;
        const QString a = p.writeDocument("a.pgr", "Ann");
        const QString gone = p.writeDocument("gone.pgr", "Gus");
        p.recentFiles.Add(gone);
        p.recentFiles.Add(a);
        p.recentFiles.WriteTo(p.store);
        QFile::remove(gone);
        p.store.writeText(QStringLiteral("Files"), QStringLiteral("LastFileUsed"), gone);
        p.commands.OpenRecentFile(2);
        p.expectMessage(QStringLiteral("Error loading file."), QStringLiteral("Tavoro!"), PromptButtons::Ok,
                        PromptIcon::Stop);
        QCOMPARE(p.prompt.messages.size(), 1);
        QCOMPARE(p.recentFiles.Entries(), QStringList{a});
        QCOMPARE(setting(QStringLiteral("Recent Document List/Document1")), a);
        QVERIFY(!QSettings().contains(QStringLiteral("Recent Document List/Document2")));
        QCOMPARE(setting(QStringLiteral("Files/LastFileUsed")), QString());
        QVERIFY(p.titles.isEmpty());
        p.commands.OpenRecentFile(2); // no such item any more
        QCOMPARE(p.prompt.messages.size(), 1);
    }

    void openLastFileSetting() {
        Program p;
        QCOMPARE(p.commands.StartupFileNames(), std::optional<QString>());
        QCOMPARE(setting(QStringLiteral("Files/OpenLastFile")), QStringLiteral("0")); // created when missing
        QVERIFY(!p.commands.OpenLastFileOnStart());
        p.commands.ToggleOpenLastFileOnStart();
        QVERIFY(p.commands.OpenLastFileOnStart());
        QCOMPARE(setting(QStringLiteral("Files/OpenLastFile")), QStringLiteral("1"));

        QCOMPARE(p.commands.StartupFileNames(), std::optional<QString>()); // LastFileUsed was missing
        QVERIFY(QSettings().contains(QStringLiteral("Files/LastFileUsed")));
        p.commands.WriteLastFileUsed();
        QCOMPARE(setting(QStringLiteral("Files/LastFileUsed")), QStringLiteral("Untitled"));
        p.storage.SetFileName(p.path("a.pgr"));
        p.commands.WriteLastFileUsed();
        QCOMPARE(p.commands.StartupFileNames(), std::optional<QString>(p.path("a.pgr")));

        p.commands.ToggleOpenLastFileOnStart();
        QCOMPARE(setting(QStringLiteral("Files/OpenLastFile")), QStringLiteral("0"));
        QCOMPARE(p.commands.StartupFileNames(), std::optional<QString>());
    }

    void startupFileThatCannotBeParsedKeepsNoName() {
        Program p;
        const QString file = p.writeText("bad.pgr", QByteArray("<Pim Version=\"1\">\r\n<Persons>\r\n</Pim>"));
        p.commands.OpenStartupFile(file);
        QVERIFY(p.storage.HasNoFileName());
        QCOMPARE(p.titles, QStringList{QStringLiteral("Untitled")});
        QCOMPARE(p.recentFiles.Entries(), QStringList{file});
    }

    void startupFileThatDoesNotExist() {
        Program p;
        const QString file = p.path("nowhere.pgr");
        p.commands.OpenStartupFile(file);
        QVERIFY(p.document.Persons().Empty());
        QCOMPARE(p.storage.FileName(), file);
        QCOMPARE(p.titles, QStringList{file});
        QCOMPARE(p.recentFiles.Entries(), QStringList{file});
        QVERIFY(p.prompt.messages.isEmpty());
    }
};

TAVORO_TEST_MAIN(TestDocumentCommands)
#include "TestDocumentCommands.moc"
