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
    QByteArray retryAfter; // how long a busy server asks to wait (seconds or a date)
    QUrl url;              // where the answer came from
    QUrl redirect;         // where a 3xx answer points
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
    // Sends several at once (a few in flight, one at a time once the server said it was busy); the
    // answers come in the order of the requests. A busy server (503, 429) is asked again after the
    // wait it names, a few times.
    std::vector<DavResponse> SendAll(const std::vector<DavRequest>& requests);

    bool Cancelled() const { return m_cancelled && m_cancelled->load(); }

    // How many requests that change the server (PUT, DELETE, MKCOL, MKCALENDAR) were sent.
    int Writes() const { return m_writes; }

    // The failure in words for the report, e.g. "wrong user name or password".
    static QString Describe(const DavResponse& response, const QUrl& url);

private:
    std::unique_ptr<QNetworkAccessManager> m_network;
    QByteArray m_authorization;
    int m_timeoutMs;
    const std::atomic<bool>* m_cancelled;
    int m_inFlight;
    int m_writes = 0;
};

} // namespace davsync
