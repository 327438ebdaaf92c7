#pragma once
// Opening and saving the word-list editor's text. Both run to completion before they return, and
// both report a failure by throwing GameError with the message for the error box; the caller
// changes the editor's text and path field only after a call has returned normally.

#include <QString>

namespace dyx::editor {

// Reads the file at path and returns the editor text, lines separated by "\n" (see
// words/editortext.h for the decoding). Reads at most kMemoCapacity + 1 bytes, so even an endless
// or enormous file is refused at once. Throws GameError "Cannot open file <path>" when the file
// cannot be opened or read, and "Text exceeds memo capacity" when it is larger than kMemoCapacity.
QString open(const QString& path);

// Writes the editor text to the file at path as a word-list file: CP1250, CR LF line ends, nothing
// added at the end. A regular file (or a new one) is written to a temporary file in the same folder
// that replaces the old file only once every byte is on disk, so a failure leaves the old file as
// it was and no temporary file behind. A target that exists and is not a regular file (a device
// such as /dev/null) is written directly and never replaced. Throws GameError:
// - the Czech refusal of fileBytesFromEditorText when CP1250 cannot hold a character, before
//   anything is touched;
// - "Cannot create file <path>" when the file cannot be created or replaced (missing folder, no
//   access, a folder of that name);
// - "Stream write error" when writing fails, for instance on a full disk.
// Text in decomposed form (a letter followed by a combining accent) is composed first, so a "č"
// pasted from a program that writes it as "c" plus a combining caron is saved as the one byte.
void save(const QString& path, const QString& text);

}  // namespace dyx::editor
