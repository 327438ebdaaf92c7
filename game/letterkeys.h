#pragma once
// The 33 on-screen letter keys in their tab order. One click is one guess for the key's whole
// character group: the háček letters have keys of their own, while acute and ringed letters belong
// to the key of their base letter. A key's miss test asks for up to three characters (a space means
// "no character"); its reveal list gives the order in which the characters are uncovered, which
// decides the order of the hit sounds and which reveal completes a word. For E the two orders
// differ on purpose.

#include <array>
#include <cstddef>
#include <string_view>

#include "words/cp1250.h"

namespace dyx {

struct LetterKey {
    std::string_view name;      // component name, also the widget's objectName
    std::string_view caption;   // UTF-8 caption on the key
    std::string_view missTest;  // three CP1250 characters: base letter, then variants or spaces
    std::string_view reveal;    // CP1250 characters in reveal order
};

inline constexpr std::size_t kLetterKeyCount = 33;

inline constexpr std::array<LetterKey, kLetterKeyCount> LetterKeys = {{
    {"A", "A", "AÁ "_cp, "AÁ"_cp},
    {"B", "B", "B  "_cp, "B"_cp},
    {"C", "C", "C  "_cp, "C"_cp},
    {"CW", "Č", "Č  "_cp, "Č"_cp},
    {"D", "D", "D  "_cp, "D"_cp},
    {"DW", "Ď", "Ď  "_cp, "Ď"_cp},
    {"E", "E", "EÉĚ"_cp, "EĚÉ"_cp},
    {"F", "F", "F  "_cp, "F"_cp},
    {"G", "G", "G  "_cp, "G"_cp},
    {"H", "H", "H  "_cp, "H"_cp},
    {"I", "I", "IÍ "_cp, "IÍ"_cp},
    {"J", "J", "J  "_cp, "J"_cp},
    {"K", "K", "K  "_cp, "K"_cp},
    {"l", "L", "L  "_cp, "L"_cp},
    {"M", "M", "M  "_cp, "M"_cp},
    {"N", "N", "N  "_cp, "N"_cp},
    {"NW", "Ň", "Ň  "_cp, "Ň"_cp},
    {"O", "O", "OÓ "_cp, "OÓ"_cp},
    {"P", "P", "P  "_cp, "P"_cp},
    {"R", "R", "R  "_cp, "R"_cp},
    {"RW", "Ř", "Ř  "_cp, "Ř"_cp},
    {"S", "S", "S  "_cp, "S"_cp},
    {"SW", "Š", "Š  "_cp, "Š"_cp},
    {"T", "T", "T  "_cp, "T"_cp},
    {"TW", "Ť", "Ť  "_cp, "Ť"_cp},
    {"U", "U", "UÚů"_cp, "UÚů"_cp},
    {"V", "V", "V  "_cp, "V"_cp},
    {"W", "W", "W  "_cp, "W"_cp},
    {"X", "X", "X  "_cp, "X"_cp},
    {"Y", "Y", "YÝ "_cp, "YÝ"_cp},
    {"Z", "Z", "Z  "_cp, "Z"_cp},
    {"ZW", "Ž", "Ž  "_cp, "Ž"_cp},
    {"Q", "Q", "Q  "_cp, "Q"_cp},
}};

}  // namespace dyx
