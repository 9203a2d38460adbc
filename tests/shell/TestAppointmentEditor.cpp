#include "core/OccurrenceIndex.h"
#include "docfile/PimDocument.h"
#include "platform/Clock.h"
#include "shell/CommandIds.h"
#include "shell/DayListView.h"
#include "shell/DayView.h"
#include "shell/editors/AppointmentDialog.h"
#include "shell/editors/OccurrenceEditing.h"
#include "shell/editors/RecordEditors.h"
#include "shell/editors/StepField.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"
#include "support/WhenModal.h"
#include "support/ZoneScope.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <functional>

namespace {

CalendarDate day(int y, int m, int d) {
    return CalendarDate::FromParts(y, m, d);
}

void alt(QWidget* dialog, Qt::Key key) {
    QTest::keyClick(dialog, key, Qt::AltModifier);
}

// Types into whatever has the focus, replacing what it holds.
void typeOver(const QString& text) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focus, text);
}

QString stepText(QWidget* dialog, const char* name) {
    auto* field = dialog->findChild<StepField*>(QString::fromLatin1(name));
    return field ? field->text() : QStringLiteral("<missing>");
}

QString summary(QWidget* dialog) {
    return dialog->findChild<QLabel*>(QStringLiteral("RepeatSummary"))->text();
}

// Runs `act` on the appointment dialog the next exec() shows, then presses Enter on it.
void onEditor(std::function<void(AppointmentDialog*)> act) {
    whenModal<AppointmentDialog>([act](AppointmentDialog* dialog) {
        act(dialog);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (dialog->isVisible()) // a failed check left it open
            dialog->reject();
    });
}

QStringList listing(const PimDocument& document, CalendarDate from, CalendarDate to) {
    OccurrenceIndex index;
    QStringList lines;
    for (const DayOccurrence& listed : index.Between(document.Records(), from, to)) {
        const Occurrence& o = listed.occurrence;
        lines << QString::fromStdString(o.start.Format("%m-%d %H:%M ") +
                                        document.Appointments().Find(o.id)->Description);
    }
    return lines;
}

} // namespace

class TestAppointmentEditor : public QObject {
    Q_OBJECT
private:
    PimDocument m_document;
    FakePromptService m_prompts;

    // "Standup" every second week on Monday and Thursday from Monday 1 March 2027, 10:00-10:15,
    // entered through the editor by keys.
    int createSeries() {
        onEditor([](AppointmentDialog* dialog) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Standup"));
            alt(dialog, Qt::Key_B);
            typeOver(QStringLiteral("10:00"));
            alt(dialog, Qt::Key_E);
            typeOver(QStringLiteral("10:15"));
            alt(dialog, Qt::Key_R);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // Daily
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // Weekly
            QCOMPARE(summary(dialog), QStringLiteral("Weekly on Monday."));
            alt(dialog, Qt::Key_V);
            typeOver(QStringLiteral("2"));
            auto* thursday = dialog->findChild<QCheckBox*>(QStringLiteral("Thursday"));
            thursday->setFocus(Qt::TabFocusReason);
            QTest::keyClick(thursday, Qt::Key_Space);
            QCOMPARE(summary(dialog), QStringLiteral("Every 2 weeks on Monday and Thursday."));
        });
        if (!AddAppointment(nullptr, m_document, DateTime(2027, 3, 1, 0, 0, 0)))
            return 0;
        return m_document.Appointments().begin()->first;
    }

