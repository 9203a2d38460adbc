#include "RecordDump.h"

#include "docfile/DocumentFormat.h"
#include "docfile/DocumentWriter.h"
#include "docfile/PimDocument.h"
#include "exchange/PersonCard.h"
#include "exchange/TextEncoding.h"
#include "exchange/VCardExchange.h"
#include "platform/AtomicFile.h"
#include "support/FakePromptService.h"
#include "support/OneIdLeft.h"
#include "support/RecordBuilders.h"
#include "support/TestMain.h"

namespace {

// Persons whose text is hard on the format: separators, escapes, line breaks, non-ASCII, the
// Windows-1252 bytes of older documents, lines long enough to fold inside a UTF-8 character.
void addHostilePersons(PimDocument& document) {
    Person a;
    a.FName = "Ann, \"the\" ;one";
    a.LName = "O'Neil; Jr.\\";
    a.Company = "Smith, Jones; Partners \\ Co";
    a.Position = "  spaced  ";
    a.Addr1 = "1 Main St, Apt 4";
    a.Addr2 = "Building; B";
    a.City = "K\xc3\xb6ln";
    a.State = "NRW";
    a.Zip = "50667";
    a.HmPhone = "555-0100";
    a.WkPhone = "(555) 0101";
    a.WkExt = "12";
    a.Fax = "555-0102";
    a.Pager = "555-0103";
    a.CelPhone = "+49 170 555";
    a.EMail = "ann@example.org";
    a.WebPage = "https://example.com/a,b;c";
    a.Notes = "Line one\r\nLine two, with comma; and semicolon \\n not a break\nThird: ";
    for (int i = 0; i < 40; ++i)
        a.Notes += "\xc3\xbc\xe6\x97\xa5"; // long enough to fold between multi-byte characters
    a.Birthday = "1990-03-15";
    a.Anniversary = "--06-02";
    a.WhitePages = 1;
    document.Add(a);

    document.Add(APerson("J\xfcrgen", "M\xfcller").With(&Person::Notes, "Caf\xe9 \x80 5").YellowPages());
    document.Add(APerson().Company("Northwind").WhitePages().YellowPages());
    document.Add(APerson("", "Solo").With(&Person::WkExt, "77").With(&Person::Birthday, "--02-29").WhitePages());
}

// What a person is once it has been through a UTF-8 file: the same text, as UTF-8, line breaks as LF.
Person asUtf8(Person person) {
    for (std::string* field :
         {&person.FName, &person.LName, &person.Company, &person.Position, &person.Addr1, &person.Addr2, &person.City,
          &person.State, &person.Zip, &person.HmPhone, &person.WkPhone, &person.WkExt, &person.Fax, &person.Pager,
          &person.CelPhone, &person.EMail, &person.WebPage, &person.Notes})
        *field = exchangetext::ToUtf8(*field);
    for (size_t at; (at = person.Notes.find("\r\n")) != std::string::npos;)
        person.Notes.erase(at, 1);
    person.RName = DisplayName(person);
    return person;
}

} // namespace

