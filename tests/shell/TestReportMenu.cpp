#include "reports/AddressBookReport.h"
#include "reports/EnvelopeReport.h"
#include "reports/PrintCommands.h"
#include "shell/CommandIds.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/persons/PersonsToIncludeDialog.h"
#include "support/FakePrintDialogs.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QListView>
#include <QObject>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

// The Report menu's weekly and monthly plans, address book and envelopes, from the main window's
// command routing down to the records gathered for the report.
namespace {

Person listed(const char* name, bool white, bool yellow) {
    Person p;
    p.RName = name;
    p.LName = name;
    p.WhitePages = white ? 1 : 0;
    p.YellowPages = yellow ? 1 : 0;
    return p;
}

Task due(int y, int m, int d, const char* text) {
    Task t;
    t.DueDate = DateTime(y, m, d, 0, 0, 0);
    t.Description = text;
    return t;
}

// Runs the steps on the "Persons To Include" dialog once it is shown; ends it if they do not.
void onPersonsDialog(std::function<void(PersonsToIncludeDialog&)> steps) {
    QTimer::singleShot(0, [steps] {
        auto* dialog = qobject_cast<PersonsToIncludeDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        steps(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

void selectAllAndClick(PersonsToIncludeDialog& dialog, const char* button) {
    dialog.findChild<QCheckBox*>("selectAllCheck")->click();
    QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
}

QList<int> ids(const std::vector<Person>& persons) {
    QList<int> result;
    for (const Person& p : persons)
        result << p.ID;
    return result;
}

} // namespace

class TestReportMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void plansGatherTheSelectedWeekAndMonth();
    void personReportsAreEnabledWithPersons();
    void personsDialogChoosesTheReport_data();
    void personsDialogChoosesTheReport();
    void cancelKeepsThePreviousChoice();
    void previewShowsThePersonsChosenWhilePreviewing();
    void printPrintsThePersonsChosenWhilePreviewing();

private:
    FakePromptService m_prompt;
    FakePrintDialogs m_printDialogs;
    QTemporaryDir m_dir;
    std::unique_ptr<MainFrame> m_frame;
};

void TestReportMenu::init() {
    // The print dialog is cancelled unless a test prints.
    m_printDialogs = FakePrintDialogs();
    m_printDialogs.acceptPrinter = false;
    m_frame = std::make_unique<MainFrame>(m_prompt, QString(), &m_printDialogs);
    PimDocument& document = m_frame->Document();
    document.Add(listed("Young", true, false)); // 1
    document.Add(listed("Adams", true, true));  // 2
    document.Add(listed("Baker", false, true)); // 3
    document.Add(due(2003, 3, 4, "this week"));
    document.Add(due(2003, 3, 20, "this month"));
    document.Add(due(2003, 4, 1, "next month"));
    document.NotifyChanged();
    m_frame->View()->Controller().SelectDate(DateTime(2003, 3, 5, 0, 0, 0));
}

void TestReportMenu::cleanup() {
    m_frame->Document().SetModified(false);
    m_frame.reset();
}

void TestReportMenu::plansGatherTheSelectedWeekAndMonth() {
    DayView* view = m_frame->View();
    QVERIFY(m_frame->Route(cmd::ReportWeeklyPlan));
    QCOMPARE(view->SelectedReport().Kind, ReportKind::WeeklyPlan);
    QCOMPARE(view->SelectedReport().Tasks.size(), std::size_t(1));
    m_frame->UpdateCommandStates();
    QVERIFY(m_frame->Action(cmd::ReportWeeklyPlan)->isChecked());

    QVERIFY(m_frame->Route(cmd::ReportMonthlyPlan));
    QCOMPARE(view->SelectedReport().Tasks.size(), std::size_t(2));
    QCOMPARE(view->SelectedReport().SelectedDate, DateTime(2003, 3, 5, 0, 0, 0));
    m_frame->UpdateCommandStates();
    QVERIFY(m_frame->Action(cmd::ReportMonthlyPlan)->isChecked());
    QVERIFY(!m_frame->Action(cmd::ReportWeeklyPlan)->isChecked());
}

void TestReportMenu::personReportsAreEnabledWithPersons() {
    m_frame->UpdateCommandStates();
    QVERIFY(m_frame->Action(cmd::ReportAddressBook)->isEnabled());
    QVERIFY(m_frame->Action(cmd::ReportEnvelopes)->isEnabled());
    while (!m_frame->Document().Persons().Empty())
        m_frame->Document().RemovePerson(m_frame->Document().Persons().begin()->first);
    m_frame->UpdateCommandStates();
    QVERIFY(!m_frame->Action(cmd::ReportAddressBook)->isEnabled());
    QVERIFY(!m_frame->Action(cmd::ReportEnvelopes)->isEnabled());
}

void TestReportMenu::personsDialogChoosesTheReport_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<bool>("yellow"); // the pages the phone book shows
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("previews");
    QTest::addColumn<int>("prints");
    QTest::addColumn<QList<int>>("chosen");
    QTest::newRow("address book, OK") << int(cmd::ReportAddressBook) << false << "okButton" << 0 << 0
                                      << QList<int>{1, 2};
    QTest::newRow("address book, Preview")
        << int(cmd::ReportAddressBook) << false << "previewButton" << 1 << 0 << QList<int>{1, 2};
    QTest::newRow("envelopes, Print") << int(cmd::ReportEnvelopes) << false << "printButton" << 0 << 1
                                      << QList<int>{1, 2};
    QTest::newRow("envelopes, yellow pages")
        << int(cmd::ReportEnvelopes) << true << "okButton" << 0 << 0 << QList<int>{2, 3};
}

void TestReportMenu::personsDialogChoosesTheReport() {
    QFETCH(int, command);
    QFETCH(bool, yellow);
    QFETCH(QString, button);
    QFETCH(int, previews);
    QFETCH(int, prints);
    QFETCH(QList<int>, chosen);
    DayView* view = m_frame->View();
    if (yellow)
        view->Controller().ShowYellowPages();
    QSignalSpy previewSpy(view, &DayView::previewRequested);
    QSignalSpy printSpy(view, &DayView::printRequested);
    onPersonsDialog([&](PersonsToIncludeDialog& dialog) { selectAllAndClick(dialog, qPrintable(button)); });
    QVERIFY(m_frame->Route(command));
    const ReportSelection& selection = view->SelectedReport();
    const bool addressBook = command == cmd::ReportAddressBook;
    QCOMPARE(view->ReportKind(), addressBook ? ReportKind::AddressBook : ReportKind::Envelopes);
    QCOMPARE(ids(addressBook ? selection.AddressBookPersons : selection.EnvelopePersons), chosen);
    QCOMPARE(selection.YellowPages, yellow);
    QCOMPARE(previewSpy.size(), previews);
    QCOMPARE(printSpy.size(), prints);
}

void TestReportMenu::cancelKeepsThePreviousChoice() {
    DayView* view = m_frame->View();
    QVERIFY(m_frame->Route(cmd::ReportWeeklyPlan));
    onPersonsDialog([](PersonsToIncludeDialog& dialog) {
        dialog.findChild<QCheckBox*>("selectAllCheck")->click();
        QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
    QVERIFY(m_frame->Route(cmd::ReportAddressBook));
    QCOMPARE(view->ReportKind(), ReportKind::WeeklyPlan);
    QVERIFY(view->SelectedReport().AddressBookPersons.empty());
}

void TestReportMenu::previewShowsThePersonsChosenWhilePreviewing() {
    QVERIFY(m_frame->Route(cmd::ReportWeeklyPlan));
    QVERIFY(m_frame->Route(cmd::FilePrintPreview));
    QVERIFY(m_frame->InPreview());
    QCOMPARE(m_frame->Printing().PreviewReport()->GetPageCount(), 2);
    onPersonsDialog([](PersonsToIncludeDialog& dialog) { selectAllAndClick(dialog, "previewButton"); });
    QVERIFY(m_frame->Route(cmd::ReportAddressBook));
    QVERIFY(m_frame->InPreview());
    QVERIFY(dynamic_cast<const AddressBookReport*>(m_frame->Printing().PreviewReport()));
    QCOMPARE(m_frame->Printing().PreviewReport()->GetPageCount(), 1);
}

void TestReportMenu::printPrintsThePersonsChosenWhilePreviewing() {
    QVERIFY(m_dir.isValid());
    const QString pdf = m_dir.filePath(QStringLiteral("envelopes.pdf"));
    m_printDialogs.acceptPrinter = true;
    m_printDialogs.onPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    QVERIFY(m_frame->Route(cmd::ReportMonthlyPlan));
    QVERIFY(m_frame->Route(cmd::FilePrintPreview));
    onPersonsDialog([](PersonsToIncludeDialog& dialog) { selectAllAndClick(dialog, "printButton"); });
    QVERIFY(m_frame->Route(cmd::ReportEnvelopes));
    QCOMPARE(m_printDialogs.printerDialogs, 1);
    QVERIFY(m_frame->InPreview());
    QVERIFY(dynamic_cast<const EnvelopeReport*>(m_frame->Printing().PreviewReport()));
    // One envelope for each of the two persons on the white pages.
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))),
             2);
}

TAVORO_TEST_MAIN(TestReportMenu)
#include "TestReportMenu.moc"
