#include "platform/ProcessRunner.h"
#include "platform/gui/DesktopUrlOpener.h"
#include "support/TestMain.h"

#include <QDesktopServices>
#include <QObject>

namespace {

// Takes the place of the desktop's handler for a scheme, so no outside program starts.
class UrlCatcher : public QObject {
    Q_OBJECT
public Q_SLOTS:
    void handle(const QUrl& url) { received.append(url); }

public:
    QList<QUrl> received;
};

} // namespace

// The real opener and process runner, with a stand-in handler and small system programs.
class TestDesktopServices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openerHandsTheUrlToTheHandler();
    void runnerCollectsOutputAndExitCode();
    void runnerGivesNothingForMissingOrSlowPrograms();
};

void TestDesktopServices::openerHandsTheUrlToTheHandler() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "handle");
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(QStringLiteral("a@b.c?cc=x@y.z"));
    platform::DesktopUrlOpener opener;
    QVERIFY(opener.open(url));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    QCOMPARE(catcher.received, QList<QUrl>{url});
    QVERIFY(!catcher.received.at(0).hasQuery());
}

void TestDesktopServices::runnerCollectsOutputAndExitCode() {
    platform::ProcessRunner runner;
    const QString sh = runner.findProgram(QStringLiteral("sh"));
    QVERIFY(!sh.isEmpty());
    // The argument reaches the program as one word, unread by any shell in between.
    const auto output = runner.run(
        sh, {QStringLiteral("-c"), QStringLiteral("printf '%s' \"$0\"; exit 3"), QStringLiteral("a; rm -rf x")}, 5000);
    QVERIFY(output);
    QCOMPARE(output->exitCode, 3);
    QCOMPARE(output->standardOutput, QByteArray("a; rm -rf x"));
}

void TestDesktopServices::runnerGivesNothingForMissingOrSlowPrograms() {
    platform::ProcessRunner runner;
    QVERIFY(runner.findProgram(QStringLiteral("no-such-program-tavoro")).isEmpty());
    QVERIFY(!runner.run(QStringLiteral("no-such-program-tavoro"), {}, 1000));
    QVERIFY(!runner.run(runner.findProgram(QStringLiteral("sleep")), {QStringLiteral("10")}, 200));
}

TAVORO_TEST_MAIN(TestDesktopServices)
#include "TestDesktopServices.moc"
