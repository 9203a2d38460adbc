#include "docfile/SimpleXMLParser.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <deque>

namespace SimpleXMLParser {

Attribute::Attribute(std::string_view name, std::string_view value)
    : m_name(name.data()), m_value(value.data()), m_nameLength(static_cast<std::uint32_t>(name.size())),
      m_valueLength(static_cast<std::uint32_t>(value.size())) {
    if (name.size() > UINT32_MAX || value.size() > UINT32_MAX)
        throw std::length_error("XML attribute too long");
}

Node::~Node() = default;

bool Node::IsNull() const {
    return false;
}

bool Node::AddChild(std::unique_ptr<Node>) {
    return false;
}

const NodeList* Node::GetChildren() const {
    return nullptr;
}

const Node& Node::FindChild(std::string_view, std::size_t) const {
    return NullNode::Shared();
}

const AttributeList* Node::GetAttributes() const {
    return nullptr;
}

Element::~Element() = default;

bool Element::AddChild(std::unique_ptr<Node> node) {
    m_children.push_back(std::move(node));
    return true;
}

const NodeList* Element::GetChildren() const {
    return m_children.empty() ? nullptr : &m_children;
}

const Node& Element::FindChild(std::string_view name, std::size_t index) const {
    for (const auto& child : m_children) {
        if (child->Name() == name) {
            if (index == 0)
                return *child;
            --index;
        }
    }
    return NullNode::Shared();
}

const AttributeList* Element::GetAttributes() const {
    return m_attributes.empty() ? nullptr : &m_attributes;
}

const NullNode& NullNode::Shared() {
    static const NullNode shared;
    return shared;
}

bool NullNode::IsNull() const {
    return true;
}

Exception::Exception(int line, int column, const char* reason)
    : std::runtime_error(reason), m_line(line), m_column(column) {}

namespace {

// Everything the names, texts and attribute lists of one tree point into.
class Storage {
public:
    std::string text;

    std::string_view Keep(std::string&& joined) {
        m_joinedTexts.push_back(std::move(joined));
        return m_joinedTexts.back();
    }

