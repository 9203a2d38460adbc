#include "docfile/PimDocument.h"
#include "support/FakePromptService.h"
#include "support/RecordBuilders.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"
#include "support/WhenModal.h"
#include "textio/DelimitedTextSettings.h"
#include "textio/wizard/AssignFieldDialog.h"
#include "textio/wizard/FieldsPage.h"
#include "textio/wizard/ImportExportWizard.h"
#include "textio/wizard/TransferCommand.h"
#include "textio/wizard/WizardFlow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

using wizard::AssignFieldDialog;
using wizard::ImportExportWizard;

namespace {

void pressF1(QWidget* widget) {
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_F1);
}

// One wizard run, shown without a loop of its own so that the test drives it step by step.
struct Run {
    Run(RecordKind type, bool importing)
        : settings(importing ? DelimitedTextSettings::ForImport(type) : DelimitedTextSettings::ForExport(type)),
          flow(settings, importing),
          wizard(flow, prompts, QStringLiteral("Import Tasks From Text File"), QPixmap(16, 16)) {}

    template <typename T> T* find(const char* name) const {
        T* child = wizard.findChild<T*>(QLatin1String(name));
        if (!child)
            qFatal("no %s", name);
        return child;
    }
    QAbstractButton* button(QWizard::WizardButton which) const { return wizard.button(which); }
    bool canPress(QWizard::WizardButton which) const {
        return button(which)->isVisible() && button(which)->isEnabled();
    }
    void press(QWizard::WizardButton which) { QTest::mouseClick(button(which), Qt::LeftButton); }
    void show() {
        wizard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    }
    void chooseFile(const QString& path) {
        QLineEdit* edit = find<QLineEdit>("fileNameEdit");
        edit->clear();
        QTest::keyClicks(edit, path);
    }
    QTreeWidget* fields() const { return find<QTreeWidget>("fieldList"); }
    QStringList column(int column) const {
        QStringList texts;
        for (int row = 0; row < fields()->topLevelItemCount(); ++row)
            texts.append(fields()->topLevelItem(row)->text(column));
        return texts;
    }
    // A click on an import row, answered in the "Fields" dialog.
    void assign(int row, const QString& name, bool import = true) {
        whenModal<AssignFieldDialog>([name, import](AssignFieldDialog* dialog) {
            auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fieldCombo"));
            combo->setCurrentIndex(combo->findText(name));
            dialog->findChild<QCheckBox*>(QStringLiteral("importFieldCheck"))->setChecked(import);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        });
        QTreeWidget* list = fields();
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    FakePromptService prompts;
    DelimitedTextSettings settings;
    wizard::WizardFlow flow;
    ImportExportWizard wizard;
};

} // namespace

class TestImportExportWizard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void styleAndButtons();
    void browseOffersTheFilters_data();
    void browseOffersTheFilters();
    void fileMessagesKeepThePage();
    void structurePageOffersTheCharacters();
    void previewFollowsTheFileOnEveryVisit();
    void importRowsAndTheirAssignment();
    void rowsAreRebuiltAfterAnotherSeparator();
    void importFinishChecksTheRequiredColumns();
    void exportFieldsAreTicked();
    void writeFailureKeepsTheWizardOpen();
    void assignDialogCancelChoosesNothing();
    void helpButtonAndF1_data();
    void helpButtonAndF1();

private:
    QString writeFile(const QString& name, const QByteArray& content);
    QTemporaryDir m_dir;
};

QString TestImportExportWizard::writeFile(const QString& name, const QByteArray& content) {
    return writeTestFile(m_dir.filePath(name), content);
}

