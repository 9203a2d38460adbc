#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/FocusHelp.h"
#include "shell/editors/AppointmentDialog.h"
#include "shell/editors/BirthDateText.h"
#include "shell/editors/PersonSheet.h"
#include "shell/editors/RecordEditors.h"
#include "shell/editors/StepField.h"
#include "shell/editors/TaskDialog.h"
#include "shell/editors/UserSheet.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"
#include "support/WhenModal.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWhatsThis>

#include <functional>

namespace {

struct CountingObserver : DocumentObserver {
    int changes = 0;
    void DocumentChanged(PimDocument&) override { ++changes; }
};

// Runs `act` on the modal dialog that the next exec() shows.
void onModal(std::function<void(QDialog*)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        act(dialog);
    });
}

void clickOk(QDialog* dialog) {
    auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("okButton"));
    QVERIFY(ok);
    QVERIFY(ok->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
}

void type(QDialog* dialog, const char* field, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(field));
    QVERIFY2(edit, field);
    edit->selectAll();
    // Key clicks carry ASCII only; other text arrives as an input method would commit it.
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

QString text(QWidget* dialog, const char* name) {
    auto* field = dialog->findChild<StepField*>(QString::fromLatin1(name));
    return field ? field->text() : QStringLiteral("<missing>");
}

Appointment armedAppointment() {
    Appointment appointment;
    appointment.Description = "Dentist";
    appointment.DueDate = DateTime(2003, 6, 3, 0, 0, 0);
    appointment.StartTime = DateTime(2003, 6, 3, 10, 0, 0);
    appointment.EndTime = DateTime(2003, 6, 3, 11, 0, 0);
    appointment.Alarm = 1;
    appointment.AlarmTime = DateTime(2003, 6, 3, 9, 0, 0);
    return appointment;
}

} // namespace

class TestRecordEditors : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addPersonStoresANewRecord();
    void personInNeitherBookIsAskedAbout_data();
    void personInNeitherBookIsAskedAbout();
    void editorsOpenReadyToTypeWithPopupHelp();
    void editPersonKeepsUntouchedBytes();
    void cancelChangesNothing();
    void userSheetEditsTheOwner();
    void birthDateTyped_data();
    void birthDateTyped();
    void personSheetTakesBirthdays();

    void addTaskTakesTheCalendarDay();
    void taskOkNeedsADescription();
    void doneInTheDialogLeavesDoneDate();
    void taskDatePickerSetsMidnight();
    void daysBeforeTheRangeStayAsTheyAre_data();
    void daysBeforeTheRangeStayAsTheyAre();

    void addAppointmentStartsFromNow();
    void appointmentArrowsStepAndPush();
    void appointmentFullHourAlarmRoundTrip();
    void editingDescriptionKeepsTheAlarm();
    void appointmentDatePickerKeepsTimes();
    void keyboardConfirmsAndCancels();
    void dayViewCommandsOpenTheEditors();

private:
    PimDocument* m_document = nullptr;
    CountingObserver m_observer;
};

void TestRecordEditors::init() {
    platform::Clock::setFixed(platform::LocalTime{2003, 6, 1, 14, 37, 12});
    m_document = new PimDocument;
    m_observer = CountingObserver();
    m_document->AddObserver(&m_observer);
}

void TestRecordEditors::cleanup() {
    delete m_document;
    m_document = nullptr;
    platform::Clock::setFixed(std::nullopt);
}

void TestRecordEditors::addPersonStoresANewRecord() {
    onModal([](QDialog* dialog) {
        type(dialog, "FName", QStringLiteral("Ada"));
        type(dialog, "LName", QStringLiteral("Lovelace"));
        type(dialog, "WkPhone", QStringLiteral("555-0100"));
        QVERIFY(dialog->findChild<QCheckBox*>(QStringLiteral("WhitePages"))->isChecked());
        dialog->findChild<QCheckBox*>(QStringLiteral("YellowPages"))->setChecked(true);
        clickOk(dialog);
    });
    QVERIFY(AddPerson(nullptr, *m_document));
    const Person* person = m_document->Persons().Find(m_document->Persons().LastID());
    QVERIFY(person);
    QCOMPARE(person->RName, std::string("Lovelace, Ada"));
    QCOMPARE(person->WkPhone, std::string("555-0100"));
    QCOMPARE(person->WhitePages, 1);
    QCOMPARE(person->YellowPages, 1);
    QCOMPARE(m_observer.changes, 1);
}

