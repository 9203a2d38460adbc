#include "platform/ContactUrls.h"
#include "support/TestMain.h"

#include <QObject>

namespace {

// What a handler receives is the encoded text, so the checks read that text back as a handler would.
QUrl asReceived(const QUrl& url) {
    return QUrl::fromEncoded(url.toEncoded(), QUrl::StrictMode);
}

const QString Refused = QStringLiteral("<refused>");

QString pathOrRefused(const std::optional<QUrl>& url) {
    return url ? asReceived(*url).path() : Refused;
}

} // namespace

class TestContactUrls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mailAddressIsThePathOnly_data();
    void mailAddressIsThePathOnly();
    void webPageIsHttpWithHost_data();
    void webPageIsHttpWithHost();
    void phoneNumberIsDialableDigits_data();
    void phoneNumberIsDialableDigits();
    void onlyContactUrlsLeave_data();
    void onlyContactUrlsLeave();
};

void TestContactUrls::mailAddressIsThePathOnly_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("path");
    QTest::newRow("plain") << "ann@example.com"
                           << "ann@example.com";
    QTest::newRow("attachment") << "a@b.c?attachment=/etc/passwd"
                                << "a@b.c?attachment=/etc/passwd";
    QTest::newRow("extra recipients") << "a@b.c?cc=x@y.z&bcc=q@r.s"
                                      << "a@b.c?cc=x@y.z&bcc=q@r.s";
    QTest::newRow("hash") << "a#b@c.d"
                          << "a#b@c.d";
    QTest::newRow("encoded line break") << "a@b.c%0ABcc:x@y.z"
                                        << "a@b.c%0ABcc:x@y.z";
    QTest::newRow("inner space") << "ann smith@example.com"
                                 << "ann smith@example.com";
    QTest::newRow("outer spaces") << "  ann@example.com "
                                  << "ann@example.com";
    QTest::newRow("own scheme") << "MAILTO:ann@example.com"
                                << "ann@example.com";
    QTest::newRow("line break") << "a@b.c\nBcc: x@y.z" << Refused;
    QTest::newRow("empty") << "" << Refused;
    QTest::newRow("blank") << "   " << Refused;
    QTest::newRow("scheme only") << "mailto:" << Refused;
}

void TestContactUrls::mailAddressIsThePathOnly() {
    QFETCH(QString, address);
    QFETCH(QString, path);
    const std::optional<QUrl> url = platform::mailtoUrl(address);
    QCOMPARE(pathOrRefused(url), path);
    if (url)
        QCOMPARE(url->scheme(), QStringLiteral("mailto"));
}

void TestContactUrls::webPageIsHttpWithHost_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened");
    QTest::newRow("bare host") << "example.com"
                               << "http://example.com";
    QTest::newRow("bare with path") << "www.example.com/shop?item=1#top"
                                    << "http://www.example.com/shop?item=1#top";
    QTest::newRow("bare with port") << "example.com:8080/x"
                                    << "http://example.com:8080/x";
    QTest::newRow("stored https") << "https://example.com"
                                  << "https://example.com";
    QTest::newRow("capital scheme") << "HTTPS://Example.COM"
                                    << "https://example.com";
    QTest::newRow("space in path") << "example.com/my page"
                                   << "http://example.com/my%20page";
    QTest::newRow("kept escapes") << "example.com/a%2Fb"
                                  << "http://example.com/a%2Fb";
    QTest::newRow("javascript") << "javascript:alert(1)" << Refused;
    QTest::newRow("javascript capitals") << "JavaScript:alert(1)" << Refused;
    QTest::newRow("file url") << "file:///etc/passwd" << Refused;
    QTest::newRow("local path") << "/etc/passwd" << Refused;
    QTest::newRow("mailto") << "mailto:a@b.c" << Refused;
    QTest::newRow("data") << "data:text/html,<script>alert(1)</script>" << Refused;
    QTest::newRow("https without host") << "https://" << Refused;
    QTest::newRow("http without slashes") << "http:example.com" << Refused;
    QTest::newRow("network path") << "//example.com" << Refused;
    QTest::newRow("share") << "\\\\server\\share" << Refused;
    QTest::newRow("space in host") << "exa mple.com" << Refused;
    QTest::newRow("bad port") << "example.com:99999" << Refused;
    QTest::newRow("line break") << "example.com\nSet-Cookie: a=b" << Refused;
    QTest::newRow("empty") << "" << Refused;
}

