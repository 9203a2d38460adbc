#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <atomic>
#include <memory>
#include <vector>

class QNetworkAccessManager;

namespace davsync {

struct DavRequest {
    QByteArray method;
    QUrl url;
    QByteArray body;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray contentType = "application/xml; charset=utf-8";
};

// Why a request did not get an answer the caller can use.
enum class DavFailure { None, Unreachable, Timeout, Unauthorized, Cancelled, Tls };

struct DavResponse {
    int status = 0;
    DavFailure failure = DavFailure::None;
    QString error; // the network's own words when there was no answer
    QByteArray body;
    QByteArray etag;
    QUrl url;      // where the answer came from
    QUrl redirect; // where a 3xx answer points
    bool Ok() const { return failure == DavFailure::None && status >= 200 && status < 300; }
};

// Blocking HTTP and WebDAV requests on a QNetworkAccessManager of the calling thread: each call
// waits in a local event loop, so the same code serves a worker thread and the command line.
class DavClient {
public:
    DavClient(QString user, QString password, int timeoutSeconds, const std::atomic<bool>* cancelled = nullptr);
    ~DavClient();
    DavClient(const DavClient&) = delete;
    DavClient& operator=(const DavClient&) = delete;

    DavResponse Send(const DavRequest& request);
    // Sends several at once (the manager keeps a few connections to the host busy); the answers
    // come in the order of the requests.
    std::vector<DavResponse> SendAll(const std::vector<DavRequest>& requests);

    // How many requests that change the server (PUT, DELETE, MKCOL, MKCALENDAR) were sent.
    int Writes() const { return m_writes; }

    // The failure in words for the report, e.g. "wrong user name or password".
    static QString Describe(const DavResponse& response, const QUrl& url);

private:
    std::unique_ptr<QNetworkAccessManager> m_network;
    QByteArray m_authorization;
    int m_timeoutMs;
    const std::atomic<bool>* m_cancelled;
    int m_writes = 0;
};

} // namespace davsync
