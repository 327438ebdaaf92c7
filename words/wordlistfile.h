#pragma once
// Word-list files (".KIL"): CP1250 text, one word or phrase per line, no header.
//
// A line ends at a carriage return (13), and one line feed (10) right after it belongs to the same
// line end; a line feed on its own is an ordinary character of the line. The text ends at the end
// of the file or at the first byte 26 (Ctrl-Z). Every line is a word, empty lines included, and
// nothing is trimmed or converted.

#include <cstddef>
#include <string>

#include "words/customwords.h"

namespace dyx {

struct WordListLoad {
    // Lines beyond the table's capacity that were not kept.
    std::size_t linesLeftOut = 0;
};

// Reads the file at path into table, appending after its current count (the caller resets the
// count first). Throws GameError with the player's message when the file cannot be opened or read:
// "File not found", "Invalid filename", "Too many open files", "File access denied" or
// "I/O error N". The lines read completely before a read error stay in the table.
WordListLoad loadWordListFile(const std::string& path, CustomWordTable& table);

}  // namespace dyx
