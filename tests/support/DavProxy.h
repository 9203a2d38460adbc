#pragma once

#include <QByteArray>
#include <QHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

#include <vector>

class QTcpSocket;

// A small HTTP proxy in front of a real server (Radicale) that gives, where a test asks for them,
// the answers a real server cannot be made to give: a sync-collection listing cut into parts
// (RFC 6578's 507), a busy server (503 or 429 with Retry-After), a full one (507). Everything else
// goes to the server and back unchanged. It serves from the event loop of its thread, so the
// client in the test must wait in an event loop too (as DavClient does).
class DavProxy : public QObject {
    Q_OBJECT
public:
    explicit DavProxy(const QUrl& target);
    ~DavProxy() override;

    bool Start();
    QUrl Url() const; // http://127.0.0.1:PORT/

    // Every sync-collection answer lists at most this many members; the rest follows part by
    // part, each with a token that asks for the next.
    void CutListingsAt(int members) { m_cutAt = members; }
    // The next `count` requests of that method (-1: all of them) are answered with `status`, with
    // a Retry-After of `retryAfter` seconds when it is not negative.
    void Answer(const QByteArray& method, int status, int count = -1, int retryAfter = -1);
    // How many requests of that method came, and how many sync-collection REPORTs.
    int Requests(const QByteArray& method) const { return m_requests.value(method); }
    int Listings() const { return m_listings; }

private:
    struct Client;
    struct Rule {
        QByteArray method;
        int status;
        int count;
        int retryAfter;
    };
    void read(QTcpSocket* socket);
    void handle(QTcpSocket* socket, const QByteArray& method, const QByteArray& path,
                const QList<QPair<QByteArray, QByteArray>>& headers, const QByteArray& body);
    void reply(QTcpSocket* socket, int status, const QList<QPair<QByteArray, QByteArray>>& headers,
               const QByteArray& body);
    QByteArray cut(const QByteArray& path, const QByteArray& multistatus);
    QByteArray nextPart(const QByteArray& token);

    QUrl m_target;
    QTcpServer m_server;
    QNetworkAccessManager m_network;
    QHash<QTcpSocket*, QByteArray> m_buffers;
    std::vector<Rule> m_rules;
    QHash<QByteArray, int> m_requests;
    int m_listings = 0;
    int m_cutAt = 0;
    // The parts still to come, by the token that asks for them.
    struct Rest {
        QByteArray path, prefix;
        QList<QByteArray> responses;
        QByteArray token; // the server's own, for the last part
    };
    QHash<QByteArray, Rest> m_rests;
    int m_nextToken = 0;
};
