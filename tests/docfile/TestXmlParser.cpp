#include "docfile/SimpleXMLParser.h"
#include "support/TestMain.h"

#include <QObject>

#include <memory>
#include <string>
#include <vector>

using namespace SimpleXMLParser;

namespace {

// A compact picture of a tree: name[attributes]{text}(children).
std::string Dump(const Node& node) {
    std::string out(node.Name());
    if (const AttributeList* attributes = node.GetAttributes()) {
        out += '[';
        for (const Attribute& attribute : *attributes)
            out.append(attribute.Name()).append("=").append(attribute.Value()).append(";");
        out += ']';
    }
    out.append("{").append(node.Text()).append("}");
    if (const NodeList* children = node.GetChildren()) {
        out += '(';
        for (const auto& child : *children)
            out += Dump(*child);
        out += ')';
    }
    return out;
}

QByteArray Bytes(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// Parses exactly the bytes given, from a heap block of that size with nothing after it, so that a
// read past the end shows under the address sanitizer.
std::unique_ptr<Element> ParseExactly(const QByteArray& bytes) {
    std::vector<char> block(bytes.begin(), bytes.end());
    Parser parser;
    return parser.Parse(block.data(), block.size());
}

} // namespace

class TestXmlParser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parsesTree_data();
    void parsesTree();
    void reportsErrorLine_data();
    void reportsErrorLine();
    void findsChildrenByNameAndIndex();
    void treeOwnsItsText();
    void versionComesFromDeclaration();
    void readsOnlyTheGivenLength();
    void everyTruncationIsAnError();
    void deepNestingIsRefused();
};

void TestXmlParser::parsesTree_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("tree");

    QTest::newRow("attributes in order") << QByteArray("<a x='1' y=\"2\"/>") << QByteArray("a[x=1;y=2;]{}");
    QTest::newRow("duplicates kept") << QByteArray("<a x=\"1\" x=\"2\"/>") << QByteArray("a[x=1;x=2;]{}");
    QTest::newRow("other quote is plain")
        << QByteArray("<a x=\"it's\" y='say \"hi\"'/>") << QByteArray("a[x=it's;y=say \"hi\";]{}");
    QTest::newRow("spaces around =") << QByteArray("<a x \t=\r\n '1'\n/>") << QByteArray("a[x=1;]{}");
    QTest::newRow("value bytes kept") << QByteArray("<a x=\"1\r\n\t2\r\" y=\"\xE9\"/>")
                                      << QByteArray("a[x=1\r\n\t2\r;y=\xE9;]{}");
    QTest::newRow("text, entity, comment") << QByteArray("<a>b&amp;c<!--n-->d</a>") << QByteArray("a{b&cd}(!{n})");
    QTest::newRow("cdata") << QByteArray("<a><![CDATA[<x>]]></a>") << QByteArray("a{<x>}");
    QTest::newRow("cdata inside text") << QByteArray("<a>x<![CDATA[&y]]]>z</a>") << QByteArray("a{x&y]z}");
    QTest::newRow("five entities") << QByteArray("<a v=\"&lt;&gt;&amp;&apos;&quot;\">&quot;&apos;&amp;&gt;&lt;</a>")
                                   << QByteArray("a[v=<>&'\";]{\"'&><}");
    QTest::newRow("numeric references") << QByteArray("<a v=\"&#65;&#x41;&#x6a;&#x6A;&#0321;\"/>")
                                        << QByteArray("a[v=AAjjA;]{}");
    QTest::newRow("numeric low 8 bits") << QByteArray("<a v=\"&#4294967361;&#x100000041;&#233;\"/>")
                                        << QByteArray("a[v=AA\xE9;]{}");
    QTest::newRow("text pieces joined") << QByteArray("<a>p&amp;q<![CDATA[r]]>s<b x='&quot;1&quot;'>i</b>t&lt;</a>")
                                        << QByteArray("a{p&qrst<}(b[x=\"1\";]{i})");
    QTest::newRow("text line ends kept") << QByteArray("<a>l1\r\nl2\r</a>") << QByteArray("a{l1\r\nl2\r}");
    QTest::newRow("children in order") << QByteArray("<a>\r\n\t<b/>\r\n\t<c>t</c><!----><b/></a>")
                                       << QByteArray("a{\r\n\t\r\n\t}(b{}c{t}!{}b{})");
    QTest::newRow("CR skipped in reading") << QByteArray("<a v='&#6\r5;'/\r>") << QByteArray("a[v=A;]{}");
    QTest::newRow("end tag with blanks") << QByteArray("<a></a \r\n>") << QByteArray("a{}");
    QTest::newRow("name characters") << QByteArray("<_:a.b-9 c:d_e.f-1='x'/>") << QByteArray("_:a.b-9[c:d_e.f-1=x;]{}");
    QTest::newRow("]]> after markup") << QByteArray("<a>]]></a>") << QByteArray("a{]]>}");
    QTest::newRow("declaration") << QByteArray("<?xml version=\"1.0\"?>\r\n<a/>") << QByteArray("a{}");
    QTest::newRow("declaration upper case") << QByteArray("<?XmL version='1.0'?><a/>") << QByteArray("a{}");
    QTest::newRow("declaration with encoding")
        << QByteArray("<?xml  version = \"1.0\"\tencoding='ISO-8859-1' ?><a/>") << QByteArray("a{}");
    QTest::newRow("prolog and epilog") << QByteArray("<!--c-->\r\n <!-- d --><a/> <!--e-->\n junk <<< &bad;")
                                       << QByteArray("a{}");
    QTest::newRow("nothing after root") << QByteArray("<a></a>") << QByteArray("a{}");
}

