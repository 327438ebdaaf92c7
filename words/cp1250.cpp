#include "words/cp1250.h"

namespace dyx {

std::string utf8FromCodePoint(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::string cp1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        out += utf8FromCodePoint(cp1250ToUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

Cp1250Encoding utf8ToCp1250(std::string_view utf8) {
    Cp1250Encoding result;
    result.bytes.reserve(utf8.size());
    std::size_t line = 1;
    std::size_t column = 1;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const auto cp = decodeUtf8(utf8, pos);
        const auto byte = cp ? unicodeToCp1250(*cp) : std::nullopt;
        if (!byte) {
            result.ok = false;
            result.badCharacter = cp ? *cp : U'\uFFFD';
            result.badLine = line;
            result.badColumn = column;
            result.bytes.clear();
            return result;
        }
        result.bytes += static_cast<char>(*byte);
        if (*cp == U'\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return result;
}

}  // namespace dyx
