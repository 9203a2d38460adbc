#pragma once

#include <string>

namespace platform {
class PhoneDialer;
class PromptService;
class UrlOpener;
} // namespace platform

class PimRecords;
struct Person;

// The detail pane's buttons: dial a number, write mail, open the web page. Each reads the person's
// own field (never what a button shows), hands it to the desktop and reports a failure with a
// message box. Nothing here changes the document.
class ContactActions {
public:
    enum class Button { HomePhone, WorkPhone, Pager, CelPhone, EMail, WebPage };

    ContactActions(platform::PhoneDialer& dialer, platform::UrlOpener& opener, platform::PromptService& prompts)
        : m_dialer(dialer), m_opener(opener), m_prompts(prompts) {}

    // The person selected in the phone book, looked up now: no selection (-1), or a person that left
    // the document since the pane was filled (Compact, an import), does nothing.
    void Trigger(Button button, const PimRecords& records, int personId);
    void Trigger(Button button, const Person& person);

private:
    void Dial(const std::string& number);
    void WriteMail(const std::string& address);
    void OpenWebPage(const std::string& address);

    platform::PhoneDialer& m_dialer;
    platform::UrlOpener& m_opener;
    platform::PromptService& m_prompts;
};
