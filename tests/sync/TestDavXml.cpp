#include "support/TestMain.h"

#include "sync/DavXml.h"

// Multistatus answers as servers write them: each prefix style, found and missing properties, and
// text that is not a multistatus at all.
class TestDavXml : public QObject {
    Q_OBJECT

private slots:
    void readsAnswers_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("summary");
        QTest::newRow("sync-collection, one changed and one gone")
            << QByteArray(
                   "<?xml version='1.0'?><d:multistatus xmlns:d='DAV:'>"
                   "<d:response><d:href>/a/x%20y.ics</d:href><d:propstat><d:prop><d:getetag>\"1\"</d:getetag>"
                   "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
                   "<d:response><d:href>/a/z.ics</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>"
                   "<d:sync-token>http://t/7</d:sync-token></d:multistatus>")
            << "/a/x%20y.ics 200 \"1\"|/a/z.ics 404 |token http://t/7";
        QTest::newRow("properties not found are not taken")
            << QByteArray("<multistatus xmlns='DAV:' xmlns:C='urn:ietf:params:xml:ns:caldav'><response><href>/c/</href>"
                          "<propstat><prop><displayname>Work</displayname><resourcetype><collection/><C:calendar/>"
                          "</resourcetype><C:supported-calendar-component-set><C:comp name='VTODO'/>"
                          "</C:supported-calendar-component-set></prop><status>HTTP/1.1 200 OK</status></propstat>"
                          "<propstat><prop><getetag>\"no\"</getetag></prop><status>HTTP/1.1 404 Not Found</status>"
                          "</propstat></response></multistatus>")
            << "/c/ 200  Work calendar VTODO|token ";
        QTest::newRow("principal and homes")
            << QByteArray("<A:multistatus xmlns:A='DAV:' xmlns:B='urn:ietf:params:xml:ns:carddav'><A:response>"
                          "<A:href>/</A:href><A:propstat><A:prop><A:current-user-principal><A:href>/anna/</A:href>"
                          "</A:current-user-principal><B:addressbook-home-set><A:href>/anna/books/</A:href>"
                          "</B:addressbook-home-set></A:prop><A:status>HTTP/1.1 200 OK</A:status></A:propstat>"
                          "</A:response></A:multistatus>")
            << "/ 200  principal /anna/ books /anna/books/|token ";
    }
    void readsAnswers() {
        QFETCH(QByteArray, xml);
        QFETCH(QString, summary);
        const davxml::MultiStatus status = davxml::Parse(xml);
        QVERIFY2(status.error.isEmpty(), qPrintable(status.error));
        QStringList lines;
        for (const davxml::Resource& r : status.resources) {
            QString line = QStringLiteral("%1 %2 %3").arg(r.href).arg(r.status).arg(QString::fromUtf8(r.etag));
            if (!r.displayName.isEmpty())
                line += QLatin1Char(' ') + r.displayName;
            if (r.calendar)
                line += QStringLiteral(" calendar ") + r.components.join(QLatin1Char(','));
            if (!r.principal.isEmpty())
                line += QStringLiteral(" principal ") + r.principal;
            if (!r.addressBookHome.isEmpty())
                line += QStringLiteral(" books ") + r.addressBookHome;
            lines << line;
        }
        lines << QStringLiteral("token ") + status.syncToken;
        QCOMPARE(lines.join(QLatin1Char('|')), summary);
    }

    void refusesWhatIsNoMultistatus_data() {
        QTest::addColumn<QByteArray>("xml");
        QTest::newRow("an error page") << QByteArray("<html><body>Bad Gateway</body></html>");
        QTest::newRow("cut off") << QByteArray("<multistatus xmlns='DAV:'><response><href>/a");
        QTest::newRow("empty") << QByteArray();
    }
    void refusesWhatIsNoMultistatus() {
        QFETCH(QByteArray, xml);
        QVERIFY(!davxml::Parse(xml).error.isEmpty());
    }
};

TAVORO_TEST_MAIN(TestDavXml)
#include "TestDavXml.moc"