void TestRecordEditors::personInNeitherBookIsAskedAbout_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<int>("whitePages");
    QTest::newRow("Yes: White Pages") << int(platform::PromptAnswer::Yes) << true << 1;
    QTest::newRow("No: as it is") << int(platform::PromptAnswer::No) << true << 0;
    QTest::newRow("Cancel: back to the sheet") << int(platform::PromptAnswer::Cancel) << false << 0;
}

void TestRecordEditors::personInNeitherBookIsAskedAbout() {
    QFETCH(int, answer);
    QFETCH(bool, stored);
    QFETCH(int, whitePages);
    FakePromptService prompts;
    prompts.queueAnswer(platform::PromptAnswer(answer));
    whenModal<QDialog>([stored](QDialog* dialog) {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ada")); // the first name has the focus
        QTest::keyClick(dialog->findChild<QCheckBox*>(QStringLiteral("WhitePages")), Qt::Key_Space);
        clickOk(dialog);
        QCOMPARE(dialog->isVisible(), !stored);
        if (dialog->isVisible())
            dialog->reject();
    });
    QCOMPARE(AddPerson(nullptr, *m_document, &prompts), stored);
    QCOMPARE(prompts.messages.size(), 1);
    QVERIFY(prompts.messages.front().text.contains(QStringLiteral("White Pages")));
    if (stored) {
        const Person& person = *m_document->Persons().Find(1);
        QCOMPARE(person.FName, std::string("Ada"));
        QCOMPARE(person.WhitePages, whitePages);
    }
}

void TestRecordEditors::editPersonKeepsUntouchedBytes() {
    Person person;
    person.FName = "Jos\xe9"; // Windows-1252 from an older file
    person.LName = "M\xfcller";
    person.Notes = "first line\r\nsecond \x80 line";
    person.RName = "M\xfcller, Jos\xe9";
    person.WhitePages = 5; // any non-zero value counts as set and stays as it is
    const int id = *m_document->Add(person);
    const Person before = *m_document->Persons().Find(id);

    onModal([](QDialog* dialog) {
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("FName"))->text(), QStringLiteral("José"));
        QVERIFY(dialog->findChild<QCheckBox*>(QStringLiteral("WhitePages"))->isChecked());
        type(dialog, "City", QStringLiteral("Zürich"));
        clickOk(dialog);
    });
    QVERIFY(EditPerson(nullptr, *m_document, id));

    Person expected = before;
    expected.City = "Z\xc3\xbcrich"; // typed text is stored as UTF-8
    QCOMPARE(*m_document->Persons().Find(id), expected);

    // A changed name is stored as UTF-8, and the display name follows it.
    onModal([](QDialog* dialog) {
        type(dialog, "FName", QStringLiteral("José"));
        type(dialog, "LName", QStringLiteral("Núñez"));
        clickOk(dialog);
    });
    QVERIFY(EditPerson(nullptr, *m_document, id));
    // Typing the same first name again is no change: its old bytes stay. The display name joins
    // an old and a new encoding, so it is made again as UTF-8 rather than from mixed bytes.
    const Person& renamed = *m_document->Persons().Find(id);
    QCOMPARE(renamed.FName, std::string("Jos\xe9"));
    QCOMPARE(renamed.LName, std::string("N\xc3\xba\xc3\xb1"
                                        "ez"));
    QCOMPARE(renamed.RName, std::string("N\xc3\xba\xc3\xb1"
                                        "ez, Jos\xc3\xa9"));
}