void TestImportExportWizard::styleAndButtons() {
    Run run(RecordKind::Task, true);
    QCOMPARE(run.wizard.wizardStyle(), QWizard::ClassicStyle);
    QVERIFY(!run.wizard.pixmap(QWizard::WatermarkPixmap).isNull());
    QVERIFY(!(run.wizard.windowFlags() & Qt::WindowContextHelpButtonHint));
    run.show();
    QVERIFY(run.canPress(QWizard::HelpButton));
    QVERIFY(!run.canPress(QWizard::FinishButton));

    // Next follows the file name; typing alone does not take it.
    auto* edit = run.find<QLineEdit>("fileNameEdit");
    QVERIFY(!run.button(QWizard::NextButton)->isEnabled());
    QTest::keyClick(edit, Qt::Key_A);
    QVERIFY(run.button(QWizard::NextButton)->isEnabled());
    QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(!run.button(QWizard::NextButton)->isEnabled());
    QVERIFY(run.settings.FilePath.isEmpty());

    run.chooseFile(writeFile(QStringLiteral("tasks.csv"), "Task\n"));
    run.press(QWizard::NextButton);
    QCOMPARE(run.wizard.windowTitle(), QStringLiteral("Document Structure"));
    run.press(QWizard::NextButton);
    QVERIFY(run.canPress(QWizard::FinishButton));
    QVERIFY(!run.canPress(QWizard::NextButton));
}

void TestImportExportWizard::browseOffersTheFilters_data() {
    QTest::addColumn<bool>("importing");
    QTest::newRow("import: Open") << true;
    QTest::newRow("export: Save As") << false;
}

void TestImportExportWizard::browseOffersTheFilters() {
    QFETCH(bool, importing);
    Run run(RecordKind::Appointment, importing);
    run.show();
    run.chooseFile(QStringLiteral("before.csv"));
    run.prompts.queueFileName(m_dir.filePath(QStringLiteral("picked.csv")));
    QTest::mouseClick(run.find<QPushButton>("browseButton"), Qt::LeftButton);

    QCOMPARE(run.prompts.dialogs.size(), 1);
    const FakePromptService::Dialog& dialog = run.prompts.dialogs.constFirst();
    QCOMPARE(dialog.save, !importing);
    QCOMPARE(dialog.request.title, importing ? QStringLiteral("Open") : QStringLiteral("Save As"));
    QCOMPARE(dialog.request.initialName, QStringLiteral("before.csv"));
    QCOMPARE(dialog.request.filters,
             (QStringList{"Comma Separated files (*.csv)", "Text Files (*.txt)", "All files (*)"}));
    QCOMPARE(dialog.request.defaultExtension, QStringLiteral("csv"));
    QVERIFY(dialog.request.confirmOverwrite);
    QCOMPARE(run.find<QLineEdit>("fileNameEdit")->text(), m_dir.filePath(QStringLiteral("picked.csv")));

    // A cancelled dialog leaves the name as it was.
    QTest::mouseClick(run.find<QPushButton>("browseButton"), Qt::LeftButton);
    QCOMPARE(run.find<QLineEdit>("fileNameEdit")->text(), m_dir.filePath(QStringLiteral("picked.csv")));
    QVERIFY(run.canPress(QWizard::NextButton));
}

void TestImportExportWizard::fileMessagesKeepThePage() {
    Run run(RecordKind::Task, true);
    run.show();
    run.chooseFile(m_dir.filePath(QStringLiteral("missing.csv")));
    run.press(QWizard::NextButton);
    QCOMPARE(run.wizard.currentId(), int(ImportExportWizard::SelectDocument));
    QCOMPARE(run.prompts.messages.size(), 1);
    QVERIFY(run.prompts.messages[0].text.startsWith(QStringLiteral("Unable to open file\n\n")));
    QCOMPARE(run.prompts.messages[0].caption, QStringLiteral("File Error"));
}

void TestImportExportWizard::structurePageOffersTheCharacters() {
    Run run(RecordKind::Task, false);
    run.show();
    run.chooseFile(m_dir.filePath(QStringLiteral("out.csv")));
    run.press(QWizard::NextButton);
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("out.csv"))));

    auto* separators = run.find<QListWidget>("separatorList");
    auto* enclosers = run.find<QListWidget>("encloserList");
    QCOMPARE(enclosers->item(0)->text(), QStringLiteral("Double Quote(\")"));
    QCOMPARE(separators->currentRow(), 0);
    QCOMPARE(enclosers->currentRow(), 0);
    auto* names = run.find<QCheckBox>("firstLineHasNamesCheck");
    QVERIFY(names->isChecked());
    // An export has no first line to show.
    QVERIFY(run.find<QGroupBox>("firstLineGroup")->isHidden());

    enclosers->clearSelection();
    run.press(QWizard::NextButton);
    QCOMPARE(run.wizard.currentId(), int(ImportExportWizard::DocumentStructure));
    QCOMPARE(run.prompts.messages.size(), 1);
    QCOMPARE(run.prompts.messages[0].caption, QStringLiteral("Choose Formatting Characters"));

    separators->setCurrentRow(4);
    enclosers->setCurrentRow(1);
    names->setChecked(false);
    run.press(QWizard::NextButton);
    QCOMPARE(run.settings.Separator, std::string("\t"));
    QCOMPARE(run.settings.Encloser, std::string("'"));
    QVERIFY(!run.settings.FirstLineHasNames);
}

