#include "support/TestFiles.h"
#include "support/TestMain.h"

#include <QMimeDatabase>
#include <QTemporaryDir>

// The installed file type as the desktop's own lookup sees it: by extension, and by content where
// the name says nothing.
class TestInstalledFileType : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void recognisesDocuments_data();
    void recognisesDocuments();

private:
    QTemporaryDir m_dir;
};

void TestInstalledFileType::initTestCase() {
    // Read before the first QMimeDatabase: the installed tree first, then the system's types.
    qputenv("XDG_DATA_DIRS", TAVORO_TEST_PREFIX "/share:/usr/local/share:/usr/share");
}

void TestInstalledFileType::recognisesDocuments_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("type");
    const QByteArray document = "<Pim Version=\"1\">\r\n<Tasks LastID=\"0\">\r\n</Tasks>\r\n</Pim>\r\n";
    QTest::newRow("by extension") << "diary.pgr" << QByteArray() << "application/x-tavoro-document";
    QTest::newRow("by root element") << "diary" << document << "application/x-tavoro-document";
    QTest::newRow("after a byte-order mark") << "marked"
                                             << "\xEF\xBB\xBF" + document << "application/x-tavoro-document";
    QTest::newRow("other XML stays XML") << "notes" << QByteArray("<?xml version=\"1.0\"?>\n<notes/>\n")
                                         << "application/xml";
}

void TestInstalledFileType::recognisesDocuments() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, type);
    const QString path = writeTestFile(m_dir.filePath(name), content);
    QCOMPARE(QMimeDatabase().mimeTypeForFile(path).name(), type);
}

TAVORO_TEST_MAIN(TestInstalledFileType)
#include "TestInstalledFileType.moc"
