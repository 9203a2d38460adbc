#include "support/TestMain.h"
#include "textio/FieldTokenizer.h"

#include <QObject>

using Fields = QList<QByteArray>;

class TestFieldTokenizer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cutsLines_data();
    void cutsLines();
    void leavesFieldAloneWhenNothingIsLeft();
    void neverReadsPastTheLine_data();
    void neverReadsPastTheLine();
};

namespace {

Fields cut(const FieldTokenizer& tokenizer, std::string_view line) {
    Fields fields;
    std::string field;
    while (tokenizer.NextField(line, field)) {
        fields.append(QByteArray::fromStdString(field));
        field.clear();
    }
    return fields;
}

FieldTokenizer tokenizer(char encloser, char separator) {
    FieldTokenizer t;
    t.SetEncloser(encloser);
    t.SetSeparator(separator);
    return t;
}

} // namespace

void TestFieldTokenizer::cutsLines_data() {
    QTest::addColumn<char>("encloser");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Fields>("fields");

    QTest::newRow("bare fields") << '"' << ',' << QByteArray("a,b,c") << Fields{"a", "b", "c"};
    QTest::newRow("empty field keeps its place") << '"' << ',' << QByteArray("a,,c") << Fields{"a", "", "c"};
    QTest::newRow("separator first") << '"' << ',' << QByteArray(",b") << Fields{"", "b"};
    QTest::newRow("separator last") << '"' << ',' << QByteArray("a,") << Fields{"a"};
    QTest::newRow("white space around the line, not before a separator")
        << '"' << ',' << QByteArray("  a ,  b \r\n") << Fields{"a ", "b"};
    QTest::newRow("enclosed") << '"' << ',' << QByteArray("\"a b\",\"c\"") << Fields{"a b", "c"};
    QTest::newRow("separator inside enclosed") << '"' << ',' << QByteArray("\"a,b\",c") << Fields{"a,b", "c"};
    QTest::newRow("doubled encloser") << '\'' << ',' << QByteArray("'It''s done','x'") << Fields{"It's done", "x"};
    QTest::newRow("separator right after the opening encloser") << '"' << ',' << QByteArray("\",b") << Fields{"", "b"};
    QTest::newRow("two enclosers open with a literal one") << '"' << ',' << QByteArray("\"\",b") << Fields{"\","};
    QTest::newRow("enclosed then bare") << '"' << ',' << QByteArray("\"a\",b,\"c\"") << Fields{"a", "b", "c"};
    QTest::newRow("stray encloser is dropped") << '"' << ',' << QByteArray("\"a\"b\"") << Fields{"ab"};
    QTest::newRow("C:\\temp") << '"' << ',' << QByteArray("\"C:\\temp\"") << Fields{"C:\temp"};
    QTest::newRow("unterminated") << '\'' << ',' << QByteArray("'abc") << Fields{"ab"};
    QTest::newRow("lone encloser") << '"' << ',' << QByteArray("\"") << Fields{""};
    QTest::newRow("control escapes") << '"' << ',' << QByteArray("\"\\a\\b\\f\\n\\r\\t\\v\\q\\\\\"")
                                     << Fields{"\a\b\f\n\r\t\vq\\"};
    QTest::newRow("octal escapes") << '"' << ',' << QByteArray("\"\\101\\0422\\7x\\1018\"")
                                   << Fields{"A\"2\ax"
                                             "A8"};
    QTest::newRow("octal modulo 256") << '"' << ',' << QByteArray("\"\\501\"") << Fields{"A"};
    QTest::newRow("short octal before the closing encloser")
        << '"' << ',' << QByteArray("\"\\1\",b") << Fields{"\x01", "b"};
    QTest::newRow("octal NUL adds nothing") << '"' << ',' << QByteArray("\"a\\0b\\400\"") << Fields{"ab"};
    QTest::newRow("backslash at the end") << '"' << ',' << QByteArray("\"\\") << Fields{""};
    QTest::newRow("line end inside ends the field")
        << '"' << ',' << QByteArray("\"a\rb\",c") << Fields{"a", "b\"", "c"};
    QTest::newRow("tab separator loses an empty field") << '"' << '\t' << QByteArray("a\t\tb") << Fields{"a", "b"};
    QTest::newRow("space separator loses an empty field") << '"' << ' ' << QByteArray("a  b") << Fields{"a", "b"};
    QTest::newRow("tab separator enclosed") << '"' << '\t' << QByteArray("\"a b\"\t\"c\"") << Fields{"a b", "c"};
    QTest::newRow("no encloser") << '\0' << ',' << QByteArray("\"a,b\"") << Fields{"\"a", "b\""};
    QTest::newRow("bytes above 0x7f") << '"' << ';' << QByteArray("\"M\xfcller\";\xe9t\xe9")
                                      << Fields{"M\xfcller", "\xe9t\xe9"};
    QTest::newRow("empty line") << '"' << ',' << QByteArray("") << Fields{};
    QTest::newRow("blank line") << '"' << ',' << QByteArray(" \t\r") << Fields{};
}

void TestFieldTokenizer::cutsLines() {
    QFETCH(char, encloser);
    QFETCH(char, separator);
    QFETCH(QByteArray, line);
    QFETCH(Fields, fields);
    QCOMPARE(cut(tokenizer(encloser, separator), line.toStdString()), fields);
}

void TestFieldTokenizer::leavesFieldAloneWhenNothingIsLeft() {
    const FieldTokenizer t = tokenizer('"', ',');
    std::string_view line = "  ";
    std::string field = "kept";
    QVERIFY(!t.NextField(line, field));
    QCOMPARE(field, std::string("kept"));
}

void TestFieldTokenizer::neverReadsPastTheLine_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("open encloser") << QByteArray("\"");
    QTest::newRow("encloser before the end") << QByteArray("\"a\"");
    QTest::newRow("backslash last") << QByteArray("\"a\\");
    QTest::newRow("encloser then backslash") << QByteArray("\"\\");
    QTest::newRow("octal at the end") << QByteArray("\"\\12");
    QTest::newRow("doubled at the end") << QByteArray("\"a\"\"");
}

// The line is a view into a longer buffer; whatever follows it must not change the field.
void TestFieldTokenizer::neverReadsPastTheLine() {
    QFETCH(QByteArray, line);
    const FieldTokenizer t = tokenizer('"', ',');
    const std::string exact = line.toStdString();
    for (const char* tail : {"\"", "\\", "7", ",x", "\"\""}) {
        const std::string buffer = exact + tail;
        QCOMPARE(cut(t, std::string_view(buffer).substr(0, exact.size())), cut(t, exact));
    }
}

TAVORO_TEST_MAIN(TestFieldTokenizer)
#include "TestFieldTokenizer.moc"