void TestImportExportWizard::previewFollowsTheFileOnEveryVisit() {
    Run run(RecordKind::Task, true);
    run.show();
    run.chooseFile(writeFile(QStringLiteral("one.csv"), "  Task,DueDate \nPay rent,\n"));
    run.press(QWizard::NextButton);
    auto* preview = run.find<QPlainTextEdit>("firstLineEdit");
    QVERIFY(!run.find<QGroupBox>("firstLineGroup")->isHidden());
    QVERIFY(!preview->isEnabled());
    QCOMPARE(preview->toPlainText(), QStringLiteral("  Task,DueDate "));
    auto* separators = run.find<QListWidget>("separatorList");
    QCOMPARE(separators->currentRow(), 0);

    // Another file brings its own Separator; the user's choice for the same file stays.
    run.press(QWizard::BackButton);
    run.chooseFile(writeFile(QStringLiteral("two.csv"), "Priority;Task\n"));
    run.press(QWizard::NextButton);
    QCOMPARE(preview->toPlainText(), QStringLiteral("Priority;Task"));
    QCOMPARE(separators->currentRow(), 1);
    separators->setCurrentRow(4);
    run.press(QWizard::BackButton);
    run.press(QWizard::NextButton);
    QCOMPARE(separators->currentRow(), 4);
}

void TestImportExportWizard::importRowsAndTheirAssignment() {
    Run run(RecordKind::Person, true);
    run.show();
    run.chooseFile(writeFile(QStringLiteral("persons.csv"), "FirstName,,LastName\nJane,,Doe\n"));
    run.press(QWizard::NextButton);
    run.press(QWizard::NextButton);

    QTreeWidget* list = run.fields();
    QCOMPARE(run.column(0), (QStringList{"FirstName", "EMPTY FIELD", "LastName"}));
    // The header names assign their columns.
    QCOMPARE(run.column(1), (QStringList{"FirstName", "", "LastName"}));
    auto* preview = run.find<QTableWidget>("previewTable");
    QCOMPARE(preview->rowCount(), 1);
    QCOMPARE(preview->item(0, 2)->text(), QStringLiteral("Doe"));
    QCOMPARE(preview->horizontalHeaderItem(2)->text(), QStringLiteral("LastName"));

    run.assign(0, QStringLiteral("LastName"));
    QCOMPARE(preview->horizontalHeaderItem(0)->text(), QStringLiteral("LastName"));
    QCOMPARE(preview->horizontalHeaderItem(2)->text(), QStringLiteral("(not imported)"));
    QCOMPARE(run.column(1), (QStringList{"LastName", "", ""}));
    run.assign(2, QStringLiteral("Notes"));
    run.assign(2, QStringLiteral("Notes"), false);
    QCOMPARE(run.column(1), (QStringList{"LastName", "", ""}));

    // The keyboard opens the dialog too.
    whenModal<AssignFieldDialog>([](AssignFieldDialog* dialog) {
        QCOMPARE(dialog->findChild<QComboBox*>(QStringLiteral("fieldCombo"))->currentText(),
                 QStringLiteral("LastName"));
        QVERIFY(dialog->findChild<QCheckBox*>(QStringLiteral("importFieldCheck"))->isChecked());
        dialog->reject();
    });
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(run.wizard.currentId(), int(ImportExportWizard::Fields));

    QVERIFY(run.wizard.validateCurrentPage());
    QCOMPARE(run.settings.SelectedFields, (std::vector<std::string>{"LastName", "", ""}));
}

