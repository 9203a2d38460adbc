#include "platform/TextCodec.h"
#include "support/TestMain.h"

#include <QObject>

class TestTextCodec : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteSurvivesWindows1252();
    void cafeInBothEncodings();
    void typedTextIsStoredAsUtf8();
    void invalidUtf8FallsBack();
    void joinedPartsKeepTheirText();
};

void TestTextCodec::everyByteSurvivesWindows1252() {
    std::string all;
    for (int b = 1; b <= 0xFF; ++b)
        all.push_back(static_cast<char>(b));
    QVERIFY(!platform::isValidUtf8(all));
    const QString decoded = platform::toQString(all);
    QCOMPARE(decoded.size(), qsizetype(255));
    bool ok = false;
    QCOMPARE(platform::toWindows1252(decoded, &ok), all);
    QVERIFY(ok);
    QCOMPARE(decoded.at(0x80 - 1), QChar(0x20AC)); // the euro sign
    QCOMPARE(decoded.at(0x81 - 1), QChar(0x81));   // undefined in the code page: kept as a control
}

void TestTextCodec::cafeInBothEncodings() {
    const QString expected = QString::fromUtf8("caf\xc3\xa9");
    QCOMPARE(platform::toQString("caf\xc3\xa9"), expected);
    QCOMPARE(platform::toQString("caf\xe9"), expected);
}

void TestTextCodec::typedTextIsStoredAsUtf8() {
    const QString typed = QString::fromUtf8("M\xc3\xbcller \xe2\x82\xac");
    const std::string stored = platform::fromQString(typed);
    QCOMPARE(stored, std::string("M\xc3\xbcller \xe2\x82\xac"));
    QCOMPARE(platform::toQString(stored), typed);
}

void TestTextCodec::invalidUtf8FallsBack() {
    QVERIFY(platform::isValidUtf8("plain ascii"));
    QVERIFY(!platform::isValidUtf8("\xc3"));            // truncated sequence
    QVERIFY(!platform::isValidUtf8("\xc0\xaf"));        // overlong
    QVERIFY(!platform::isValidUtf8("\xed\xa0\x80"));    // surrogate
    QVERIFY(platform::isValidUtf8("\xf0\x9f\x98\x80")); // outside the basic plane
    QCOMPARE(platform::toQString("\xc3").size(), qsizetype(1));
}

// Names are joined from fields that may each be UTF-8 or Windows-1252: the join reads as its parts do.
void TestTextCodec::joinedPartsKeepTheirText() {
    // Windows-1252 among ASCII keeps its bytes; so does UTF-8 among ASCII.
    QCOMPARE(platform::joinText({"M\xfcller", ", ", "Anna"}), std::string("M\xfcller, Anna"));
    QCOMPARE(platform::joinText({"M\xc3\xbcller", ", ", "Anna"}), std::string("M\xc3\xbcller, Anna"));
    // A mixture is made UTF-8 throughout.
    QCOMPARE(platform::joinText({"M\xc3\xbcller", ", ", "Ren\xe9"}), std::string("M\xc3\xbcller, Ren\xc3\xa9"));
    // Two Windows-1252 parts whose bytes would read as one UTF-8 letter stay two letters.
    QCOMPARE(platform::toQString(platform::joinText({"A\xc3", "\xa9"})), QString::fromUtf8("A\xc3\x83\xc2\xa9"));
}

TAVORO_TEST_MAIN(TestTextCodec)
#include "TestTextCodec.moc"
