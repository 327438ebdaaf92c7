#include "words/editortext.h"

#include <array>
#include <cstdio>
#include <string>

#include "game/errors.h"
#include "words/cp1250.h"

namespace dyx {

namespace {

// One "\n" for every CR LF pair, lone CR and lone LF. CR and LF are single bytes in both CP1250
// and UTF-8 and never part of a longer UTF-8 sequence, so this works on either.
std::string withLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

// True when the bytes read as UTF-8 without a single malformed sequence and hold something
// beyond ASCII. Plain ASCII reads the same either way; a Czech CP1250 file almost never forms
// valid UTF-8, because its accented letters stand alone between ASCII letters.
bool looksLikeUtf8(std::string_view bytes) {
    bool beyondAscii = false;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto cp = decodeUtf8(bytes, pos);
        if (!cp) {
            return false;
        }
        beyondAscii = beyondAscii || *cp >= 0x80;
    }
    return beyondAscii;
}

// Whether the text field can take the text without freezing the window. Line lengths are counted
// in characters: the bytes that do not continue a UTF-8 sequence.
bool fitsTheMemo(std::string_view text) {
    std::size_t lineEnds = 0;
    std::size_t lineLength = 0;
    for (const char c : text) {
        if (c == '\n') {
            ++lineEnds;
            lineLength = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 &&
                   ++lineLength > kMemoMaxLineLength) {
            return false;
        }
    }
    const bool unfinishedLastLine = !text.empty() && text.back() != '\n';
    return lineEnds + (unfinishedLastLine ? 1 : 0) <= kMemoMaxLines;
}

std::string unencodableMessage(const Cp1250Encoding& encoding) {
    std::array<char, 16> code{};
    std::snprintf(code.data(), code.size(), "U+%04X", static_cast<unsigned>(encoding.badCharacter));
    return "Znak „" + utf8FromCodePoint(encoding.badCharacter) + "“ (" + code.data() +
           ") na řádku " + std::to_string(encoding.badLine) + ", ve sloupci " +
           std::to_string(encoding.badColumn) +
           ", nelze uložit v kódování CP1250. Nic nebylo uloženo";
}

}  // namespace

std::string editorTextFromFileBytes(std::string_view bytes) {
    if (bytes.size() > kMemoCapacity) {
        throw GameError("Text exceeds memo capacity");
    }
    std::string text;
    if (looksLikeUtf8(bytes)) {
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (bytes.starts_with(kByteOrderMark)) {
            bytes.remove_prefix(kByteOrderMark.size());
        }
        text = withLfLineEnds(bytes);
    } else {
        text = withLfLineEnds(cp1250ToUtf8(bytes));
    }
    if (!fitsTheMemo(text)) {
        throw GameError("Text exceeds memo capacity");
    }
    return text;
}

std::string fileBytesFromEditorText(std::string_view utf8) {
    // Lines are counted at "\n", so the line named in a refusal is the one the player sees.
    const Cp1250Encoding encoding = utf8ToCp1250(withLfLineEnds(utf8));
    if (!encoding.ok) {
        throw GameError(unencodableMessage(encoding));
    }
    std::string out;
    out.reserve(encoding.bytes.size() + encoding.bytes.size() / 8);
    for (const char c : encoding.bytes) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

}  // namespace dyx