void TestImportExportWizard::rowsAreRebuiltAfterAnotherSeparator() {
    Run run(RecordKind::Task, true);
    run.show();
    run.chooseFile(writeFile(QStringLiteral("tasks.csv"), "a;b;c\n"));
    run.press(QWizard::NextButton);
    run.find<QListWidget>("separatorList")->setCurrentRow(0);
    run.press(QWizard::NextButton);
    QCOMPARE(run.column(0), (QStringList{"a;b;c"}));
    run.assign(0, QStringLiteral("Task"));

    run.press(QWizard::BackButton);
    run.find<QListWidget>("separatorList")->setCurrentRow(1);
    run.press(QWizard::NextButton);
    QCOMPARE(run.column(0), (QStringList{"a", "b", "c"}));
    QCOMPARE(run.column(1), (QStringList{"", "", ""}));
    QCOMPARE(run.settings.ColumnCount, 3);

    // Back and forth without a change keeps the assignment.
    run.assign(1, QStringLiteral("Task"));
    run.press(QWizard::BackButton);
    run.press(QWizard::NextButton);
    QCOMPARE(run.column(1), (QStringList{"", "Task", ""}));
}

void TestImportExportWizard::importFinishChecksTheRequiredColumns() {
    Run run(RecordKind::Appointment, true);
    run.show();
    run.chooseFile(writeFile(QStringLiteral("appointments.csv"), "a,b,c,d,e\n"));
    run.press(QWizard::NextButton);
    run.press(QWizard::NextButton);
    run.assign(0, QStringLiteral("Appointment"));
    run.assign(1, QStringLiteral("Date"));
    run.assign(3, QStringLiteral("StartTime"));
    run.press(QWizard::FinishButton);
    QVERIFY(run.wizard.isVisible());
    QCOMPARE(run.prompts.messages.size(), 1);
    QCOMPARE(run.prompts.messages[0].caption, QStringLiteral("Import Error"));

    run.assign(4, QStringLiteral("EndTime"));
    QSignalSpy accepted(&run.wizard, &QDialog::accepted);
    run.press(QWizard::FinishButton);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(run.settings.SelectedFields,
             (std::vector<std::string>{"Appointment", "Date", "", "StartTime", "EndTime"}));
}

void TestImportExportWizard::exportFieldsAreTicked() {
    Run run(RecordKind::Person, false);
    run.show();
    run.chooseFile(m_dir.filePath(QStringLiteral("persons.csv")));
    run.press(QWizard::NextButton);
    run.press(QWizard::NextButton);
    QTreeWidget* list = run.fields();
    QCOMPARE(list->columnCount(), 1);
    QCOMPARE(list->topLevelItemCount(), 18);

    // Nothing is ticked at first, and Finish refuses that.
    run.press(QWizard::FinishButton);
    QVERIFY(run.wizard.isVisible());
    QCOMPARE(run.prompts.messages.size(), 1);
    QCOMPARE(run.prompts.messages[0].caption, QStringLiteral("Import Error"));

    // Space ticks the current row; the ticks stay over a visit to page 2.
    list->setFocus();
    list->setCurrentItem(list->topLevelItem(15));
    QTest::keyClick(list, Qt::Key_Space);
    list->topLevelItem(1)->setCheckState(0, Qt::Checked);
    run.press(QWizard::BackButton);
    run.press(QWizard::NextButton);
    QCOMPARE(list->topLevelItem(15)->checkState(0), Qt::Checked);
    QVERIFY(run.wizard.validateCurrentPage());
    QCOMPARE(run.settings.SelectedFields, (std::vector<std::string>{"LastName", "Company"}));

    QTest::mouseClick(run.find<QPushButton>("selectAllButton"), Qt::LeftButton);
    QVERIFY(run.wizard.validateCurrentPage());
    QCOMPARE(run.settings.SelectedFields, run.settings.AvailableFields);
    QTest::mouseClick(run.find<QPushButton>("selectNoneButton"), Qt::LeftButton);
    QVERIFY(!run.wizard.validateCurrentPage());
}

