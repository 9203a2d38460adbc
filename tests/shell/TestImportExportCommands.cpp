#include "DayRecords.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/HelpViewer.h"
#include "shell/MainFrame.h"
#include "support/FakePromptService.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "support/WhenModal.h"
#include "textio/wizard/AssignFieldDialog.h"
#include "textio/wizard/ImportExportWizard.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

using platform::PromptIcon;
using wizard::AssignFieldDialog;
using wizard::ImportExportWizard;

namespace {

using dayrecords::today;

// What the wizard's pages offer to a test that drives them from inside the wizard's own loop.
struct Pages {
    ImportExportWizard* wizard;

    template <typename T> T* find(const char* name) const { return wizard->findChild<T*>(QLatin1String(name)); }
    void press(QWizard::WizardButton which) const { QTest::mouseClick(wizard->button(which), Qt::LeftButton); }
    void fileName(const QString& path) const { QTest::keyClicks(find<QLineEdit>("fileNameEdit"), path); }
    void assign(int row, const QString& name) const {
        whenModal<AssignFieldDialog>([name](AssignFieldDialog* dialog) {
            auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fieldCombo"));
            combo->setCurrentIndex(combo->findText(name));
            dialog->findChild<QCheckBox*>(QStringLiteral("importFieldCheck"))->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        auto* list = find<QTreeWidget>("fieldList");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
    }
    void tick(int row) const { find<QTreeWidget>("fieldList")->topLevelItem(row)->setCheckState(0, Qt::Checked); }
};

// Runs a command whose wizard `drive` walks through; returns once the wizard has closed.
void runWizard(MainFrame& frame, int command, std::function<void(const Pages&)> drive) {
    bool driven = false;
    whenModal<ImportExportWizard>([&driven, drive](ImportExportWizard* wizard) {
        driven = true;
        drive(Pages{wizard});
        // Whatever the test left open is cancelled, so that the command always returns.
        if (wizard->isVisible())
            wizard->reject();
    });
    QVERIFY(frame.Route(command));
    QVERIFY(driven);
}

class CountingObserver : public DocumentObserver {
public:
    void DocumentChanged(PimDocument&) override { ++changes; }
    int changes = 0;
};

struct Frame {
    Frame() : frame(std::make_unique<MainFrame>(prompts, QStringLiteral(TAVORO_HELP_FOLDER))) {
        frame->show();
        if (!QTest::qWaitForWindowExposed(frame.get()))
            qFatal("the main window does not show");
    }
    MainFrame* operator->() { return frame.get(); }
    bool enabled(int id) {
        frame->UpdateCommandStates();
        return frame->Action(id)->isEnabled();
    }

    FakePromptService prompts;
    std::unique_ptr<MainFrame> frame;
};

} // namespace

class TestImportExportCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void exportsNeedRecords();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void importAddsTheRecordsAndSaysHowMany();
    void importThatAddsNothingSaysZero();
    void exportWritesTheTickedColumns();
    void exportReplacesATypedFileWithoutAsking();
    void helpStaysUsableBesideTheWizard();

private:
    QString writeFile(const QString& name, const QByteArray& content);
    QByteArray readFile(const QString& name);
    static void addRecords(PimDocument& document);
    QTemporaryDir m_dir;
};

void TestImportExportCommands::initTestCase() {
    platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 9, 30, 0});
}

QString TestImportExportCommands::writeFile(const QString& name, const QByteArray& content) {
    return writeTestFile(m_dir.filePath(name), content);
}

