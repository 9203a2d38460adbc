#include "shell/persons/PersonsToIncludeDialog.h"
#include "shell/persons/PersonsToIncludeSelection.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QListView>
#include <QLocale>
#include <QObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QWhatsThis>

#include <functional>

namespace {

Person entry(const char* rname, const char* company, bool white, bool yellow) {
    Person p;
    p.RName = rname;
    p.Company = company;
    p.WhitePages = white ? 1 : 0;
    p.YellowPages = yellow ? 1 : 0;
    return p;
}

// IDs 1 to 5.
RecordCollection<Person> phoneBook() {
    RecordCollection<Person> persons;
    persons.Add(entry("Smith, Ann", "", true, false));          // 1
    persons.Add(entry("adams, Bob", "Acme", true, true));       // 2
    persons.Add(entry("Zorn, Carl", "Zorn GmbH", false, true)); // 3
    persons.Add(entry("Baker, Dee", "", false, false));         // 4
    persons.Add(entry("  Cole, Eve ", "", true, false));        // 5
    return persons;
}

// Runs the steps once the dialog's loop is running; a step that fails still ends the dialog.
void whileShown(QDialog& dialog, std::function<void()> steps) {
    QTimer::singleShot(0, &dialog, [&dialog, steps] {
        steps();
        if (dialog.isVisible())
            dialog.done(-1);
    });
}

void clickCheckBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

QStringList texts(const PersonsToIncludeSelection& selection) {
    QStringList result;
    for (const auto& line : selection.Lines())
        result << line.text;
    return result;
}

} // namespace

class TestPersonsToInclude : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void candidates_data();
    void candidates();
    void sortedLetterCaseAside_data();
    void sortedLetterCaseAside();
    void lineText_data();
    void lineText();
    void enablingFollowsSelection();
    void chosenInIdOrder();
    void dialogStartsDisabled();
    void dialogSelectAllThenOkOrCancel_data();
    void dialogSelectAllThenOkOrCancel();
    void dialogHelp();
};

void TestPersonsToInclude::candidates_data() {
    QTest::addColumn<bool>("white");
    QTest::addColumn<bool>("yellow");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("white") << true << false << QStringList{"adams, Bob (Acme)", "Cole, Eve", "Smith, Ann"};
    QTest::newRow("yellow") << false << true << QStringList{"adams, Bob (Acme)", "Zorn, Carl (Zorn GmbH)"};
    QTest::newRow("both, each once") << true << true
                                     << QStringList{"adams, Bob (Acme)", "Cole, Eve", "Smith, Ann",
                                                    "Zorn, Carl (Zorn GmbH)"};
    QTest::newRow("neither") << false << false << QStringList{};
}

void TestPersonsToInclude::candidates() {
    QFETCH(bool, white);
    QFETCH(bool, yellow);
    QFETCH(QStringList, expected);
    const PersonsToIncludeSelection selection(phoneBook(), white, yellow);
    QCOMPARE(texts(selection), expected);
}

void TestPersonsToInclude::sortedLetterCaseAside_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
}

void TestPersonsToInclude::sortedLetterCaseAside() {
    QFETCH(QLocale, locale);
    const QLocale previous;
    QLocale::setDefault(locale);
    RecordCollection<Person> persons;
    for (const char* name : {"Baker", "adams", "Zorn", "baker", "Cole"})
        persons.Add(entry(name, "", true, false));
    const PersonsToIncludeSelection selection(persons, true, false);
    QLocale::setDefault(previous);
    QCOMPARE(texts(selection), (QStringList{"adams", "Baker", "baker", "Cole", "Zorn"}));
}

// Trimming and a line without company are in the candidates above.
void TestPersonsToInclude::lineText_data() {
    QTest::addColumn<QString>("rname");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("expected");
    QTest::newRow("with company") << "Smith, Ann"
                                  << "R&D"
                                  << "Smith, Ann (R&D)";
    QTest::newRow("company only") << ""
                                  << "Acme"
                                  << "(Acme)";
}

void TestPersonsToInclude::lineText() {
    QFETCH(QString, rname);
    QFETCH(QString, company);
    QFETCH(QString, expected);
    Person p;
    p.RName = rname.toStdString();
    p.Company = company.toStdString();
    QCOMPARE(PersonsToIncludeSelection::LineText(p), expected);
}