void TestRecordEditors::cancelChangesNothing() {
    Person person;
    person.FName = "Ada";
    const int personId = *m_document->Add(person);
    const int appointmentId = *m_document->Add(armedAppointment());
    const PimRecords before = m_document->Records();
    m_document->SetModified(false);
    m_observer.changes = 0;

    onModal([](QDialog* dialog) {
        type(dialog, "FName", QStringLiteral("Grace"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    QVERIFY(!EditPerson(nullptr, *m_document, personId));
    onModal([](QDialog* dialog) {
        type(dialog, "Description", QStringLiteral("Barber"));
        QTest::keyClick(dialog->findChild<StepField*>(QStringLiteral("Begin")), Qt::Key_Up);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    QVERIFY(!EditAppointment(nullptr, *m_document, appointmentId));
    onModal([](QDialog* dialog) { dialog->reject(); });
    QVERIFY(!AddTask(nullptr, *m_document, DateTime::Today()));
    QVERIFY(!EditTask(nullptr, *m_document, 99)); // no such task: no dialog at all

    QCOMPARE(*m_document->Persons().Find(personId), *before.Persons.Find(personId));
    QCOMPARE(*m_document->Appointments().Find(appointmentId), *before.Appointments.Find(appointmentId));
    QCOMPARE(m_document->Tasks().Count(), std::size_t(0));
    QVERIFY(!m_document->IsModified());
    QCOMPARE(m_observer.changes, 0);
}

// What a birthday field reads, in the en_US order; "!" for what is pointed out as no date.
void TestRecordEditors::birthDateTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("short date") << "12/10/1815"
                                << "1815-12-10";
    QTest::newRow("month and day") << "3/15"
                                   << "--03-15";
    QTest::newRow("29 February, no year") << "2/29"
                                          << "--02-29";
    QTest::newRow("month name") << "March 15"
                                << "--03-15";
    QTest::newRow("month name and year") << "March 15, 1990"
                                         << "1990-03-15";
    QTest::newRow("ISO") << "1990-03-15"
                         << "1990-03-15";
    QTest::newRow("vCard, no year") << "--0315"
                                    << "--03-15";
    QTest::newRow("empty") << " "
                           << "";
    QTest::newRow("month 13") << "13/15"
                              << "!";
    QTest::newRow("30 February") << "2/30"
                                 << "!";
    QTest::newRow("29 February of a common year") << "2/29/2001"
                                                  << "!";
    QTest::newRow("words") << "soon"
                           << "!";
}

void TestRecordEditors::birthDateTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    const std::optional<std::string> read = birthdatetext::Read(typed);
    QCOMPARE(read ? QString::fromStdString(*read) : QStringLiteral("!"), stored);
    if (read) // what the field shows reads back as the same
        QCOMPARE(birthdatetext::Read(birthdatetext::Shown(*read)), read);
}

// The birthday and anniversary on the General page: reached by their keys, a date that is none
// pointed out before anything is stored.
void TestRecordEditors::personSheetTakesBirthdays() {
    FakePromptService prompts;
    whenModal<QDialog>([](QDialog* dialog) {
        // No two access keys of the page and the sheet's buttons are the same.
        QSet<QKeySequence> keys;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            if (label->isVisible())
                keys.insert(QKeySequence::mnemonic(label->text()));
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisible())
                keys.insert(QKeySequence::mnemonic(button->text()));
        QCOMPARE(keys.size(), 10);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ada"));
        QTest::keyClick(dialog, Qt::Key_B, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12/10/1815"));
        QTest::keyClick(dialog, Qt::Key_N, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("June 31"));
        clickOk(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Anniversary"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("6/8"));
        clickOk(dialog);
    });
    QVERIFY(AddPerson(nullptr, *m_document, &prompts));
    QCOMPARE(prompts.messages.size(), 1);
    QCOMPARE(prompts.messages.front().text.section(QLatin1Char('\n'), 0, 0),
             QStringLiteral("The anniversary \"June 31\" is not a date."));
    const Person& ada = *m_document->Persons().Find(1);
    QCOMPARE(ada.Birthday, std::string("1815-12-10"));
    QCOMPARE(ada.Anniversary, std::string("--06-08"));
}

void TestRecordEditors::userSheetEditsTheOwner() {
    User owner;
    owner.Company = "Caf\xe9 Noir";
    m_document->ChangeUser(owner);
    m_observer.changes = 0;
    onModal([](QDialog* dialog) {
        QVERIFY(qobject_cast<UserSheet*>(dialog));
        type(dialog, "LName", QStringLiteral("Hopper"));
        type(dialog, "Zip", QStringLiteral("10115"));
        clickOk(dialog);
    });
    QVERIFY(EditUser(nullptr, *m_document));
    QCOMPARE(m_document->User().LName, std::string("Hopper"));
    QCOMPARE(m_document->User().Zip, std::string("10115"));
    QCOMPARE(m_document->User().Company, std::string("Caf\xe9 Noir"));
    QCOMPARE(m_observer.changes, 1);
}

void TestRecordEditors::addTaskTakesTheCalendarDay() {
    onModal([](QDialog* dialog) {
        QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("High"))->isChecked());
        auto* picker = dialog->findChild<QDateEdit*>(QStringLiteral("DueDate"));
        QCOMPARE(picker->date(), QDate(2003, 6, 14));
        QCOMPARE(picker->minimumDate(), QDate(1990, 1, 1));
        QCOMPARE(picker->maximumDate(), QDate(2035, 12, 31));
        type(dialog, "Description", QStringLiteral("Water the plants"));
        QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("Description")), Qt::Key_Return);
    });
    QVERIFY(AddTask(nullptr, *m_document, DateTime(2003, 6, 14, 0, 0, 0)));
    const Task& task = *m_document->Tasks().Find(1);
    QCOMPARE(task.Description, std::string("Water the plants"));
    QCOMPARE(task.Priority, int(Task::High));
    QCOMPARE(task.DueDate, DateTime(2003, 6, 14, 0, 0, 0));
    QCOMPARE(m_observer.changes, 1);
}

void TestRecordEditors::taskOkNeedsADescription() {
    Task task;
    task.Description = "Call Bob";
    TaskDialog dialog(task, false);
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
    auto* description = dialog.findChild<QLineEdit*>(QStringLiteral("Description"));
    QVERIFY(ok->isEnabled());
    description->selectAll();
    QTest::keyClick(description, Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(description, QStringLiteral("x"));
    QVERIFY(ok->isEnabled());

    TaskDialog empty(Task(), true);
    QVERIFY(!empty.findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled());
}

void TestRecordEditors::doneInTheDialogLeavesDoneDate() {
    Task task;
    task.Description = "Report";
    task.DueDate = DateTime(2003, 5, 30, 0, 0, 0);
    task.Priority = Task::Low;
    task.DoneDate = DateTime(2001, 1, 2, 0, 0, 0);
    const int id = *m_document->Add(task);
    onModal([](QDialog* dialog) {
        QVERIFY(dialog->findChild<QRadioButton*>(QStringLiteral("Low"))->isChecked());
        QTest::mouseClick(dialog->findChild<QRadioButton*>(QStringLiteral("Done")), Qt::LeftButton);
        clickOk(dialog);
    });
    QVERIFY(EditTask(nullptr, *m_document, id));
    task.ID = id;
    task.Priority = Task::Done;
    QCOMPARE(*m_document->Tasks().Find(id), task);
}

void TestRecordEditors::taskDatePickerSetsMidnight() {
    Task task;
    task.Description = "Meeting notes";
    task.DueDate = DateTime(2003, 5, 30, 16, 20, 0);
    TaskDialog untouched(task, false);
    QCOMPARE(untouched.Result().DueDate, task.DueDate);

    TaskDialog dialog(task, false);
    dialog.findChild<QDateEdit*>(QStringLiteral("DueDate"))->setDate(QDate(2003, 7, 4));
    QCOMPARE(dialog.Result().DueDate, DateTime(2003, 7, 4, 0, 0, 0));
}

// A day of 1965 from an older file shows as it is and survives an edit of the text.
void TestRecordEditors::daysBeforeTheRangeStayAsTheyAre_data() {
    QTest::addColumn<QDate>("day");
    QTest::newRow("1965") << QDate(1965, 5, 9);
    QTest::newRow("1970") << QDate(1970, 1, 1);
    QTest::newRow("2050") << QDate(2050, 12, 31);
}

// A stored value outside a control's range is shown as it is, and OK without a touch keeps it.
void TestRecordEditors::daysBeforeTheRangeStayAsTheyAre() {
    QFETCH(QDate, day);
    const DateTime due(day.year(), day.month(), day.day(), 0, 0, 0);
    Task task;
    task.Description = "Old";
    task.DueDate = due;
    const int taskId = *m_document->Add(task);
    onModal([day](QDialog* dialog) {
        auto* picker = dialog->findChild<QDateEdit*>(QStringLiteral("DueDate"));
        QCOMPARE(picker->date(), day);
        QVERIFY(picker->text().contains(QString::number(day.year())));
        clickOk(dialog);
    });
    QVERIFY(EditTask(nullptr, *m_document, taskId));
    QCOMPARE(m_document->Tasks().Find(taskId)->DueDate, due);

    Appointment appointment;
    appointment.Description = "Old";
    appointment.DueDate = due;
    appointment.StartTime = DateTime(day.year(), day.month(), day.day(), 14, 30, 0);
    appointment.EndTime = DateTime(day.year(), day.month(), day.day(), 15, 30, 0);
    appointment.Alarm = 1;
    appointment.AlarmTime = DateTime(day.year(), day.month(), day.day(), 13, 0, 0); // 90 minutes ahead
    const int appointmentId = *m_document->Add(appointment);
    onModal([day](QDialog* dialog) {
        QCOMPARE(dialog->findChild<QDateEdit*>(QStringLiteral("DueDate"))->date(), day);
        QCOMPARE(text(dialog, "Minutes"), QStringLiteral("90"));
        clickOk(dialog);
    });
    const Appointment stored = *m_document->Appointments().Find(appointmentId);
    QVERIFY(EditAppointment(nullptr, *m_document, appointmentId));
    QCOMPARE(*m_document->Appointments().Find(appointmentId), stored);
    QCOMPARE(stored.AlarmTime, appointment.AlarmTime);
}

void TestRecordEditors::editorsOpenReadyToTypeWithPopupHelp() {
    PersonSheet person(Person(), true);
    TaskDialog task(Task(), true);
    AppointmentDialog appointment(AppointmentDraft::ForNew(DateTime(2003, 6, 3, 0, 0, 0), DateTime::Now()), true);
    FocusHelp help;
    qApp->installEventFilter(&help);
    for (QDialog* dialog :
         {static_cast<QDialog*>(&person), static_cast<QDialog*>(&task), static_cast<QDialog*>(&appointment)}) {
        dialog->show();
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus->objectName(), dialog == &person ? QStringLiteral("FName") : QStringLiteral("Description"));
        // Every control a user fills in has its pop-up help, and F1 shows it.
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(control) && control->objectName().startsWith(QStringLiteral("qt_")))
                continue;
            if (qobject_cast<QLineEdit*>(control) || qobject_cast<QCheckBox*>(control) ||
                qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QPlainTextEdit*>(control))
                QVERIFY2(!FocusHelp::PopupTextOf(control).isEmpty(), qPrintable(control->objectName()));
        }
        QTest::keyClick(focus, Qt::Key_F1);
        QTRY_VERIFY(QApplication::activePopupWidget() || QApplication::topLevelWidgets().size() > 0);
        bool shown = false;
        for (QWidget* top : QApplication::topLevelWidgets())
            shown = shown || (top->isVisible() && qstrcmp(top->metaObject()->className(), "QWhatsThat") == 0);
        QVERIFY(shown);
        QWhatsThis::hideText();
        // Every label reads whole at the initial size.
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->isVisible())
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        dialog->hide();
    }
}

