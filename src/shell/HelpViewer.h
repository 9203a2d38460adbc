#pragma once

#include <QPointer>
#include <QString>
#include <QTextBrowser>

// Opens help topics from the HTML pages installed beside the program. A topic names a page under
// the help folder, optionally after "::" and followed by ">window"; "/html/calendar.htm>topic" is
// the page html/calendar.htm. Without a help folder every request quietly does nothing.
class HelpViewer {
public:
    // The help window belongs to `owner` (the main window), so it closes with it.
    HelpViewer(const QString& helpFolder, QWidget* owner);
    ~HelpViewer();

    // The page file a topic names; empty when the help folder or the page is missing.
    QString PageFor(const QString& topic) const;
    // Shows the topic in the help window; false when there is nothing to show.
    bool ShowTopic(const QString& topic);

    // The window once a topic has been shown (for tests).
    QTextBrowser* Browser() const { return m_browser; }

private:
    QString m_folder;
    QWidget* m_owner;
    bool m_folderMissing = false;
    QPointer<QWidget> m_window;
    QPointer<QTextBrowser> m_browser;
};
