#include "core/OccurrenceIndex.h"
#include "docfile/PimDocument.h"
#include "docfile/SeriesOperations.h"
#include "support/TestMain.h"
#include "support/ZoneScope.h"

#include <QObject>

namespace {

CalendarDate day(int y, int m, int d) {
    return CalendarDate::FromParts(y, m, d);
}

// "Standup", Mondays 10:00-11:00 from 1 March 2027.
Appointment weekly(const char* rule = "FREQ=WEEKLY;BYDAY=MO") {
    Appointment a;
    a.Description = "Standup";
    a.DueDate = DateTime(2027, 3, 1, 0, 0, 0);
    a.StartTime = DateTime(2027, 3, 1, 10, 0, 0);
    a.EndTime = DateTime(2027, 3, 1, 11, 0, 0);
    a.AlarmTime = a.StartTime;
    a.RRule = rule;
    return a;
}

// "03-08 10:00 Standup", each occurrence of March and April 2027.
QStringList listing(const PimDocument& document) {
    OccurrenceIndex index;
    QStringList lines;
    for (const DayOccurrence& listed : index.Between(document.Records(), day(2027, 3, 1), day(2027, 4, 30))) {
        const Occurrence& o = listed.occurrence;
        lines << QString::fromStdString(o.start.Format("%m-%d %H:%M ") +
                                        document.Appointments().Find(o.id)->Description);
    }
    return lines;
}

QStringList mondays(const QString& from, const QString& to, const char* what = "10:00 Standup") {
    static const QStringList all = {"03-01", "03-08", "03-15", "03-22", "03-29", "04-05", "04-12", "04-19", "04-26"};
    QStringList lines;
    for (const QString& date : all)
        if (date >= from && date <= to)
            lines << date + ' ' + QString::fromLatin1(what);
    return lines;
}

} // namespace

class TestSeriesOperations : public QObject {
    Q_OBJECT
private:
    PimDocument m_document;
    int m_series = 0;
    QStringList m_before;

    SeriesOccurrence on(int m, int d) const { return {m_series, day(2027, m, d)}; }

    // Undo takes the whole change back in one step, and redo makes it again.
    void undoesInOneStep(const QStringList& after) {
        QCOMPARE(listing(m_document), after);
        const std::size_t steps = m_document.History().Count();
        QVERIFY(m_document.Undo());
        QCOMPARE(listing(m_document), m_before);
        QVERIFY(m_document.Redo());
        QCOMPARE(listing(m_document), after);
        QCOMPARE(m_document.History().Count(), steps);
    }

    // Edits occurrence (m, d) of the series with its editor's result changed by `change`.
    template <class Change> bool edit(int m, int d, SeriesScope scope, Change change) {
        std::optional<Appointment> record = SeriesOperations::RecordToEdit(m_document, on(m, d), scope);
        if (!record)
            return false;
        change(*record);
        return SeriesOperations::Change(m_document, on(m, d), scope, *record);
    }

private slots:
    void init() {
        m_document.ClearContents();
        m_series = *m_document.Add(weekly());
        m_before = listing(m_document);
    }

