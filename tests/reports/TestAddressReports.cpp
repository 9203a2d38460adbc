#include "ReportFixtures.h"
#include "platform/gui/RecordingSurface.h"
#include "reports/AddressBookReport.h"
#include "reports/EnvelopeReport.h"
#include "support/TestMain.h"

#include <QObject>

#include <algorithm>

using platform::RecordingSurface;

// On letter paper (see the fixtures) the columns start at 491 and 2441.
namespace {

using namespace fixtures::letter;

constexpr int kCol1 = 491;
constexpr int kCol2 = 2441;

Person person(const char* first, const char* last, const char* company = "") {
    Person p = fixtures::person(0, first, last);
    p.Company = company;
    return p;
}

std::vector<Person> numbered(int count) {
    std::vector<Person> persons;
    for (int i = 0; i < count; ++i)
        persons.push_back(person("Ann", qPrintable(QStringLiteral("Name%1").arg(i, 3, 10, QLatin1Char('0')))));
    return persons;
}

// Texts drawn in column x, top to bottom.
QStringList column(const RecordingSurface& surface, int x) {
    QStringList result;
    for (const auto& call : surface.texts())
        if (call.x == x)
            result << call.text;
    return result;
}

} // namespace

class TestAddressReports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyAddressBookHasNoPages();
    void oneEntry();
    void laterPagesStartAtTheSameHeight();
    void entryTallerThanThePageNeverLeavesABlankPage();
    void envelopes_data();
    void envelopes();
    void envelopesKeepIdOrderAndOnePersonAPage();
};

void TestAddressReports::emptyAddressBookHasNoPages() {
    RecordingSurface layout;
    AddressBookReport report(&layout, {});
    report.SetMargins(PageMargins{});
    QCOMPARE(report.GetPageCount(), 0);
    EnvelopeReport envelopes(&layout, User(), {}, false);
    envelopes.SetMargins(PageMargins{});
    QCOMPARE(envelopes.GetPageCount(), 0);
}

void TestAddressReports::oneEntry() {
    Person p = person("Ann", "Smith", "R&D");
    p.Addr2 = "Suite 5";
    p.State = "";
    p.WkPhone = "555-0100";
    RecordingSurface layout;
    AddressBookReport report(&layout, {p});
    report.SetMargins(PageMargins{});
    QCOMPARE(report.GetPageCount(), 1);
    RecordingSurface surface;
    report.PrintPage(&surface, 0);

    const int y0 = kTop + 2 * kLine;
    QCOMPARE(column(surface, kCol1),
             (QStringList{"Ann Smith", "Company: R&D", "Position: ", "1 Main St", "Suite 5", "Springfield, 62701"}));
    QCOMPARE(column(surface, kCol2), (QStringList{"Home Phone: ", "Work Phone: 555-0100",
                                                  "Fax: ", "E-Mail: ", "Pager: ", "CelPhone: ", "Web Page: "}));
    QCOMPARE(surface.findText(QStringLiteral("Ann Smith"))->y, y0);
    QCOMPARE(surface.findText(QStringLiteral("Springfield, 62701"))->y, y0 + 5 * kLine);
    QCOMPARE(surface.findText(QStringLiteral("Web Page: "))->y, y0 + 6 * kLine);
    QCOMPARE(surface.findText(QStringLiteral("Ann Smith"))->font, report.NormalFont());

    // Title, footer, the frame's six strokes and the entry's rule.
    QCOMPARE(surface.findText(QStringLiteral("ADDRESS BOOK"))->y, kTop);
    QCOMPARE(surface.findText(QStringLiteral("Page 1 of 1"))->y, kBottom - kLine);
    QCOMPARE(surface.lines().size(), std::size_t(7));
    QCOMPARE(surface.lines().back(), (RecordingSurface::LineCall{kCol1, y0 + 7 * kLine, kRight, y0 + 7 * kLine, {}}));
}

