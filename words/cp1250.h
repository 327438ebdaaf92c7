#pragma once
// Czech text in the game is single-byte Windows-1250 (CP1250): words, masks and word-list lines are
// byte strings and every comparison is byte for byte. The UI speaks Unicode; these helpers convert
// between the two without loss. The five bytes that CP1250 leaves undefined (0x81, 0x83, 0x88,
// 0x90, 0x98) map to the C1 control characters of the same number, so all 256 bytes survive a
// round trip through the UI.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dyx {

// The code point of each byte 0x80..0xFF.
inline constexpr std::array<char32_t, 128> kCp1250High = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

constexpr char32_t cp1250ToUnicode(unsigned char byte) {
    return byte < 0x80 ? char32_t{byte} : kCp1250High[byte - 0x80];
}

// The byte that stands for the code point, or nothing when CP1250 has no byte for it.
constexpr std::optional<unsigned char> unicodeToCp1250(char32_t cp) {
    if (cp < 0x80) {
        return static_cast<unsigned char>(cp);
    }
    for (std::size_t i = 0; i < kCp1250High.size(); ++i) {
        if (kCp1250High[i] == cp) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

// Decodes one UTF-8 sequence starting at text[pos]; advances pos. Returns nothing for a malformed
// sequence (pos then stands after the offending byte).
constexpr std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return std::nullopt;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return std::nullopt;
    }
    return cp;
}

// A UTF-8 string literal converted to CP1250 bytes while compiling; a character without a CP1250
// byte is a compile error. Write Czech literals readably: "PÍSEŇ"_cp.
template <std::size_t N>
struct Cp1250Literal {
    char bytes[N]{};
    std::size_t size = 0;

    consteval Cp1250Literal(const char (&utf8)[N]) {
        const std::string_view text(utf8, N - 1);
        std::size_t pos = 0;
        while (pos < text.size()) {
            const auto cp = decodeUtf8(text, pos);
            if (!cp) {
                throw std::logic_error("malformed UTF-8 in a literal");
            }
            const auto byte = unicodeToCp1250(*cp);
            if (!byte) {
                throw std::logic_error("character without a CP1250 byte in a literal");
            }
            bytes[size++] = static_cast<char>(*byte);
        }
    }
    constexpr std::string_view view() const { return {bytes, size}; }
};

template <Cp1250Literal L>
consteval std::string_view operator""_cp() {
    return L.view();
}

// CP1250 bytes to UTF-8; never fails.
std::string cp1250ToUtf8(std::string_view bytes);

// UTF-8 to CP1250 bytes. Fails on the first character that has no CP1250 byte (or on malformed
// UTF-8) and tells which character it was and where.
struct Cp1250Encoding {
    std::string bytes;
    bool ok = true;
    char32_t badCharacter = 0;    // when !ok: the character that has no byte (U+FFFD if malformed)
    std::size_t badLine = 0;      // when !ok: its line, counted from 1 (lines end at LF)
    std::size_t badColumn = 0;    // when !ok: its column within the line, counted from 1
};
Cp1250Encoding utf8ToCp1250(std::string_view utf8);

// A code point as UTF-8.
std::string utf8FromCodePoint(char32_t cp);

}  // namespace dyx
