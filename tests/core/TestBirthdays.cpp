#include "core/Birthdays.h"
#include "core/PimRecords.h"
#include "support/TestMain.h"

#include <QObject>

namespace {

CalendarDate day(int y, int m, int d) {
    return CalendarDate::FromParts(y, m, d);
}

PimRecords phoneBook() {
    struct Entry {
        const char *first, *last, *company, *birthday, *anniversary;
    };
    const Entry entries[] = {
        {"Ann", "Lee", "", "1990-03-15", "2015-06-02"},
        {"Bob", "Adams", "", "1980-06-02", ""},
        {"Leo", "Hart", "", "2000-02-29", ""},
        {"Mia", "Stone", "", "--12-31", ""},
        {"", "", "Acme", "--01-01", ""},
        {"Kid", "Roe", "", "2030-05-05", "someday"},
        {"No", "Date", "", "", ""},
    };
    PimRecords records;
    for (const Entry& entry : entries) {
        Person person;
        person.FName = entry.first;
        person.LName = entry.last;
        person.Company = entry.company;
        person.RName = DisplayName(person);
        person.Birthday = entry.birthday;
        person.Anniversary = entry.anniversary;
        records.Persons.Add(person);
    }
    return records;
}

} // namespace

Q_DECLARE_METATYPE(CalendarDate)

class TestBirthdays : public QObject {
    Q_OBJECT
private slots:
    void between_data();
    void between();
    void parse_data();
    void parse();
};

void TestBirthdays::between_data() {
    QTest::addColumn<CalendarDate>("from");
    QTest::addColumn<CalendarDate>("to");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("age") << day(2026, 3, 15) << day(2026, 3, 15) << QStringList{"2026-03-15 Birthday: Ann Lee (36)"};
    QTest::newRow("leap day in a common year")
        << day(2027, 2, 27) << day(2027, 3, 1) << QStringList{"2027-02-28 Birthday: Leo Hart (27)"};
    QTest::newRow("leap day in a leap year")
        << day(2028, 2, 28) << day(2028, 3, 1) << QStringList{"2028-02-29 Birthday: Leo Hart (28)"};
    QTest::newRow("year boundary, year unknown")
        << day(2026, 12, 30) << day(2027, 1, 2)
        << QStringList{"2026-12-31 Birthday: Mia Stone", "2027-01-01 Birthday: Acme"};
    QTest::newRow("birthday before anniversary")
        << day(2026, 6, 2) << day(2026, 6, 2)
        << QStringList{"2026-06-02 Birthday: Bob Adams (46)", "2026-06-02 Anniversary: Ann Lee (11)"};
    QTest::newRow("before the birth year") << day(2029, 5, 5) << day(2029, 5, 5) << QStringList{};
    QTest::newRow("the day of birth") << day(2030, 5, 5) << day(2030, 5, 5)
                                      << QStringList{"2030-05-05 Birthday: Kid Roe (0)"};
    QTest::newRow("range reversed") << day(2026, 3, 16) << day(2026, 3, 14) << QStringList{};
    QTest::newRow("two years") << day(2026, 3, 1) << day(2028, 2, 28)
                               << QStringList{"2026-03-15 Birthday: Ann Lee (36)",
                                              "2026-06-02 Birthday: Bob Adams (46)",
                                              "2026-06-02 Anniversary: Ann Lee (11)",
                                              "2026-12-31 Birthday: Mia Stone",
                                              "2027-01-01 Birthday: Acme",
                                              "2027-02-28 Birthday: Leo Hart (27)",
                                              "2027-03-15 Birthday: Ann Lee (37)",
                                              "2027-06-02 Birthday: Bob Adams (47)",
                                              "2027-06-02 Anniversary: Ann Lee (12)",
                                              "2027-12-31 Birthday: Mia Stone",
                                              "2028-01-01 Birthday: Acme"};
}

void TestBirthdays::between() {
    QFETCH(CalendarDate, from);
    QFETCH(CalendarDate, to);
    QFETCH(QStringList, expected);
    const PimRecords records = phoneBook();
    QStringList listed;
    for (const BirthdayOccurrence& birthday : BirthdaysBetween(records, from, to))
        listed << QString::fromStdString(birthday.day.Iso() + " " + BirthdayText(records, birthday));
    QCOMPARE(listed, expected);
}

void TestBirthdays::parse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored"); // empty: not a date
    QTest::newRow("extended") << "1990-03-15"
                              << "1990-03-15";
    QTest::newRow("basic") << "19900315"
                           << "1990-03-15";
    QTest::newRow("date-time") << "1990-03-15T00:00:00Z"
                               << "1990-03-15";
    QTest::newRow("no year, basic") << "--0315"
                                    << "--03-15";
    QTest::newRow("no year, extended") << "--03-15"
                                       << "--03-15";
    QTest::newRow("29 February without a year") << "--02-29"
                                                << "--02-29";
    QTest::newRow("29 February of a common year") << "2001-02-29"
                                                  << "";
    QTest::newRow("month 13") << "1990-13-01"
                              << "";
    QTest::newRow("text") << "someday"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestBirthdays::parse() {
    QFETCH(QString, text);
    QFETCH(QString, stored);
    const std::optional<BirthDate> date = BirthDate::Parse(text.toStdString());
    QCOMPARE(date ? QString::fromStdString(date->Text()) : QString(), stored);
}

TAVORO_TEST_MAIN(TestBirthdays)
#include "TestBirthdays.moc"
