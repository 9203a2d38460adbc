#include "DayRecords.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/DayView.h"
#include "shell/MainFrame.h"
#include "shell/reminders/DayReminders.h"
#include "shell/reminders/ReminderCenter.h"
#include "shell/views/AgendaList.h"
#include "shell/views/AgendaSetting.h"
#include "shell/views/AgendaView.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"
#include "support/WhenModal.h"

#include <QDialog>
#include <QLabel>
#include <QSettings>
#include <QSpinBox>

// The agenda in the main window: Enter and Del on its entries run the day view's commands on the
// entry's day, after asking as the day view asks. Today is Wednesday 2024-05-15.
namespace {

using namespace dayrecords;

// Wednesdays 18:00 from 1 May, six times: today, 22 and 29 May, 5 June are ahead.
Appointment yoga() {
    Appointment a = appointment("Yoga", 18, 0, DateTime(2024, 5, 1, 0, 0, 0));
    a.RRule = "FREQ=WEEKLY;COUNT=6";
    return a;
}

struct Frame {
    Frame() : frame(prompts, QString()) {
        document().Add(task("Pay rent", DateTime(2024, 5, 13, 0, 0, 0)));             // task 1, overdue
        document().Add(appointment("Dentist", 9, 0, DateTime(2024, 5, 16, 0, 0, 0))); // appointment 1
        document().Add(yoga());                                                       // appointment 2
        frame.show();
        if (!QTest::qWaitForWindowActive(&frame))
            qWarning("the main window did not become active");
        frame.ShowView(MainView::Agenda);
        settle();
    }
    PimDocument& document() { return frame.Document(); }
    AgendaView& agenda() { return *frame.Agenda(); }
    DayViewController& controller() { return frame.View()->Controller(); }
    void settle() {
        controller().RefillIfPending();
        frame.UpdateCommandStates();
    }
    QStringList entries() {
        settle();
        QStringList texts;
        const AgendaModel& model = agenda().Model();
        for (int row = 0; row < model.Count(); ++row)
            if (model.IsEntry(row))
                texts << model.data(model.index(row, 0), Qt::AccessibleTextRole).toString();
        return texts;
    }
    // Moves to the entry with the keys, from the top: the headings are passed over.
    void selectEntry(int entry) {
        AgendaList* list = agenda().List();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down); // selects the first entry, which has the focus
        for (int i = 0; i < entry; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(agenda().Model().IsEntry(list->SelectedRow()));
        QCOMPARE(agenda().Model().data(agenda().Model().index(list->SelectedRow(), 0), Qt::AccessibleTextRole),
                 entries().at(entry));
    }

    FakePromptService prompts;
    MainFrame frame;
};

const QStringList kEntries{"Overdue, Due 5/13/24, Pay rent",
                           "Today, 6:00 PM-7:00 PM, Yoga",
                           "Tomorrow, 9:00 AM-10:00 AM, Dentist",
                           "Wednesday, May 22, 2024, 6:00 PM-7:00 PM, Yoga",
                           "Wednesday, May 29, 2024, 6:00 PM-7:00 PM, Yoga",
                           "Wednesday, June 5, 2024, 6:00 PM-7:00 PM, Yoga"};

} // namespace

class TestAgendaView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QSettings().clear();
        platform::Clock::setFixed(platform::LocalTime{2024, 5, 15, 10, 30, 0});
    }
    void cleanup() { platform::Clock::setFixed(std::nullopt); }

    void enterOpensTheEditorOnTheEntrysDay_data();
    void enterOpensTheEditorOnTheEntrysDay();
    void delDeletesAfterAsking_data();
    void delDeletesAfterAsking();
    void daysSettingMidnightAndEmptyAgenda();
};

void TestAgendaView::enterOpensTheEditorOnTheEntrysDay_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("editor");
    QTest::newRow("overdue task, listed today") << 0 << QDate(2024, 5, 15) << "Edit Task";
    QTest::newRow("appointment tomorrow") << 2 << QDate(2024, 5, 16) << "Edit Appointment";
    QTest::newRow("series, a later occurrence") << 3 << QDate(2024, 5, 22) << "Edit Appointment";
}

void TestAgendaView::enterOpensTheEditorOnTheEntrysDay() {
    QFETCH(int, entry);
    QFETCH(QDate, day);
    QFETCH(QString, editor);
    Frame f;
    QCOMPARE(f.entries(), kEntries);
    f.selectEntry(entry);
    f.prompts.queueChoice(0); // a series asks which occurrences: only this one
    QString opened;
    whenModal<QDialog>([&opened](QDialog* dialog) {
        opened = dialog->windowTitle();
        dialog->reject();
    });
    QTest::keyClick(f.agenda().List(), Qt::Key_Return);
    QCOMPARE(opened, editor);
    QCOMPARE(f.controller().CurrentDate(), DateTime(day.year(), day.month(), day.day(), 0, 0, 0));
    QCOMPARE(f.prompts.choiceLists.size(), entry == 3 ? 1 : 0);
    QCOMPARE(f.entries(), kEntries);
}

void TestAgendaView::delDeletesAfterAsking_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("task, yes") << 0 << true << kEntries.mid(1);
    QTest::newRow("task, no") << 0 << false << kEntries;
    QTest::newRow("appointment, yes") << 2 << true << QStringList(kEntries).mid(0, 2) + kEntries.mid(3);
    QTest::newRow("series: only this occurrence") << 4 << true << QStringList(kEntries).mid(0, 4) + kEntries.mid(5);
}

void TestAgendaView::delDeletesAfterAsking() {
    QFETCH(int, entry);
    QFETCH(bool, yes);
    Frame f;
    f.selectEntry(entry);
    f.prompts.queueAnswer(yes ? platform::PromptAnswer::Yes : platform::PromptAnswer::No);
    f.prompts.queueChoice(0);
    QTest::keyClick(f.agenda().List(), Qt::Key_Delete);
    // A series asks its own question, a single record the confirmation.
    QCOMPARE(f.prompts.choiceLists.size(), entry == 4 ? 1 : 0);
    QCOMPARE(f.prompts.messages.size(), 1);
    QTEST(f.entries(), "left");
    // The selection stays in the list, on the entry that took the deleted one's place.
    if (yes && entry < kEntries.size() - 1)
        QCOMPARE(f.agenda().Model().data(f.agenda().Model().index(f.agenda().List()->SelectedRow(), 0),
                                         Qt::AccessibleTextRole),
                 kEntries.at(entry + 1));
}

void TestAgendaView::daysSettingMidnightAndEmptyAgenda() {
    Frame f;
    f.agenda().DaysBox()->setValue(2);
    QCOMPARE(AgendaSetting::Days(), 2);
    QCOMPARE(f.entries(), kEntries.mid(0, 3));
    // At midnight today moves on: tomorrow's dentist is today's, today's yoga is past.
    platform::Clock::setFixed(platform::LocalTime{2024, 5, 16, 0, 0, 30});
    f.frame.View()->Reminders().Center().Check();
    QCOMPARE(f.entries(), (QStringList{kEntries.at(0), "Today, 9:00 AM-10:00 AM, Dentist"}));
    f.document().RemoveTask(1);
    f.document().RemoveAppointment(1);
    f.document().RemoveAppointment(2);
    QCOMPARE(f.entries(), QStringList());
    QVERIFY(f.agenda().NothingLabel()->isVisible());
    QCOMPARE(f.agenda().NothingLabel()->text(), QStringLiteral("Nothing in the next 2 days"));
}

TAVORO_TEST_MAIN(TestAgendaView)
#include "TestAgendaView.moc"
