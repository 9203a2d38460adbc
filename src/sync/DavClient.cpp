#include "DavClient.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace davsync {

namespace {

constexpr int kMaxRedirects = 5;
// Enough to keep the server busy, and well under the connections a server takes at once
// (Radicale's default is 8): one that runs out answers 503 to everyone.
constexpr int kInFlight = 4;
// A busy server (503, 429) is asked again this often, waiting as long as it says, up to a limit.
constexpr int kBusyRetries = 3;
constexpr int kLongestWaitMs = 30000;
constexpr int kDefaultWaitMs = 1000;

bool isBusy(int status) {
    return status == 503 || status == 429;
}

// Retry-After: seconds, or an HTTP date.
int waitMs(const QByteArray& retryAfter, int attempt) {
    const QByteArray value = retryAfter.trimmed();
    bool number = false;
    const qint64 seconds = value.toLongLong(&number);
    qint64 ms = kDefaultWaitMs << attempt;
    if (number)
        ms = seconds * 1000;
    else if (const QDateTime when = QDateTime::fromString(QString::fromLatin1(value), Qt::RFC2822Date); when.isValid())
        ms = QDateTime::currentDateTimeUtc().msecsTo(when);
    return static_cast<int>(std::clamp<qint64>(ms, 0, kLongestWaitMs));
}

bool isWrite(const QByteArray& method) {
    return method == "PUT" || method == "DELETE" || method == "MKCOL" || method == "MKCALENDAR" ||
           method == "PROPPATCH";
}

DavResponse answerOf(QNetworkReply* reply, bool cancelled) {
    DavResponse response;
    response.url = reply->url();
    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    response.body = reply->readAll();
    response.etag = reply->rawHeader("ETag");
    response.retryAfter = reply->rawHeader("Retry-After");
    const QNetworkReply::NetworkError error = reply->error();
    if (response.status != 0) {
        if (response.status == 401)
            response.failure = DavFailure::Unauthorized;
        return response;
    }
    response.error = reply->errorString();
    if (cancelled)
        response.failure = DavFailure::Cancelled;
    else if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
        response.failure = DavFailure::Timeout;
    else if (error == QNetworkReply::SslHandshakeFailedError)
        response.failure = DavFailure::Tls;
    else
        response.failure = DavFailure::Unreachable;
    return response;
}

} // namespace