void TestRecordEditors::addAppointmentStartsFromNow() {
    onModal([](QDialog* dialog) {
        QCOMPARE(text(dialog, "Begin"), QStringLiteral("3:30 PM"));
        QCOMPARE(text(dialog, "End"), QStringLiteral("3:45 PM"));
        QCOMPARE(text(dialog, "Minutes"), QStringLiteral("0"));
        QVERIFY(!dialog->findChild<QCheckBox*>(QStringLiteral("SetAlarm"))->isChecked());
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled());
        type(dialog, "Description", QStringLiteral("Lunch"));
        clickOk(dialog);
    });
    QVERIFY(AddAppointment(nullptr, *m_document, DateTime(2003, 6, 14, 0, 0, 0)));
    const Appointment& added = *m_document->Appointments().Find(1);
    QCOMPARE(added.Description, std::string("Lunch"));
    QCOMPARE(added.StartTime, DateTime(2003, 6, 14, 15, 30, 0));
    QCOMPARE(added.EndTime, DateTime(2003, 6, 14, 15, 45, 0));
    QCOMPARE(added.Alarm, 0);
    QCOMPARE(m_observer.changes, 1);
}

void TestRecordEditors::appointmentArrowsStepAndPush() {
    Appointment appointment = armedAppointment();
    appointment.StartTime = DateTime(2003, 6, 3, 10, 45, 0);
    appointment.EndTime = DateTime(2003, 6, 3, 11, 0, 0);
    appointment.AlarmTime = DateTime(2003, 6, 3, 10, 30, 0);
    AppointmentDialog dialog{AppointmentDraft(appointment), false};
    dialog.show();
    auto* begin = dialog.findChild<StepField*>(QStringLiteral("Begin"));
    auto* end = dialog.findChild<StepField*>(QStringLiteral("End"));
    auto* minutes = dialog.findChild<StepField*>(QStringLiteral("Minutes"));
    QCOMPARE(minutes->text(), QStringLiteral("15"));

    QTest::keyClick(begin, Qt::Key_Up); // pushes the end
    QCOMPARE(end->text(), QStringLiteral("11:15 AM"));
    QTest::keyClick(end, Qt::Key_Down); // pushes the start back
    QCOMPARE(begin->text(), QStringLiteral("10:45 AM"));

    // The arrow buttons themselves, not only the keys.
    const QRect box = begin->rect();
    QTest::mouseClick(begin, Qt::LeftButton, {}, QPoint(box.right() - 4, box.bottom() - 3));
    QCOMPARE(begin->text(), QStringLiteral("10:30 AM"));

    QTest::keyClick(minutes, Qt::Key_Down);
    QCOMPARE(minutes->text(), QStringLiteral("10"));

    const Appointment result = dialog.Result();
    QCOMPARE(result.StartTime, DateTime(2003, 6, 3, 10, 30, 0));
    QCOMPARE(result.EndTime, DateTime(2003, 6, 3, 11, 0, 0));
    QCOMPARE(result.AlarmTime, DateTime(2003, 6, 3, 10, 20, 0));
}