void TestAddressReports::laterPagesStartAtTheSameHeight() {
    std::vector<Person> persons = numbered(12);
    std::reverse(persons.begin(), persons.end()); // the report sorts them
    RecordingSurface layout;
    AddressBookReport report(&layout, persons);
    report.SetMargins(PageMargins{});
    // Entries of 8 lines from 672 down: five fit above 5850.
    QCOMPARE(report.GetPageCount(), 3);
    QCOMPARE(report.GetPages()[0].size(), std::size_t(5));
    QCOMPARE(report.GetPages()[2].size(), std::size_t(2));
    const int footerTop = kBottom - kLine;
    for (int page = 0; page < 3; ++page) {
        RecordingSurface surface;
        report.PrintPage(&surface, page);
        const QString first = QStringLiteral("Ann Name%1").arg(5 * page, 3, 10, QLatin1Char('0'));
        QCOMPARE(column(surface, kCol1).first(), first);
        QCOMPARE(surface.findText(first)->y, kTop + 2 * kLine);
        QCOMPARE(surface.findText(QStringLiteral("Page %1 of 3").arg(page + 1))->y, footerTop);
        for (const auto& call : surface.texts())
            if (call.x == kCol1 || call.x == kCol2)
                QVERIFY(call.y + kLine <= footerTop);
        QVERIFY(surface.lines().back().y1 <= footerTop);
    }
}

void TestAddressReports::entryTallerThanThePageNeverLeavesABlankPage() {
    RecordingSurface layout;
    AddressBookReport report(&layout, numbered(3));
    report.SetMargins(PageMargins{});
    report.SetPointSize(60); // eight lines of 60-point type are taller than the page
    QCOMPARE(report.GetPageCount(), 3);
    for (const auto& page : report.GetPages())
        QCOMPARE(page.size(), std::size_t(1));
}

void TestAddressReports::envelopes_data() {
    QTest::addColumn<bool>("yellow");
    QTest::addColumn<QStringList>("sender");
    QTest::addColumn<QStringList>("recipient");
    QTest::newRow("white pages") << false << QStringList{"Owen Owner", "9 High St", "Capital, ST 10001"}
                                 << QStringList{"Ann Smith", "1 Main St", "Springfield, IL 62701"};
    QTest::newRow("yellow pages") << true << QStringList{"Owen Owner", "Owner Ltd", "9 High St", "Capital, ST 10001"}
                                  << QStringList{"Ann Smith", "Smith & Co", "1 Main St", "Springfield, IL 62701"};
}

void TestAddressReports::envelopes() {
    QFETCH(bool, yellow);
    QFETCH(QStringList, sender);
    QFETCH(QStringList, recipient);
    User user;
    user.FName = "Owen";
    user.LName = "Owner";
    user.Company = "Owner Ltd";
    user.Addr1 = "9 High St";
    user.City = "Capital";
    user.State = "ST";
    user.Zip = "10001";
    RecordingSurface layout;
    EnvelopeReport report(&layout, user, {person("Ann", "Smith", "Smith & Co")}, yellow);
    report.SetMargins(PageMargins{});
    QCOMPARE(report.GetPageCount(), 1);
    RecordingSurface surface;
    report.PrintPage(&surface, 0);

    QCOMPARE(column(surface, kCol1), sender);
    for (int i = 0; i < sender.size(); ++i)
        QCOMPARE(surface.findText(sender[i])->y, kTop + i * kLine);
    // Every recipient line starts where the centred city line does.
    const int x = kCol2 - int(recipient.last().size()) * kChar / 2;
    QCOMPARE(column(surface, x), recipient);
    for (int i = 0; i < recipient.size(); ++i)
        QCOMPARE(surface.findText(recipient[i])->y, (kBottom - kTop) / 2 + kLine + i * kLine);
    QVERIFY(surface.lines().empty());
    QCOMPARE(surface.texts().size(), std::size_t(sender.size() + recipient.size()));
}

void TestAddressReports::envelopesKeepIdOrderAndOnePersonAPage() {
    Person zed = person("Zed", "Young");
    zed.ID = 1;
    Person amy = person("Amy", "Adams");
    amy.ID = 2;
    RecordingSurface layout;
    EnvelopeReport report(&layout, User(), {zed, amy}, false);
    report.SetMargins(PageMargins{});
    QCOMPARE(report.GetPageCount(), 2);
    RecordingSurface first;
    report.PrintPage(&first, 0);
    QVERIFY(first.findText(QStringLiteral("Zed Young")));
    QVERIFY(!first.findText(QStringLiteral("Amy Adams")));
    RecordingSurface second;
    report.PrintPage(&second, 1);
    QVERIFY(second.findText(QStringLiteral("Amy Adams")));
}

TAVORO_TEST_MAIN(TestAddressReports)
#include "TestAddressReports.moc"