class TestVCard : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data() {
        QTest::addColumn<int>("version");
        QTest::newRow("3.0") << static_cast<int>(VCardVersion::V30);
        QTest::newRow("4.0") << static_cast<int>(VCardVersion::V40);
    }
    void roundTrip() {
        QFETCH(int, version);
        PimDocument source;
        addHostilePersons(source);
        vcardexchange::ExportOptions options;
        options.version = static_cast<VCardVersion>(version);
        int written = 0;
        const std::string text = vcardexchange::ExportText(source, options, &written);
        QCOMPARE(written, 4);
        for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
            QVERIFY2(end - start <= 75, text.substr(start, end - start).c_str());

        PimDocument target;
        const ExchangeReport report = vcardexchange::ImportText(target, text);
        QCOMPARE(report.persons, 4);
        QVERIFY(report.unmapped.empty());
        PimDocument expected;
        for (const auto& [id, person] : source.Persons())
            expected.Add(asUtf8(person));
        QCOMPARE(recorddump::Persons(target.Records()), recorddump::Persons(expected.Records()));
    }

    // Byte for byte what a phone will read: the golden files of tests/data/exchange/vcard-out.
    void writer_data() {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("golden");
        QTest::newRow("3.0") << static_cast<int>(VCardVersion::V30) << QStringLiteral("person-3.0.vcf");
        QTest::newRow("4.0") << static_cast<int>(VCardVersion::V40) << QStringLiteral("person-4.0.vcf");
    }
    void writer() {
        QFETCH(int, version);
        QFETCH(QString, golden);
        PimDocument document;
        addHostilePersons(document);
        const Person& person = document.Persons().Items().begin()->second;
        const std::string text = personcard::ToText(person, "urn:uuid:0", static_cast<VCardVersion>(version));
        const QString path = QStringLiteral(TAVORO_TEST_DATA "/exchange/vcard-out/") + golden;
        if (qEnvironmentVariableIsSet("TAVORO_UPDATE_GOLDEN"))
            QVERIFY(platform::WriteFileAtomically(path, text));
        QCOMPARE(QString::fromStdString(text), QString::fromStdString(platform::ReadWholeFile(path).value_or("")));
    }

    void importingTwiceAddsNothing() {
        PimDocument document;
        // The same person, held as Windows-1252.
        document.Add(APerson("J\xfcrgen", "M\xfcller").With(&Person::EMail, "J.Mueller@example.de"));
        const std::string file = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\xc3\xbcller;J\xc3\xbcrgen\r\n"
                                 "EMAIL:j.mueller@example.de\r\nEND:VCARD\r\n"
                                 "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann Smith\r\nEND:VCARD\r\n";
        ExchangeReport first = vcardexchange::ImportText(document, file);
        QCOMPARE(first.persons, 1);
        QCOMPARE(first.alreadyPresent, 1);
        QVERIFY(document.IsModified());
        document.SetModified(false);
        ExchangeReport second = vcardexchange::ImportText(document, file);
        QCOMPARE(second.persons, 0);
        QCOMPARE(second.alreadyPresent, 2);
        QVERIFY(!document.IsModified());
        QCOMPARE(second.Lines(), QStringList({"0 persons added", "2 already present"}));
    }

    // An organisation with units comes back out as it came in, through the document file too,
    // until the company is changed.
    void organizationUnitsGoBackOut() {
        std::string file;
        for (const char* org : {"Acme Labs;Research\\, East", "Acme Labs;Sales", "Solo Inc"})
            file += std::string("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Someone\r\nORG:") + org + "\r\nEND:VCARD\r\n";
        PimDocument imported;
        QCOMPARE(vcardexchange::ImportText(imported, file).persons, 3);
        PimDocument document;
        FakePromptService prompt;
        QVERIFY(DocumentFormat::Load(DocumentWriter::Write(imported.Records()), document, prompt));
        std::vector<Person> persons;
        for (const auto& [id, person] : document.Persons())
            persons.push_back(person);
        QCOMPARE(persons[0].Company, std::string("Acme Labs, Research, East"));
        QVERIFY(persons[2].CardOrg.empty());
        persons[1].Company = "Acme Labs";
        QVERIFY(document.Change(persons[1]));
        const std::string text = vcardexchange::ExportText(document, {}, nullptr);
        std::vector<std::string> organizations;
        for (std::size_t at = 0; (at = text.find("\r\nORG:", at)) != std::string::npos; at += 2)
            organizations.push_back(text.substr(at + 2, text.find('\r', at + 2) - at - 2));
        QCOMPARE(organizations,
                 std::vector<std::string>({"ORG:Acme Labs;Research\\, East", "ORG:Acme Labs", "ORG:Solo Inc"}));
    }

    void noIdLeftTakesBackTheImport() {
        PimDocument source;
        source.Add(APerson("Ann", "Smith"));
        source.Add(APerson("Bert", "Jones"));
        PimDocument document;
        LoadWithOneIdLeft(document, RecordKind::Person);
        const ExchangeReport report =
            vcardexchange::ImportText(document, vcardexchange::ExportText(source, {}, nullptr));
        QCOMPARE(report.error,
                 QStringLiteral("No more records can be added: every ID is taken. Nothing was imported."));
        QCOMPARE(document.Persons().Count(), std::size_t(1));
        QVERIFY(!document.IsModified());
    }

    void extension_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("extension");
        QTest::newRow("none") << "(555) 010-2000"
                              << "(555) 010-2000"
                              << "";
        QTest::newRow("x") << "555-0100 x12"
                           << "555-0100"
                           << "12";
        QTest::newRow("X spaced") << "555-0100 X 12"
                                  << "555-0100"
                                  << "12";
        QTest::newRow("ext.") << "555-0100 ext. 345"
                              << "555-0100"
                              << "345";
        QTest::newRow("Extension,") << "555-0100, Extension 7"
                                    << "555-0100"
                                    << "7";
        QTest::newRow("hash") << "555-0100#9"
                              << "555-0100"
                              << "9";
        QTest::newRow("word ending in x") << "BOX12"
                                          << "BOX12"
                                          << "";
        QTest::newRow("extension alone") << "ext. 55"
                                         << ""
                                         << "55";
        QTest::newRow("marker without digits") << "555 ext"
                                               << "555 ext"
                                               << "";
    }
    void extension() {
        QFETCH(QString, number);
        QFETCH(QString, phone);
        QFETCH(QString, extension);
        std::string gotPhone, gotExtension;
        personcard::SplitExtension(number.toStdString(), gotPhone, gotExtension);
        QCOMPARE(QString::fromStdString(gotPhone), phone);
        QCOMPARE(QString::fromStdString(gotExtension), extension);
    }
};

TAVORO_TEST_MAIN(TestVCard)
#include "TestVCard.moc"