void TestPersonsToInclude::enablingFollowsSelection() {
    PersonsToIncludeSelection selection(phoneBook(), true, false);
    QVERIFY(!selection.CanConfirm());
    QVERIFY(!selection.Confirm(PersonsToIncludeSelection::Action::Print));
    selection.SetSelected(1, true);
    selection.SetSelected(1, true);
    QCOMPARE(selection.SelectedCount(), 1);
    QVERIFY(selection.CanConfirm());
    selection.SetSelected(1, false);
    QVERIFY(!selection.CanConfirm());
    selection.SetSelected(7, true); // no such line
    QVERIFY(!selection.CanConfirm());
    selection.SetAllSelected(true);
    QCOMPARE(selection.SelectedCount(), 3);
    selection.SetAllSelected(false);
    QCOMPARE(selection.SelectedCount(), 0);

    // Select All on an empty list chooses nothing and leaves the buttons disabled.
    PersonsToIncludeSelection empty(phoneBook(), false, false);
    empty.SetAllSelected(true);
    QVERIFY(!empty.CanConfirm());
    QVERIFY(empty.ChosenIds().empty());
}

void TestPersonsToInclude::chosenInIdOrder() {
    const RecordCollection<Person> persons = phoneBook();
    PersonsToIncludeSelection selection(persons, true, true);
    selection.SetAllSelected(true);
    QCOMPARE(selection.ChosenIds(), (std::vector<int>{1, 2, 3, 5}));
    selection.SetSelected(0, false); // adams, ID 2
    const std::vector<Person> chosen = selection.ChosenPersons(persons);
    QCOMPARE(chosen.size(), std::size_t(3));
    QCOMPARE(chosen[0].ID, 1);
    QCOMPARE(chosen[1].ID, 3);
    QCOMPARE(chosen[2], *persons.Find(5));
}

void TestPersonsToInclude::dialogStartsDisabled() {
    PersonsToIncludeSelection selection(phoneBook(), true, false);
    PersonsToIncludeDialog dialog(selection);
    dialog.show();
    for (const char* name : {"okButton", "previewButton", "printButton"})
        QVERIFY2(!dialog.findChild<QPushButton*>(name)->isEnabled(), name);
    QVERIFY(dialog.findChild<QPushButton*>("cancelButton")->isEnabled());
    auto* list = dialog.findChild<QListView*>("personList");
    QCOMPARE(list->model()->rowCount(), 3);

    // Clicking a line enables the three buttons; clearing the selection disables them again.
    list->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::Select);
    QVERIFY(dialog.findChild<QPushButton*>("okButton")->isEnabled());
    QVERIFY(dialog.findChild<QPushButton*>("printButton")->isEnabled());
    list->selectionModel()->clearSelection();
    QVERIFY(!dialog.findChild<QPushButton*>("previewButton")->isEnabled());
}

void TestPersonsToInclude::dialogSelectAllThenOkOrCancel_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "okButton" << int(QDialog::Accepted);
    QTest::newRow("Cancel") << "cancelButton" << int(QDialog::Rejected);
}

// Preview and Print are driven through the Report menu, where what they lead to can be seen.
void TestPersonsToInclude::dialogSelectAllThenOkOrCancel() {
    QFETCH(QString, button);
    QFETCH(int, result);
    PersonsToIncludeSelection selection(phoneBook(), true, true);
    PersonsToIncludeDialog dialog(selection);
    whileShown(dialog, [&] {
        auto* selectAll = dialog.findChild<QCheckBox*>("selectAllCheck");
        clickCheckBox(selectAll);
        QCOMPARE(dialog.findChild<QListView*>("personList")->selectionModel()->selectedRows().size(), 4);
        clickCheckBox(selectAll); // unchecked again: all deselected
        QVERIFY(!dialog.findChild<QPushButton*>("okButton")->isEnabled());
        clickCheckBox(selectAll);
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(int(selection.ChosenAction()), int(PersonsToIncludeSelection::Action::Ok));
    if (result == QDialog::Accepted)
        QCOMPARE(selection.ChosenIds(), (std::vector<int>{1, 2, 3, 5}));
}

void TestPersonsToInclude::dialogHelp() {
    PersonsToIncludeSelection selection(phoneBook(), true, false);
    PersonsToIncludeDialog dialog(selection);
    QSignalSpy topics(&dialog, &PersonsToIncludeDialog::helpTopicRequested);
    QSignalSpy popups(&dialog, &PersonsToIncludeDialog::contextHelpRequested);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton*>("helpButton"), Qt::LeftButton);
    QCOMPARE(topics.size(), 1);
    QCOMPARE(topics.at(0).at(0).toString(), QStringLiteral("/html/dlgpraddr.htm>topic"));

    const std::pair<QWidget*, int> controls[] = {
        {dialog.findChild<QListView*>("personList"), 1600},
        {dialog.findChild<QPushButton*>("cancelButton"), 1001},
    };
    for (const auto& [control, id] : controls) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F1);
        QCOMPARE(popups.size(), 1);
        QCOMPARE(popups.takeFirst().at(0).toInt(), id);
        QVERIFY(!PersonsToIncludeDialog::PopupHelpText(id).isEmpty());
        QWhatsThis::hideText();
    }
}

TAVORO_TEST_MAIN(TestPersonsToInclude)
#include "TestPersonsToInclude.moc"
