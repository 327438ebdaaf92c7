#include "words/editortext.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "game/errors.h"
#include "words/cp1250.h"

namespace dyx {
namespace {

// Opening: the file's bytes and the editor text they give (UTF-8, lines ended by "\n").
struct OpenCase {
    const char* name;
    std::string_view bytes;
    std::string_view text;
};

const OpenCase kOpenCases[] = {
    {"CrLf", "PES\r\nKO\xC8KA\r\n", "PES\nKOČKA\n"},
    {"LoneCr", "A\rB", "A\nB"},
    {"LoneLf", "A\nB\n", "A\nB\n"},
    // LF then CR is two line ends, not one pair; CR CR LF is an empty line.
    {"Mixed", "A\r\nB\rC\nD\n\rE\r\r\nF", "A\nB\nC\nD\n\nE\n\nF"},
    {"CrAtTheEnd", "A\r", "A\n"},
    {"Empty", "", ""},
    {"Cp1250Czech", "P\xD8\xCDLI\x8A \x8ELU\x8DOU\xC8K\xDD K\xF9\xD2", "PŘÍLIŠ ŽLUŤOUČKÝ KůŇ"},
    {"Utf8Czech", "P\xC5\x98\xC3\x8DLI\xC5\xA0\r\nK\xC5\xAF\xC5\x87", "PŘÍLIŠ\nKůŇ"},
    {"Utf8ByteOrderMarkDropped", "\xEF\xBB\xBFPES\r\n", "PES\n"},
    // UTF-8 that CP1250 cannot hold still opens; saving it is refused later.
    {"Utf8Snowman", "SN\xC4\x9AHUL\xC3\x81K \xE2\x98\x83", "SNĚHULÁK ☃"},
    // Almost UTF-8 is not UTF-8: a lead byte without its follower, an overlong form.
    {"Cp1250LeadByteAlone",
     "\xC3"
     "A",
     "ĂA"},
    {"Cp1250Overlong", "\xC0\xAF", "ŔŻ"},
    // One broken sequence anywhere makes the whole file CP1250.
    {"Cp1250DespiteValidUtf8Earlier", "\xC3\x8D\r\n\xC8", "ĂŤ\nČ"},
};

void PrintTo(const OpenCase& row, std::ostream* out) {
    *out << row.name;
}

class EditorOpen : public ::testing::TestWithParam<OpenCase> {};

TEST_P(EditorOpen, GivesTextWithOneLfPerLineEnd) {
    EXPECT_EQ(editorTextFromFileBytes(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Bytes, EditorOpen, ::testing::ValuesIn(kOpenCases),
                         [](const auto& row) { return std::string(row.param.name); });

// Saving: the editor text and the file's bytes.
struct SaveCase {
    const char* name;
    std::string_view text;
    std::string_view bytes;
};

const SaveCase kSaveCases[] = {
    {"TwoWordsNoFinalEnter", "PES\nKOČKA", "PES\r\nKOČKA"_cp},
    {"OneFinalEnter", "PES\nKOČKA\n", "PES\r\nKOČKA\r\n"_cp},
    {"TwoFinalEnters", "PES\nKOČKA\n\n", "PES\r\nKOČKA\r\n\r\n"_cp},
    {"Empty", "", ""},
    {"OnlyAnEnter", "\n", "\r\n"},
    {"CrLfAndLoneCrInTheText", "A\r\nB\rC", "A\r\nB\r\nC"},
    {"RingedUAndHacek", "KůŇ A VůZ", "K\xF9\xD2 A V\xF9Z"},
    {"NoTrimmingOrCaseChange", "  pes \t", "  pes \t"},
};

void PrintTo(const SaveCase& row, std::ostream* out) {
    *out << row.name;
}

class EditorSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(EditorSave, WritesCp1250WithCrLfAndNothingAdded) {
    EXPECT_EQ(fileBytesFromEditorText(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Texts, EditorSave, ::testing::ValuesIn(kSaveCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(EditorText, EveryByteButTheLineEndsSurvivesOpenAndSave) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            all += static_cast<char>(b);
        }
    }
    all += "\r\n";
    EXPECT_EQ(fileBytesFromEditorText(editorTextFromFileBytes(all)), all);
}

TEST(EditorText, LfFileComesBackWithCrLf) {
    const std::string_view lfFile = "PES\nKO\xC8KA\n\nMY\x8A";
    EXPECT_EQ(fileBytesFromEditorText(editorTextFromFileBytes(lfFile)),
              "PES\r\nKO\xC8KA\r\n\r\nMY\x8A");
}

struct RefusalCase {
    const char* name;
    std::string_view text;
    std::string_view message;
};

const RefusalCase kRefusalCases[] = {
    {"Snowman", "PES\nSNĚHULÁK ☃ A ☂",
     "Znak „☃“ (U+2603) na řádku 2, ve sloupci 10, nelze uložit v kódování CP1250. "
     "Nic nebylo uloženo"},
    // Every kind of line end counts as one line, as the player sees the lines.
    {"LinesCountedAtEveryLineEnd", "A\r\nB\rC\n\nřeč 中",
     "Znak „中“ (U+4E2D) na řádku 5, ve sloupci 5, nelze uložit v kódování CP1250. "
     "Nic nebylo uloženo"},
    {"OutsideTheBasicPlane", "😀",
     "Znak „😀“ (U+1F600) na řádku 1, ve sloupci 1, nelze uložit v kódování CP1250. "
     "Nic nebylo uloženo"},
};

void PrintTo(const RefusalCase& row, std::ostream* out) {
    *out << row.name;
}

class EditorRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(EditorRefusal, NamesTheFirstUnencodableCharacterAndItsLine) {
    try {
        const std::string bytes = fileBytesFromEditorText(GetParam().text);
        ADD_FAILURE() << "encoded as " << bytes.size() << " bytes";
    } catch (const GameError& error) {
        EXPECT_EQ(std::string_view(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, EditorRefusal, ::testing::ValuesIn(kRefusalCases),
                         [](const auto& row) { return std::string(row.param.name); });

std::string repeated(std::string_view piece, std::size_t count) {
    std::string out;
    out.reserve(piece.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        out += piece;
    }
    return out;
}

// size bytes of letters, a line end after every 99 of them.
std::string shortLines(std::size_t size) {
    std::string out(size, 'A');
    for (std::size_t i = 99; i < size; i += 100) {
        out[i] = '\n';
    }
    return out;
}

TEST(EditorText, TakesWhatTheMemoCanShowAndRefusesMore) {
    const struct {
        const char* name;
        std::string bytes;
        bool fits;
    } kCases[] = {
        // The game keeps 30001 words; a list of that many long words must open.
        {"FullWordList", repeated(std::string(100, 'A') + "\r\n", 30001), true},
        {"AllTheBytes", shortLines(kMemoCapacity), true},
        {"OneByteMore", shortLines(kMemoCapacity) + "A", false},
        {"AllTheLines", repeated("A\r\n", kMemoMaxLines), true},
        {"OneMoreLineWithoutLineEnd", repeated("A\r\n", kMemoMaxLines) + "A", false},
        {"OneMoreEmptyLine", repeated("A\r\n", kMemoMaxLines) + "\r\n", false},
        {"LongestLine", std::string(kMemoMaxLineLength, 'A') + "\r\n", true},
        {"LongerLine", "A\r\n" + std::string(kMemoMaxLineLength + 1, 'A'), false},
        // A line's length is counted in characters, not in the bytes of UTF-8.
        {"LongestUtf8Line", repeated("Ž", kMemoMaxLineLength), true},
        {"LongerCp1250Line", std::string(kMemoMaxLineLength + 1, '\x8E'), false},
    };
    for (const auto& [name, bytes, fits] : kCases) {
        SCOPED_TRACE(name);
        try {
            editorTextFromFileBytes(bytes);
            EXPECT_TRUE(fits);
        } catch (const GameError& error) {
            EXPECT_FALSE(fits);
            EXPECT_STREQ(error.what(), "Text exceeds memo capacity");
        }
    }
}

}  // namespace
}  // namespace dyx
