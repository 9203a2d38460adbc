#include "reports/AddressTexts.h"
#include "support/TestMain.h"

#include <QObject>

namespace {

QStringList toList(const std::vector<std::string>& lines) {
    QStringList result;
    for (const std::string& line : lines)
        result << QString::fromStdString(line);
    return result;
}

Person person(const char* first, const char* last, const char* company = "") {
    Person p;
    p.FName = first;
    p.LName = last;
    p.Company = company;
    return p;
}

} // namespace

class TestAddressTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void trim_data();
    void trim();
    void nameLine_data();
    void nameLine();
    void sortOrder();
    void cityLines_data();
    void cityLines();
    void addressBookColumns();
    void envelopeBlocks();
    void envelopeBlocksWithoutBusinessPages();
};

void TestAddressTexts::trim_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("both");
    QTest::addColumn<QByteArray>("trailing");
    QTest::newRow("empty") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("blanks only") << QByteArray(" \t\n\v\f\r") << QByteArray() << QByteArray();
    QTest::newRow("both ends") << QByteArray("\t a b \r\n") << QByteArray("a b") << QByteArray("\t a b");
    // A non-breaking space and other high bytes are text, not blanks.
    QTest::newRow("high bytes") << QByteArray("\xa0x\xc3\xa9 ") << QByteArray("\xa0x\xc3\xa9")
                                << QByteArray("\xa0x\xc3\xa9");
}

void TestAddressTexts::trim() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, both);
    QFETCH(QByteArray, trailing);
    QCOMPARE(QByteArray::fromStdString(address::Trim(text.toStdString())), both);
    QCOMPARE(QByteArray::fromStdString(address::TrimTrailing(text.toStdString())), trailing);
}

void TestAddressTexts::nameLine_data() {
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("last");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("both") << QByteArray("Ann") << QByteArray("Smith") << QByteArray("Ann Smith");
    QTest::newRow("first padded") << QByteArray("  Ann ") << QByteArray("Smith") << QByteArray("Ann Smith");
    QTest::newRow("first blank") << QByteArray("   ") << QByteArray("Smith") << QByteArray("Smith");
    QTest::newRow("last empty") << QByteArray("Ann") << QByteArray() << QByteArray("Ann ");
    // Each field reads on its own: Windows-1252 from an older file beside UTF-8 typed here.
    QTest::newRow("older first, typed last")
        << QByteArray("Jos\xe9") << QByteArray("Zo\xc3\xab") << QByteArray("Jos\xc3\xa9 Zo\xc3\xab");
    QTest::newRow("both older") << QByteArray("Jos\xe9") << QByteArray("M\xfcller") << QByteArray("Jos\xe9 M\xfcller");
}

void TestAddressTexts::nameLine() {
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, last);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(address::NameLine(person(first.constData(), last.constData()))), expected);
}

void TestAddressTexts::sortOrder() {
    // Persons without a name come first, by company; the rest by name, byte by byte.
    std::vector<Person> persons = {person("Ann", "Smith"), person("bob", "smith"), person("", "", "Zeta Corp"),
                                   person("Al", "Smith"),  person("", "Adams"),    person("Zoe", ""),
                                   person("", "", "Acme")};
    address::SortForAddressBook(persons);
    QStringList order;
    for (const Person& p : persons)
        order << QString::fromStdString(DisplayName(p) + "|" + p.Company);
    QCOMPARE(order, (QStringList{"|Acme", "|Zeta Corp", "Adams|", "Smith, Al|", "Smith, Ann|", "Zoe|", "smith, bob|"}));
}

void TestAddressTexts::cityLines_data() {
    QTest::addColumn<QByteArray>("city");
    QTest::addColumn<QByteArray>("state");
    QTest::addColumn<QByteArray>("zip");
    QTest::addColumn<QByteArray>("addressBook");
    QTest::addColumn<QByteArray>("envelope");
    const auto row = [](const char* name, const char* city, const char* state, const char* zip, const char* book,
                        const char* envelope) {
        QTest::newRow(name) << QByteArray(city) << QByteArray(state) << QByteArray(zip) << QByteArray(book)
                            << QByteArray(envelope);
    };
    row("full", "Springfield", "IL", "62701", "Springfield, IL 62701", "Springfield, IL 62701");
    row("no state", "Springfield", "", "62701", "Springfield, 62701", "Springfield 62701");
    row("no city", "", "IL", "62701", "IL 62701", ", IL 62701");
    row("padded city", " Springfield \t", "IL", "62701", "Springfield, IL 62701", "Springfield, IL 62701");
    row("no zip", "Springfield", "IL", "", "Springfield, IL", "Springfield, IL");
    row("nothing", "", "", "", "", "");
    row("older city, typed state", "K\xf6ln", "N\xc3\xa9", "1", "K\xc3\xb6ln, N\xc3\xa9 1", "K\xc3\xb6ln, N\xc3\xa9 1");
}

