#pragma once

#include "ContactActions.h"
#include "platform/DesktopPhoneDialer.h"
#include "platform/ProcessRunner.h"
#include "platform/gui/DesktopUrlOpener.h"

// The desktop's dialer, mail program and browser behind the detail pane, for the whole run.
class DesktopContacts {
public:
    explicit DesktopContacts(platform::PromptService& prompts) : m_actions(m_dialer, m_opener, prompts) {}
    DesktopContacts(const DesktopContacts&) = delete;
    DesktopContacts& operator=(const DesktopContacts&) = delete;

    ContactActions& Actions() { return m_actions; }

private:
    platform::ProcessRunner m_runner;
    platform::DesktopUrlOpener m_opener;
    platform::DesktopPhoneDialer m_dialer{m_runner, m_opener};
    ContactActions m_actions;
};
