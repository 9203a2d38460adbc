#include "shell/HelpTopics.h"
#include "shell/HelpViewer.h"
#include "shell/persons/PersonsToIncludeDialog.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

const QString kPages = QStringLiteral(TAVORO_HELP_FOLDER "/html");

// The pages a page links to, by file name.
QStringList linksOf(const QString& page) {
    QFile file(QDir(kPages).filePath(page));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)[^\"]*\""));
    QStringList links;
    for (const QRegularExpressionMatch& match : href.globalMatch(QString::fromUtf8(file.readAll())))
        links.append(match.captured(1));
    return links;
}

} // namespace

class TestHelpPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTopicNamesAPage();
    void everyPageIsReachableAndEveryLinkLeadsToAPage();
    void escAndCloseKeysCloseTheWindow_data();
    void escAndCloseKeysCloseTheWindow();
};

void TestHelpPages::everyTopicNamesAPage() {
    HelpViewer help(QStringLiteral(TAVORO_HELP_FOLDER), nullptr);
    for (const char* topic : HelpTopics::All)
        QVERIFY2(!help.PageFor(QString::fromLatin1(topic)).isEmpty(), topic);
    QVERIFY(!help.PageFor(QString::fromLatin1(PersonsToIncludeDialog::HelpTopic)).isEmpty());
}

void TestHelpPages::escAndCloseKeysCloseTheWindow_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::newRow("Esc") << QKeySequence(Qt::Key_Escape);
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
}

void TestHelpPages::escAndCloseKeysCloseTheWindow() {
    QFETCH(QKeySequence, keys);
    HelpViewer help(QStringLiteral(TAVORO_HELP_FOLDER), nullptr);
    QVERIFY(help.ShowTopic(QString::fromLatin1(HelpTopics::All[0])));
    QWidget* window = help.Browser()->window();
    QVERIFY(QTest::qWaitForWindowActive(window));
    help.Browser()->setFocus();
    QTest::keySequence(help.Browser(), keys);
    QVERIFY(!window->isVisible());
}

void TestHelpPages::everyPageIsReachableAndEveryLinkLeadsToAPage() {
    const QStringList pages = QDir(kPages).entryList({QStringLiteral("*.htm")}, QDir::Files);
    QSet<QString> reached{QStringLiteral("Introduction.htm")};
    QStringList toVisit{QStringLiteral("Introduction.htm")};
    while (!toVisit.isEmpty()) {
        const QString page = toVisit.takeLast();
        for (const QString& link : linksOf(page)) {
            QVERIFY2(pages.contains(link), qPrintable(page + QStringLiteral(" links to a missing ") + link));
            if (!reached.contains(link)) {
                reached.insert(link);
                toVisit.append(link);
            }
        }
    }
    for (const QString& page : pages)
        QVERIFY2(reached.contains(page), qPrintable(page + QStringLiteral(" is reached from no page")));
}

TAVORO_TEST_MAIN(TestHelpPages)
#include "TestHelpPages.moc"
