#pragma once
// The about box's text: one line of credit, then a run of spaces and the version label. UTF-8;
// every character also has a CP1250 byte, like all the game's texts.

namespace dyx {

inline constexpr char kAboutText[] =
    "Dyxolana – šibenice pro chytré hlavy od vývojářů Dyxolany          verse 0.3";

}  // namespace dyx
