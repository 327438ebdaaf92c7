#include "words/wordlistfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

namespace dyx {
namespace {

namespace fs = std::filesystem;

constexpr char kEof = 26;

// A folder of its own for each test, removed afterwards. Others may look into it, so a test can
// drop its privileges and still reach the files.
class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::path(::testing::TempDir()) / "wordlistXXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
        fs::permissions(m_path, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }

    std::string file(const std::string& name, const std::string& bytes) const {
        const std::string path = (m_path / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string path(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

// Hands out the given chunks one read at a time (a chunk longer than the buffer in parts), then
// reports the end of the file, or the error number if one is given.
class ChunkedSource final : public ByteSource {
public:
    explicit ChunkedSource(std::vector<std::string> chunks, int errorAtEnd = 0)
        : m_chunks(std::move(chunks)), m_errorAtEnd(errorAtEnd) {
        std::erase(m_chunks, std::string());  // an empty read would mean the end of the file
    }

    ReadResult read(std::span<char> buffer) override {
        if (m_next == m_chunks.size()) {
            return {0, m_errorAtEnd};
        }
        const std::string& chunk = m_chunks[m_next];
        const std::size_t n = std::min(buffer.size(), chunk.size() - m_offset);
        std::memcpy(buffer.data(), chunk.data() + m_offset, n);
        m_offset += n;
        if (m_offset == chunk.size()) {
            ++m_next;
            m_offset = 0;
        }
        return {n, 0};
    }

private:
    std::vector<std::string> m_chunks;
    int m_errorAtEnd = 0;
    std::size_t m_next = 0;
    std::size_t m_offset = 0;
};

std::vector<std::string> wordsOf(const CustomWordTable& table) {
    std::vector<std::string> words;
    for (std::size_t i = 0; i < table.count(); ++i) {
        words.emplace_back(table.entry(i));
    }
    return words;
}

// A table that holds the list of an earlier load, with its count reset as the game does before
// it opens the next file.
CustomWordTable previousList() {
    CustomWordTable table;
    for (const char* word : {"PES", "LES", "SUD"}) {
        table.append(word);
    }
    table.resetCount();
    return table;
}

const std::vector<std::string> kPreviousWords = {"PES", "LES", "SUD"};

// The message the player reads in the error box.
template <typename Load>
std::string errorBoxText(Load&& load) {
    try {
        load();
    } catch (const GameError& error) {
        return errorReportText(error);
    }
    return "(no error)";
}

// ---- Lines ------------------------------------------------------------------------------------

struct LineCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> words;
};

const std::vector<LineCase> kLineCases = {
    {"CrLfAfterEachWord", "A\r\nB\r\n", {"A", "B"}},
    {"LastLineWithoutLineEnd", "A\r\nB", {"A", "B"}},
    {"TwoLineEndsMakeAnEmptyWord", "A\r\n\r\nB", {"A", "", "B"}},
    {"CrAloneEndsALine", "A\rB", {"A", "B"}},
    {"LoneLfIsAnOrdinaryByte", "A\nB\n", {"A\nB\n"}},
    {"OnlyOneLfBelongsToTheLineEnd", "A\r\n\nB", {"A", "\nB"}},
    {"Byte26RightAfterTheFirstLineEnd", std::string("A\r\n") + kEof + "B\r\n", {"A"}},
    {"Byte26EndsALineWithoutLineEnd", std::string("A\r\nBC") + kEof + "D", {"A", "BC"}},
    {"Byte26FirstLoadsNothing", std::string(1, kEof) + "A\r\n", {}},
    {"LineOf300CharactersWhole", std::string(300, 'X') + "\r\n", {std::string(300, 'X')}},
    {"EmptyFile", "", {}},
    {"OnlyCrLfIsOneEmptyWord", "\r\n", {""}},
    {"NothingTrimmedOrConverted",
     std::string(" pes \t\xC8\0Z\r\n", 11),
     {std::string(" pes \t\xC8\0Z", 9)}},
};

// Failures name the row, not its bytes.
void PrintTo(const LineCase& row, std::ostream* out) {
    *out << row.name;
}

class WordListLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(WordListLines, FromAFile) {
    const TempDir dir;
    CustomWordTable table;
    const WordListLoad load = loadWordListFile(dir.file("words.kil", GetParam().bytes), table);
    EXPECT_EQ(wordsOf(table), GetParam().words);
    EXPECT_EQ(load.linesLeftOut, 0u);
}

// The reader sees a file through a buffer, so any two bytes may arrive in different reads: the
// CR and the LF of one line end, a CR and the byte 26, the halves of a word.
TEST_P(WordListLines, SplitAtEveryPlace) {
    const std::string& bytes = GetParam().bytes;
    for (std::size_t at = 0; at <= bytes.size(); ++at) {
        ChunkedSource source({bytes.substr(0, at), bytes.substr(at)});
        CustomWordTable table;
        loadWordList(source, table);
        EXPECT_EQ(wordsOf(table), GetParam().words) << "split at byte " << at;
    }
    std::vector<std::string> singleBytes;
    for (const char byte : bytes) {
        singleBytes.emplace_back(1, byte);
    }
    ChunkedSource source(singleBytes);
    CustomWordTable table;
    loadWordList(source, table);
    EXPECT_EQ(wordsOf(table), GetParam().words) << "one byte per read";
}

INSTANTIATE_TEST_SUITE_P(Rules, WordListLines, ::testing::ValuesIn(kLineCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(WordListFile, CrLfSplitBetweenTwoReadsOfTheFile) {
    // The file is read 64 KiB at a time: this CR is the last byte of the first read.
    const TempDir dir;
    const std::string longWord(64 * 1024 - 1, 'A');
    CustomWordTable table;
    loadWordListFile(dir.file("split.kil", longWord + "\r\nB"), table);
    EXPECT_EQ(wordsOf(table), (std::vector<std::string>{longWord, "B"}));
}

TEST(WordListFile, BytesAfterByte26AreNeverRead) {
    // The read that would follow the byte 26 fails; the load must not get that far.
    ChunkedSource source({std::string("A\r\n") + kEof + "B"}, EIO);
    CustomWordTable table;
    EXPECT_NO_THROW(loadWordList(source, table));
    EXPECT_EQ(wordsOf(table), (std::vector<std::string>{"A"}));
}

TEST(WordListFile, ANewLoadOverwritesFromTheFrontAndLeavesTheRest) {
    const TempDir dir;
    CustomWordTable table = previousList();
    loadWordListFile(dir.file("one.kil", "VLK\r\n"), table);
    EXPECT_EQ(wordsOf(table), (std::vector<std::string>{"VLK"}));
    EXPECT_EQ(table.entry(1), "LES");

    // An empty file loads nothing; entry 0, which the round setup draws at a count of 0, is still
    // the first word of the last load that had one.
    table.resetCount();
    loadWordListFile(dir.file("empty.kil", ""), table);
    EXPECT_EQ(table.count(), 0u);
    EXPECT_EQ(table.entry(0), "VLK");
}

// ---- Capacity ---------------------------------------------------------------------------------

TEST(WordListFile, KeepsTheFirst30001LinesAndCountsTheRest) {
    const TempDir dir;
    std::string bytes;
    for (int i = 0; i < 30005; ++i) {
        bytes.append("W").append(std::to_string(i)).append("\r\n");
    }
    bytes.resize(bytes.size() - 2);  // the last line has no line end and still counts
    const std::string path = dir.file("long.kil", bytes);

    // Even a parser told to keep more lines cannot make the table hold more than it can.
    for (const std::size_t maxLines : {CustomWordCapacity, std::size_t{40000}}) {
        CustomWordTable table;
        const WordListLoad load = loadWordListFile(path, table, {.maxLines = maxLines});
        EXPECT_EQ(table.count(), CustomWordCapacity);
        EXPECT_EQ(table.entry(0), "W0");
        EXPECT_EQ(table.entry(30000), "W30000");
        EXPECT_EQ(table.entry(30001), "");
        EXPECT_EQ(load.linesLeftOut, 4u);
        EXPECT_FALSE(table.append("MORE"));
    }
}

// ---- Errors -----------------------------------------------------------------------------------

struct OpenErrorCase {
    const char* name;
    std::string (*makePath)(const TempDir&);
    const char* boxText;
};

const std::vector<OpenErrorCase> kOpenErrorCases = {
    {"MissingFile", [](const TempDir& d) { return d.path("missing.kil"); }, "File not found."},
    {"MissingFolder", [](const TempDir& d) { return d.path("nowhere/words.kil"); },
     "Invalid filename."},
    {"DanglingSymlink",
     [](const TempDir& d) {
         fs::create_symlink(d.path("gone.kil"), d.path("link.kil"));
         return d.path("link.kil");
     },
     "File not found."},
    {"RegularFileUsedAsFolder",
     [](const TempDir& d) { return d.file("plain.kil", "A\r\n") + "/words.kil"; },
     "Invalid filename."},
    {"Folder", [](const TempDir& d) { return d.path(""); }, "Invalid filename."},
    {"NameTooLong", [](const TempDir& d) { return d.path(std::string(300, 'N')); },
     "Invalid filename."},
    {"SymlinkLoop",
     [](const TempDir& d) {
         fs::create_symlink(d.path("loop"), d.path("loop"));
         return d.path("loop");
     },
     "Invalid filename."},
    {"NulInTheName", [](const TempDir& d) { return d.file("a.kil", "A") + std::string(1, '\0'); },
     "Invalid filename."},
    // Reading this file at offset 0 fails with EIO (5).
    {"ReadFailsAtOnce", [](const TempDir&) { return std::string("/proc/self/mem"); },
     "I/O error 5."},
};

void PrintTo(const OpenErrorCase& row, std::ostream* out) {
    *out << row.name;
}

class WordListOpenErrors : public ::testing::TestWithParam<OpenErrorCase> {};

TEST_P(WordListOpenErrors, MessageAndTableUntouched) {
    const TempDir dir;
    const std::string path = GetParam().makePath(dir);
    CustomWordTable table = previousList();
    EXPECT_EQ(errorBoxText([&] { loadWordListFile(path, table); }), GetParam().boxText);
    EXPECT_EQ(table.count(), 0u);
    EXPECT_EQ(table.entry(0), "PES");
}

INSTANTIATE_TEST_SUITE_P(Paths, WordListOpenErrors, ::testing::ValuesIn(kOpenErrorCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(WordListFile, TooManyOpenFiles) {
    const TempDir dir;
    const std::string path = dir.file("words.kil", "A\r\n");
    // The lowest free descriptor becomes the limit, so the next open finds none free.
    const int lowestFree = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    CustomWordTable table;
    std::string text = "(no error)";
    try {
        loadWordListFile(path, table);
    } catch (const GameError& error) {
        // The sanitizers need a free descriptor to check the call to what().
        ::setrlimit(RLIMIT_NOFILE, &saved);
        text = errorReportText(error);
    }
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(text, "Too many open files.");
}

TEST(WordListFile, AccessDenied) {
    // The suite may run as root, whom file modes do not stop; a child process then gives up root
    // for the nobody user before it opens the file.
    const TempDir dir;
    const std::string path = dir.file("secret.kil", "A\r\n");
    fs::permissions(path, fs::perms::none);
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFds[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(2);
        }
        CustomWordTable table;
        const std::string text = errorBoxText([&] { loadWordListFile(path, table); });
        const bool written =
            ::write(pipeFds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::_exit(written ? 0 : 3);
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n = 0; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) {
        GTEST_SKIP() << "cannot give up root here (no setuid)";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(text, "File access denied.");
}

TEST(WordListFile, AFailedReadKeepsTheCompleteLines) {
    // The error comes while "PAR" is being read: "A" and "B" stay counted, "PAR" does not, and the
    // entries after them keep the earlier list.
    ChunkedSource source({"A\r\nB\r", "\nPAR"}, EIO);
    CustomWordTable table = previousList();
    EXPECT_EQ(errorBoxText([&] { loadWordList(source, table); }), "I/O error 5.");
    EXPECT_EQ(wordsOf(table), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(table.entry(2), "SUD");
}

// ---- Limits -----------------------------------------------------------------------------------

struct LimitCase {
    const char* name;
    std::string bytes;
    WordListLimits limits;
    const char* message;  // nullptr: the file loads
};

const std::vector<LimitCase> kLimitCases = {
    {"LineTooLong",
     "SHORT\r\nNINECHARS\r\n",
     {.maxLineLength = 8},
     "Soubor nebyl načten: má řádek delší než 8 znaků. Seznam slov zůstává beze změny"},
    {"LastLineTooLong",
     "SHORT\r\nNINECHARS",
     {.maxLineLength = 8},
     "Soubor nebyl načten: má řádek delší než 8 znaků. Seznam slov zůstává beze změny"},
    {"LineTooLongCzechPlural",
     "ABCD\r\n",
     {.maxLineLength = 3},
     "Soubor nebyl načten: má řádek delší než 3 znaky. Seznam slov zůstává beze změny"},
    {"LineTooLongAfterTheLinesKept",
     "A\r\nNINECHARS\r\n",
     {.maxLineLength = 8, .maxLines = 1},
     "Soubor nebyl načten: má řádek delší než 8 znaků. Seznam slov zůstává beze změny"},
    {"LineAtTheLimit", "EIGHTCHR\r\n", {.maxLineLength = 8}, nullptr},
    {"TextTooLarge",
     "ABCDEFGH\r\nIJKLMN\r",
     {.maxTextSize = 16},
     "Soubor nebyl načten: je větší než 16 B. Seznam slov zůstává beze změny"},
    {"TextTooLargeInKiB",
     std::string(2049, '\r'),
     {.maxTextSize = 2048},
     "Soubor nebyl načten: je větší než 2 KiB. Seznam slov zůstává beze změny"},
    {"TextAtTheLimit", "ABCDEFGH\r\nIJKL\r\n", {.maxTextSize = 16}, nullptr},
    {"TextEndsAtByte26BeforeTheLimit",
     std::string("ABCD\r\n") + kEof + std::string(100, 'Z'),
     {.maxTextSize = 16},
     nullptr},
};

void PrintTo(const LimitCase& row, std::ostream* out) {
    *out << row.name;
}

class WordListLimitsTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(WordListLimitsTest, RefusedWithMessageAndThePreviousListKept) {
    const LimitCase& row = GetParam();
    const std::string& bytes = row.bytes;
    ChunkedSource source({bytes.substr(0, bytes.size() / 2), bytes.substr(bytes.size() / 2)});
    CustomWordTable table = previousList();
    if (row.message == nullptr) {
        EXPECT_NO_THROW(loadWordList(source, table, row.limits));
        EXPECT_GT(table.count(), 0u);
        return;
    }
    try {
        loadWordList(source, table, row.limits);
        ADD_FAILURE() << "loaded";
    } catch (const WordListRefused& refused) {
        EXPECT_STREQ(refused.what(), row.message);
    }
    EXPECT_EQ(wordsOf(table), kPreviousWords);
}

INSTANTIATE_TEST_SUITE_P(Small, WordListLimitsTest, ::testing::ValuesIn(kLimitCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(WordListFileLimits, EndlessDeviceStopsAtTheLineLimit) {
    // /dev/zero never ends and has no line end, so its one line grows past the limit at once.
    CustomWordTable table = previousList();
    EXPECT_EQ(errorBoxText([&] { loadWordListFile("/dev/zero", table); }),
              "Soubor nebyl načten: má řádek delší než 65536 znaků. Seznam slov zůstává beze "
              "změny.");
    EXPECT_EQ(wordsOf(table), kPreviousWords);
}

TEST(WordListFileLimits, HugeFileStopsAtTheSizeLimit) {
    // 256 MiB and one byte, in lines of 32 KiB; the file is sparse, so it costs no disk.
    const TempDir dir;
    const std::string path = dir.path("huge.kil");
    constexpr off_t kLimit = off_t{256} * 1024 * 1024;
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, kLimit + 1), 0);
        for (off_t at = 32 * 1024; at <= kLimit; at += 32 * 1024) {
            ASSERT_EQ(::pwrite(fd, "\r", 1, at), 1);
        }
        ::close(fd);
    }
    CustomWordTable table = previousList();
    EXPECT_EQ(errorBoxText([&] { loadWordListFile(path, table); }),
              "Soubor nebyl načten: je větší než 256 MiB. Seznam slov zůstává beze změny.");
    EXPECT_EQ(wordsOf(table), kPreviousWords);
}

TEST(WordListFileLimits, PipeWithoutWriterReadsAsEmpty) {
    // Opening a pipe for reading would wait for a writer; nobody writes here.
    const TempDir dir;
    const std::string path = dir.path("pipe.kil");
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    CustomWordTable table = previousList();
    const WordListLoad load = loadWordListFile(path, table);
    EXPECT_EQ(table.count(), 0u);
    EXPECT_EQ(load.linesLeftOut, 0u);
}

}  // namespace
}  // namespace dyx
