#include "docfile/RecentFileList.h"
#include "platform/SettingsStore.h"
#include "support/TestMain.h"

#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("Recent Document List");

QString documentKey(int n) {
    return QStringLiteral("Recent Document List/Document%1").arg(n);
}

} // namespace

class TestRecentFileList : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings().clear(); }

    void addDropsOldestAndMovesRepeatsToNewest() {
        RecentFileList list;
        QCOMPARE(list.Maximum(), 4);
        for (const char* name : {"/d/a.pgr", "/d/b.pgr", "/d/c.pgr", "/d/d.pgr", "/d/e.pgr"})
            list.Add(QString::fromLatin1(name));
        QCOMPARE(list.Entries(), (QStringList{"/d/b.pgr", "/d/c.pgr", "/d/d.pgr", "/d/e.pgr"}));
        list.Add(QStringLiteral("/d/c.pgr"));
        QCOMPARE(list.Entries(), (QStringList{"/d/b.pgr", "/d/d.pgr", "/d/e.pgr", "/d/c.pgr"}));
        // Another letter case names another file; no name and "Untitled" name none.
        for (const char* name : {"/D/C.pgr", "", "Untitled", "UNTITLED"})
            list.Add(QString::fromLatin1(name));
        QCOMPARE(list.Entries(), (QStringList{"/d/d.pgr", "/d/e.pgr", "/d/c.pgr", "/D/C.pgr"}));
        QCOMPARE(list.IndexFromNewest(1), std::optional<int>(3));
        QCOMPARE(list.IndexFromNewest(4), std::optional<int>(0));
        QCOMPARE(list.IndexFromNewest(5), std::optional<int>());
        QCOMPARE(list.IndexFromNewest(0), std::optional<int>());
    }

    void writeKeepsNewestFirstAndRemovesStaleValues() {
        QSettings settings;
        for (int n = 1; n <= 16; ++n)
            settings.setValue(documentKey(n), QStringLiteral("stale%1").arg(n));
        settings.sync();

        platform::SettingsStore store;
        RecentFileList list;
        for (const char* name : {"/a.pgr", "/b.pgr", "/c.pgr"})
            list.Add(QString::fromLatin1(name));
        list.WriteTo(store);

        settings.sync();
        QCOMPARE(settings.value(QStringLiteral("Recent Document List/DocumentCount")).toInt(), 4);
        QCOMPARE(settings.value(documentKey(1)).toString(), QStringLiteral("/c.pgr"));
        QCOMPARE(settings.value(documentKey(3)).toString(), QStringLiteral("/a.pgr"));
        for (int n = 4; n <= 16; ++n)
            QVERIFY2(!settings.contains(documentKey(n)), qPrintable(documentKey(n)));
    }

    void readFromSettings_data() {
        QTest::addColumn<QVariant>("count");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("count 1 reads 2") << QVariant(1) << 2 << QStringList{"/n2", "/n1"};
        QTest::newRow("count 40 reads 16")
            << QVariant(40) << 16 << QStringList{"/n16", "/n15", "/n14", "/n13", "/n12", "/n11", "/n10", "/n9",
                                                 "/n8",  "/n7",  "/n6",  "/n5",  "/n4",  "/n3",  "/n2",  "/n1"};
        QTest::newRow("count 4") << QVariant(4) << 4 << QStringList{"/n4", "/n3", "/n2", "/n1"};
        QTest::newRow("count missing") << QVariant() << 4 << QStringList{};
        QTest::newRow("count not a number") << QVariant(QStringLiteral("many")) << 4 << QStringList{};
    }
    void readFromSettings() {
        QFETCH(QVariant, count);
        QFETCH(int, maximum);
        QFETCH(QStringList, entries);
        {
            QSettings settings;
            if (count.isValid())
                settings.setValue(QStringLiteral("Recent Document List/DocumentCount"), count);
            for (int n = 1; n <= 20; ++n)
                settings.setValue(documentKey(n), QStringLiteral("/n%1").arg(n));
        }
        platform::SettingsStore store;
        RecentFileList list;
        list.Add(QStringLiteral("/before.pgr"));
        list.ReadFrom(store);
        QCOMPARE(list.Maximum(), maximum);
        QCOMPARE(list.Entries(), entries);
    }

    void missingEntriesAreSkipped() {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("Recent Document List/DocumentCount"), 4);
            settings.setValue(documentKey(1), QStringLiteral("/newest"));
            settings.setValue(documentKey(3), QStringLiteral("/older"));
        }
        platform::SettingsStore store;
        RecentFileList list;
        list.ReadFrom(store);
        QCOMPARE(list.Entries(), (QStringList{"/older", "/newest"}));
        store.writeText(kGroup, QStringLiteral("Document2"), QStringLiteral("Untitled"));
        list.ReadFrom(store);
        QCOMPARE(list.Entries(), (QStringList{"/older", "/newest"}));
    }
};

TAVORO_TEST_MAIN(TestRecentFileList)
#include "TestRecentFileList.moc"
