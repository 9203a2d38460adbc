#include "docfile/PimDocument.h"
#include "shell/DayView.h"
#include "shell/DetailPane.h"
#include "shell/contacts/ContactActions.h"
#include "support/FakePhoneDialer.h"
#include "support/FakePromptService.h"
#include "support/FakeUrlOpener.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QObject>
#include <QPushButton>

namespace {

// A day view over a document with one person in the white pages, its buttons wired to fakes.
struct PhoneBook {
    explicit PhoneBook(const Person& person) : personId(addPerson(document, person)), view(document) {
        view.SetContactActions(&actions);
    }
    static int addPerson(PimDocument& document, Person person) {
        person.WhitePages = 1;
        return document.Persons.Add(person);
    }
    void selectPerson() { view.Controller().ClickPhoneBook(0); }
    QWidget* value(PersonDetails::Field field) const { return view.Details()->ValueWidget(field); }
    QPushButton* button(PersonDetails::Field field) const { return qobject_cast<QPushButton*>(value(field)); }

    PimDocument document;
    int personId;
    DayView view;
    FakePhoneDialer dialer;
    FakeUrlOpener opener;
    FakePromptService prompts;
    ContactActions actions{dialer, opener, prompts};
};

Person tomAndJerry() {
    Person person;
    person.RName = "Tom & Jerry";
    person.WkPhone = "555-0100";
    person.WkExt = "12";
    person.EMail = "Tom&Jerry@example.com";
    person.WebPage = "example.com/a&b";
    return person;
}

} // namespace

class TestDayViewContacts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void paneShowsEachField_data();
    void paneShowsEachField();
    void buttonsSendTheFieldNotTheirText();
    void personGoneSinceThePaneWasFilled();
};

void TestDayViewContacts::paneShowsEachField_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("extension");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("enabled");
    const QString none = QStringLiteral("Not Available");
    QTest::newRow("home empty") << int(PersonDetails::HomePhone) << QByteArray() << QByteArray() << none << false;
    QTest::newRow("work with extension") << int(PersonDetails::WorkPhone) << QByteArray("555-0100") << QByteArray("12")
                                         << "555-0100x12" << true;
    QTest::newRow("cel") << int(PersonDetails::CelPhone) << QByteArray("+1 555") << QByteArray() << "+1 555" << true;
    QTest::newRow("e-mail with ampersand") << int(PersonDetails::EMail) << QByteArray("Tom&Jerry@example.com")
                                           << QByteArray() << "Tom&&Jerry@example.com" << true;
    QTest::newRow("web page") << int(PersonDetails::WebPage) << QByteArray("example.com/a&b") << QByteArray()
                              << "example.com/a&&b" << true;
    QTest::newRow("fax as plain text") << int(PersonDetails::Fax) << QByteArray("<b>555</b> & 1") << QByteArray()
                                       << "<b>555</b> & 1" << true;
}

void TestDayViewContacts::paneShowsEachField() {
    QFETCH(int, field);
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, extension);
    QFETCH(QString, shown);
    QFETCH(bool, enabled);
    Person person;
    person.RName = "Someone";
    person.WkExt = extension.toStdString();
    std::string* fields[] = {&person.HmPhone,  &person.WkPhone, &person.Pager,  &person.Fax,
                             &person.CelPhone, &person.EMail,   &person.WebPage};
    *fields[field] = stored.toStdString();
    PhoneBook book(person);
    book.selectPerson();
    QWidget* value = book.value(static_cast<PersonDetails::Field>(field));
    if (auto* label = qobject_cast<QLabel*>(value)) {
        QCOMPARE(label->text(), shown);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    } else {
        QCOMPARE(qobject_cast<QPushButton*>(value)->text(), shown);
    }
    QCOMPARE(value->isEnabled(), enabled);
}

void TestDayViewContacts::buttonsSendTheFieldNotTheirText() {
    PhoneBook book(tomAndJerry());
    book.view.resize(book.view.DialogSize());
    book.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book.view));
    book.selectPerson();
    QTest::mouseClick(book.button(PersonDetails::WorkPhone), Qt::LeftButton);
    QTest::mouseClick(book.button(PersonDetails::EMail), Qt::LeftButton);
    QTest::mouseClick(book.button(PersonDetails::WebPage), Qt::LeftButton);
    QCOMPARE(book.dialer.dialled, QStringList{QStringLiteral("555-0100")});
    QCOMPARE(book.opener.opened.size(), 2);
    QCOMPARE(book.opener.opened.at(0).toString(), QStringLiteral("mailto:Tom&Jerry@example.com"));
    QCOMPARE(book.opener.opened.at(1).toString(), QStringLiteral("http://example.com/a&b"));
    QVERIFY(book.prompts.messages.isEmpty());
    QVERIFY(!book.document.IsModified());
}

void TestDayViewContacts::personGoneSinceThePaneWasFilled() {
    PhoneBook book(tomAndJerry());
    book.selectPerson();
    QVERIFY(book.button(PersonDetails::EMail)->isEnabled());
    book.document.Persons.Remove(book.personId); // as Compact or an import does before the refill
    book.button(PersonDetails::EMail)->click();
    book.button(PersonDetails::WorkPhone)->click();
    QVERIFY(book.opener.opened.isEmpty());
    QVERIFY(book.dialer.dialled.isEmpty());
    QVERIFY(book.prompts.messages.isEmpty());

    book.view.Controller().RefillPhoneBook();
    for (PersonDetails::Field field : {PersonDetails::HomePhone, PersonDetails::WorkPhone, PersonDetails::Pager,
                                       PersonDetails::CelPhone, PersonDetails::EMail, PersonDetails::WebPage}) {
        QCOMPARE(book.button(field)->text(), QStringLiteral("Not Available"));
        QVERIFY(!book.button(field)->isEnabled());
    }
}

TAVORO_TEST_MAIN(TestDayViewContacts)
#include "TestDayViewContacts.moc"