QByteArray TestImportExportCommands::readFile(const QString& name) {
    QFile file(m_dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void TestImportExportCommands::addRecords(PimDocument& document) {
    Task task;
    task.Description = "Pay rent";
    task.DueDate = today();
    task.Priority = Task::Medium;
    document.Add(task);
    Person person;
    person.FName = "Jane";
    person.LName = "Doe";
    person.RName = "Doe, Jane";
    document.Add(person);
    Appointment appointment;
    appointment.Description = "Dentist";
    appointment.DueDate = today();
    appointment.StartTime = DateTime(2024, 5, 15, 10, 0, 0);
    appointment.EndTime = DateTime(2024, 5, 15, 11, 0, 0);
    appointment.AlarmTime = appointment.StartTime;
    document.Add(appointment);
    document.SetModified(false);
}

// The fresh start, with every import enabled and every export disabled, is the main window's test.
void TestImportExportCommands::exportsNeedRecords() {
    Frame f;
    addRecords(f->Document());
    for (int id : {cmd::ExportTasks, cmd::ExportPhoneBook, cmd::ExportAppointments})
        QVERIFY(f.enabled(id));
}

void TestImportExportCommands::cancelChangesNothing_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("page");
    for (int page = 0; page < 3; ++page) {
        QTest::addRow("import tasks, page %d", page + 1) << int(cmd::ImportTasks) << page;
        QTest::addRow("import persons, page %d", page + 1) << int(cmd::ImportPhoneBook) << page;
        QTest::addRow("export appointments, page %d", page + 1) << int(cmd::ExportAppointments) << page;
    }
}

void TestImportExportCommands::cancelChangesNothing() {
    QFETCH(int, command);
    QFETCH(int, page);
    Frame f;
    addRecords(f->Document());
    f->Document().SetModified(false);
    CountingObserver observer;
    f->Document().AddObserver(&observer);
    const QByteArray content("FirstName,Task\nJohn,Call Bob\n");
    const QString path = writeFile(QStringLiteral("cancel.csv"), content);
    const QString target = m_dir.filePath(QStringLiteral("never.csv"));
    const bool importing = command != cmd::ExportAppointments;

    runWizard(*f.frame, command, [&](const Pages& pages) {
        if (page > 0) {
            pages.fileName(importing ? path : target);
            pages.press(QWizard::NextButton);
        }
        if (page > 1) {
            pages.press(QWizard::NextButton);
            if (importing)
                pages.assign(0, command == cmd::ImportTasks ? QStringLiteral("Task") : QStringLiteral("FirstName"));
            else
                pages.tick(0);
        }
        QCOMPARE(pages.wizard->currentId(), page);
        pages.press(QWizard::CancelButton);
    });

    f->Document().RemoveObserver(&observer);
    QCOMPARE(observer.changes, 0);
    QVERIFY(!f->Document().IsModified());
    QCOMPARE(f->Document().Tasks().Count() + f->Document().Persons().Count(), 2u);
    QVERIFY(!QFile::exists(target));
    QCOMPARE(readFile(QStringLiteral("cancel.csv")), content);
    QVERIFY(f.prompts.messages.isEmpty());
}

void TestImportExportCommands::importAddsTheRecordsAndSaysHowMany() {
    Frame f;
    addRecords(f->Document());
    f->Document().SetModified(false);
    const QString path = writeFile(QStringLiteral("tasks.csv"), "Priority,Task,DueDate\n"
                                                                "2,Water plants,5/15/2024\n"
                                                                "0,Call Bob,5/15/2024\n"
                                                                "1,,5/15/2024\n");
    runWizard(*f.frame, cmd::ImportTasks, [&](const Pages& pages) {
        QCOMPARE(pages.wizard->parentWidget(), f.frame.get());
        QVERIFY(pages.wizard->isModal());
        pages.fileName(path);
        pages.press(QWizard::NextButton);
        pages.press(QWizard::NextButton);
        pages.assign(1, QStringLiteral("Task"));
        pages.assign(2, QStringLiteral("DueDate"));
        pages.assign(0, QStringLiteral("Priority"));
        pages.press(QWizard::FinishButton);
    });

    QCOMPARE(f.prompts.messages.size(), 1);
    QCOMPARE(f.prompts.messages[0].text,
             QStringLiteral("2 tasks added to current database.\n\n1 line skipped, no task (line 4)."));
    QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Imported Tasks"));
    QCOMPARE(f.prompts.messages[0].icon, PromptIcon::Information);
    QCOMPARE(f->Document().Tasks().Count(), 3u);
    QVERIFY(f->Document().IsModified());
    const Task* added = f->Document().Tasks().Find(3);
    QVERIFY(added);
    QCOMPARE(added->Description, std::string("Call Bob"));
    QCOMPARE(added->Priority, int(Task::High));
    // The task list shows what was added at once.
    QCOMPARE(f->View()->Controller().Tasks().Count(), 3);
}

void TestImportExportCommands::importThatAddsNothingSaysZero() {
    Frame f;
    const QString path = writeFile(QStringLiteral("nobody.csv"), "FirstName;Notes\n;only a note\n");
    runWizard(*f.frame, cmd::ImportPhoneBook, [&](const Pages& pages) {
        pages.fileName(path);
        pages.press(QWizard::NextButton);
        pages.find<QListWidget>("separatorList")->setCurrentRow(1);
        pages.press(QWizard::NextButton);
        pages.assign(0, QStringLiteral("FirstName"));
        pages.assign(1, QStringLiteral("Notes"));
        pages.press(QWizard::FinishButton);
    });
    QCOMPARE(f.prompts.messages.size(), 1);
    QCOMPARE(f.prompts.messages[0].text,
             QStringLiteral("0 names added to current database.\n\n"
                            "1 line skipped, no first name, last name or company (line 2)."));
    QCOMPARE(f.prompts.messages[0].caption, QStringLiteral("Imported Names"));
    QCOMPARE(f->Document().Persons().Count(), 0u);
}

void TestImportExportCommands::exportWritesTheTickedColumns() {
    Frame f;
    addRecords(f->Document());
    runWizard(*f.frame, cmd::ExportTasks, [&](const Pages& pages) {
        pages.fileName(m_dir.filePath(QStringLiteral("tasks-out.csv")));
        pages.press(QWizard::NextButton);
        pages.find<QListWidget>("encloserList")->setCurrentRow(1);
        pages.press(QWizard::NextButton);
        pages.tick(0);
        pages.tick(1);
        pages.tick(2);
        pages.press(QWizard::FinishButton);
    });
    QCOMPARE(readFile(QStringLiteral("tasks-out.csv")), QByteArray("'Task','DueDate','Priority'\n"
                                                                   "'Pay rent','5/15/2024','1'\n"));
    QVERIFY(f.prompts.messages.isEmpty());
    QVERIFY(!f->Document().IsModified());
}

void TestImportExportCommands::exportReplacesATypedFileWithoutAsking() {
    Frame f;
    addRecords(f->Document());
    const QString path = writeFile(QStringLiteral("persons-out.csv"), "old content\n");
    runWizard(*f.frame, cmd::ExportPhoneBook, [&](const Pages& pages) {
        pages.fileName(path);
        pages.press(QWizard::NextButton);
        pages.find<QListWidget>("separatorList")->setCurrentRow(1);
        pages.find<QListWidget>("encloserList")->setCurrentRow(2);
        pages.find<QCheckBox>("firstLineHasNamesCheck")->setChecked(false);
        pages.press(QWizard::NextButton);
        pages.tick(1);
        pages.tick(0);
        pages.press(QWizard::FinishButton);
    });
    QCOMPARE(readFile(QStringLiteral("persons-out.csv")), QByteArray("Jane;Doe\n"));
    QVERIFY(f.prompts.messages.isEmpty());
    QVERIFY(f.prompts.dialogs.isEmpty());
}

void TestImportExportCommands::helpStaysUsableBesideTheWizard() {
    Frame f;
    QWidget* helpWindow = nullptr;
    runWizard(*f.frame, cmd::ImportAppointments, [&](const Pages& pages) {
        pages.press(QWizard::HelpButton);
        QTextBrowser* browser = f->Help().Browser();
        QVERIFY(browser);
        QVERIFY(browser->source().path().endsWith(QStringLiteral("/html/csvimport.htm")));
        helpWindow = browser->window();
        // A window of the main window's would be blocked by the modal wizard.
        QCOMPARE(helpWindow->parentWidget(), pages.wizard);
        QVERIFY(helpWindow->isVisible());

        auto* edit = pages.find<QLineEdit>("fileNameEdit");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(browser->source().fragment(), QStringLiteral("1500"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Select File")));
        pages.press(QWizard::CancelButton);
    });
    QVERIFY(helpWindow);
    QCOMPARE(f->Help().Browser()->window(), helpWindow);
    QCOMPARE(helpWindow->parentWidget(), f.frame.get());
    QVERIFY(helpWindow->isVisible());

    // The export's own page.
    runWizard(*f.frame, cmd::ExportTasks, [&](const Pages& pages) { pages.press(QWizard::HelpButton); });
    QVERIFY(f->Help().Browser()->source().path().endsWith(QStringLiteral("/html/csvexport.htm")));
}

TAVORO_TEST_MAIN(TestImportExportCommands)
#include "TestImportExportCommands.moc"
