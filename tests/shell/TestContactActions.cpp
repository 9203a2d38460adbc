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

using Button = ContactActions::Button;
using platform::DialResult;

namespace {

// In the white pages, with an '&' in the addresses: a button shows it doubled but sends the field.
Person filledPerson() {
    Person person;
    person.RName = "Jerry, Tom";
    person.HmPhone = "555-0101";
    person.WkPhone = "555-0100";
    person.WkExt = "12";
    person.Pager = "555-0102";
    person.CelPhone = "+1 (555) 010-0103";
    person.Fax = "<b>555</b> & 1";
    person.EMail = "Tom&Jerry@example.com";
    person.WebPage = "example.com/a&b";
    person.WhitePages = 1;
    return person;
}

// One person in a saved, unmodified document, with the parts that stand in for the desktop.
struct Desk {
    Desk() {
        personId = *document.Add(filledPerson());
        document.SetModified(false);
    }
    PimDocument document;
    int personId = 0;
    FakePhoneDialer dialer;
    FakeUrlOpener opener;
    FakePromptService prompts;
    ContactActions actions{dialer, opener, prompts};

    void click(Button button) { actions.Trigger(button, document.Records(), personId); }
    bool untouched() const {
        Person expected = filledPerson();
        expected.ID = personId;
        const Person* stored = document.Persons().Find(personId);
        return !document.IsModified() && document.Persons().Count() == 1 && stored && *stored == expected;
    }
};

// The same person selected in a day view whose detail-pane buttons are wired to the actions.
struct PhoneBook : Desk {
    PhoneBook() : view(document) {
        view.SetContactActions(&actions);
        view.Controller().ClickPhoneBook(0);
    }
    QPushButton* button(PersonDetails::Field field) const {
        return qobject_cast<QPushButton*>(view.Details()->ValueWidget(field));
    }
    DayView view;
};

const PersonDetails::Field buttons[] = {PersonDetails::HomePhone, PersonDetails::WorkPhone, PersonDetails::Pager,
                                        PersonDetails::CelPhone,  PersonDetails::EMail,     PersonDetails::WebPage};

} // namespace

Q_DECLARE_METATYPE(Button)
Q_DECLARE_METATYPE(DialResult)

class TestContactActions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonsShowAndSendTheirField();
    void dialResultsShowTheirMessage_data();
    void dialResultsShowTheirMessage();
    void failedOrRefusedAddressesShowTheirMessage_data();
    void failedOrRefusedAddressesShowTheirMessage();
    void emptyFieldsAndMissingPersonsDoNothing();
    void personGoneSinceThePaneWasFilled();
};

void TestContactActions::buttonsShowAndSendTheirField() {
    PhoneBook book;
    book.view.resize(book.view.DialogSize());
    book.view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book.view));
    QCOMPARE(book.button(PersonDetails::WorkPhone)->text(), QStringLiteral("555-0100x12"));
    QCOMPARE(book.button(PersonDetails::EMail)->text(), QStringLiteral("Tom&&Jerry@example.com"));
    QCOMPARE(book.button(PersonDetails::WebPage)->text(), QStringLiteral("example.com/a&&b"));
    auto* fax = qobject_cast<QLabel*>(book.view.Details()->ValueWidget(PersonDetails::Fax));
    QCOMPARE(fax->text(), QStringLiteral("<b>555</b> & 1"));
    QCOMPARE(fax->textFormat(), Qt::PlainText);

    for (PersonDetails::Field field : buttons)
        QTest::mouseClick(book.button(field), Qt::LeftButton);
    QCOMPARE(book.dialer.dialled, (QStringList{"555-0101", "555-0100", "555-0102", "+1 (555) 010-0103"}));
    QCOMPARE(book.opener.opened, (QList<QUrl>{QUrl("mailto:Tom&Jerry@example.com"), QUrl("http://example.com/a&b")}));
    QVERIFY(book.prompts.messages.isEmpty());
    QVERIFY(book.untouched());
}

void TestContactActions::dialResultsShowTheirMessage_data() {
    QTest::addColumn<DialResult>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("placed") << DialResult::Placed << QString();
    QTest::newRow("invalid number")
        << DialResult::InvalidNumber
        << "The number you have tried to dial is not valid. Please correct it and try again.";
    QTest::newRow("queue full") << DialResult::QueueFull << "Your calling queue is full. Please try again later";
    QTest::newRow("no dialer") << DialResult::NoDialer
                               << "There is no phone dialer active on your computer. Ifyou have not done so, please "
                                  "install the phone dialer applet from Windows Setup";
    QTest::newRow("failed") << DialResult::Failed << "Unknown error. The call could not be placed.";
}