// Finish runs the export; a file that cannot be written is reported while the wizard stays.
void TestImportExportWizard::writeFailureKeepsTheWizardOpen() {
    PimDocument document;
    document.Add(ATask("Pay rent"));
    Run run(RecordKind::Task, false);
    const wizard::TransferCommand& command = wizard::TransferCommand::For(RecordKind::Task, false);
    run.flow.SetTransfer([&] {
        const wizard::TransferCommand::Result result = command.Run(document, run.settings);
        return wizard::WizardFlow::Outcome{result.message, result.failed};
    });
    run.show();
    run.chooseFile(m_dir.filePath(QStringLiteral("no such folder/tasks.csv")));
    run.press(QWizard::NextButton);
    run.press(QWizard::NextButton);
    QTest::mouseClick(run.find<QPushButton>("selectAllButton"), Qt::LeftButton);
    run.press(QWizard::FinishButton);
    QVERIFY(run.wizard.isVisible());
    QCOMPARE(run.prompts.messages.size(), 1);
    QCOMPARE(run.prompts.messages[0].caption, QStringLiteral("File Error"));

    run.press(QWizard::BackButton);
    run.press(QWizard::BackButton);
    run.chooseFile(m_dir.filePath(QStringLiteral("tasks.csv")));
    run.press(QWizard::NextButton);
    run.press(QWizard::NextButton);
    QSignalSpy accepted(&run.wizard, &QDialog::accepted);
    run.press(QWizard::FinishButton);
    QCOMPARE(accepted.size(), 1);
    QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("tasks.csv"))));
}

void TestImportExportWizard::assignDialogCancelChoosesNothing() {
    AssignFieldDialog none({"Task", "DueDate", "Priority"}, -1, false, QStringLiteral("Field 2 of the file: Subject"));
    auto* ok = none.findChild<QPushButton*>(QStringLiteral("okButton"));
    auto* combo = none.findChild<QComboBox*>(QStringLiteral("fieldCombo"));
    auto* check = none.findChild<QCheckBox*>(QStringLiteral("importFieldCheck"));
    QCOMPARE(none.findChild<QLabel*>(QStringLiteral("fileColumnLabel"))->text(),
             QStringLiteral("Field 2 of the file: Subject"));
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(!ok->isEnabled());
    // Choosing a field ticks "Import this field".
    combo->setCurrentIndex(2);
    QVERIFY(ok->isEnabled());
    QVERIFY(check->isChecked());
    none.reject();
    QCOMPARE(none.Selected(), -1);
    QVERIFY(!none.ImportField());
}

void TestImportExportWizard::helpButtonAndF1_data() {
    QTest::addColumn<bool>("importing");
    QTest::addColumn<QString>("topic");
    QTest::newRow("import") << true << QStringLiteral("/html/csvimport.htm>topic");
    QTest::newRow("export") << false << QStringLiteral("/html/csvexport.htm>topic");
}

void TestImportExportWizard::helpButtonAndF1() {
    QFETCH(bool, importing);
    QFETCH(QString, topic);
    Run run(RecordKind::Task, importing);
    QSignalSpy help(&run.wizard, &ImportExportWizard::helpTopicRequested);
    run.show();
    run.press(QWizard::HelpButton);
    pressF1(run.find<QLineEdit>("fileNameEdit"));
    pressF1(run.find<QPushButton>("browseButton"));

    run.chooseFile(writeFile(QStringLiteral("tasks.csv"), "Task\n"));
    run.press(QWizard::NextButton);
    pressF1(run.find<QListWidget>("separatorList"));
    run.press(QWizard::NextButton);
    pressF1(run.fields());

    QCOMPARE(help.size(), 5);
    const int ids[] = {0, 1500, 1501, 1506, 1510};
    for (int i = 0; i < help.size(); ++i) {
        QCOMPARE(help[i][0].toString(), topic);
        QCOMPARE(help[i][1].toInt(), ids[i]);
    }

    if (importing) {
        // F1 in the "Fields" dialog.
        whenModal<AssignFieldDialog>([](AssignFieldDialog* dialog) {
            pressF1(dialog->findChild<QCheckBox*>(QStringLiteral("importFieldCheck")));
            pressF1(dialog->findChild<QComboBox*>(QStringLiteral("fieldCombo")));
            dialog->reject();
        });
        run.wizard.FieldPage()->AssignRow(0);
        QCOMPARE(help.size(), 7);
        QCOMPARE(help[5][1].toInt(), 1551);
        QCOMPARE(help[6][1].toInt(), 1550);
    }
}

TAVORO_TEST_MAIN(TestImportExportWizard)
#include "TestImportExportWizard.moc"
