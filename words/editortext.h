#pragma once
// The word-list editor's text and the bytes of the file it opens and saves.
//
// In memory the editor holds UTF-8 text whose lines are separated by a single "\n", the form that
// a plain-text widget takes and gives back. On disk a word-list file is CP1250 with lines
// separated by CR LF. Opening accepts any line ends (CR LF, a lone CR or a lone LF each end one
// line) and, besides CP1250, files written as UTF-8 by other editors; saving always writes
// CP1250 with CR LF and refuses text that CP1250 cannot hold.

#include <cstddef>
#include <string>
#include <string_view>

namespace dyx {

// How much the editor takes. The text field lays out every line it holds, and two shapes of text
// make that slow enough to freeze the window: very many lines (each costs a few microseconds) and
// very long lines without a space (wrapping one costs time growing with the square of its length;
// a single line of a million letters takes minutes). So a file is refused when it is larger than
// kMemoCapacity bytes, has more than kMemoMaxLines lines or a line longer than kMemoMaxLineLength
// characters. A word list of 30001 lines of a hundred characters fits easily; the worst text
// within all three limits shows in about half a second. A reader needs at most
// kMemoCapacity + 1 bytes of a file to tell.
inline constexpr std::size_t kMemoCapacity = 4 * 1024 * 1024;
inline constexpr std::size_t kMemoMaxLines = 100'000;
inline constexpr std::size_t kMemoMaxLineLength = 10'000;

// The editor text for a file's bytes: lines separated by "\n", every CR LF pair, lone CR and lone
// LF turned into one line end, nothing else changed. Bytes that are valid UTF-8 and contain at
// least one non-ASCII character are read as UTF-8 (a leading byte-order mark is dropped); any
// other bytes are read as CP1250, which gives a character for every byte, so nothing is lost.
// Throws GameError "Text exceeds memo capacity" when the bytes or the text break one of the limits
// above. Every line end ends a line, and text after the last line end is one more line.
std::string editorTextFromFileBytes(std::string_view bytes);

// The file bytes for an editor text given as UTF-8: CP1250, each line end of the text (LF, CR LF
// or a lone CR) written as CR LF, nothing added at the end. An empty text gives no bytes.
// Throws GameError with a Czech message naming the first character that CP1250 cannot hold, its
// line and its column; the caller then writes nothing.
std::string fileBytesFromEditorText(std::string_view utf8);

}  // namespace dyx