void TestRecordEditors::appointmentFullHourAlarmRoundTrip() {
    const int id = *m_document->Add(armedAppointment());
    onModal([](QDialog* dialog) {
        QCOMPARE(text(dialog, "Minutes"), QStringLiteral("60"));
        QVERIFY(dialog->findChild<QCheckBox*>(QStringLiteral("SetAlarm"))->isChecked());
        clickOk(dialog);
    });
    QVERIFY(EditAppointment(nullptr, *m_document, id));
    const Appointment& after = *m_document->Appointments().Find(id);
    QCOMPARE(after.AlarmTime, DateTime(2003, 6, 3, 9, 0, 0));
    QCOMPARE(after.Alarm, 1);

    // ...and reopens with the hour still there.
    AppointmentDialog again{AppointmentDraft(after), false};
    QCOMPARE(text(&again, "Minutes"), QStringLiteral("60"));
}

void TestRecordEditors::editingDescriptionKeepsTheAlarm() {
    Appointment appointment = armedAppointment();
    appointment.AlarmTime = DateTime(2003, 6, 3, 8, 29, 30); // further ahead than the minutes can show
    const int id = *m_document->Add(appointment);
    onModal([](QDialog* dialog) {
        type(dialog, "Description", QStringLiteral("Dentist, bring card"));
        QTest::keyClick(dialog->findChild<StepField*>(QStringLiteral("End")), Qt::Key_Up);
        clickOk(dialog);
    });
    QVERIFY(EditAppointment(nullptr, *m_document, id));
    const Appointment& after = *m_document->Appointments().Find(id);
    QCOMPARE(after.Description, std::string("Dentist, bring card"));
    QCOMPARE(after.EndTime, DateTime(2003, 6, 3, 11, 15, 0));
    QCOMPARE(after.AlarmTime, appointment.AlarmTime);
    QCOMPARE(after.StartTime, appointment.StartTime);
}

