#include "VCardWriter.h"

namespace {
constexpr size_t kLineOctets = 75;

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
} // namespace

void VCardWriter::Line(std::string_view nameAndParams, std::string_view value) {
    std::string line;
    line.reserve(nameAndParams.size() + value.size() + 1);
    line.append(nameAndParams).append(1, ':').append(value);
    std::string_view rest = line;
    size_t limit = kLineOctets; // the continuation lines' leading blank counts
    while (rest.size() > limit) {
        size_t cut = limit;
        while (cut > 1 && isContinuationByte(rest[cut]))
            --cut;
        m_text.append(rest.substr(0, cut)).append("\r\n ");
        rest.remove_prefix(cut);
        limit = kLineOctets - 1;
    }
    m_text.append(rest).append("\r\n");
}

std::string VCardWriter::Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\\':
            out.append("\\\\");
            break;
        case ',':
            out.append("\\,");
            break;
        case ';':
            out.append("\\;");
            break;
        case '\r':
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out.append("\\n");
            break;
        case '\n':
            out.append("\\n");
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::string VCardWriter::Compound(const std::vector<std::string>& parts) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.push_back(';');
        out.append(Escape(parts[i]));
    }
    return out;
}
