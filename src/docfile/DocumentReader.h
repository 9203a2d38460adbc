#pragma once

#include <cstdint>
#include <string_view>

class PimRecords;

namespace SimpleXMLParser {
class Element;
}

// Fills the records from a parsed document tree. Layout Version 1 keeps the fields as attributes
// of the record elements, Version 13 as child elements. Any other version, or a root not named
// Pim, is not a document of ours: nothing is read and the answer is false. A record element only overwrites the fields
// it names: the rest carry over from the previous record of the same collection element, and a repeated ID keeps the
// first record. The root's Identity attribute, written once a document is synchronised, is read
// into PimRecords::Identity; any other attribute of the root is passed over.
class DocumentReader {
public:
    static bool Read(const SimpleXMLParser::Element& root, PimRecords& records);

    // Leading whitespace, an optional sign, then decimal digits up to the first other byte; no
    // digits read as 0, and a number beyond the type's range reads as its nearest limit.
    static std::int64_t ReadInteger64(std::string_view text);
    static int ReadInteger(std::string_view text);
};
