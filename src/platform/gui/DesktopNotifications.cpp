#include "DesktopNotifications.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace platform {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The action a click on the notice's body invokes.
const QString kDefaultAction = QStringLiteral("default");
} // namespace

DesktopNotifications::DesktopNotifications(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus) {
    if (!m_bus.isConnected())
        return;
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

DesktopNotifications::~DesktopNotifications() = default;

void DesktopNotifications::Show(const QString& summary, const QString& body) {
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Tavoro!") << 0u << QString() << summary << body
         << QStringList{kDefaultAction, QStringLiteral("Show")} << QVariantMap() << -1;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
        const QDBusPendingReply<uint> reply = *finished;
        if (!reply.isError())
            m_shown.insert(reply.value());
        finished->deleteLater();
    });
}

void DesktopNotifications::WithdrawAll() {
    for (uint id : std::as_const(m_shown)) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
        call << id;
        m_bus.asyncCall(call);
    }
    m_shown.clear();
}

void DesktopNotifications::onActionInvoked(uint id, const QString& action) {
    if (m_shown.contains(id) && action == kDefaultAction)
        emit activated();
}

void DesktopNotifications::onNotificationClosed(uint id, uint /*reason*/) {
    m_shown.remove(id);
}

} // namespace platform