private slots:
    void init() {
        m_document.ClearContents();
        m_prompts = FakePromptService();
    }

    void createChangeAndDeleteASeries() {
        ZoneScope zone("Europe/Berlin");
        const int series = createSeries();
        QVERIFY(series);
        QCOMPARE(QString::fromStdString(m_document.Appointments().Find(series)->RRule),
                 QStringLiteral("FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TH"));
        const QStringList created = {"03-01 10:00 Standup", "03-04 10:00 Standup", "03-15 10:00 Standup",
                                     "03-18 10:00 Standup", "03-29 10:00 Standup"};
        QCOMPARE(listing(m_document, day(2027, 3, 1), day(2027, 3, 31)), created);

        // "Only this occurrence": the 15th moves to 11:30; the editor cannot make it repeat.
        m_prompts.queueChoice(0);
        onEditor([](AppointmentDialog* dialog) {
            QVERIFY(!dialog->findChild<QComboBox*>(QStringLiteral("Repeat"))->isEnabled());
            QCOMPARE(stepText(dialog, "Begin"), QStringLiteral("10:00 AM"));
            alt(dialog, Qt::Key_B);
            typeOver(QStringLiteral("11:30"));
        });
        QVERIFY(OccurrenceEditing::Edit(nullptr, m_document, series, DateTime(2027, 3, 15, 0, 0, 0), &m_prompts));
        QCOMPARE(m_prompts.choiceLists.size(), 1);
        QCOMPARE(m_prompts.choiceLists.last(),
                 QStringList({"Only this occurrence", "This and all following", "All occurrences"}));
        QStringList changed = created;
        changed[2] = QStringLiteral("03-15 11:30 Standup");
        QCOMPARE(listing(m_document, day(2027, 3, 1), day(2027, 3, 31)), changed);

        // Delete "This and all following" from the 18th.
        m_prompts.queueChoice(1);
        QCOMPARE(OccurrenceEditing::Delete(m_document, series, DateTime(2027, 3, 18, 0, 0, 0), &m_prompts),
                 std::optional<bool>(true));
        QCOMPARE(listing(m_document, day(2027, 3, 1), day(2027, 3, 31)), changed.mid(0, 3));

        // Each was one step.
        QVERIFY(m_document.Undo());
        QCOMPARE(listing(m_document, day(2027, 3, 1), day(2027, 3, 31)), changed);
        QVERIFY(m_document.Undo());
        QCOMPARE(listing(m_document, day(2027, 3, 1), day(2027, 3, 31)), created);
    }

    void escapeChangesNothing() {
        ZoneScope zone("Europe/Berlin");
        const int series = createSeries();
        const std::size_t steps = m_document.History().Count();
        m_prompts.queueChoice(std::nullopt);
        QVERIFY(!OccurrenceEditing::Edit(nullptr, m_document, series, DateTime(2027, 3, 4, 0, 0, 0), &m_prompts));
        m_prompts.queueChoice(std::nullopt);
        QCOMPARE(OccurrenceEditing::Delete(m_document, series, DateTime(2027, 3, 4, 0, 0, 0), &m_prompts),
                 std::optional<bool>(false));
        QCOMPARE(m_document.History().Count(), steps);
        QCOMPARE(m_document.Appointments().Count(), std::size_t(1));
        // A day without an occurrence is no occurrence: the plain commands apply.
        QVERIFY(!OccurrenceEditing::Delete(m_document, series, DateTime(2027, 3, 2, 0, 0, 0), &m_prompts));
    }

    void typedTimesAreKept() {
        onEditor([](AppointmentDialog* dialog) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Dentist"));
            alt(dialog, Qt::Key_B);
            typeOver(QStringLiteral("09:07"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(stepText(dialog, "Begin"), QStringLiteral("9:07 AM"));
            alt(dialog, Qt::Key_E);
            typeOver(QStringLiteral("2:30 pm"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(stepText(dialog, "End"), QStringLiteral("2:30 PM"));
            // Nonsense is refused and the time stays.
            alt(dialog, Qt::Key_E);
            typeOver(QStringLiteral("later"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(stepText(dialog, "End"), QStringLiteral("2:30 PM"));
        });
        QVERIFY(AddAppointment(nullptr, m_document, DateTime(2027, 5, 3, 0, 0, 0)));
        const Appointment& added = m_document.Appointments().begin()->second;
        QCOMPARE(added.StartTime, DateTime(2027, 5, 3, 9, 7, 0));
        QCOMPARE(added.EndTime, DateTime(2027, 5, 3, 14, 30, 0));

        // The arrows still step by quarter hours from a typed time.
        const int id = added.ID;
        onEditor([](AppointmentDialog* dialog) {
            alt(dialog, Qt::Key_B);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            QCOMPARE(stepText(dialog, "Begin"), QStringLiteral("9:22 AM"));
        });
        QVERIFY(EditAppointment(nullptr, m_document, id));
        QCOMPARE(m_document.Appointments().Find(id)->StartTime, DateTime(2027, 5, 3, 9, 22, 0));
    }

    void pastMidnightEndsTheNextDay() {
        onEditor([](AppointmentDialog* dialog) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Night train"));
            alt(dialog, Qt::Key_B);
            typeOver(QStringLiteral("22:40"));
            alt(dialog, Qt::Key_E);
            typeOver(QStringLiteral("6:10"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(dialog->findChild<QDateEdit*>(QStringLiteral("EndDay"))->date(), QDate(2027, 5, 4));
        });
        QVERIFY(AddAppointment(nullptr, m_document, DateTime(2027, 5, 3, 0, 0, 0)));
        const Appointment& added = m_document.Appointments().begin()->second;
        QCOMPARE(added.EndTime, DateTime(2027, 5, 4, 6, 10, 0));
        QCOMPARE(listing(m_document, day(2027, 5, 4), day(2027, 5, 4)), QStringList{"05-03 22:40 Night train"});
    }

    void allDayOverThreeDays() {
        onEditor([](AppointmentDialog* dialog) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Conference"));
            alt(dialog, Qt::Key_Y); // an access key clicks its box a moment later
            QTRY_VERIFY(dialog->findChild<QCheckBox*>(QStringLiteral("AllDay"))->isChecked());
            QVERIFY(!dialog->findChild<StepField*>(QStringLiteral("Begin"))->isVisible());
            auto* lastDay = dialog->findChild<QDateEdit*>(QStringLiteral("LastDay"));
            QVERIFY(lastDay->isVisible());
            alt(dialog, Qt::Key_L);
            QCOMPARE(QApplication::focusWidget(), lastDay);
            lastDay->setCurrentSection(QDateTimeEdit::DaySection);
            QTest::keyClick(lastDay, Qt::Key_Up);
            QTest::keyClick(lastDay, Qt::Key_Up);
            QCOMPARE(lastDay->date(), QDate(2027, 5, 5));
        });
        QVERIFY(AddAppointment(nullptr, m_document, DateTime(2027, 5, 3, 0, 0, 0)));
        const Appointment& added = m_document.Appointments().begin()->second;
        QCOMPARE(added.AllDay, 1);
        QCOMPARE(added.EndDate, day(2027, 5, 5));
        QCOMPARE(listing(m_document, day(2027, 5, 1), day(2027, 5, 8)),
                 QStringList({"05-03 00:00 Conference", "05-03 00:00 Conference", "05-03 00:00 Conference"}));
    }

    void alarmTwoDaysBefore() {
        onEditor([](AppointmentDialog* dialog) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Passport"));
            alt(dialog, Qt::Key_S);
            QTRY_VERIFY(dialog->findChild<QCheckBox*>(QStringLiteral("SetAlarm"))->isChecked());
            alt(dialog, Qt::Key_T);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto* unit = dialog->findChild<QComboBox*>(QStringLiteral("LeadUnit"));
            QCOMPARE(QApplication::focusWidget(), unit);
            QTest::keyClick(unit, Qt::Key_Down);
            QTest::keyClick(unit, Qt::Key_Down);
            QCOMPARE(unit->currentText(), QStringLiteral("days before"));
            alt(dialog, Qt::Key_T);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
            QCOMPARE(stepText(dialog, "Minutes"), QStringLiteral("2"));
        });
        QVERIFY(AddAppointment(nullptr, m_document, DateTime(2027, 5, 3, 0, 0, 0)));
        const Appointment& added = m_document.Appointments().begin()->second;
        QCOMPARE(added.Alarm, 1);
        QCOMPARE(added.AlarmTime, added.StartTime - DateTimeSpan(2, 0, 0, 0));

        // Opened again, the lead reads as it was entered.
        AppointmentDialog again{AppointmentDraft(added), false};
        QCOMPARE(stepText(&again, "Minutes"), QStringLiteral("2"));
        QCOMPARE(again.findChild<QComboBox*>(QStringLiteral("LeadUnit"))->currentText(), QStringLiteral("days before"));
    }

    void dayViewAsksAboutTheSelectedOccurrence() {
        platform::Clock::setFixed(platform::LocalTime{2024, 5, 22, 8, 0, 0});
        Appointment series;
        series.Description = "Yoga";
        series.DueDate = DateTime(2024, 5, 15, 0, 0, 0);
        series.StartTime = DateTime(2024, 5, 15, 18, 0, 0);
        series.EndTime = DateTime(2024, 5, 15, 19, 0, 0);
        series.AlarmTime = series.StartTime;
        series.RRule = "FREQ=WEEKLY";
        const int id = *m_document.Add(series);
        DayView view(m_document);
        view.SetPromptService(&m_prompts);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.Controller().SelectDate(DateTime(2024, 5, 15, 0, 0, 0));
        QTreeView* list = view.AppointmentList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(view.Controller().SelectedAppointment().id, id);

        // Edit: all occurrences.
        m_prompts.queueChoice(2);
        onEditor([](AppointmentDialog* dialog) {
            QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("Description"))->text(), QStringLiteral("Yoga"));
            typeOver(QStringLiteral("Pilates"));
        });
        view.HandleCommand(cmd::AppointmentEdit);
        QCOMPARE(m_document.Appointments().Find(id)->Description, std::string("Pilates"));

        // Delete: only this one, which leaves the rest of the series.
        m_prompts.queueChoice(0);
        view.HandleCommand(cmd::AppointmentDelete);
        QCOMPARE(m_prompts.choiceLists.size(), 2);
        QCOMPARE(m_document.Appointments().Find(id)->ExDates, std::vector<CalendarDate>{day(2024, 5, 15)});
        QCOMPARE(m_prompts.messages.size(), 2); // no other confirmation was asked
        platform::Clock::setFixed(std::nullopt);
    }

    void accessKeysDoNotClash() {
        AppointmentDialog dialog{AppointmentDraft::ForNew(DateTime(2027, 5, 3, 0, 0, 0), DateTime::Now()), true};
        QStringList keys;
        auto keyOf = [&](const QString& text) {
            const qsizetype at = text.indexOf(QLatin1Char('&'));
            if (at >= 0 && at + 1 < text.size())
                keys << text.mid(at + 1, 1).toUpper();
        };
        for (QLabel* label : dialog.findChildren<QLabel*>())
            keyOf(label->text());
        for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
            keyOf(button->text());
        keyOf(QStringLiteral("&First Day:")); // the day's label while all day
        QStringList unique = keys;
        unique.removeDuplicates();
        QCOMPARE(keys.size(), unique.size());
        for (const char* key : {"A", "B", "E", "R", "Y", "L", "T", "M", "Z", "N", "V", "D"})
            QVERIFY2(keys.contains(QString::fromLatin1(key)), key);
        // Every control names itself to assistive technology, or is named by its label.
        for (QWidget* widget : dialog.findChildren<QWidget*>()) {
            if (!widget->focusPolicy() || widget->objectName().isEmpty() ||
                widget->objectName().startsWith(QLatin1String("qt_")) || qobject_cast<QAbstractButton*>(widget))
                continue;
            bool labelled = !widget->accessibleName().isEmpty();
            for (QLabel* label : dialog.findChildren<QLabel*>())
                labelled = labelled || label->buddy() == widget;
            QVERIFY2(labelled, qPrintable(widget->objectName()));
        }
    }

    void fitsOnASmallScreen() {
        AppointmentDialog dialog{AppointmentDraft::ForNew(DateTime(2027, 5, 3, 0, 0, 0), DateTime::Now()), true};
        dialog.show();
        dialog.findChild<QPushButton*>(QStringLiteral("More"))->click();
        auto* repeat = dialog.findChild<QComboBox*>(QStringLiteral("Repeat"));
        repeat->setCurrentIndex(2);
        QApplication::processEvents();
        const QSize size = dialog.sizeHint();
        QVERIFY2(size.width() <= 1000 && size.height() <= 700,
                 qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
    }
};

TAVORO_TEST_MAIN(TestAppointmentEditor)
#include "TestAppointmentEditor.moc"
