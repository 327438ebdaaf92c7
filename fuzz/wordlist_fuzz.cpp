// libFuzzer target for the word-list reader. The first bytes of an input choose the limits, the
// sizes of the reads and whether the file ends in a read error; the rest is the file. The reader's
// result is compared with a plain byte-by-byte reading of the same rules.

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "words/wordlistfile.h"

namespace {

using dyx::WordListLimits;

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

enum class Refusal { None, LineTooLong, TextTooLarge };

struct Expected {
    Refusal refusal = Refusal::None;
    std::vector<std::string> lines;  // kept lines
    std::size_t linesLeftOut = 0;
    bool lastLineWithoutEnd = false;  // the last line was closed by the end of the file
    bool endedBy26 = false;
};

// The rules, one byte at a time.
Expected readByBytes(std::string_view file, const WordListLimits& limits) {
    Expected out;
    std::string line;
    std::size_t lineLength = 0;
    bool lineOpen = false;
    bool afterCr = false;
    std::uint64_t size = 0;
    const auto endLine = [&] {
        if (out.lines.size() < limits.maxLines) {
            out.lines.push_back(line);
        } else {
            ++out.linesLeftOut;
        }
        line.clear();
        lineLength = 0;
        lineOpen = false;
    };
    for (const char c : file) {
        if (c == 26) {
            out.endedBy26 = true;
            break;
        }
        if (++size > limits.maxTextSize) {
            out.refusal = Refusal::TextTooLarge;
            return out;
        }
        if (afterCr) {
            afterCr = false;
            if (c == '\n') {
                continue;
            }
        }
        if (c == '\r') {
            endLine();
            afterCr = true;
            continue;
        }
        if (++lineLength > limits.maxLineLength) {
            out.refusal = Refusal::LineTooLong;
            return out;
        }
        line += c;
        lineOpen = true;
    }
    if (lineOpen) {
        out.lastLineWithoutEnd = true;
        endLine();
    }
    return out;
}

// Hands the file out in reads whose sizes follow a small generator, then the end or an error.
class PatternSource final : public dyx::ByteSource {
public:
    PatternSource(std::string_view file, std::uint8_t seed, int errorAtEnd)
        : m_file(file), m_state(seed | 1u), m_errorAtEnd(errorAtEnd) {}

    dyx::ReadResult read(std::span<char> buffer) override {
        FUZZ_CHECK(!m_endReported);  // nothing is read after the end or an error
        if (m_at == m_file.size()) {
            m_endReported = true;
            return {0, m_errorAtEnd};
        }
        m_state = m_state * 1103515245u + 12345u;
        const std::size_t want = 1 + (m_state >> 16) % 23;
        const std::size_t n = std::min({want, buffer.size(), m_file.size() - m_at});
        std::memcpy(buffer.data(), m_file.data() + m_at, n);
        m_at += n;
        return {n, 0};
    }

private:
    std::string_view m_file;
    std::uint32_t m_state;
    int m_errorAtEnd;
    std::size_t m_at = 0;
    bool m_endReported = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    WordListLimits limits;
    limits.maxLines = 1 + data[0] % 8;
    limits.maxLineLength = data[1] == 0 ? WordListLimits{}.maxLineLength : data[1];
    limits.maxTextSize = data[2] == 0 ? WordListLimits{}.maxTextSize : std::uint64_t{data[2]} * 4;
    const int errorAtEnd = (data[3] & 1) ? EIO : 0;
    const std::uint8_t readSeed = data[3] >> 1;
    const std::string_view file(reinterpret_cast<const char*>(data) + 4, size - 4);

    const Expected expected = readByBytes(file, limits);

    // A table holding an earlier list, reset as the game resets it before a load.
    const std::vector<std::string> previous = {"PES", "LES", "SUD"};
    dyx::CustomWordTable table;
    for (const std::string& word : previous) {
        table.append(word);
    }
    table.resetCount();

    PatternSource source(file, readSeed, errorAtEnd);
    Refusal refusal = Refusal::None;
    bool readFailed = false;
    dyx::WordListLoad load;
    try {
        load = dyx::loadWordList(source, table, limits);
    } catch (const dyx::WordListRefused& refused) {
        const std::string_view message = refused.what();
        refusal = message.find("řádek delší") != std::string_view::npos ? Refusal::LineTooLong
                                                                        : Refusal::TextTooLarge;
    } catch (const dyx::GameError& error) {
        FUZZ_CHECK(std::string_view(error.what()) == "I/O error 5");
        readFailed = true;
    }

    FUZZ_CHECK(table.count() <= dyx::CustomWordCapacity);
    FUZZ_CHECK(refusal == expected.refusal);
    if (refusal != Refusal::None) {
        // A refused file leaves the earlier list as it was.
        FUZZ_CHECK(table.count() == previous.size());
        for (std::size_t i = 0; i < previous.size(); ++i) {
            FUZZ_CHECK(table.entry(i) == previous[i]);
        }
        return 0;
    }

    // A read error comes only from a file that was read to its end, not one cut by a byte 26;
    // it drops the line that was still open.
    FUZZ_CHECK(readFailed == (errorAtEnd != 0 && !expected.endedBy26));
    std::vector<std::string> lines = expected.lines;
    std::size_t linesLeftOut = expected.linesLeftOut;
    if (readFailed && expected.lastLineWithoutEnd) {
        if (linesLeftOut > 0) {
            --linesLeftOut;
        } else {
            lines.pop_back();
        }
    }
    FUZZ_CHECK(table.count() == lines.size());
    std::size_t bytesInLines = 0;
    for (std::size_t i = 0; i < table.count(); ++i) {
        const std::string_view word = table.entry(i);
        FUZZ_CHECK(word == lines[i]);
        FUZZ_CHECK(word.find('\r') == std::string_view::npos);
        bytesInLines += word.size();
    }
    FUZZ_CHECK(bytesInLines <= file.size());
    if (!readFailed) {
        FUZZ_CHECK(load.linesLeftOut == linesLeftOut);
    }
    // Entries past the new count keep the earlier list.
    for (std::size_t i = table.count(); i < previous.size(); ++i) {
        FUZZ_CHECK(table.entry(i) == previous[i]);
    }
    return 0;
}
