#pragma once
// Word-list files (".KIL"): CP1250 text, one word or phrase per line, no header.
//
// A line ends at a carriage return (13), and one line feed (10) right after it belongs to the same
// line end; a line feed on its own is an ordinary character of the line. The text ends at the end
// of the file or at the first byte 26 (Ctrl-Z); nothing after that byte is looked at. Every line
// is a word, empty lines included, and nothing is trimmed or converted. An empty text has no
// word; a text that is only CR LF has one empty word.
//
// The player may pick any file, also a device or a pipe that never ends, so the reader takes only
// so much: a line longer than maxLineLength bytes, or a text longer than maxTextSize bytes, makes
// it refuse the file with a message that names the limit. A refused file changes no word.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/errors.h"
#include "words/customwords.h"

namespace dyx {

// How much of a file the reader takes. The defaults are the game's; tests and the fuzzer pass
// small ones to reach the limits quickly.
struct WordListLimits {
    // Longest line, in bytes without its line end. Far longer than any word the board can show,
    // short enough that a file without line ends cannot fill the memory.
    std::size_t maxLineLength = std::size_t{64} * 1024;
    // Longest text, in bytes up to the end of the file or the byte 26, line ends included.
    std::uint64_t maxTextSize = std::uint64_t{256} * 1024 * 1024;
    // Lines kept; the lines after them are counted, not stored.
    std::size_t maxLines = CustomWordCapacity;
};

// Thrown when a file breaks one of the limits. Its message is the one the player reads.
class WordListRefused : public GameError {
public:
    using GameError::GameError;
};

// Splits the bytes of a word-list file into lines. The bytes may come in chunks of any size,
// split anywhere, also between the CR and the LF of one line end; the lines come out the same.
class WordListParser {
public:
    explicit WordListParser(const WordListLimits& limits = {}) : m_limits(limits) {}

    // Takes the next bytes of the file. Returns true while the text goes on, and false once a
    // byte 26 has ended it; that byte and all later ones, in this chunk and any other, are
    // ignored, and the line it cut off is complete. Throws WordListRefused when the text breaks a
    // limit (of two, the one it breaks first, byte by byte); the parser is of no further use then.
    bool feed(std::string_view bytes);

    // The physical end of the file: a last line without a line end becomes a word. Call it after
    // the last feed (it does nothing once a byte 26 has ended the text, or when called again).
    void finish();

    // The complete lines so far, in file order, at most limits.maxLines of them. A line is
    // complete once its line end or the end of the text has been seen.
    const std::vector<std::string>& lines() const { return m_lines; }

    // Hands the complete lines over, leaving none in the parser.
    std::vector<std::string> takeLines() { return std::move(m_lines); }

    // Complete lines after the first limits.maxLines, which were not kept.
    std::size_t linesLeftOut() const { return m_linesLeftOut; }

private:
    void addToLine(std::string_view bytes);
    void endLine();
    void endText();

    WordListLimits m_limits;
    std::vector<std::string> m_lines;
    std::string m_line;            // bytes of the current line, if it is to be kept
    std::size_t m_lineLength = 0;  // bytes of the current line, kept or not
    bool m_lineOpen = false;       // the current line has at least one byte
    bool m_afterCr = false;        // the last byte was a CR, so an LF now ends nothing new
    bool m_textEnded = false;
    std::uint64_t m_textSize = 0;
    std::size_t m_linesLeftOut = 0;
};

// The outcome of a load that went to its end.
struct WordListLoad {
    // Lines beyond the table's capacity that were not kept; the player is told their number.
    std::size_t linesLeftOut = 0;
};

// Where a load reads its bytes from: a file, or a fake in the tests.
struct ReadResult {
    std::size_t size = 0;  // bytes put into the buffer; 0 at the end of the file
    int error = 0;         // the system's error number (errno) when the read failed, else 0
};

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to buffer.size() bytes into the buffer.
    virtual ReadResult read(std::span<char> buffer) = 0;
};

// Reads source to the end of its text into table, appending after the table's current count (the
// game resets the count first). Reads through a buffer of 64 KiB.
// - A read error stops the load: the lines read completely before it are stored and counted,
//   the line being read is dropped, and a GameError says "I/O error N" or one of the messages
//   of loadWordListFile for the error number.
// - A file that breaks a limit throws WordListRefused and stores nothing; the count that the
//   last table.resetCount() cleared comes back, so the previous list stays in play.
WordListLoad loadWordList(ByteSource& source, CustomWordTable& table,
                          const WordListLimits& limits = {});

// Opens the file at path and loads it as loadWordList does. A path that cannot be opened throws a
// GameError and leaves the table alone. The messages, by the system's error number:
// - "File not found": ENOENT for the file itself;
// - "Invalid filename": a name that leads nowhere (ENOENT for a folder on the way, ENOTDIR,
//   ENAMETOOLONG, ELOOP) or that names a folder (EISDIR);
// - "Too many open files": EMFILE, ENFILE;
// - "File access denied": EACCES, EPERM;
// - "I/O error N" for any other error number N.
// The file is closed whatever happens. Opening never waits: a pipe with no writer reads as empty.
WordListLoad loadWordListFile(const std::string& path, CustomWordTable& table,
                              const WordListLimits& limits = {});

}  // namespace dyx
