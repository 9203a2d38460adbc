#pragma once

#include "ContactActions.h"
#include "platform/CheckedUrlOpener.h"
#include "platform/DesktopPhoneDialer.h"
#include "platform/ProcessRunner.h"
#include "platform/SchemeHandlers.h"
#include "platform/gui/DesktopUrlOpener.h"

// The desktop's dialer, mail program and browser behind the detail pane, for the whole run.
class DesktopContacts {
public:
    explicit DesktopContacts(platform::PromptService& prompts) : m_actions(m_dialer, m_checkedOpener, prompts) {}
    DesktopContacts(const DesktopContacts&) = delete;
    DesktopContacts& operator=(const DesktopContacts&) = delete;

    ContactActions& Actions() { return m_actions; }

private:
    platform::ProcessRunner m_runner;
    platform::SchemeHandlers m_handlers{m_runner};
    platform::DesktopUrlOpener m_opener;
    // Mail and web addresses, like numbers, go out only when a program will take them.
    platform::CheckedUrlOpener m_checkedOpener{m_handlers, m_opener};
    platform::DesktopPhoneDialer m_dialer{m_handlers, m_opener};
    ContactActions m_actions;
};
