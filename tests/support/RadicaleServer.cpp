#include "RadicaleServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Radicale syncs every write to the disk; a throwaway store goes to memory where the system offers it.
QString storageTemplate() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    return memory.isDir() && memory.isWritable() ? QStringLiteral("/dev/shm/tavoro-radicale-XXXXXX")
                                                 : QDir::tempPath() + QStringLiteral("/tavoro-radicale-XXXXXX");
}

bool writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

RadicaleServer::RadicaleServer(const QString& user, const QString& password)
    : m_storage(storageTemplate()), m_port(freePort()) {
    const QString folder = m_folder.path();
    QByteArray auth = "[auth]\ntype = none\n";
    if (!user.isEmpty()) {
        writeFile(folder + QStringLiteral("/users"), (user + QLatin1Char(':') + password + QLatin1Char('\n')).toUtf8());
        auth = "[auth]\ntype = htpasswd\nhtpasswd_filename = " + (folder + QStringLiteral("/users")).toUtf8() +
               "\nhtpasswd_encryption = plain\n";
    }
    writeFile(folder + QStringLiteral("/config"),
              "[server]\nhosts = 127.0.0.1:" + QByteArray::number(m_port) + "\n" + auth +
                  "[storage]\nfilesystem_folder = " + m_storage.path().toUtf8() + "\n[logging]\nlevel = warning\n");
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
}

RadicaleServer::~RadicaleServer() {
    Stop();
}

bool RadicaleServer::Start() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("radicale"));
    if (program.isEmpty()) {
        m_problem = QStringLiteral("radicale is not installed (scripts/setup.sh installs it)");
        return false;
    }
    m_process.start(program, {QStringLiteral("--config"), m_folder.path() + QStringLiteral("/config")});
    if (!m_process.waitForStarted(10000)) {
        m_problem = m_process.errorString();
        return false;
    }
    // Ready once it takes connections.
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(m_port));
        if (socket.waitForConnected(200))
            return true;
        m_process.waitForFinished(50); // also notices a server that ended at once
    }
    m_problem = QStringLiteral("radicale did not answer on port %1").arg(m_port);
    return false;
}

void RadicaleServer::Stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}

QUrl RadicaleServer::Url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port));
}
