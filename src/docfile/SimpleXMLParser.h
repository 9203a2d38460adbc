#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The program's own small, non-validating reader for the XML its document files use. It takes
// bytes as they stand (no character-set conversion) and stops at the first syntax error.
//
// Names and texts are views into text that the root element owns: every node of a parsed tree
// stays valid as long as the root returned by Parser::Parse lives.
namespace SimpleXMLParser {

// A name and its value, both with entity references already replaced.
class Attribute {
public:
    Attribute() = default;
    Attribute(std::string_view name, std::string_view value);

    std::string_view Name() const { return {m_name, m_nameLength}; }
    std::string_view Value() const { return {m_value, m_valueLength}; }

private:
    // Kept small: a document holds one of these for every attribute it contains.
    const char* m_name = "";
    const char* m_value = "";
    std::uint32_t m_nameLength = 0;
    std::uint32_t m_valueLength = 0;
};

class Node;
using AttributeList = std::span<const Attribute>;
using NodeList = std::vector<std::unique_ptr<Node>>;

// Base of every node of the tree.
class Node {
public:
    Node(std::string_view name, std::string_view text) : m_name(name), m_text(text) {}
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    virtual ~Node();
    // True only for the shared null node.
    virtual bool IsNull() const;
    // Elements take the node as their last child and answer true; other kinds answer false.
    virtual bool AddChild(std::unique_ptr<Node> node);
    // The children in document order, or nullptr when there are none.
    virtual const NodeList* GetChildren() const;
    // The index-th child (from 0) with this name, or the null node.
    virtual const Node& FindChild(std::string_view name, std::size_t index = 0) const;
    // The attributes in document order (duplicates kept), or nullptr when there are none.
    virtual const AttributeList* GetAttributes() const;

    std::string_view Name() const { return m_name; }
    std::string_view Text() const { return m_text; }

protected:
    std::string_view m_name;
    std::string_view m_text;
};

// A tag with its attributes and children; its text is all character data directly inside it,
// concatenated in document order.
class Element : public Node {
public:
    explicit Element(std::string_view name) : Node(name, {}) {}
    ~Element() override;

    bool AddChild(std::unique_ptr<Node> node) override;
    const NodeList* GetChildren() const override;
    const Node& FindChild(std::string_view name, std::size_t index = 0) const override;
    const AttributeList* GetAttributes() const override;

    // The attribute list must outlive the element (the parser keeps it beside the tree's text).
    void SetAttributes(AttributeList attributes) { m_attributes = attributes; }
    void SetText(std::string_view text) { m_text = text; }
    void ReserveChildren(std::size_t count) { m_children.reserve(count); }

private:
    AttributeList m_attributes;
    NodeList m_children;
};

// A comment kept inside an element; its name is "!" and its text the comment body.
class Comment : public Node {
public:
    explicit Comment(std::string_view text) : Node("!", text) {}
};

// The one node that stands for "no such child".
class NullNode final : public Node {
public:
    static const NullNode& Shared();
    bool IsNull() const override;

private:
    NullNode() : Node({}, {}) {}
};

// The first syntax error: where it was found, counted from 1, and a short reason.
class Exception : public std::runtime_error {
public:
    Exception(int line, int column, const char* reason);

    int Line() const { return m_line; }
    int Column() const { return m_column; }

private:
    int m_line;
    int m_column;
};

class Parser {
public:
    // Elements nested deeper than this are refused, so that hostile input cannot exhaust the stack.
    static constexpr int MaxDepth = 1000;

    // Reads length bytes of buffer (which need not end with a NUL and is not changed) and answers
    // the root element, which the caller owns. Throws Exception on the first syntax error.
    std::unique_ptr<Element> Parse(const char* buffer, std::size_t length);
    // The same, but the tree takes the text over instead of copying it: no second copy of a large
    // document is held while it is read.
    std::unique_ptr<Element> Parse(std::string&& text);

    // The version named by the last XML declaration read, "1.0" until one names another.
    const std::string& Version() const { return m_version; }

private:
    std::string m_version = "1.0";
};

} // namespace SimpleXMLParser
