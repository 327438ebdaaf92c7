#pragma once
// Conversions between the game's CP1250 and UTF-8 strings and Qt's QString.

#include <QString>
#include <string>
#include <string_view>

#include "words/cp1250.h"

namespace dyx {

inline QString fromCp1250(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char c : bytes) {
        text += QChar(static_cast<char16_t>(cp1250ToUnicode(static_cast<unsigned char>(c))));
    }
    return text;
}

inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The application title: the program file's name without its folder, cut at its first ".", with
// every character after the first in lower case. It captions the custom message boxes and the
// error box.
inline QString applicationTitleFor(const QString& programPath) {
    QString name = programPath.section(QLatin1Char('/'), -1);
    name = name.section(QLatin1Char('.'), 0, 0);
    if (name.size() > 1) {
        name = name.left(1) + name.mid(1).toLower();
    }
    return name;
}

}  // namespace dyx