void TestAddressTexts::cityLines() {
    QFETCH(QByteArray, city);
    QFETCH(QByteArray, state);
    QFETCH(QByteArray, zip);
    QFETCH(QByteArray, addressBook);
    QFETCH(QByteArray, envelope);
    Person p;
    p.City = city.toStdString();
    p.State = state.toStdString();
    p.Zip = zip.toStdString();
    QCOMPARE(QByteArray::fromStdString(address::AddressBookCityLine(p)), addressBook);
    QCOMPARE(QByteArray::fromStdString(address::EnvelopeCityLine(p)), envelope);
}

void TestAddressTexts::addressBookColumns() {
    Person p = person("Ann", "Smith", "R&D %s %n");
    p.Position = "Chief";
    p.Addr1 = "";
    p.Addr2 = "Suite 5";
    p.City = "Springfield";
    p.State = "IL";
    p.Zip = "62701";
    p.HmPhone = "555-0101";
    p.WkPhone = "555-0100";
    p.WkExt = "12";
    p.EMail = "ann@example.com";
    QCOMPARE(
        toList(address::AddressBookLeftColumn(p)),
        (QStringList{"Ann Smith", "Company: R&D %s %n", "Position: Chief", "", "Suite 5", "Springfield, IL 62701"}));
    QCOMPARE(toList(address::AddressBookRightColumn(p)),
             (QStringList{"Home Phone: 555-0101", "Work Phone: 555-0100 Ext. 12", "Fax: ", "E-Mail: ann@example.com",
                          "Pager: ", "CelPhone: ", "Web Page: "}));
    p.Addr2.clear();
    QCOMPARE(address::AddressBookLeftColumn(p).size(), std::size_t(5));
    p.WkExt.clear();
    QCOMPARE(QString::fromStdString(address::AddressBookRightColumn(p)[1]), QStringLiteral("Work Phone: 555-0100"));
}

void TestAddressTexts::envelopeBlocks() {
    User user;
    user.FName = "Ann  ";
    user.LName = "Owner ";
    user.Company = "Owner Ltd";
    user.Addr1 = "1 Main St";
    user.City = "Springfield ";
    user.State = "";
    user.Zip = "62701";
    QCOMPARE(toList(address::SenderLines(user, true)),
             (QStringList{"Ann Owner", "Owner Ltd", "1 Main St", "Springfield, 62701"}));
    Person p = person(" Bob ", "Jones", "Jones & Co");
    p.Addr1 = "2 Side St";
    p.Addr2 = "  ";
    p.City = "Shelbyville";
    p.State = "IL";
    p.Zip = "62565";
    QCOMPARE(toList(address::RecipientLines(p, true)),
             (QStringList{"Bob Jones", "Jones & Co", "2 Side St", "Shelbyville, IL 62565"}));
    // A first name alone leaves no blank after it on an envelope.
    p.LName.clear();
    QCOMPARE(QString::fromStdString(address::RecipientLines(p, true)[0]), QStringLiteral("Bob"));
}

void TestAddressTexts::envelopeBlocksWithoutBusinessPages() {
    User user;
    user.FName = "Ann";
    user.LName = "Owner";
    user.Company = "Owner Ltd";
    user.Addr2 = "Flat 2";
    QCOMPARE(toList(address::SenderLines(user, false)), (QStringList{"Ann Owner", "", "Flat 2", ","}));
    Person p = person("Bob", "Jones", "Jones & Co");
    QCOMPARE(toList(address::RecipientLines(p, false)), (QStringList{"Bob Jones", "", ""}));
}

TAVORO_TEST_MAIN(TestAddressTexts)
#include "TestAddressTexts.moc"
