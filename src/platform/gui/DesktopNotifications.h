#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QSet>
#include <QString>

namespace platform {

// Notices on the desktop through its notification service (org.freedesktop.Notifications over the
// session bus). Without such a service, or without a session bus, nothing is shown and nothing is
// reported: the program's own windows carry the message anyway.
class DesktopNotifications : public QObject {
    Q_OBJECT
public:
    explicit DesktopNotifications(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                  QObject* parent = nullptr);
    ~DesktopNotifications() override;

    // Sends one notice; the call does not wait for the service.
    void Show(const QString& summary, const QString& body);
    // Takes back every notice sent so far that is still showing.
    void WithdrawAll();

signals:
    // The user clicked one of our notices.
    void activated();

private slots:
    void onActionInvoked(uint id, const QString& action);
    void onNotificationClosed(uint id, uint reason);

private:
    QDBusConnection m_bus;
    QSet<uint> m_shown;
};

} // namespace platform
