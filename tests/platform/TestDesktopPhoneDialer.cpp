#include "platform/CheckedUrlOpener.h"
#include "platform/DesktopPhoneDialer.h"
#include "platform/ProgramRunner.h"
#include "platform/UrlOpener.h"
#include "support/FakeUrlOpener.h"
#include "support/TestMain.h"

#include <QObject>

using platform::DialResult;
using platform::ProgramOutput;

namespace {

// The desktop as xdg-mime describes it: where the program is, and what its query prints.
class FakeRunner : public platform::ProgramRunner {
public:
    QString findProgram(const QString& name) override {
        lookedFor.append(name);
        return installedAt;
    }
    std::optional<ProgramOutput> run(const QString& program, const QStringList& arguments, int timeoutMs) override {
        runs.append(QStringList{program} + arguments);
        timeouts.append(timeoutMs);
        return answer;
    }

    QString installedAt = QStringLiteral("/usr/bin/xdg-mime");
    std::optional<ProgramOutput> answer = ProgramOutput{0, "org.example.Dialer.desktop\n"};
    QStringList lookedFor;
    QList<QStringList> runs;
    QList<int> timeouts;
};

struct Desktop {
    FakeRunner runner;
    FakeUrlOpener opener;
    platform::SchemeHandlers handlers{runner};
    platform::DesktopPhoneDialer dialer{handlers, opener};
    platform::CheckedUrlOpener addresses{handlers, opener};
};

} // namespace

Q_DECLARE_METATYPE(std::optional<ProgramOutput>)

class TestDesktopPhoneDialer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void handsTheNumberToTheTelHandler();
    void noRegisteredHandler_data();
    void noRegisteredHandler();
    void invalidNumberAsksNothing();
    void refusedByTheDesktop();
    void missingXdgMimeIsLookedForOnce();
    void handlerIsAskedEachTime();
    void mailAndWebOpenOnlyWithAHandler_data();
    void mailAndWebOpenOnlyWithAHandler();
};

void TestDesktopPhoneDialer::handsTheNumberToTheTelHandler() {
    Desktop d;
    QCOMPARE(d.dialer.dial(QStringLiteral("+1 (555) 010-0100")), DialResult::Placed);
    QCOMPARE(d.runner.lookedFor, QStringList{QStringLiteral("xdg-mime")});
    QCOMPARE(d.runner.runs, (QList<QStringList>{{QStringLiteral("/usr/bin/xdg-mime"), QStringLiteral("query"),
                                                 QStringLiteral("default"), QStringLiteral("x-scheme-handler/tel")}}));
    QVERIFY(d.runner.timeouts.at(0) > 0);
    QCOMPARE(d.opener.opened, QList<QUrl>{QUrl(QStringLiteral("tel:+15550100100"))});
}

void TestDesktopPhoneDialer::noRegisteredHandler_data() {
    QTest::addColumn<std::optional<ProgramOutput>>("answer");
    QTest::addColumn<DialResult>("result");
    QTest::newRow("prints nothing") << std::optional(ProgramOutput{0, ""}) << DialResult::NoDialer;
    QTest::newRow("prints a blank line") << std::optional(ProgramOutput{0, "\n"}) << DialResult::NoDialer;
    QTest::newRow("fails") << std::optional(ProgramOutput{4, ""}) << DialResult::NoDialer;
    QTest::newRow("does not answer in time") << std::optional<ProgramOutput>() << DialResult::Failed;
}

void TestDesktopPhoneDialer::noRegisteredHandler() {
    QFETCH(std::optional<ProgramOutput>, answer);
    QFETCH(DialResult, result);
    Desktop d;
    d.runner.answer = answer;
    QCOMPARE(d.dialer.dial(QStringLiteral("5550100")), result);
    QVERIFY(d.opener.opened.isEmpty());
}

void TestDesktopPhoneDialer::invalidNumberAsksNothing() {
    Desktop d;
    QCOMPARE(d.dialer.dial(QStringLiteral("555;ext=1")), DialResult::InvalidNumber);
    QVERIFY(d.runner.runs.isEmpty());
    QVERIFY(d.opener.opened.isEmpty());
}

void TestDesktopPhoneDialer::refusedByTheDesktop() {
    Desktop d;
    d.opener.accepts = false;
    QCOMPARE(d.dialer.dial(QStringLiteral("5550100")), DialResult::Failed);
}

void TestDesktopPhoneDialer::missingXdgMimeIsLookedForOnce() {
    Desktop d;
    d.runner.installedAt.clear();
    for (int attempt = 0; attempt < 3; ++attempt)
        QCOMPARE(d.dialer.dial(QStringLiteral("5550100")), DialResult::Failed);
    QCOMPARE(d.runner.lookedFor.size(), 1);
    QVERIFY(d.runner.runs.isEmpty());
    QVERIFY(d.opener.opened.isEmpty());
}

void TestDesktopPhoneDialer::handlerIsAskedEachTime() {
    Desktop d;
    QCOMPARE(d.dialer.dial(QStringLiteral("5550100")), DialResult::Placed);
    d.runner.answer = ProgramOutput{0, ""}; // the dialer was uninstalled meanwhile
    QCOMPARE(d.dialer.dial(QStringLiteral("5550100")), DialResult::NoDialer);
    d.runner.answer = ProgramOutput{0, "org.example.Other.desktop\n"};
    QCOMPARE(d.dialer.dial(QStringLiteral("5550101")), DialResult::Placed);
    QCOMPARE(d.runner.lookedFor.size(), 1);
    QCOMPARE(d.runner.runs.size(), 3);
    QCOMPARE(d.opener.opened.size(), 2);
}

void TestDesktopPhoneDialer::mailAndWebOpenOnlyWithAHandler_data() {
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<std::optional<ProgramOutput>>("answer");
    QTest::addColumn<bool>("opened");
    const QUrl mail(QStringLiteral("mailto:ada@example.com"));
    const QUrl web(QStringLiteral("https://example.com/"));
    const auto registered = std::optional(ProgramOutput{0, "org.example.App.desktop\n"});
    QTest::newRow("mail program") << mail << registered << true;
    QTest::newRow("no mail program") << mail << std::optional(ProgramOutput{0, ""}) << false;
    QTest::newRow("browser") << web << registered << true;
    QTest::newRow("no browser") << web << std::optional(ProgramOutput{4, ""}) << false;
    // Where the desktop cannot be asked, the launcher decides.
    QTest::newRow("xdg-mime does not answer") << web << std::optional<ProgramOutput>() << true;
}

void TestDesktopPhoneDialer::mailAndWebOpenOnlyWithAHandler() {
    QFETCH(QUrl, url);
    QFETCH(std::optional<ProgramOutput>, answer);
    QFETCH(bool, opened);
    Desktop d;
    d.runner.answer = answer;
    QCOMPARE(d.addresses.open(url), opened);
    QCOMPARE(d.opener.opened.size(), opened ? 1 : 0);
    QCOMPARE(d.runner.runs.at(0).last(), QStringLiteral("x-scheme-handler/") + url.scheme());
}

TAVORO_TEST_MAIN(TestDesktopPhoneDialer)
#include "TestDesktopPhoneDialer.moc"