void TestRecordEditors::appointmentDatePickerKeepsTimes() {
    Appointment appointment = armedAppointment();
    appointment.StartTime = DateTime(2003, 6, 3, 9, 30, 0);
    appointment.EndTime = DateTime(2003, 6, 3, 10, 0, 0);
    appointment.AlarmTime = DateTime(2003, 6, 3, 9, 15, 0);
    AppointmentDialog dialog{AppointmentDraft(appointment), false};
    dialog.findChild<QDateEdit*>(QStringLiteral("DueDate"))->setDate(QDate(2003, 6, 5));
    QCOMPARE(text(&dialog, "Begin"), QStringLiteral("9:30 AM"));
    const Appointment result = dialog.Result();
    QCOMPARE(result.DueDate, DateTime(2003, 6, 5, 0, 0, 0));
    QCOMPARE(result.StartTime, DateTime(2003, 6, 5, 9, 30, 0));
    QCOMPARE(result.EndTime, DateTime(2003, 6, 5, 10, 0, 0));
    QCOMPARE(result.AlarmTime, DateTime(2003, 6, 5, 9, 15, 0));
}

// Enter confirming a dialog is in the task tests.
void TestRecordEditors::keyboardConfirmsAndCancels() {
    // Enter does nothing while "&Ok" is disabled; Escape cancels.
    onModal([](QDialog* dialog) {
        QTest::keyClick(dialog->findChild<QLineEdit*>(QStringLiteral("Description")), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QVERIFY(!AddAppointment(nullptr, *m_document, DateTime::Today()));
    QCOMPARE(m_document->Appointments().Count(), std::size_t(0));

    // Tab walks the task dialog top to bottom (inside the date picker it moves between its parts).
    TaskDialog task(Task(), true);
    task.show();
    QApplication::setActiveWindow(&task);
    task.findChild<QLineEdit*>(QStringLiteral("Description"))->setFocus();
    QStringList walked;
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, QStringList({"High", "DueDate"}));

    // The mnemonic of a label moves the focus to its edit; every label of the person sheet has one.
    PersonSheet sheet(Person(), true);
    for (const QLabel* label : sheet.findChildren<QLabel*>())
        QVERIFY2(qobject_cast<QLineEdit*>(label->buddy()), qPrintable(label->text()));
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    QTest::keyClick(&sheet, Qt::Key_L, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), sheet.findChild<QLineEdit*>(QStringLiteral("LName")));
}

void TestRecordEditors::dayViewCommandsOpenTheEditors() {
    DayView view(*m_document);
    for (int id : {cmd::PersonAdd, cmd::PersonEdit, cmd::TaskAdd, cmd::TaskEdit, cmd::AppointmentAdd,
                   cmd::AppointmentEdit, cmd::EditUser})
        QVERIFY2(view.HasCommand(id), qPrintable(QString::number(id)));

    QStringList captions;
    const auto answer = [&captions](bool accept) {
        onModal([&captions, accept](QDialog* dialog) {
            captions << dialog->windowTitle();
            if (!accept)
                return dialog->reject();
            type(dialog, dialog->findChild<QLineEdit*>(QStringLiteral("Description")) ? "Description" : "FName",
                 QStringLiteral("Ada"));
            clickOk(dialog);
        });
    };
    // A record added is selected in its list, which becomes the active one.
    const DayViewController& c = view.Controller();
    answer(true);
    QVERIFY(view.HandleCommand(cmd::TaskAdd));
    QCOMPARE(c.Active(), ActiveList::Tasks);
    QCOMPARE(c.SelectedTask().id, 1);
    QCOMPARE(view.TaskList()->SelectedRow(), c.SelectedTask().row);
    answer(true);
    QVERIFY(view.HandleCommand(cmd::AppointmentAdd));
    QCOMPARE(c.Active(), ActiveList::Appointments);
    QCOMPARE(c.SelectedAppointment().id, 1);
    answer(true);
    QVERIFY(view.HandleCommand(cmd::PersonAdd));
    QCOMPARE(c.Active(), ActiveList::PhoneBook);
    QCOMPARE(c.SelectedPerson().id, 1);
    QCOMPARE(view.PhoneBookList()->SelectedRow(), 0);
    answer(false);
    QVERIFY(view.HandleCommand(cmd::EditUser));
    QCOMPARE(m_document->Tasks().Count(), std::size_t(1));
    QCOMPARE(m_document->Persons().Count(), std::size_t(1));

    // Edit acts only on the selected record of the active list: with the calendar active, no
    // dialog opens (one that did would be answered and counted).
    answer(false);
    view.Controller().SelectDate(view.Controller().CurrentDate());
    QVERIFY(view.HandleCommand(cmd::TaskEdit));
    view.Controller().RefillIfPending();
    view.Controller().ClickTasks(0);
    QVERIFY(view.HandleCommand(cmd::TaskEdit));
    QCOMPARE(captions, QStringList({"Add Task", "Add Appointment", "Add Person", "Edit User", "Edit Task"}));
}

TAVORO_TEST_MAIN(TestRecordEditors)
#include "TestRecordEditors.moc"
