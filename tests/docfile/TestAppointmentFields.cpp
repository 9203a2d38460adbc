#include "core/DayListRows.h"
#include "core/OccurrenceIndex.h"
#include "docfile/DocumentFormat.h"
#include "docfile/DocumentWriter.h"
#include "docfile/PimDocument.h"
#include "support/FakePromptService.h"
#include "support/TestMain.h"
#include "support/ZoneScope.h"

#include <QFile>

#include <ctime>

// The appointment and person fields older files do not have: stored only when used, read per
// record, and the days stored dates mean wherever the file is opened.
namespace {

QByteArray fixture(const QString& name) {
    QFile file(QStringLiteral(TAVORO_TEST_DATA "/docfile/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

void load(PimDocument& document, const QByteArray& bytes) {
    FakePromptService prompt;
    QVERIFY(DocumentFormat::Load(bytes.constData(), static_cast<std::size_t>(bytes.size()), document, prompt));
}

QByteArray saved(const PimDocument& document) {
    return QByteArray::fromStdString(DocumentWriter::Write(document.Records()));
}

CalendarDate day(int y, int m, int d) {
    return CalendarDate::FromParts(y, m, d);
}

} // namespace

class TestAppointmentFields : public QObject {
    Q_OBJECT
private slots:
    void filesResaveByteExact_data();
    void filesResaveByteExact();
    void newFieldsRead();
    void newFieldsDoNotCarryOver_data();
    void newFieldsDoNotCarryOver();
    void personDatesReadAndWrittenOnlyWhenUsed_data();
    void personDatesReadAndWrittenOnlyWhenUsed();
    void savedInOneZoneListedOnTheSameDaysInAnother();
    void turningOffOneOccurrencesReminder();
};

void TestAppointmentFields::filesResaveByteExact_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"all-fields-v1.pgr", "dates-v1.pgr", "empty-v1.pgr", "repeating-v1.pgr"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestAppointmentFields::filesResaveByteExact() {
    QFETCH(QString, name);
    const QByteArray bytes = fixture(name);
    PimDocument document;
    load(document, bytes);
    QCOMPARE(saved(document), bytes);
}

void TestAppointmentFields::newFieldsRead() {
    PimDocument document;
    load(document, fixture(QStringLiteral("repeating-v1.pgr")));
    const Appointment& meeting = *document.Appointments().Find(1);
    QCOMPARE(meeting.RRule, std::string("FREQ=WEEKLY;BYDAY=MO,TH;UNTIL=20250327T090000Z"));
    QCOMPARE(meeting.ExDates, std::vector<CalendarDate>{day(2025, 3, 6)});
    const Appointment& moved = *document.Appointments().Find(2);
    QCOMPARE(moved.SeriesID, 1);
    QCOMPARE(moved.OriginalDate, day(2025, 3, 13));
    const Appointment& trip = *document.Appointments().Find(5);
    QCOMPARE(trip.AllDay, 1);
    QCOMPARE(trip.EndDate, day(2025, 3, 12));
    QCOMPARE(document.Appointments().Find(6)->TimeZone, std::string("America/New_York"));
    QCOMPARE(document.Appointments().Find(7)->StartTime, DateTime(2025, 3, 11, 9, 7, 0));
}

// The document's rule that a record element's missing field keeps the value of the one before
// holds for the old fields; the new ones, written only when used, start afresh with each record.
void TestAppointmentFields::newFieldsDoNotCarryOver_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("attributes") << QByteArray(
        "<?xml version=\"1.0\"?><Pim Version=\"1\"><Appointments>"
        "<Appointment ID=\"1\" Description=\"Series\" AllDay=\"1\" EndDate=\"20250312\" TimeZone=\"Europe/Paris\" "
        "RRule=\"FREQ=DAILY\" ExDates=\"20250311,bad,20250313\" RDates=\"20250320\" SeriesID=\"9\" "
        "OriginalDate=\"20250310\" />"
        "<Appointment ID=\"2\" />"
        "</Appointments></Pim>");
    QTest::newRow("field children") << QByteArray(
        "<?xml version=\"1.0\"?><Pim Version=\"13\"><Appointments>"
        "<Appointment ID=\"1\"><Description>Series</Description><AllDay>1</AllDay><EndDate>20250312</EndDate>"
        "<TimeZone>Europe/Paris</TimeZone><RRule>FREQ=DAILY</RRule><ExDates>20250311,bad,20250313</ExDates>"
        "<RDates>20250320</RDates><SeriesID>9</SeriesID><OriginalDate>20250310</OriginalDate></Appointment>"
        "<Appointment ID=\"2\"></Appointment>"
        "</Appointments></Pim>");
}

void TestAppointmentFields::newFieldsDoNotCarryOver() {
    QFETCH(QByteArray, file);
    PimDocument document;
    load(document, file);
    const Appointment& first = *document.Appointments().Find(1);
    QCOMPARE(first.ExDates, (std::vector<CalendarDate>{day(2025, 3, 11), day(2025, 3, 13)}));
    QCOMPARE(first.RDates, std::vector<CalendarDate>{day(2025, 3, 20)});
    QVERIFY(saved(document).contains("ExDates=\"20250311,20250313\" RDates=\"20250320\" SeriesID=\"9\""));
    QCOMPARE(first.SeriesID, 9);
    QCOMPARE(first.TimeZone, std::string("Europe/Paris"));
    const Appointment& second = *document.Appointments().Find(2);
    QCOMPARE(second.Description, std::string("Series")); // an old field carries over
    QCOMPARE(second.AllDay, 0);
    QVERIFY(!second.EndDate.IsValid());
    QVERIFY(second.TimeZone.empty());
    QVERIFY(!second.Repeats());
    QVERIFY(second.ExDates.empty());
    QVERIFY(second.RDates.empty());
    QCOMPARE(second.SeriesID, 0);
    QVERIFY(!second.OriginalDate.IsValid());
}

void TestAppointmentFields::personDatesReadAndWrittenOnlyWhenUsed_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("attributes") << QByteArray("<?xml version=\"1.0\"?><Pim Version=\"1\"><Persons>"
                                              "<Person ID=\"1\" FName=\"Ann\" Birthday=\"1990-03-15\" "
                                              "Anniversary=\"--06-02\" /><Person ID=\"2\" /></Persons></Pim>");
    QTest::newRow("field children") << QByteArray(
        "<?xml version=\"1.0\"?><Pim Version=\"13\"><Persons>"
        "<Person ID=\"1\"><FName>Ann</FName><Birthday>1990-03-15</Birthday><Anniversary>--06-02</Anniversary>"
        "</Person><Person ID=\"2\"></Person></Persons></Pim>");
}

void TestAppointmentFields::personDatesReadAndWrittenOnlyWhenUsed() {
    QFETCH(QByteArray, file);
    PimDocument document;
    load(document, file);
    const Person& ann = *document.Persons().Find(1);
    QCOMPARE(ann.Birthday, std::string("1990-03-15"));
    QCOMPARE(ann.Anniversary, std::string("--06-02"));
    const Person& second = *document.Persons().Find(2);
    QCOMPARE(second.FName, std::string("Ann")); // an old field carries over, the new ones do not
    QVERIFY(second.Birthday.empty() && second.Anniversary.empty());
    const QByteArray written = saved(document);
    QVERIFY(written.contains("Birthday=\"1990-03-15\" Anniversary=\"--06-02\""));
    QCOMPARE(written.count("Birthday="), 1);
    PimDocument again;
    load(again, written);
    QCOMPARE(again.Records().Persons.Items(), document.Records().Persons.Items());
}

// Saved with the computer in UTC and opened in Berlin: the tasks are still on their days, and the
// file is written back as it was.
void TestAppointmentFields::savedInOneZoneListedOnTheSameDaysInAnother() {
    QByteArray bytes;
    {
        const ZoneScope utc("UTC");
        PimDocument document;
        Task task;
        task.Description = "Due on the 11th";
        task.Priority = Task::Medium;
        task.DueDate = day(2025, 3, 11).Midnight();
        document.Add(task);
        Appointment trip;
        trip.Description = "Trip";
        trip.AllDay = 1;
        trip.DueDate = trip.StartTime = trip.EndTime = day(2025, 3, 12).Midnight();
        trip.EndDate = day(2025, 3, 13);
        document.Add(trip);
        bytes = saved(document);
    }
    const ZoneScope berlin("Europe/Berlin");
    PimDocument document;
    load(document, bytes);
    const DateTime today = day(2025, 3, 1).Midnight();
    QCOMPARE(DayListRows::Tasks(document.Records(), day(2025, 3, 11).Midnight(), today).size(), 1u);
    QVERIFY(DayListRows::Tasks(document.Records(), day(2025, 3, 10).Midnight(), today).empty());
    QVERIFY(DayListRows::Tasks(document.Records(), day(2025, 3, 12).Midnight(), today).empty());
    const std::vector<DayOccurrence> trip = Occurrences::Between(document.Records(), day(2025, 3, 1), day(2025, 3, 31));
    QCOMPARE(trip.size(), 2u);
    QCOMPARE(trip.front().day, day(2025, 3, 12));
    QCOMPARE(trip.back().day, day(2025, 3, 13));
    QCOMPARE(saved(document), bytes);
}

void TestAppointmentFields::turningOffOneOccurrencesReminder() {
    PimDocument document;
    load(document, fixture(QStringLiteral("repeating-v1.pgr")));
    const std::size_t before = document.Appointments().Count();
    QVERIFY(document.TurnOffReminder(OccurrenceKey{1, day(2025, 3, 17)}));
    QCOMPARE(document.Appointments().Count(), before + 1);
    const Appointment& changed = document.Appointments().Items().rbegin()->second;
    QCOMPARE(changed.SeriesID, 1);
    QCOMPARE(changed.OriginalDate, day(2025, 3, 17));
    QCOMPARE(changed.Alarm, 0);
    QCOMPARE(changed.StartTime, DateTime(2025, 3, 17, 10, 0, 0));
    QVERIFY(!changed.Repeats());
    QCOMPARE(document.Appointments().Find(1)->Alarm, 1); // the series rings on
    // The occurrence already changed loses its alarm in place; one undo step takes each back.
    QVERIFY(document.TurnOffReminder(OccurrenceKey{1, day(2025, 3, 17)}));
    QCOMPARE(document.Appointments().Count(), before + 1);
    QVERIFY(document.Undo());
    QVERIFY(document.Undo());
    QCOMPARE(document.Appointments().Count(), before);
    QVERIFY(!document.TurnOffReminder(OccurrenceKey{1, day(2025, 3, 18)})); // not a day of the series
}

TAVORO_TEST_MAIN(TestAppointmentFields)
#include "TestAppointmentFields.moc"
