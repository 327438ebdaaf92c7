#include "words/wordlistfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace dyx {

namespace {

constexpr char kLineEnd = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfText = 26;  // Ctrl-Z
constexpr std::size_t kReadBufferSize = std::size_t{64} * 1024;
constexpr const char* kInvalidFilename = "Invalid filename";

// The player's message for a system error number of an open or a read.
std::string fileErrorMessage(int error) {
    switch (error) {
        case ENOENT:
            return "File not found";
        // The name does not lead to a file: a part of the path is no folder, is too long or loops,
        // or the name is that of a folder.
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EISDIR:
            return kInvalidFilename;
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case EACCES:
        case EPERM:
            return "File access denied";
        default:
            return "I/O error " + std::to_string(error);
    }
}

// The system answers ENOENT both for a missing file and for a missing folder on the way to it.
// The player is told the two apart: a file that is not there, or a name that leads nowhere.
std::string openErrorMessage(const std::string& path, int error) {
    if (error == ENOENT) {
        const std::size_t slash = path.find_last_of('/');
        if (slash != std::string::npos) {
            const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
            struct stat info {};
            if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
                return kInvalidFilename;
            }
        }
    }
    return fileErrorMessage(error);
}

// "1 znak", "2 znaky", "5 znaků".
std::string characters(std::size_t n) {
    const char* noun = n == 1 ? "znak" : (n >= 2 && n <= 4 ? "znaky" : "znaků");
    return std::to_string(n) + " " + noun;
}

std::string byteSize(std::uint64_t n) {
    constexpr std::uint64_t kKiB = 1024;
    constexpr std::uint64_t kMiB = kKiB * kKiB;
    if (n >= kMiB && n % kMiB == 0) {
        return std::to_string(n / kMiB) + " MiB";
    }
    if (n >= kKiB && n % kKiB == 0) {
        return std::to_string(n / kKiB) + " KiB";
    }
    return std::to_string(n) + " B";
}

constexpr const char* kListUnchanged = ". Seznam slov zůstává beze změny";

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { ::close(m_fd); }
    int get() const { return m_fd; }

private:
    int m_fd = -1;
};

class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(int fd) : m_fd(fd) {}

    ReadResult read(std::span<char> buffer) override {
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer.data(), buffer.size());
            if (got >= 0) {
                return {static_cast<std::size_t>(got), 0};
            }
            if (errno != EINTR) {
                return {0, errno};
            }
        }
    }

private:
    int m_fd = -1;
};

// Moves the parsed lines into the table after its count; what does not fit is left out.
WordListLoad commit(WordListParser& parser, CustomWordTable& table) {
    WordListLoad load;
    load.linesLeftOut = parser.linesLeftOut();
    for (std::string& line : parser.takeLines()) {
        if (!table.append(std::move(line))) {
            ++load.linesLeftOut;
        }
    }
    return load;
}

}  // namespace

bool WordListParser::feed(std::string_view bytes) {
    if (m_textEnded) {
        return false;
    }
    if (bytes.empty()) {
        return true;
    }
    if (const void* end = std::memchr(bytes.data(), kEndOfText, bytes.size())) {
        bytes =
            bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(end) - bytes.data()));
        m_textEnded = true;
    }
    // The bytes within the size limit are looked at before the file is refused for its size, so
    // a line that is too long among them is what the player hears about, however the file was
    // read: the first limit that the text breaks, byte by byte, is the one reported.
    const bool tooLarge = bytes.size() > m_limits.maxTextSize - m_textSize;
    if (tooLarge) {
        bytes = bytes.substr(0, static_cast<std::size_t>(m_limits.maxTextSize - m_textSize));
    }
    m_textSize += bytes.size();

    // The LF of a CR LF that the previous chunk split.
    if (m_afterCr && !bytes.empty()) {
        if (bytes.front() == kLineFeed) {
            bytes.remove_prefix(1);
        }
        m_afterCr = false;
    }
    while (!bytes.empty()) {
        const void* cr = std::memchr(bytes.data(), kLineEnd, bytes.size());
        if (cr == nullptr) {
            addToLine(bytes);
            break;
        }
        const auto length = static_cast<std::size_t>(static_cast<const char*>(cr) - bytes.data());
        addToLine(bytes.substr(0, length));
        endLine();
        bytes.remove_prefix(length + 1);
        if (bytes.empty()) {
            m_afterCr = true;
        } else if (bytes.front() == kLineFeed) {
            bytes.remove_prefix(1);
        }
    }
    if (tooLarge) {
        throw WordListRefused("Soubor nebyl načten: je větší než " +
                              byteSize(m_limits.maxTextSize) + kListUnchanged);
    }
    if (m_textEnded) {
        endText();
    }
    return !m_textEnded;
}

void WordListParser::finish() {
    if (!m_textEnded) {
        m_textEnded = true;
        endText();
    }
}

void WordListParser::addToLine(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    if (bytes.size() > m_limits.maxLineLength - m_lineLength) {
        throw WordListRefused("Soubor nebyl načten: má řádek delší než " +
                              characters(m_limits.maxLineLength) + kListUnchanged);
    }
    m_lineLength += bytes.size();
    m_lineOpen = true;
    // Lines past the ones kept are only counted, so a long file costs no memory for them.
    if (m_lines.size() < m_limits.maxLines) {
        m_line.append(bytes);
    }
}

void WordListParser::endLine() {
    if (m_lines.size() < m_limits.maxLines) {
        m_lines.push_back(std::move(m_line));
        m_line.clear();
    } else {
        ++m_linesLeftOut;
    }
    m_lineLength = 0;
    m_lineOpen = false;
}

// A last line without a line end is a word; after a line end nothing is left to add.
void WordListParser::endText() {
    if (m_lineOpen) {
        endLine();
    }
}

WordListLoad loadWordList(ByteSource& source, CustomWordTable& table,
                          const WordListLimits& limits) {
    WordListParser parser(limits);
    const auto buffer = std::make_unique<char[]>(kReadBufferSize);
    int readError = 0;
    try {
        for (;;) {
            const ReadResult got = source.read({buffer.get(), kReadBufferSize});
            if (got.error != 0) {
                readError = got.error;
                break;
            }
            if (got.size == 0) {
                parser.finish();
                break;
            }
            if (!parser.feed({buffer.get(), got.size})) {
                break;
            }
        }
    } catch (...) {
        // Nothing of this file reached the table; the list from before the load is put back.
        table.restoreCount();
        throw;
    }
    // After a read error the complete lines stay, as they would have had they been stored one by
    // one; the line that was being read is lost with the error.
    const WordListLoad load = commit(parser, table);
    if (readError != 0) {
        throw GameError(fileErrorMessage(readError));
    }
    return load;
}

WordListLoad loadWordListFile(const std::string& path, CustomWordTable& table,
                              const WordListLimits& limits) {
    // No file name holds a NUL; the system would read the name only up to it, another file.
    if (path.find('\0') != std::string::npos) {
        throw GameError(kInvalidFilename);
    }
    // Without O_NONBLOCK, opening a pipe waits for a writer, and the game would hang.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        throw GameError(openErrorMessage(path, errno));
    }
    const FileDescriptor file(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        throw GameError(fileErrorMessage(errno));
    }
    if (S_ISDIR(info.st_mode)) {
        throw GameError(fileErrorMessage(EISDIR));
    }
    // Reads wait for data again, so a pipe whose writer is slow is read to its end.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0) {
        throw GameError(fileErrorMessage(errno));
    }
    FileByteSource source(fd);
    return loadWordList(source, table, limits);
}

}  // namespace dyx
