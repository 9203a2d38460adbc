#include "DavProxy.h"

#include <QNetworkReply>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

QByteArray reason(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 207:
        return "Multi-Status";
    case 429:
        return "Too Many Requests";
    case 503:
        return "Service Unavailable";
    case 507:
        return "Insufficient Storage";
    default:
        return "Status";
    }
}

} // namespace

DavProxy::DavProxy(const QUrl& target) : m_target(target) {
    m_network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_buffers.remove(socket);
                socket->deleteLater();
            });
        }
    });
}

DavProxy::~DavProxy() {
    // The connections end with the server below, after the buffers are gone: they must not call back.
    for (QTcpSocket* socket : m_server.findChildren<QTcpSocket*>())
        socket->disconnect(this);
}

bool DavProxy::Start() {
    return m_server.listen(QHostAddress::LocalHost, 0);
}

QUrl DavProxy::Url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort()));
}

void DavProxy::Answer(const QByteArray& method, int status, int count, int retryAfter) {
    m_rules.push_back({method, status, count, retryAfter});
}

void DavProxy::read(QTcpSocket* socket) {
    QByteArray& buffer = m_buffers[socket];
    buffer += socket->readAll();
    const int headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> request = lines.front().trimmed().split(' ');
    QList<QPair<QByteArray, QByteArray>> headers;
    int length = 0;
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = lines[i].left(colon).trimmed();
        const QByteArray value = lines[i].mid(colon + 1).trimmed();
        if (name.compare("Content-Length", Qt::CaseInsensitive) == 0)
            length = value.toInt();
        headers.append({name, value});
    }
    if (buffer.size() < headerEnd + 4 + length)
        return;
    const QByteArray body = buffer.mid(headerEnd + 4, length);
    buffer.remove(0, headerEnd + 4 + length);
    handle(socket, request.value(0), request.value(1), headers, body);
}

void DavProxy::handle(QTcpSocket* socket, const QByteArray& method, const QByteArray& path,
                      const QList<QPair<QByteArray, QByteArray>>& headers, const QByteArray& body) {
    ++m_requests[method];
    const bool listing = method == "REPORT" && body.contains("sync-collection");
    if (listing)
        ++m_listings;
    for (Rule& rule : m_rules) {
        if (rule.method != method || rule.count == 0)
            continue;
        if (rule.count > 0)
            --rule.count;
        QList<QPair<QByteArray, QByteArray>> extra;
        if (rule.retryAfter >= 0)
            extra.append({"Retry-After", QByteArray::number(rule.retryAfter)});
        reply(socket, rule.status, extra, QByteArray());
        return;
    }
    if (listing && m_cutAt > 0) {
        static const QRegularExpression tokenPattern(QStringLiteral("<([A-Za-z0-9]+:|)sync-token>([^<]*)<"));
        const QByteArray token = tokenPattern.match(QString::fromUtf8(body)).captured(2).toUtf8();
        if (m_rests.contains(token)) {
            reply(socket, 207, {{"Content-Type", "application/xml; charset=utf-8"}}, nextPart(token));
            return;
        }
    }
    QNetworkRequest request(m_target.resolved(QUrl::fromEncoded(path)));
    for (const auto& [name, value] : headers) {
        const QByteArray lower = name.toLower();
        // The proxy's own client asks for compression and undoes it; a client's wish would pass
        // compressed bytes through without saying so.
        if (lower != "host" && lower != "content-length" && lower != "connection" && lower != "accept-encoding")
            request.setRawHeader(name, value);
    }
    QNetworkReply* forwarded = m_network.sendCustomRequest(request, method, body);
    connect(forwarded, &QNetworkReply::finished, this, [this, socket, forwarded, listing, path] {
        forwarded->deleteLater();
        const int status = forwarded->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        QByteArray answer = forwarded->readAll();
        if (listing && m_cutAt > 0 && status == 207)
            answer = cut(path, answer);
        QList<QPair<QByteArray, QByteArray>> answerHeaders;
        for (const QByteArray& name : {QByteArray("Content-Type"), QByteArray("ETag"), QByteArray("Location")})
            if (forwarded->hasRawHeader(name))
                answerHeaders.append({name, forwarded->rawHeader(name)});
        reply(socket, status, answerHeaders, answer);
    });
}

void DavProxy::reply(QTcpSocket* socket, int status, const QList<QPair<QByteArray, QByteArray>>& headers,
                     const QByteArray& body) {
    QByteArray text = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    for (const auto& [name, value] : headers)
        text += name + ": " + value + "\r\n";
    text += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    socket->write(text);
}

// The first members of the listing, the rest kept for the token that the cut answer gives.
QByteArray DavProxy::cut(const QByteArray& path, const QByteArray& multistatus) {
    static const QRegularExpression responsePattern(QStringLiteral("<([A-Za-z0-9]+:|)response\\b.*?</\\1response>"),
                                                    QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tokenPattern(QStringLiteral("<([A-Za-z0-9]+:|)sync-token>([^<]*)<"));
    const QString text = QString::fromUtf8(multistatus);
    QList<QByteArray> responses;
    QString prefix;
    int first = -1, last = -1;
    for (auto it = responsePattern.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        responses << match.captured(0).toUtf8();
        prefix = match.captured(1);
        if (first < 0)
            first = int(match.capturedStart());
        last = int(match.capturedEnd());
    }
    if (responses.size() <= m_cutAt)
        return multistatus;
    const QString token = tokenPattern.match(text).captured(2);
    Rest rest{path, prefix.toUtf8(), responses.mid(m_cutAt), token.toUtf8()};
    const QByteArray next = "cut-" + QByteArray::number(++m_nextToken);
    m_rests.insert(next, rest);
    const QByteArray kept = responses.mid(0, m_cutAt).join("");
    QByteArray answer = multistatus.left(first) + kept + multistatus.mid(last);
    // RFC 6578: the collection itself answered 507, and the token asks for the rest.
    const QByteArray truncated = "<" + rest.prefix + "response><" + rest.prefix + "href>" + path + "</" + rest.prefix +
                                 "href><" + rest.prefix + "status>HTTP/1.1 507 Insufficient Storage</" + rest.prefix +
                                 "status></" + rest.prefix + "response>";
    answer.insert(first + kept.size(), truncated);
    answer.replace("sync-token>" + rest.token + "<", "sync-token>" + next + "<");
    return answer;
}

QByteArray DavProxy::nextPart(const QByteArray& token) {
    Rest rest = m_rests.take(token);
    const QByteArray p = rest.prefix;
    QByteArray nextToken = rest.token;
    QList<QByteArray> now = rest.responses.mid(0, m_cutAt);
    QByteArray body = now.join("");
    if (rest.responses.size() > m_cutAt) {
        nextToken = "cut-" + QByteArray::number(++m_nextToken);
        m_rests.insert(nextToken, Rest{rest.path, p, rest.responses.mid(m_cutAt), rest.token});
        body += "<" + p + "response><" + p + "href>" + rest.path + "</" + p + "href><" + p +
                "status>HTTP/1.1 507 Insufficient Storage</" + p + "status></" + p + "response>";
    }
    const QByteArray ns = p.isEmpty() ? QByteArray(" xmlns=\"DAV:\"") : " xmlns:" + p.chopped(1) + "=\"DAV:\"";
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<" + p + "multistatus" + ns + ">" + body + "<" + p +
           "sync-token>" + nextToken + "</" + p + "sync-token></" + p + "multistatus>";
}