void TestContactUrls::webPageIsHttpWithHost() {
    QFETCH(QString, address);
    QFETCH(QString, opened);
    const std::optional<QUrl> url = platform::webPageUrl(address);
    QCOMPARE(url ? QString::fromLatin1(url->toEncoded()) : Refused, opened);
}

void TestContactUrls::phoneNumberIsDialableDigits_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("path");
    QTest::newRow("international") << "+1 (555) 010-0100"
                                   << "+15550100100";
    QTest::newRow("service code") << "*31#5550100"
                                  << "*31#5550100";
    QTest::newRow("dots") << "555.010.0100"
                          << "5550100100";
    QTest::newRow("square brackets") << "[030] 1234"
                                     << "0301234";
    QTest::newRow("extension parameter") << "555;ext=1" << Refused;
    QTest::newRow("extension letter") << "555-0100x12" << Refused;
    QTest::newRow("letters") << "1-800-FLOWERS" << Refused;
    QTest::newRow("two plus signs") << "++15550100" << Refused;
    QTest::newRow("inner plus") << "555+0100" << Refused;
    QTest::newRow("escape") << "555%0A0100" << Refused;
    QTest::newRow("line break") << "555\n0100" << Refused;
    QTest::newRow("other digits") << QString::fromUtf8("\xd9\xa5\xd9\xa5\xd9\xa5") << Refused;
    QTest::newRow("separators only") << "(--)" << Refused;
    QTest::newRow("empty") << "" << Refused;
}

void TestContactUrls::phoneNumberIsDialableDigits() {
    QFETCH(QString, number);
    QFETCH(QString, path);
    const std::optional<QUrl> url = platform::telUrl(number);
    QCOMPARE(pathOrRefused(url), path);
    if (url)
        QCOMPARE(url->scheme(), QStringLiteral("tel"));
}

void TestContactUrls::onlyContactUrlsLeave_data() {
    QTest::addColumn<QString>("text");
    for (const char* hostile :
         {"a@b.c?attachment=/etc/passwd", "a@b.c%0ABcc: x@y.z", "a@b.c#frag", "javascript:alert(1)",
          "file:///etc/passwd", "http://x?y#z", "*31#5550100", "555;ext=1", "555?x=1", "tel:555", "sms:555", "%00",
          "~/.bashrc", "smb://server/share", "example.com?x=1#y", "mailto:a@b.c?subject=x"})
        QTest::newRow(hostile) << QString::fromUtf8(hostile);
}

void TestContactUrls::onlyContactUrlsLeave() {
    QFETCH(QString, text);
    for (const auto& [url, scheme] :
         {std::pair{platform::mailtoUrl(text), "mailto"}, std::pair{platform::telUrl(text), "tel"}}) {
        if (!url)
            continue;
        const QUrl received = asReceived(*url);
        QCOMPARE(received.scheme(), QLatin1String(scheme));
        QVERIFY(!received.hasQuery() && !received.hasFragment());
    }
    if (const std::optional<QUrl> url = platform::webPageUrl(text)) {
        const QUrl received = asReceived(*url);
        QVERIFY2(received.scheme() == u"http" || received.scheme() == u"https", qPrintable(received.toString()));
        QVERIFY(!received.host().isEmpty());
    }
}

TAVORO_TEST_MAIN(TestContactUrls)
#include "TestContactUrls.moc"