    void changeOnlyThisOccurrence() {
        QVERIFY(edit(3, 15, SeriesScope::ThisOccurrence, [](Appointment& a) {
            QCOMPARE(a.StartTime, DateTime(2027, 3, 15, 10, 0, 0));
            a.Description = "Standup (moved)";
            a.StartTime = DateTime(2027, 3, 16, 9, 0, 0);
            a.EndTime = DateTime(2027, 3, 16, 9, 30, 0);
            a.DueDate = DateTime(2027, 3, 16, 0, 0, 0);
        }));
        QStringList after = m_before;
        after.replace(2, QStringLiteral("03-16 09:00 Standup (moved)"));
        QCOMPARE(m_document.History().UndoName(), QStringLiteral("Edit Appointment"));
        undoesInOneStep(after);

        // Editing it again changes the record that stands in for it, adding none.
        QCOMPARE(SeriesOperations::RecordToEdit(m_document, on(3, 15), SeriesScope::ThisOccurrence)->Description,
                 std::string("Standup (moved)"));
        QVERIFY(edit(3, 15, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Moved again"; }));
        QCOMPARE(m_document.Appointments().Count(), std::size_t(2));
    }

    void deleteOnlyThisOccurrence() {
        QVERIFY(edit(3, 15, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Changed"; }));
        m_before = listing(m_document);
        QVERIFY(SeriesOperations::Delete(m_document, on(3, 15), SeriesScope::ThisOccurrence));
        QCOMPARE(m_document.Appointments().Count(), std::size_t(1));
        QCOMPARE(m_document.Appointments().Find(m_series)->ExDates, std::vector<CalendarDate>{day(2027, 3, 15)});
        QStringList after = mondays("03-01", "04-30");
        after.removeAt(2);
        QCOMPARE(m_document.History().UndoName(), QStringLiteral("Delete Appointment"));
        undoesInOneStep(after);
    }

    void deleteThisAndFollowing() {
        QVERIFY(edit(3, 8, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Early"; }));
        QVERIFY(edit(3, 22, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Late"; }));
        m_before = listing(m_document);
        QVERIFY(SeriesOperations::Delete(m_document, on(3, 15), SeriesScope::ThisAndFollowing));
        undoesInOneStep({"03-01 10:00 Standup", "03-08 10:00 Early"});
        QCOMPARE(m_document.Appointments().Count(), std::size_t(2));
        QVERIFY(QString::fromStdString(m_document.Appointments().Find(m_series)->RRule).contains("UNTIL=20270314"));
    }

    void deleteFromTheFirstTakesAll() {
        QVERIFY(edit(3, 22, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Late"; }));
        m_before = listing(m_document);
        QVERIFY(SeriesOperations::Delete(m_document, on(3, 1), SeriesScope::ThisAndFollowing));
        QCOMPARE(m_document.Appointments().Count(), std::size_t(0));
        undoesInOneStep({});
    }

    void deleteAllOccurrences() {
        QVERIFY(edit(3, 22, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Late"; }));
        m_before = listing(m_document);
        QVERIFY(SeriesOperations::Delete(m_document, on(3, 22), SeriesScope::AllOccurrences));
        undoesInOneStep({});
    }

    void removingTheSeriesTakesItsChangedOccurrences() {
        QVERIFY(edit(3, 22, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Late"; }));
        m_before = listing(m_document);
        QVERIFY(m_document.RemoveAppointment(m_series));
        QCOMPARE(m_document.Appointments().Count(), std::size_t(0));
        QCOMPARE(m_document.History().UndoName(), QStringLiteral("Delete Appointment"));
        undoesInOneStep({});
    }

    void changeThisAndFollowing() {
        QVERIFY(edit(3, 22, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Late"; }));
        QVERIFY(SeriesOperations::Delete(m_document, on(4, 5), SeriesScope::ThisOccurrence));
        m_before = listing(m_document);
        QVERIFY(edit(3, 15, SeriesScope::ThisAndFollowing, [](Appointment& a) {
            QCOMPARE(a.StartTime, DateTime(2027, 3, 15, 10, 0, 0));
            a.Description = "Planning";
            a.StartTime = DateTime(2027, 3, 15, 14, 0, 0);
            a.EndTime = DateTime(2027, 3, 15, 15, 0, 0);
        }));
        QStringList after = mondays("03-01", "03-08");
        after << "03-15 14:00 Planning"
              << "03-22 10:00 Late"
              << "03-29 14:00 Planning"
              << "04-12 14:00 Planning"
              << "04-19 14:00 Planning"
              << "04-26 14:00 Planning";
        undoesInOneStep(after);
        // The later changed occurrence and the left-out date belong to the new series now.
        QCOMPARE(m_document.Appointments().Count(), std::size_t(3));
        const Appointment* late = nullptr;
        for (const auto& [id, a] : m_document.Appointments())
            if (a.Description == "Late")
                late = &a;
        QVERIFY(late && late->SeriesID != m_series);
        QCOMPARE(m_document.Appointments().Find(late->SeriesID)->ExDates, std::vector<CalendarDate>{day(2027, 4, 5)});
    }

    // A series of added dates alone: split, the later dates go with the following part; moved, they
    // move with it.
    void addedDatesGoWithTheSeries() {
        m_document.ClearContents();
        Appointment visits = weekly("");
        visits.RDates = {day(2027, 3, 10), day(2027, 3, 24)};
        m_series = *m_document.Add(visits);
        m_before = listing(m_document);
        QCOMPARE(m_before, (QStringList{"03-01 10:00 Standup", "03-10 10:00 Standup", "03-24 10:00 Standup"}));
        QVERIFY(edit(3, 10, SeriesScope::ThisAndFollowing, [](Appointment& a) { a.Description = "Visit"; }));
        undoesInOneStep({"03-01 10:00 Standup", "03-10 10:00 Visit", "03-24 10:00 Visit"});
        for (const auto& [id, a] : m_document.Appointments())
            if (a.Description == "Visit")
                m_series = id;
        m_before = listing(m_document);
        QVERIFY(edit(3, 24, SeriesScope::AllOccurrences, [](Appointment& a) {
            a.DueDate = DateTime(2027, 3, 11, 0, 0, 0);
            a.StartTime = DateTime(2027, 3, 11, 10, 0, 0);
            a.EndTime = DateTime(2027, 3, 11, 11, 0, 0);
        }));
        undoesInOneStep({"03-01 10:00 Standup", "03-11 10:00 Visit", "03-25 10:00 Visit"});
    }

    void thisAndFollowingCountsWhatIsLeft() {
        m_document.ClearContents();
        m_series = *m_document.Add(weekly("FREQ=WEEKLY;BYDAY=MO;COUNT=5"));
        m_before = listing(m_document);
        QVERIFY(edit(3, 15, SeriesScope::ThisAndFollowing, [](Appointment& a) {
            QCOMPARE(QString::fromStdString(a.RRule), QStringLiteral("FREQ=WEEKLY;BYDAY=MO;COUNT=3"));
            a.Description = "Later";
        }));
        QStringList after = mondays("03-01", "03-08");
        after << mondays("03-15", "03-29", "10:00 Later");
        undoesInOneStep(after);
    }

    void changeAllOccurrencesKeepsChangedOnes() {
        QVERIFY(edit(3, 15, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Kept"; }));
        QVERIFY(edit(3, 22, SeriesScope::ThisOccurrence, [](Appointment& a) { a.Description = "Loose"; }));
        m_before = listing(m_document);
        // A day later, every second week: 15 March becomes the 16th; the 22nd is no more in the series.
        QVERIFY(edit(3, 29, SeriesScope::AllOccurrences, [](Appointment& a) {
            QCOMPARE(a.StartTime, DateTime(2027, 3, 1, 10, 0, 0));
            a.DueDate = DateTime(2027, 3, 2, 0, 0, 0);
            a.StartTime = DateTime(2027, 3, 2, 10, 0, 0);
            a.EndTime = DateTime(2027, 3, 2, 11, 0, 0);
            a.RRule = "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU";
        }));
        const QStringList after = {"03-02 10:00 Standup", "03-15 10:00 Kept",    "03-22 10:00 Loose",
                                   "03-30 10:00 Standup", "04-13 10:00 Standup", "04-27 10:00 Standup"};
        undoesInOneStep(after);
        for (const auto& [id, a] : m_document.Appointments()) {
            if (a.Description == "Kept")
                QCOMPARE(a.OriginalDate, day(2027, 3, 16));
            if (a.Description == "Loose")
                QCOMPARE(a.SeriesID, 0);
        }
    }

    void singleAppointmentsAreNoOccurrences() {
        Appointment single = weekly("");
        const int id = *m_document.Add(single);
        QVERIFY(!SeriesOperations::OccurrenceOn(m_document, id, day(2027, 3, 1)));
        QCOMPARE(SeriesOperations::OccurrenceOn(m_document, m_series, day(2027, 3, 8)), on(3, 8));
        QVERIFY(!SeriesOperations::OccurrenceOn(m_document, m_series, day(2027, 3, 9)));
        QVERIFY(!SeriesOperations::Delete(m_document, {id, day(2027, 3, 1)}, SeriesScope::ThisOccurrence));
    }
};

TAVORO_TEST_MAIN(TestSeriesOperations)
#include "TestSeriesOperations.moc"
