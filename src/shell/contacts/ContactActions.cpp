#include "ContactActions.h"

#include "core/PimRecords.h"
#include "platform/ContactUrls.h"
#include "platform/PhoneDialer.h"
#include "platform/PromptService.h"
#include "platform/TextCodec.h"
#include "platform/UrlOpener.h"

using platform::DialResult;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

QString dialFailure(DialResult result) {
    switch (result) {
    case DialResult::Placed:
        return {};
    case DialResult::InvalidNumber:
        return QStringLiteral("The number you have tried to dial is not valid. Please correct it and try again.");
    case DialResult::QueueFull:
        return QStringLiteral("Your calling queue is full. Please try again later");
    case DialResult::NoDialer:
        return QStringLiteral("There is no phone dialer active on your computer. Ifyou have not done so, please "
                              "install the phone dialer applet from Windows Setup");
    case DialResult::Failed:
        break;
    }
    return QStringLiteral("Unknown error. The call could not be placed.");
}

} // namespace

void ContactActions::Trigger(Button button, const PimRecords& records, int personId) {
    if (const Person* person = records.Persons.Find(personId))
        Trigger(button, *person);
}

void ContactActions::Trigger(Button button, const Person& person) {
    switch (button) {
    case Button::HomePhone:
        return Dial(person.HmPhone);
    case Button::WorkPhone:
        return Dial(person.WkPhone); // the extension is shown, not dialled
    case Button::Pager:
        return Dial(person.Pager);
    case Button::CelPhone:
        return Dial(person.CelPhone);
    case Button::EMail:
        return WriteMail(person.EMail);
    case Button::WebPage:
        return OpenWebPage(person.WebPage);
    }
}

void ContactActions::Dial(const std::string& number) {
    if (number.empty())
        return;
    const QString message = dialFailure(m_dialer.dial(platform::toQString(number)));
    if (!message.isEmpty())
        m_prompts.message(message, QStringLiteral("Calling Error"), PromptButtons::Ok, PromptIcon::Stop);
}

void ContactActions::WriteMail(const std::string& address) {
    if (address.empty())
        return;
    const std::optional<QUrl> url = platform::mailtoUrl(platform::toQString(address));
    if (!url || !m_opener.open(*url))
        m_prompts.message(QStringLiteral("Error opening E-mail client"), QStringLiteral("E-Mail Error"),
                          PromptButtons::Ok, PromptIcon::Stop);
}

void ContactActions::OpenWebPage(const std::string& address) {
    if (address.empty())
        return;
    const std::optional<QUrl> url = platform::webPageUrl(platform::toQString(address));
    if (!url || !m_opener.open(*url))
        m_prompts.message(QStringLiteral("Error opening web browser"), QStringLiteral("Web Browser Error"),
                          PromptButtons::Ok, PromptIcon::Stop);
}