void TestXmlParser::parsesTree() {
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, tree);
    const std::unique_ptr<Element> root = ParseExactly(input);
    QCOMPARE(Bytes(Dump(*root)), tree);
}

void TestXmlParser::reportsErrorLine_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("line");

    QTest::newRow("empty input") << QByteArray() << 1;
    QTest::newRow("blank lines only") << QByteArray("\r\n\r\n") << 3;
    QTest::newRow("end tag differs") << QByteArray("<a></b>") << 1;
    QTest::newRow("end tag differs in case") << QByteArray("<a></A>") << 1;
    QTest::newRow("never closed") << QByteArray("<a>\n<b/>\n") << 3;
    QTest::newRow("unquoted value") << QByteArray("<a x=1/>") << 1;
    QTest::newRow("name without value") << QByteArray("<a x/>") << 1;
    QTest::newRow("= without value") << QByteArray("<a x=/>") << 1;
    QTest::newRow("no blank between attributes") << QByteArray("<a x='1'y='2'/>") << 1;
    QTest::newRow("< in value") << QByteArray("<a x='<'/>") << 1;
    QTest::newRow("value never closed") << QByteArray("<a x='1\n/>\n") << 3;
    QTest::newRow("slash without >") << QByteArray("<a/ >") << 1;
    QTest::newRow("tag never closed") << QByteArray("<a x='1'") << 1;
    QTest::newRow("< without name") << QByteArray("<a>< b/></a>") << 1;
    QTest::newRow("processing instruction") << QByteArray("<a>\n<?pi x?></a>") << 2;
    QTest::newRow("document type") << QByteArray("<!DOCTYPE a>\n<a/>") << 1;
    QTest::newRow("two declarations") << QByteArray("<?xml version='1'?><?xml version='1'?><a/>") << 1;
    QTest::newRow("]]> in text") << QByteArray("<a>x]]></a>") << 1;
    QTest::newRow("unknown entity") << QByteArray("<a>\n&nbsp;</a>") << 2;
    QTest::newRow("entity names are case-sensitive") << QByteArray("<a>&AMP;</a>") << 1;
    QTest::newRow("upper-case X") << QByteArray("<a>&#X41;</a>") << 1;
    QTest::newRow("no digits") << QByteArray("<a>&#;</a>") << 1;
    QTest::newRow("no ;") << QByteArray("<a>&#65 </a>") << 1;
    QTest::newRow("& alone") << QByteArray("<a>& </a>") << 1;
    QTest::newRow("entity in value") << QByteArray("<a x='&foo;'/>") << 1;
    QTest::newRow("-- in comment") << QByteArray("<a><!-- a -- b --></a>") << 1;
    QTest::newRow("comment never closed") << QByteArray("<a><!-- x\n\n") << 3;
    QTest::newRow("epilog comment never closed") << QByteArray("<a/>\n<!--") << 2;
    QTest::newRow("cdata never closed") << QByteArray("<a><![CDATA[x]]</a>") << 1;
    QTest::newRow("cdata control byte") << QByteArray("<a>\n<![CDATA[\x01]]></a>") << 2;
    QTest::newRow("cdata high byte") << QByteArray("<a><![CDATA[\xC3\xA9]]></a>") << 1;
    QTest::newRow("end tag not closed") << QByteArray("<a></a") << 1;
    QTest::newRow("declaration without version") << QByteArray("<?xml encoding='x'?><a/>") << 1;
    QTest::newRow("declaration with standalone")
        << QByteArray("<?xml version='1.0' encoding='x' standalone='yes'?><a/>") << 1;
    QTest::newRow("declaration empty version") << QByteArray("<?xml version=''?><a/>") << 1;
    QTest::newRow("declaration mixed quotes") << QByteArray("<?xml version='1.0\"?><a/>") << 1;
    QTest::newRow("encoding starting with a digit") << QByteArray("<?xml version='1.0' encoding='8859'?><a/>") << 1;
    QTest::newRow("declaration not at the start") << QByteArray(" <?xml version='1.0'?><a/>") << 1;
    QTest::newRow("third line, CR LF") << QByteArray("<?xml version=\"1.0\"?>\r\n<a>\r\n<b></c>\r\n</a>\r\n") << 3;
    QTest::newRow("lone CR is no line end") << QByteArray("<a>\r\r<b></c></a>") << 1;
    // The line end after a name is read once to end the name and once more as a blank.
    QTest::newRow("line end read twice") << QByteArray("<a\n></b>") << 3;
    QTest::newRow("NUL inside element") << QByteArray("<a>x\0y</a>", 10) << 1;
    QTest::newRow("NUL inside value") << QByteArray("<a x='\0'/>", 10) << 1;
}