    AttributeList Keep(const std::vector<Attribute>& attributes) {
        const std::size_t count = attributes.size();
        if (m_chunks.empty() || m_chunks.back().capacity() - m_chunks.back().size() < count) {
            // Reserved once and never grown, so the lists handed out stay where they are.
            m_chunks.emplace_back().reserve(std::max(ChunkSize, count));
        }
        std::vector<Attribute>& chunk = m_chunks.back();
        const std::size_t first = chunk.size();
        chunk.insert(chunk.end(), attributes.begin(), attributes.end());
        return {chunk.data() + first, count};
    }

private:
    static constexpr std::size_t ChunkSize = 4096;
    std::deque<std::string> m_joinedTexts;
    std::vector<std::vector<Attribute>> m_chunks;
};

// The root owns the text of the whole tree.
class RootElement final : public Element {
public:
    RootElement(std::string_view name, std::unique_ptr<Storage> storage)
        : Element(name), m_storage(std::move(storage)) {}

private:
    std::unique_ptr<Storage> m_storage;
};

enum CharClass : std::uint8_t {
    NameStart = 1,
    NameChar = 2,
    Space = 4,
    ValueStop = 8, // ends a run of plain bytes inside an attribute value
    TextStop = 16, // ends a run of plain bytes inside element content
};

constexpr std::array<std::uint8_t, 256> MakeClasses() {
    std::array<std::uint8_t, 256> classes{};
    // Bytes 0x80-0xFF compare as negative values and so are never letters, digits or name bytes.
    for (int c = 0; c < 128; ++c) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool digit = c >= '0' && c <= '9';
        if (letter || c == '_' || c == ':')
            classes[c] |= NameStart | NameChar;
        if (digit || c == '.' || c == '-')
            classes[c] |= NameChar;
    }
    for (unsigned char c : {' ', '\t', '\r', '\n'})
        classes[c] |= Space;
    for (unsigned char c : {'\0', '\r', '\n', '"', '\'', '<', '&'})
        classes[c] |= ValueStop;
    for (unsigned char c : {'\0', '\r', '\n', '<', '&', ']'})
        classes[c] |= TextStop;
    return classes;
}

constexpr std::array<std::uint8_t, 256> Classes = MakeClasses();

inline bool Is(char c, CharClass charClass) {
    return (Classes[static_cast<unsigned char>(c)] & charClass) != 0;
}

// The first byte from p on that does not continue the run; four at a time. Every run stops at the
// NUL that follows the text.
template <typename Continues> inline char* Scan(char* p, Continues continues) {
    for (;; p += 4) {
        if (!continues(p[0]))
            return p;
        if (!continues(p[1]))
            return p + 1;
        if (!continues(p[2]))
            return p + 2;
        if (!continues(p[3]))
            return p + 3;
    }
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

inline int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Character data of one element: the pieces between its children, joined only when there is more
// than one.
class TextPieces {
public:
    void Add(std::string_view piece) {
        if (piece.empty())
            return;
        if (m_count == 1)
            m_joined.assign(m_first);
        if (m_count == 0)
            m_first = piece;
        else
            m_joined.append(piece);
        ++m_count;
    }

    std::string_view Finish(Storage& storage) { return m_count <= 1 ? m_first : storage.Keep(std::move(m_joined)); }

private:
    std::string_view m_first;
    std::string m_joined;
    int m_count = 0;
};

// Bytes of a value or a run of text, decoded in place: references and section markup shrink to
// what they stand for, so the result never outgrows the bytes it was read from.
class InPlaceText {
public:
    explicit InPlaceText(char* start) : m_start(start), m_write(start), m_copyFrom(start) {}

    // Keeps the bytes read since the last markup, up to upTo.
    void KeepUpTo(char* upTo) {
        const auto count = static_cast<std::size_t>(upTo - m_copyFrom);
        if (m_write != m_copyFrom)
            std::memmove(m_write, m_copyFrom, count);
        m_write += count;
    }
    void Put(char c) { *m_write++ = c; }
    void Put(const char* bytes, std::size_t count) {
        std::memmove(m_write, bytes, count);
        m_write += count;
    }
    void ContinueAt(char* position) { m_copyFrom = position; }
    std::string_view Result() const { return {m_start, static_cast<std::size_t>(m_write - m_start)}; }

private:
    char* m_start;
    char* m_write;
    char* m_copyFrom;
};

// The reading state of one parse: position, line and column.
class Reader {
public:
    Reader(std::unique_ptr<Storage> storage, std::string& version)
        : m_storageOwner(std::move(storage)), m_storage(*m_storageOwner), m_version(version),
          m_begin(m_storage.text.data()), m_pos(m_begin), m_end(m_begin + m_storage.text.size()) {}

    std::unique_ptr<Element> ReadDocument() {
        ReadDeclaration();
        SkipSpacesAndComments();
        if (Read() != '<')
            Fail("no root element");
        std::unique_ptr<Element> root = ReadElement(1);
        SkipSpacesAndComments();
        return root;
    }

private:
    [[noreturn]] void Fail(const char* reason) const {
        throw Exception(static_cast<int>(std::min<std::int64_t>(m_line, INT_MAX)),
                        static_cast<int>(std::min<std::int64_t>(m_column, INT_MAX)), reason);
    }

    // The next byte, with a CR skipped; 0 at the end. The buffer holds a NUL after its end, which
    // the fast loops below rely on to stop.
    char Read() {
        if (m_pos == m_end) {
            m_pastEnd = true;
            return 0;
        }
        char c = *m_pos++;
        if (c == '\r') {
            if (m_pos == m_end) {
                m_pastEnd = true;
                return 0;
            }
            c = *m_pos++;
        }
        if (c == '\n') {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
        return c;
    }

    // Undoes the position of the last read but not its count: a byte read again counts again.
    void StepBack() {
        if (m_pastEnd)
            m_pastEnd = false;
        else if (m_pos > m_begin)
            --m_pos;
    }

    // The byte ahead reads as itself: it is not the end and no CR to skip.
    bool IsPlainAhead() const { return m_pos != m_end && *m_pos != '\r'; }

    // Counts the plain byte ahead as a read followed by a step back would, without moving.
    void CountReadAndStepBack() {
        if (*m_pos == '\n') {
            ++m_line;
            m_column = 1;
        } else {
            ++m_column;
        }
    }

    // Advances over bytes already known to hold no line end.
    void Advance(char* to) {
        m_column += to - m_pos;
        m_pos = to;
    }

    bool Ahead(std::string_view literal) const {
        return !m_pastEnd && static_cast<std::size_t>(m_end - m_pos) >= literal.size() &&
               std::memcmp(m_pos, literal.data(), literal.size()) == 0;
    }

    bool Match(std::string_view literal) {
        if (!Ahead(literal))
            return false;
        Advance(m_pos + literal.size());
        return true;
    }

    void Expect(char expected, const char* reason) {
        if (Read() != expected)
            Fail(reason);
    }

    // True and past at least one whitespace byte, or false with nothing consumed.
    bool SkipSpaces() {
        bool skipped = false;
        for (;;) {
            char* blanks = m_pos;
            while (*blanks == ' ' || *blanks == '\t')
                ++blanks;
            if (blanks != m_pos) {
                skipped = true;
                Advance(blanks);
            }
            if (IsPlainAhead() && !Is(*m_pos, Space)) {
                CountReadAndStepBack();
                return skipped;
            }
            if (!Is(Read(), Space)) {
                StepBack();
                return skipped;
            }
            skipped = true;
        }
    }

    void SkipSpacesAndComments() {
        for (;;) {
            SkipSpaces();
            if (!Match("<!--"))
                return;
            ReadCommentBody();
        }
    }

    // The rest of a name whose first byte was just read.
    std::string_view ReadNameRest() {
        char* start = m_pos - 1;
        char* nameEnd = m_pos;
        for (;;) {
            char* run = Scan(m_pos, [](char c) { return Is(c, NameChar); });
            Advance(run);
            nameEnd = run;
            if (IsPlainAhead()) { // the byte after the name, which is no name byte
                CountReadAndStepBack();
                return {start, static_cast<std::size_t>(nameEnd - start)};
            }
            if (!Is(Read(), NameChar)) {
                StepBack();
                return {start, static_cast<std::size_t>(nameEnd - start)};
            }
            nameEnd = m_pos; // a CR inside the name stays part of it
        }
    }

    std::string_view ReadName(const char* reason) {
        if (!Is(Read(), NameStart))
            Fail(reason);
        return ReadNameRest();
    }

    void ReadDeclaration() {
        if (static_cast<std::size_t>(m_end - m_pos) < 5 || m_pos[0] != '<' || m_pos[1] != '?' ||
            (m_pos[2] | 0x20) != 'x' || (m_pos[3] | 0x20) != 'm' || (m_pos[4] | 0x20) != 'l')
            return;
        Advance(m_pos + 5);
        if (!SkipSpaces() || !Match("version"))
            Fail("XML declaration without version");
        const std::string_view version = ReadDeclarationValue(false);
        m_version.assign(version);
        if (SkipSpaces() && Match("encoding"))
            ReadDeclarationValue(true);
        SkipSpaces();
        if (!Match("?>"))
            Fail("malformed XML declaration");
    }

    std::string_view ReadDeclarationValue(bool letterFirst) {
        SkipSpaces();
        Expect('=', "malformed XML declaration");
        SkipSpaces();
        const char quote = Read();
        if (quote != '"' && quote != '\'')
            Fail("malformed XML declaration");
        char* start = m_pos;
        const char first = Read();
        if (letterFirst ? !Is(first, NameStart) || first == '_' || first == ':' : !Is(first, NameChar))
            Fail("malformed XML declaration");
        char* valueEnd = m_pos;
        for (;;) {
            const char c = Read();
            if (c == quote)
                break;
            if (!Is(c, NameChar))
                Fail("malformed XML declaration");
            valueEnd = m_pos;
        }
        return {start, static_cast<std::size_t>(valueEnd - start)};
    }

    // After "<!--": the body up to "--", which must close the comment.
    std::string_view ReadCommentBody() {
        char* start = m_pos;
        for (;;) {
            const char c = Read();
            if (c == 0)
                Fail("unterminated comment");
            if (c == '-' && Match("-")) {
                char* bodyEnd = m_pos - 2;
                Expect('>', "'--' inside a comment");
                return {start, static_cast<std::size_t>(bodyEnd - start)};
            }
        }
    }

    // After "<![CDATA[": the body up to "]]>".
    std::string_view ReadCDataBody() {
        char* start = m_pos;
        for (;;) {
            const char c = Read();
            if (c == 0 && m_pastEnd)
                Fail("unterminated CDATA section");
            if (c == ']' && Match("]>"))
                return {start, static_cast<std::size_t>(m_pos - 3 - start)};
            if (static_cast<signed char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                Fail("control character in CDATA section");
        }
    }

    // After "&": the one character the reference stands for.
    char ReadReference() {
        char c = Read();
        if (c == '#') {
            std::uint32_t code = 0; // wraps; only the low 8 bits are kept
            int digits = 0;
            if (Read() == 'x') {
                for (int value; (value = HexValue(Read())) >= 0; ++digits)
                    code = code * 16 + static_cast<std::uint32_t>(value);
            } else {
                StepBack();
                for (char d; IsDigit(d = Read()); ++digits)
                    code = code * 10 + static_cast<std::uint32_t>(d - '0');
            }
            StepBack();
            if (digits == 0)
                Fail("character reference without digits");
            Expect(';', "character reference without ';'");
            return static_cast<char>(code & 0xFF);
        }
        if (!Is(c, NameStart))
            Fail("'&' not followed by a reference");
        const std::string_view name = ReadNameRest();
        Expect(';', "entity reference without ';'");
        if (name == "lt")
            return '<';
        if (name == "gt")
            return '>';
        if (name == "amp")
            return '&';
        if (name == "apos")
            return '\'';
        if (name == "quot")
            return '"';
        Fail("unknown entity");
    }

    // After the attribute's name: "=", the quoted value and its closing quote.
    std::string_view ReadAttributeValue() {
        char quote = 0;
        if (m_pos[0] == '=' && ((quote = m_pos[1]) == '"' || quote == '\'')) {
            // The usual name="value": counted as the general path below counts it, which meets the
            // "=" twice more (once skipping blanks, once expecting it) and the quote twice.
            m_column += 4;
            m_pos += 2;
        } else {
            SkipSpaces();
            Expect('=', "attribute without '='");
            SkipSpaces();
            quote = Read();
            if (quote != '"' && quote != '\'')
                Fail("attribute value not quoted");
        }
        InPlaceText value(m_pos);
        for (;;) {
            char* run = Scan(m_pos, [](char c) { return !Is(c, ValueStop); });
            Advance(run);
            const char c = Read();
            if (c == quote)
                break;
            if (c == 0)
                Fail("unterminated attribute value");
            if (c == '<')
                Fail("'<' in attribute value");
            if (c == '&') {
                value.KeepUpTo(m_pos - 1);
                value.Put(ReadReference());
                value.ContinueAt(m_pos);
            }
        }
        value.KeepUpTo(m_pos - 1);
        return value.Result();
    }

    void ReadAttributes() {
        m_attributes.clear();
        while (SkipSpaces()) {
            if (!Is(Read(), NameStart)) {
                StepBack();
                break;
            }
            const std::string_view name = ReadNameRest();
            const std::string_view value = ReadAttributeValue();
            if (value.size() > UINT32_MAX)
                Fail("attribute value too long");
            m_attributes.emplace_back(name, value);
        }
    }

    std::unique_ptr<Element> MakeElement(std::string_view name, int depth) {
        if (depth == 1)
            return std::make_unique<RootElement>(name, std::move(m_storageOwner));
        return std::make_unique<Element>(name);
    }

    // After "<": the element, its content and its end tag.
    std::unique_ptr<Element> ReadElement(int depth) {
        if (depth > Parser::MaxDepth)
            Fail("elements nested too deeply");
        const std::string_view name = ReadName("'<' not followed by a name");
        std::unique_ptr<Element> element = MakeElement(name, depth);
        ReadAttributes();
        if (!m_attributes.empty())
            element->SetAttributes(m_storage.Keep(m_attributes));
        const char c = Read();
        if (c == '/') {
            Expect('>', "'/' not followed by '>'");
            return element;
        }
        if (c != '>')
            Fail("start tag not closed");
        ReadContent(*element, depth);
        return element;
    }

    void ReadContent(Element& element, int depth) {
        TextPieces pieces;
        InPlaceText run(m_pos);
        for (;;) {
            char* plain = Scan(m_pos, [](char c) { return !Is(c, TextStop); });
            if (plain != m_pos) {
                Advance(plain);
                if (Ahead("]]>"))
                    Fail("']]>' in character data");
            }
            const char c = Read();
            if (c == 0)
                Fail("element not closed");
            if (Ahead("]]>"))
                Fail("']]>' in character data");
            if (c == '&') {
                run.KeepUpTo(m_pos - 1);
                run.Put(ReadReference());
                run.ContinueAt(m_pos);
                continue;
            }
            if (c != '<')
                continue;
            run.KeepUpTo(m_pos - 1);
            if (Read() == '/') {
                pieces.Add(run.Result());
                ReadEndTag(element.Name());
                element.SetText(pieces.Finish(m_storage));
                return;
            }
            StepBack();
            if (Match("![CDATA[")) {
                const std::string_view body = ReadCDataBody();
                run.Put(body.data(), body.size());
                run.ContinueAt(m_pos);
                continue;
            }
            pieces.Add(run.Result());
            if (Match("!--"))
                element.AddChild(std::make_unique<Comment>(ReadCommentBody()));
            else
                element.AddChild(ReadElement(depth + 1));
            run = InPlaceText(m_pos);
        }
    }

    void ReadEndTag(std::string_view name) {
        if (ReadName("end tag without a name") != name)
            Fail("end tag does not match its start tag");
        SkipSpaces();
        Expect('>', "end tag not closed");
    }

    std::unique_ptr<Storage> m_storageOwner; // until the root element takes it over
    Storage& m_storage;
    std::string& m_version;
    char* m_begin;
    char* m_pos;
    char* m_end;
    bool m_pastEnd = false; // the last read met the end; stepping back undoes only that
    std::int64_t m_line = 1;
    std::int64_t m_column = 1;
    std::vector<Attribute> m_attributes; // of the start tag being read
};

} // namespace

std::unique_ptr<Element> Parser::Parse(const char* buffer, std::size_t length) {
    return Parse(length == 0 ? std::string() : std::string(buffer, length));
}

std::unique_ptr<Element> Parser::Parse(std::string&& text) {
    auto storage = std::make_unique<Storage>();
    storage->text = std::move(text);
    return Reader(std::move(storage), m_version).ReadDocument();
}

} // namespace SimpleXMLParser