void TestContactActions::dialResultsShowTheirMessage() {
    QFETCH(DialResult, result);
    QFETCH(QString, message);
    Desk desk;
    desk.dialer.result = result;
    desk.click(Button::HomePhone);
    if (message.isNull()) {
        QVERIFY(desk.prompts.messages.isEmpty());
    } else {
        QCOMPARE(desk.prompts.messages.size(), 1);
        QCOMPARE(desk.prompts.messages.at(0).text, message);
        QCOMPARE(desk.prompts.messages.at(0).caption, QStringLiteral("Calling Error"));
        QCOMPARE(desk.prompts.messages.at(0).icon, platform::PromptIcon::Stop);
    }
    QVERIFY(desk.untouched());
}

void TestContactActions::failedOrRefusedAddressesShowTheirMessage_data() {
    QTest::addColumn<Button>("button");
    QTest::addColumn<QByteArray>("address"); // empty: the stored one, refused by the desktop
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("caption");
    const QString mail = QStringLiteral("Error opening E-mail client");
    const QString mailCaption = QStringLiteral("E-Mail Error");
    const QString web = QStringLiteral("Error opening web browser");
    const QString webCaption = QStringLiteral("Web Browser Error");
    QTest::newRow("no mail program") << Button::EMail << QByteArray() << mail << mailCaption;
    QTest::newRow("mail header") << Button::EMail << QByteArray("a@b.c\r\nBcc: x@y.z") << mail << mailCaption;
    QTest::newRow("no browser") << Button::WebPage << QByteArray() << web << webCaption;
    QTest::newRow("script") << Button::WebPage << QByteArray("javascript:alert(1)") << web << webCaption;
    QTest::newRow("local file") << Button::WebPage << QByteArray("file:///etc/passwd") << web << webCaption;
    QTest::newRow("no host") << Button::WebPage << QByteArray("https://") << web << webCaption;
}

void TestContactActions::failedOrRefusedAddressesShowTheirMessage() {
    QFETCH(Button, button);
    QFETCH(QByteArray, address);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    Desk desk;
    desk.opener.accepts = false;
    Person person = filledPerson();
    if (!address.isEmpty()) {
        (button == Button::EMail ? person.EMail : person.WebPage) = address.toStdString();
        desk.actions.Trigger(button, person);
        QVERIFY(desk.opener.opened.isEmpty());
    } else {
        desk.click(button);
        QCOMPARE(desk.opener.opened.size(), 1);
    }
    QCOMPARE(desk.prompts.messages.size(), 1);
    QCOMPARE(desk.prompts.messages.at(0).text, message);
    QCOMPARE(desk.prompts.messages.at(0).caption, caption);
    QCOMPARE(desk.prompts.messages.at(0).icon, platform::PromptIcon::Stop);
    QVERIFY(desk.untouched());
}

void TestContactActions::emptyFieldsAndMissingPersonsDoNothing() {
    Desk desk;
    const int emptyId = *desk.document.Add(Person{});
    const int removedId = *desk.document.Add(filledPerson());
    desk.document.RemovePerson(removedId); // as Compact or an import would
    for (Button button :
         {Button::HomePhone, Button::WorkPhone, Button::Pager, Button::CelPhone, Button::EMail, Button::WebPage}) {
        for (int id : {emptyId, removedId, -1})
            desk.actions.Trigger(button, desk.document.Records(), id);
    }
    Person extensionOnly;
    extensionOnly.WkExt = "12";
    desk.actions.Trigger(Button::WorkPhone, extensionOnly);
    QVERIFY(desk.dialer.dialled.isEmpty());
    QVERIFY(desk.opener.opened.isEmpty());
    QVERIFY(desk.prompts.messages.isEmpty());
}

void TestContactActions::personGoneSinceThePaneWasFilled() {
    PhoneBook book;
    QVERIFY(book.button(PersonDetails::EMail)->isEnabled());
    book.document.RemovePerson(book.personId); // as Compact or an import does before the refill
    book.button(PersonDetails::EMail)->click();
    book.button(PersonDetails::WorkPhone)->click();
    QVERIFY(book.opener.opened.isEmpty());
    QVERIFY(book.dialer.dialled.isEmpty());
    QVERIFY(book.prompts.messages.isEmpty());

    book.view.Controller().RefillPhoneBook();
    for (PersonDetails::Field field : buttons) {
        QCOMPARE(book.button(field)->text(), QStringLiteral("Not Available"));
        QVERIFY(!book.button(field)->isEnabled());
    }
}

TAVORO_TEST_MAIN(TestContactActions)
#include "TestContactActions.moc"