void TestXmlParser::reportsErrorLine() {
    QFETCH(QByteArray, input);
    QFETCH(int, line);
    try {
        ParseExactly(input);
        QFAIL("parsed without an error");
    } catch (const Exception& error) {
        QCOMPARE(error.Line(), line);
        QVERIFY(error.Column() >= 1);
    }
}

void TestXmlParser::findsChildrenByNameAndIndex() {
    const std::unique_ptr<Element> root = ParseExactly("<r><b>1</b><!--c--><c>2</c><b>3</b></r>");
    QCOMPARE(Bytes(root->FindChild("b").Text()), QByteArray("1"));
    QCOMPARE(Bytes(root->FindChild("b", 1).Text()), QByteArray("3"));
    QVERIFY(root->FindChild("b", 2).IsNull());
    QCOMPARE(Bytes(root->FindChild("!").Text()), QByteArray("c"));
    QVERIFY(root->FindChild("B").IsNull());
    QCOMPARE(&root->FindChild("x"), static_cast<const Node*>(&NullNode::Shared()));
    // Children other than elements find nothing.
    QVERIFY(root->FindChild("!").FindChild("c").IsNull());
    // An element without attributes or children answers none.
    const Node& empty = root->FindChild("c");
    QVERIFY(empty.GetAttributes() == nullptr);
    QVERIFY(empty.GetChildren() == nullptr);
}

void TestXmlParser::treeOwnsItsText() {
    std::string text = "<a x='v&amp;w'>t<b y='z'/></a>";
    Parser parser;
    std::unique_ptr<Element> copied = parser.Parse(text.data(), text.size());
    std::unique_ptr<Element> taken = parser.Parse(std::string(text));
    text.assign(text.size(), '#');
    QCOMPARE(Bytes(Dump(*copied)), QByteArray("a[x=v&w;]{t}(b[y=z;]{})"));
    QCOMPARE(Bytes(Dump(*taken)), QByteArray("a[x=v&w;]{t}(b[y=z;]{})"));
}

void TestXmlParser::versionComesFromDeclaration() {
    Parser parser;
    QCOMPARE(Bytes(parser.Version()), QByteArray("1.0"));
    parser.Parse(std::string("<?xml version=\"1.1-a:b_c\"?><a/>"));
    QCOMPARE(Bytes(parser.Version()), QByteArray("1.1-a:b_c"));
    // Only a declaration that names a version replaces it.
    parser.Parse(std::string("<a/>"));
    QCOMPARE(Bytes(parser.Version()), QByteArray("1.1-a:b_c"));
}

void TestXmlParser::readsOnlyTheGivenLength() {
    const char text[] = "<a>x</a>junk";
    Parser parser;
    QCOMPARE(Bytes(Dump(*parser.Parse(text, 8))), QByteArray("a{x}"));
    QVERIFY_THROWS_EXCEPTION(Exception, parser.Parse(text, 7));
    QVERIFY_THROWS_EXCEPTION(Exception, parser.Parse(nullptr, 0));
}

void TestXmlParser::everyTruncationIsAnError() {
    // Every construct the reader knows, ending with the root's end tag.
    const QByteArray whole("<?xml version=\"1.0\" encoding=\"x\"?>\r\n<!--p-->\r\n<Pim Version=\"1\">\r\n"
                           "\t<T a='&lt;&#65;&#x42;'>t&amp;<![CDATA[c]]><!--n--></T>\r\n\t<U/>\r\n</Pim>");
    QVERIFY(ParseExactly(whole) != nullptr);
    for (qsizetype length = 0; length < whole.size(); ++length) {
        try {
            ParseExactly(whole.left(length));
            QFAIL(qPrintable(QStringLiteral("parsed when cut to %1 bytes").arg(length)));
        } catch (const Exception&) {
        }
    }
}

void TestXmlParser::deepNestingIsRefused() {
    const auto nested = [](int depth) {
        return QByteArray("<a>").repeated(depth) + QByteArray("</a>").repeated(depth);
    };
    const std::unique_ptr<Element> deepest = ParseExactly(nested(Parser::MaxDepth));
    QCOMPARE(Bytes(deepest->FindChild("a").Name()), QByteArray("a"));
    QVERIFY_THROWS_EXCEPTION(Exception, ParseExactly(nested(Parser::MaxDepth + 1)));
    try {
        ParseExactly(QByteArray("<a>").repeated(1000000));
        QFAIL("parsed a million open elements");
    } catch (const Exception& error) {
        QCOMPARE(error.Line(), 1);
    }
}

TAVORO_TEST_MAIN(TestXmlParser)
#include "TestXmlParser.moc"
