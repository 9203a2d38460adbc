#include "support/TestMain.h"
#include "textio/DelimitedTextSettings.h"

#include <QObject>

using Names = std::vector<std::string>;

class TestDelimitedTextSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listsFirstLineFields_data();
    void listsFirstLineFields();
    void assignsColumnsByName();
};

void TestDelimitedTextSettings::listsFirstLineFields_data() {
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArrayList>("fields");
    QTest::newRow("other separator gives one field")
        << QByteArray(",") << QByteArray("a;b;c") << QByteArrayList{"a;b;c"};
    QTest::newRow("empty fields are named")
        << QByteArray(",") << QByteArray("\"a\",,\"\",c") << QByteArrayList{"a", "EMPTY FIELD", "EMPTY FIELD", "c"};
    QTest::newRow("semicolon") << QByteArray(";") << QByteArray("\"FirstName\";\"LastName\"")
                               << QByteArrayList{"FirstName", "LastName"};
}

void TestDelimitedTextSettings::listsFirstLineFields() {
    QFETCH(QByteArray, separator);
    QFETCH(QByteArray, line);
    QFETCH(QByteArrayList, fields);
    DelimitedTextSettings s = DelimitedTextSettings::ForImport(RecordKind::Person);
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
    DelimitedTextSettings s = DelimitedTextSettings::ForImport(RecordKind::Person);
    s.ApplyDefaultFormat();
    s.FirstLine = "\"firstname\",LASTNAME,Phone,FirstName,\" Company \",e-mail";
    s.ListFirstLineFields();
    s.AssignColumnsByName();
    QCOMPARE(s.SelectedFields, (Names{"FirstName", "LastName", "HomePhone", "", "Company", "E-Mail"}));
    QCOMPARE(s.ColumnCount, 6);
}

TAVORO_TEST_MAIN(TestDelimitedTextSettings)
#include "TestDelimitedTextSettings.moc"
