#include "support/TestMain.h"
#include "textio/FieldTokenizer.h"

#include <QObject>

using Records = QList<QByteArrayList>;

class TestFieldTokenizer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cutsRecords_data();
    void cutsRecords();
    void waitsForTheRestOfARecord_data();
    void waitsForTheRestOfARecord();
};

namespace {

Records cut(char encloser, char separator, std::string_view text) {
    FieldTokenizer tokenizer;
    tokenizer.SetEncloser(encloser);
    tokenizer.SetSeparator(separator);
    Records records;
    DelimitedRecord record;
    while (const std::size_t used = tokenizer.NextRecord(text, true, record)) {
        QByteArrayList fields;
        for (std::size_t i = 0; i < record.count; ++i)
            fields.append(QByteArray::fromStdString(record.values[i]));
        records.append(fields);
        text.remove_prefix(used);
    }
    return records;
}

} // namespace

void TestFieldTokenizer::cutsRecords_data() {
    QTest::addColumn<char>("encloser");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Records>("records");

    QTest::newRow("bare fields") << '"' << ',' << QByteArray("a,b,c") << Records{{"a", "b", "c"}};
    QTest::newRow("empty fields keep their places") << '"' << ',' << QByteArray(",b,,") << Records{{"", "b", "", ""}};
    QTest::newRow("empty enclosed field")
        << '"' << ',' << QByteArray("\"Ann\",\"\",\"Lee\",\"Acme\"") << Records{{"Ann", "", "Lee", "Acme"}};
    QTest::newRow("doubled encloser") << '\'' << ',' << QByteArray("'It''s done','x'") << Records{{"It's done", "x"}};
    QTest::newRow("only doubled enclosers")
        << '"' << ',' << QByteArray("\"\"\"\"\"\",\"\"\"\"") << Records{{"\"\"", "\""}};
    QTest::newRow("separator and encloser inside")
        << '"' << ';' << QByteArray("\"a;\"\"b\"\";\";c") << Records{{"a;\"b\";", "c"}};
    QTest::newRow("blanks around enclosers are not text")
        << '"' << ',' << QByteArray(" \"a\" ,  \"b\"\t,c ") << Records{{"a", "b", "c "}};
    QTest::newRow("blanks inside enclosers are") << '"' << ',' << QByteArray("\" a \"") << Records{{" a "}};
    QTest::newRow("bare fields keep their blanks") << '"' << ',' << QByteArray(" a , b") << Records{{" a ", " b"}};
    QTest::newRow("backslashes are text")
        << '"' << ',' << QByteArray("\"DOMAIN\\jsmith\",\"C:\\new\\\"") << Records{{"DOMAIN\\jsmith", "C:\\new\\"}};
    QTest::newRow("line breaks inside enclosed fields")
        << '"' << ',' << QByteArray("\"a\r\nb\",\"c\nd\",\"e\rf\"\nnext")
        << Records{{"a\r\nb", "c\nd", "e\rf"}, {"next"}};
    QTest::newRow("record ends: LF, CR LF, CR")
        << '"' << ',' << QByteArray("a\nb\r\nc\rd") << Records{{"a"}, {"b"}, {"c"}, {"d"}};
    QTest::newRow("empty lines") << '"' << ',' << QByteArray("\n\r\n") << Records{{""}, {""}};
    QTest::newRow("text after the closing encloser")
        << '"' << ',' << QByteArray("\"a\" b\"c,d") << Records{{"a b\"c", "d"}};
    QTest::newRow("encloser inside a bare field") << '"' << ',' << QByteArray("a\"b\",c") << Records{{"a\"b\"", "c"}};
    QTest::newRow("never closed: the encloser is text")
        << '\'' << ',' << QByteArray("'abc,d\ne,f") << Records{{"'abc", "d"}, {"e", "f"}};
    QTest::newRow("tab keeps empty fields")
        << '"' << '\t' << QByteArray("\ta\t\t\"b\"\t") << Records{{"", "a", "", "b", ""}};
    QTest::newRow("space keeps empty fields")
        << '"' << ' ' << QByteArray("a  \"b c\" ") << Records{{"a", "", "b c", ""}};
    QTest::newRow("no encloser") << '\0' << ',' << QByteArray("\"a,b\"") << Records{{"\"a", "b\""}};
    QTest::newRow("bytes above 0x7f") << '"' << ';' << QByteArray("\"M\xfcller\";\xe9t\xe9")
                                      << Records{{"M\xfcller", "\xe9t\xe9"}};
}

void TestFieldTokenizer::cutsRecords() {
    QFETCH(char, encloser);
    QFETCH(char, separator);
    QFETCH(QByteArray, text);
    QFETCH(Records, records);
    QCOMPARE(cut(encloser, separator, text.toStdString()), records);
}

void TestFieldTokenizer::waitsForTheRestOfARecord_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("taken");
    QTest::newRow("ends with a line end") << QByteArray("a,b\nc") << 4;
    QTest::newRow("no line end yet") << QByteArray("a,b") << 0;
    QTest::newRow("inside an enclosed field") << QByteArray("\"a\nb") << 0;
    QTest::newRow("an encloser that may be doubled") << QByteArray("\"a\"") << 0;
    QTest::newRow("CR that an LF may follow") << QByteArray("a\r") << 0;
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << 3;
    QTest::newRow("blanks before a field") << QByteArray("a,  ") << 0;
}

// Without the end of the text in sight, a record that may go on is left for the next piece.
void TestFieldTokenizer::waitsForTheRestOfARecord() {
    QFETCH(QByteArray, text);
    QFETCH(int, taken);
    FieldTokenizer tokenizer;
    tokenizer.SetEncloser('"');
    DelimitedRecord record;
    QCOMPARE(int(tokenizer.NextRecord(text.toStdString(), false, record)), taken);
}

TAVORO_TEST_MAIN(TestFieldTokenizer)
#include "TestFieldTokenizer.moc"