DavClient::DavClient(QString user, QString password, int timeoutSeconds, const std::atomic<bool>* cancelled)
    : m_network(std::make_unique<QNetworkAccessManager>()), m_timeoutMs(std::max(1, timeoutSeconds) * 1000),
      m_cancelled(cancelled), m_inFlight(kInFlight) {
    // Sent with the first request rather than after a challenge: one round trip less each time.
    if (!user.isEmpty() || !password.isEmpty())
        m_authorization = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
    m_network->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

DavClient::~DavClient() = default;

DavResponse DavClient::Send(const DavRequest& request) {
    DavRequest current = request;
    for (int hop = 0;; ++hop) {
        DavResponse response = SendAll({current}).front();
        const bool redirect = response.status == 301 || response.status == 302 || response.status == 303 ||
                              response.status == 307 || response.status == 308;
        if (!redirect || hop == kMaxRedirects)
            return response;
        if (!response.redirect.isValid())
            return response;
        current.url = response.redirect;
    }
}

std::vector<DavResponse> DavClient::SendAll(const std::vector<DavRequest>& requests) {
    std::vector<DavResponse> responses(requests.size());
    std::vector<int> attempts(requests.size(), 0);
    std::vector<std::size_t> again;                    // busy answers whose wait is over
    std::vector<std::pair<qint64, std::size_t>> waits; // busy answers waiting: until when, which
    QElapsedTimer clock;
    clock.start();
    QTimer ticker; // looks at the waits, and at a cancel meanwhile, a few times a second
    ticker.setInterval(100);
    std::size_t next = 0;
    std::size_t finished = 0;
    int running = 0;
    QEventLoop loop;
    const auto cancelled = [this] { return m_cancelled && m_cancelled->load(); };

    std::function<void()> startMore;
    startMore = [&] {
        while ((!again.empty() || next < requests.size()) && running < m_inFlight) {
            std::size_t index = 0;
            if (!again.empty()) {
                index = again.back();
                again.pop_back();
            } else {
                index = next++;
            }
            const DavRequest& request = requests[index];
            if (cancelled()) {
                responses[index] = DavResponse();
                responses[index].failure = DavFailure::Cancelled;
                ++finished;
                continue;
            }
            QNetworkRequest http(request.url);
            http.setTransferTimeout(m_timeoutMs);
            http.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
            if (!m_authorization.isEmpty())
                http.setRawHeader("Authorization", m_authorization);
            if (!request.body.isEmpty())
                http.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
            for (const auto& [name, value] : request.headers)
                http.setRawHeader(name, value);
            if (isWrite(request.method))
                ++m_writes;
            QNetworkReply* reply = m_network->sendCustomRequest(http, request.method, request.body);
            ++running;
            QObject::connect(reply, &QNetworkReply::finished, &loop, [&, reply, index] {
                responses[index] = answerOf(reply, cancelled());
                const QUrl target = reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
                if (target.isValid())
                    responses[index].redirect = reply->url().resolved(target);
                reply->deleteLater();
                --running;
                if (isBusy(responses[index].status) && attempts[index] < kBusyRetries && !cancelled()) {
                    // Too much at once for the server: one request at a time from now on, each
                    // busy one again once the server's wait is over.
                    m_inFlight = 1;
                    waits.emplace_back(clock.elapsed() + waitMs(responses[index].retryAfter, attempts[index]++), index);
                    if (!ticker.isActive())
                        ticker.start();
                } else {
                    ++finished;
                }
                startMore();
                if (finished == requests.size())
                    loop.quit();
            });
        }
        if (finished == requests.size())
            loop.quit();
    };
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.elapsed();
        for (auto it = waits.begin(); it != waits.end();) {
            if (it->first <= now || cancelled()) {
                again.push_back(it->second);
                it = waits.erase(it);
            } else {
                ++it;
            }
        }
        if (waits.empty())
            ticker.stop();
        startMore();
    });
    startMore();
    if (finished < requests.size())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return responses;
}

QString DavClient::Describe(const DavResponse& response, const QUrl& url) {
    const QString where = url.toDisplayString(QUrl::RemoveUserInfo);
    switch (response.failure) {
    case DavFailure::Unreachable:
        return QStringLiteral("The server at %1 cannot be reached: %2").arg(where, response.error);
    case DavFailure::Timeout:
        return QStringLiteral("The server at %1 did not answer in time.").arg(where);
    case DavFailure::Unauthorized:
        return QStringLiteral("The server at %1 refused the user name or password.").arg(where);
    case DavFailure::Cancelled:
        return QStringLiteral("The synchronization was cancelled.");
    case DavFailure::Tls:
        return QStringLiteral("The secure connection to %1 failed: %2").arg(where, response.error);
    case DavFailure::None:
        break;
    }
    switch (response.status) {
    case 403:
        return QStringLiteral("The server refused access to %1.").arg(where);
    case 404:
    case 410:
        return QStringLiteral("%1 is not on the server (any more).").arg(where);
    case 412:
        return QStringLiteral("%1 was changed on the server meanwhile.").arg(where);
    case 507:
        return QStringLiteral("The server at %1 is full: it has no room to store more (507 Insufficient Storage).")
            .arg(where);
    case 429:
    case 503:
        return QStringLiteral("The server at %1 is too busy to answer (%2), also after waiting and asking again.")
            .arg(where)
            .arg(response.status);
    default:
        return QStringLiteral("The server answered %1 for %2.").arg(response.status).arg(where);
    }
}

} // namespace davsync
