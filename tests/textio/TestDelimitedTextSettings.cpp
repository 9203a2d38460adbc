#include "support/TestMain.h"
#include "textio/DelimitedTextSettings.h"

#include <QObject>

using Names = std::vector<std::string>;

class TestDelimitedTextSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void freshSettingsOfferTheColumns();
    void listsFirstLineFields_data();
    void listsFirstLineFields();
    void assignsColumnsByName();
    void requiredFields_data();
    void requiredFields();
};

void TestDelimitedTextSettings::freshSettingsOfferTheColumns() {
    const DelimitedTextSettings persons = DelimitedTextSettings::ForImport(RecordType::Persons);
    QCOMPARE(persons.AvailableFields,
             (Names{"FirstName", "LastName",  "Address1",      "Address2",   "City",        "State",    "ZipCode",
                    "HomePhone", "WorkPhone", "WorkExtension", "Fax",        "Pager",       "CelPhone", "E-Mail",
                    "WebPage",   "Company",   "Position",      "WhitePages", "YellowPages", "Notes"}));
    QCOMPARE(persons.RequiredFields, (Names{"FirstName", "LastName", "Company"}));
    QCOMPARE(persons.AvailableCount, 20);
    QCOMPARE(persons.SelectedFields, Names(20));
    QCOMPARE(persons.RecordTypeName, std::string("Persons"));
    QVERIFY(persons.Importing);
    QVERIFY(persons.Encloser.empty() && persons.Separator.empty() && !persons.FirstLineHasNames);

    const DelimitedTextSettings exported = DelimitedTextSettings::ForExport(RecordType::Persons);
    QCOMPARE(exported.AvailableCount, 18);
    QCOMPARE(exported.AvailableFields[11], std::string("CelPhone"));
    QCOMPARE(exported.AvailableFields[12], std::string("Pager"));
    QVERIFY(exported.RequiredFields.empty());

    const DelimitedTextSettings appointments = DelimitedTextSettings::ForImport(RecordType::Appointments);
    QCOMPARE(appointments.AvailableFields,
             (Names{"Appointment", "Date", "StartTime", "EndTime", "Alarmed", "AlarmTime"}));
    QCOMPARE(appointments.RequiredFields, (Names{"Appointment", "Date", "StartTime", "EndTime"}));
    QCOMPARE(DelimitedTextSettings::ForExport(RecordType::Tasks).AvailableFields,
             (Names{"Task", "DueDate", "Priority"}));
}

void TestDelimitedTextSettings::listsFirstLineFields_data() {
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArrayList>("fields");
    QTest::newRow("other separator gives one field")
        << QByteArray(",") << QByteArray("a;b;c") << QByteArrayList{"a;b;c"};
    QTest::newRow("empty fields are named")
        << QByteArray(",") << QByteArray("\"a\",,\"\",c") << QByteArrayList{"a", "EMPTY FIELD", "\","};
    QTest::newRow("semicolon") << QByteArray(";") << QByteArray("\"FirstName\";\"LastName\"")
                               << QByteArrayList{"FirstName", "LastName"};
}

void TestDelimitedTextSettings::listsFirstLineFields() {
    QFETCH(QByteArray, separator);
    QFETCH(QByteArray, line);
    QFETCH(QByteArrayList, fields);
    DelimitedTextSettings s = DelimitedTextSettings::ForImport(RecordType::Persons);
    s.ApplyDefaultFormat();
    s.Separator = separator.toStdString();
    s.FirstLine = line.toStdString();
    s.ListFirstLineFields();
    QByteArrayList listed;
    for (const std::string& field : s.FirstLineFields)
        listed.append(QByteArray::fromStdString(field));
    QCOMPARE(listed, fields);
    QCOMPARE(s.ColumnCount, fields.size());
}

void TestDelimitedTextSettings::assignsColumnsByName() {
    DelimitedTextSettings s = DelimitedTextSettings::ForImport(RecordType::Persons);
    s.ApplyDefaultFormat();
    s.FirstLine = "\"firstname\",LASTNAME,Phone,FirstName,\" Company \",e-mail";
    s.ListFirstLineFields();
    s.AssignColumnsByName();
    QCOMPARE(s.SelectedFields, (Names{"FirstName", "LastName", "", "", "Company", "E-Mail"}));
    QCOMPARE(s.ColumnCount, 6);
}

void TestDelimitedTextSettings::requiredFields_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<bool>("enough");
    const int persons = static_cast<int>(RecordType::Persons);
    const int tasks = static_cast<int>(RecordType::Tasks);
    const int appointments = static_cast<int>(RecordType::Appointments);
    QTest::newRow("persons: notes only") << persons << QStringList{"Notes", ""} << false;
    QTest::newRow("persons: company") << persons << QStringList{"Notes", "Company"} << true;
    QTest::newRow("persons: first name and company") << persons << QStringList{"FirstName", "Company"} << true;
    QTest::newRow("tasks: task") << tasks << QStringList{"", "Task"} << true;
    QTest::newRow("tasks: due date only") << tasks << QStringList{"DueDate"} << false;
    QTest::newRow("appointments: all four")
        << appointments << QStringList{"EndTime", "Date", "Appointment", "Alarmed", "StartTime"} << true;
    QTest::newRow("appointments: no end") << appointments << QStringList{"Date", "Appointment", "StartTime"} << false;
}

void TestDelimitedTextSettings::requiredFields() {
    QFETCH(int, type);
    QFETCH(QStringList, selected);
    QFETCH(bool, enough);
    DelimitedTextSettings s = DelimitedTextSettings::ForImport(static_cast<RecordType>(type));
    s.SelectedFields.clear();
    for (const QString& name : selected)
        s.SelectedFields.push_back(name.toStdString());
    QCOMPARE(s.HasRequiredFields(), enough);
}

TAVORO_TEST_MAIN(TestDelimitedTextSettings)
#include "TestDelimitedTextSettings.moc"
