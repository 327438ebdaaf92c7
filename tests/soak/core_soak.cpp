// A long random play through the game core: a million clicks on the letter keys, the levels, the
// categories, custom word lists (an empty file, empty words, words of digits only, lower case, a
// list longer than the table, a line too long, a missing file, a folder, a cancelled dialog), the
// word-count panel with and without "OK" (also with values typed out of range), "Znovu", and the
// sound switches while sound files go missing and come back. After every click the board is
// checked against the rules of the game, and every click's outcome (a miss, a won or lost word,
// a verdict, its sounds and boxes) against what the rules say it must be.
//
// Each run is seeded at random and prints its seed; DYX_SOAK_SEED=<seed> plays the same run
// again and DYX_SOAK_STEPS=<n> changes its length.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "game/game.h"
#include "game/letterkeys.h"
#include "tests/fakes.h"
#include "words/cp1250.h"
#include "words/wordlists.h"

namespace dyx {
namespace {

using namespace dyx::testing;

constexpr std::uint64_t kDefaultSteps = 1'000'000;

constexpr std::string_view kWinLine =
    "warning: Tentokrát se ti podařilo přežít, ale příště tě dostanu!";
constexpr std::string_view kLossLine = "custom: Cha chá! Neuhád! Mělo to znít takhle: ";
constexpr std::string_view kTooManyLinesLine = "information: Soubor má víc řádků";

std::optional<std::uint64_t> envNumber(const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') {
        return std::nullopt;
    }
    return std::stoull(text);
}

// The clock that seeds the game's generator. It gives another time of day at every call, drawn
// from the soak's own generator so that one seed replays the whole run, and it counts its calls:
// the game reads the clock once in each round setup and once for each sound.
class SoakClock final : public Clock {
public:
    explicit SoakClock(std::uint64_t seed) : m_random(seed) {}
    std::uint32_t millisecondsSinceMidnightUtc() const override {
        ++calls;
        return static_cast<std::uint32_t>(m_random() % 86'400'000u);
    }
    mutable std::uint64_t calls = 0;

private:
    mutable std::mt19937_64 m_random;
};

// Spaces, digits and "*+,-./" stand in the mask from the start.
bool shownFromStart(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == 32 || (byte >= 42 && byte <= 57);
}

// The key whose group holds each byte, or -1 for a byte that no key reveals.
std::array<int, 256> makeKeyOfByte() {
    std::array<int, 256> keyOf{};
    keyOf.fill(-1);
    for (std::size_t k = 0; k < LetterKeys.size(); ++k) {
        for (const char c : LetterKeys[k].reveal) {
            keyOf[static_cast<unsigned char>(c)] = static_cast<int>(k);
        }
    }
    return keyOf;
}
const std::array<int, 256> kKeyOfByte = makeKeyOfByte();

// The SunTops entry after the n-th miss of a word that goes on, per level in Level's order. The
// miss after the last one in a row loses the word: the 15th, 11th, 7th or 2nd.
const std::array<std::vector<int>, 4> kSunAfterMiss = {{
    {2, 3, 4, 5, 6, 7, 8, 9, 9, 10, 10, 11, 11, 12},
    {2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
    {6, 7, 8, 9, 10, 11},
    {6},
}};
std::size_t lossMiss(Level level) {
    return kSunAfterMiss[static_cast<std::size_t>(level)].size() + 1;
}

int clampedLength(int setting) {
    return std::clamp(setting, 1, 10000);
}

std::unordered_set<std::string> setOf(const auto& words) {
    std::unordered_set<std::string> set;
    for (const auto& word : words) {
        set.emplace(word);
    }
    return set;
}

// A file offered to the open dialog of "Vlastní", or the dialog cancelled.
struct WordFile {
    enum class Kind { Loads, Refused, Missing, Folder, Cancelled };
    std::string name;
    Kind kind = Kind::Loads;
    std::string bytes;
    std::vector<std::string> kept;  // the lines the table keeps, for Loads
    std::size_t leftOut = 0;        // lines beyond the table's capacity
    std::unordered_set<std::string> words;
    unsigned weight = 1;
};

WordFile wordFile(std::string name, WordFile::Kind kind, unsigned weight, std::string bytes = {},
                  std::vector<std::string> kept = {}) {
    WordFile file;
    file.name = std::move(name);
    file.kind = kind;
    file.weight = weight;
    file.bytes = std::move(bytes);
    file.kept = std::move(kept);
    file.words = setOf(file.kept);
    return file;
}

std::vector<WordFile> makeWordFiles() {
    using Kind = WordFile::Kind;
    const auto s = [](std::string_view cp1250) { return std::string(cp1250); };
    std::vector<WordFile> files;
    files.push_back(wordFile("empty.KIL", Kind::Loads, 6));
    files.push_back(wordFile("gaps.KIL", Kind::Loads, 6, "\r\nPES\r\n\r\n" + s("KOČKA"_cp) + "\r\n",
                             {"", "PES", "", s("KOČKA"_cp)}));
    files.push_back(wordFile("digits.KIL", Kind::Loads, 6, "123\r\n4 5-6\r\n*+,-./\r\n 0 \r\n\r\n",
                             {"123", "4 5-6", "*+,-./", " 0 ", ""}));
    files.push_back(wordFile("lower.KIL", Kind::Loads, 6, s("pes\r\nkočka\r\nDůM\r\nůůů\r\nKůŇ"_cp),
                             {"pes", s("kočka"_cp), s("DůM"_cp), s("ůůů"_cp), s("KůŇ"_cp)}));
    files.push_back(wordFile(
        "mixed.KIL", Kind::Loads, 6,
        s("ŽLUŤOUČKÝ KůŇ\r\nÚPĚL ĎÁBELSKÉ ÓDY\r\nCO?!\r\nA\nB\r\nŮ\r\nQWERTY 2024\r\n"_cp) +
            "\x1aIGNORED\r\n",
        {s("ŽLUŤOUČKÝ KůŇ"_cp), s("ÚPĚL ĎÁBELSKÉ ÓDY"_cp), "CO?!", "A\nB", s("Ů"_cp),
         "QWERTY 2024"}));
    files.push_back(wordFile("cr.KIL", Kind::Loads, 6, "A\rB\r\rC", {"A", "B", "", "C"}));

    // More lines than the table holds: the first CustomWordCapacity stay, the rest are counted.
    std::string many;
    std::vector<std::string> manyKept;
    const std::size_t extra = 7;
    for (std::size_t i = 0; i < CustomWordCapacity + extra; ++i) {
        std::string word;
        for (std::size_t n = i + 1; n > 0; n /= 26) {
            word += static_cast<char>('A' + n % 26);
        }
        many += word + "\r\n";
        if (i < CustomWordCapacity) {
            manyKept.push_back(word);
        }
    }
    files.push_back(wordFile("many.KIL", Kind::Loads, 1, std::move(many), std::move(manyKept)));
    files.back().leftOut = extra;

    // A line longer than the reader takes: the file is refused and the list in play stays.
    files.push_back(
        wordFile("long.KIL", Kind::Refused, 1, "PES\r\n" + std::string(70'000, 'A') + "\r\n"));
    files.push_back(wordFile("missing.KIL", Kind::Missing, 3));
    files.push_back(wordFile("folder.KIL", Kind::Folder, 2));
    files.push_back(wordFile("", Kind::Cancelled, 3));
    return files;
}

// The sound kind of a file the effects player was told to open, by the file's name.
char soundKind(std::string_view path) {
    const std::string_view name = path.substr(path.rfind('/') + 1);
    if (name.starts_with("DYXJO")) {
        return 'h';
    }
    if (name.starts_with("DYXWIN")) {
        return 'w';
    }
    if (name == "DYXKILL.WAV") {
        return 'l';
    }
    if (name == "DYXDYX.WAV") {
        return 'g';
    }
    return 'm';
}

std::string_view levelName(Level level) {
    constexpr std::array<std::string_view, 4> names = {"Obtnost1", "Prodti1", "Prognie1",
                                                       "Prolidskslovnk1"};
    return names[static_cast<std::size_t>(level)];
}

// The fields of the state that are not the board, compared one by one; returns the names of
// those that differ.
std::string counterDifferences(const GameState& want, const GameState& got) {
    std::string diff;
    const auto field = [&](bool same, const char* name) {
        if (!same) {
            diff += std::string(diff.empty() ? "" : ", ") + name;
        }
    };
    field(want.wordsFinished == got.wordsFinished, "Label3");
    field(want.wordsGuessed.progress == got.wordsGuessed.progress, "Gauge1 progress");
    field(want.wordsGuessed.maximum == got.wordsGuessed.maximum, "Gauge1 maximum");
    field(want.wordsPlayed.progress == got.wordsPlayed.progress, "Gauge2 progress");
    field(want.wordsPlayed.maximum == got.wordsPlayed.maximum, "Gauge2 maximum");
    field(want.seriesSetting == got.seriesSetting, "setting");
    field(want.wordCountPanelShown == got.wordCountPanelShown, "word-count panel");
    field(want.category == got.category, "category");
    field(want.level == got.level, "level");
    field(want.soundsOn == got.soundsOn, "sounds");
    field(want.musicOn == got.musicOn, "music");
    field(want.caption == got.caption, "caption");
    field(want.closeRequested == got.closeRequested, "close requested");
    return diff;
}

std::string boardDifferences(const GameState& want, const GameState& got) {
    std::string diff;
    const auto field = [&](bool same, const char* name) {
        if (!same) {
            diff += std::string(diff.empty() ? "" : ", ") + name;
        }
    };
    field(want.shown == got.shown, "pieces");
    field(want.sunTop == got.sunTop, "sun");
    field(want.figureWidth == got.figureWidth, "figure width");
    field(want.mask == got.mask, "mask");
    field(want.maskTop == got.maskTop, "mask top");
    field(want.maskLeftAligned == got.maskLeftAligned, "mask alignment");
    field(want.keyShown == got.keyShown, "keys");
    return diff;
}

enum class Action {
    Key,
    KeyOutOfRange,
    Level,
    Category,
    Custom,
    Restart,
    ShowPanel,
    Setting,
    PanelOk,
    Sounds,
    Music,
    SoundFiles,
};

struct Step {
    Action action;
    int argument;
};

std::string describe(const Step& step, const std::vector<WordFile>& files) {
    switch (step.action) {
        case Action::Key:
            return "key " + std::string(LetterKeys[static_cast<std::size_t>(step.argument)].name);
        case Action::KeyOutOfRange:
            return "key index " + std::to_string(step.argument);
        case Action::Level:
            return std::string(levelName(static_cast<Level>(step.argument)));
        case Action::Category:
            return std::string(categoryCaption(static_cast<Category>(step.argument)));
        case Action::Custom: {
            const std::string& name = files[static_cast<std::size_t>(step.argument)].name;
            return "Vlastní " + (name.empty() ? std::string("(cancelled)") : name);
        }
        case Action::Restart:
            return "Znovu";
        case Action::ShowPanel:
            return "Kolik slov budeš hádat?";
        case Action::Setting:
            return "setting " + std::to_string(step.argument);
        case Action::PanelOk:
            return "OK";
        case Action::Sounds:
            return "Zvuky";
        case Action::Music:
            return "Hudba";
        case Action::SoundFiles:
            return "sound files missing: " + std::to_string(step.argument);
    }
    return "?";
}

class CoreSoak : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("dyx-core-soak-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_dir / "folder.KIL");
        m_oldDir = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
        for (const WordFile& file : m_files) {
            if (file.kind == WordFile::Kind::Loads || file.kind == WordFile::Kind::Refused) {
                std::ofstream(m_dir / file.name, std::ios::binary) << file.bytes;
            }
        }
        m_prompter.onMessage = [this](MessageKind, const std::string& text) {
            checkBehindBox(text);
        };
    }
    void TearDown() override {
        std::filesystem::current_path(m_oldDir);
        std::filesystem::remove_all(m_dir);
    }

    void fail(const std::string& what) {
        if (m_failure.empty()) {
            m_failure = what;
        }
    }

    // The board as the player sees it behind a message box.
    void checkBehindBox(const std::string& line) {
        const GameState& s = m_game.state();
        const std::string text = "box: " + line;
        if (line.starts_with(kLossLine.substr(8))) {
            if (s.figureWidth != 77 || !s.isShown(Piece::Image14) || !s.isShown(Piece::Image11)) {
                fail(text + ": the whole figure and the smoking sun must stand behind it");
            }
            if (s.wordsFinished != m_expectFinishedAtLoss) {
                fail(text + ": Label3 must already count the lost word");
            }
            return;
        }
        if (s.figureWidth != 35 || s.isShown(Piece::Image14)) {
            fail(text + ": the figure is 35 wide and the smoking sun hidden");
        }
        if (line.starts_with(kWinLine.substr(9)) &&
            (s.mask.find('?') != std::string::npos || s.isShown(Piece::Image11))) {
            fail(text + ": a won word stands fully revealed behind its message");
        }
    }

    Step chooseStep() {
        const auto pick = [this](int n) {
            return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(m_random));
        };
        // Weights per thousand: mostly letter keys, so that words end and series end.
        const int roll = pick(1000);
        if (roll < 880) {
            return {Action::Key, pick(static_cast<int>(kLetterKeyCount))};
        }
        if (roll < 882) {
            return {Action::KeyOutOfRange, static_cast<int>(kLetterKeyCount) + pick(8)};
        }
        if (roll < 907) {
            return {Action::Level, pick(4)};
        }
        if (roll < 922) {
            constexpr std::array<Category, 6> builtIn = {Category::Slova1, Category::Msta1,
                                                         Category::Jmna1,  Category::Pota1,
                                                         Category::Pslov1, Category::Faunaaflra1};
            return {Action::Category, static_cast<int>(builtIn[static_cast<std::size_t>(pick(6))])};
        }
        if (roll < 928) {
            unsigned total = 0;
            for (const WordFile& file : m_files) {
                total += file.weight;
            }
            int at = pick(static_cast<int>(total));
            for (std::size_t i = 0; i < m_files.size(); ++i) {
                at -= static_cast<int>(m_files[i].weight);
                if (at < 0) {
                    return {Action::Custom, static_cast<int>(i)};
                }
            }
        }
        if (roll < 938) {
            return {Action::Restart, 0};
        }
        if (roll < 946) {
            return {Action::ShowPanel, 0};
        }
        if (roll < 956) {
            // Mostly short series so that verdicts come often; now and then a value the field
            // would still have to correct.
            constexpr int kMax = std::numeric_limits<int>::max();
            constexpr int kMin = std::numeric_limits<int>::min();
            constexpr std::array<int, 12> odd = {0,   -1,   -7,   10001, 20000, 10000,
                                                 100, kMax, kMin, 10,    50,    2};
            if (pick(4) == 0) {
                return {Action::Setting, odd[static_cast<std::size_t>(pick(12))]};
            }
            return {Action::Setting, 1 + pick(6)};
        }
        if (roll < 966) {
            return {Action::PanelOk, 0};
        }
        if (roll < 980) {
            return {Action::Sounds, 0};
        }
        if (roll < 986) {
            return {Action::Music, 0};
        }
        return {Action::SoundFiles, pick(3)};
    }

    void setMissingSounds(int choice) {
        m_effects.missingFiles.clear();
        if (choice == 1) {
            for (const std::string_view name : SoundFileNames) {
                m_effects.missingFiles.emplace(name);
            }
        } else if (choice == 2) {
            for (int n = 0; n < 5; ++n) {
                m_effects.missingFiles.emplace(SoundFileNames[static_cast<std::size_t>(
                    std::uniform_int_distribution<int>(0, 29)(m_random))]);
            }
        }
    }

    // Notes a new round: the keys are all unused, no miss, and the word must come from the list
    // of the category that is checked now.
    void newRound() {
        m_clicked.reset();
        m_misses = 0;
        const Category category = m_game.state().category;
        m_roundCategory = category;
        m_roundOnlyWord.reset();
        m_roundWords = nullptr;
        if (category != Category::Vlastn1) {
            m_roundWords = &m_builtIn[static_cast<std::size_t>(category)];
        } else if (m_customCount > 0) {
            m_roundWords = &m_customList->words;
        } else {
            m_roundOnlyWord = m_customEntry0;
        }
    }

    void checkFreshBoard(const std::string& why) {
        const GameState& s = m_game.state();
        for (std::size_t p = 0; p < kPieceCount; ++p) {
            if (s.shown[p] != (static_cast<Piece>(p) == Piece::Label8)) {
                fail(why + ": a new round starts with no gallows piece (piece " +
                     std::to_string(p) + ")");
            }
        }
        if (s.sunTop != 301) {
            fail(why + ": a new round starts with the sun at 301");
        }
        if (std::count(s.keyShown.begin(), s.keyShown.end(), false) != 0) {
            fail(why + ": a new round starts with all 33 keys");
        }
    }

    // What holds after every step, whatever it was.
    void checkInvariants() {
        const GameState& s = m_game.state();
        const std::string& word = m_game.hiddenWord();
        if (s.mask.size() != word.size()) {
            fail("the mask has " + std::to_string(s.mask.size()) + " characters, the word " +
                 std::to_string(word.size()));
            return;
        }
        for (std::size_t i = 0; i < word.size(); ++i) {
            const char c = word[i];
            if (s.mask[i] != '?' && s.mask[i] != c) {
                fail("mask position " + std::to_string(i + 1) +
                     " shows a character the word "
                     "does not have there");
            }
            const int key = kKeyOfByte[static_cast<unsigned char>(c)];
            const bool revealed =
                shownFromStart(c) || (key >= 0 && !s.keyShown[static_cast<std::size_t>(key)]);
            if (s.mask[i] != (revealed ? c : '?')) {
                fail("mask position " + std::to_string(i + 1) +
                     (revealed ? " must show its character" : " must still be \"?\""));
            }
        }
        for (std::size_t k = 0; k < kLetterKeyCount; ++k) {
            if (s.keyShown[k] == m_clicked[k]) {
                fail("key " + std::string(LetterKeys[k].name) +
                     (s.keyShown[k] ? " was clicked in this round and must be hidden"
                                    : " is hidden but was not clicked in this round"));
            }
        }
        if (m_roundOnlyWord ? word != *m_roundOnlyWord : m_roundWords->count(word) == 0) {
            fail("the word \"" + cp1250ToUtf8(word) + "\" is not from the list of " +
                 std::string(categoryCaption(m_roundCategory)));
        }
        const bool proverbs = m_roundCategory == Category::Pslov1;
        if (s.maskTop != (proverbs ? 72 : 24) || s.maskLeftAligned != proverbs) {
            fail("the mask's place does not follow the category of the round");
        }

        for (const Gauge* gauge : {&s.wordsGuessed, &s.wordsPlayed}) {
            const char* name = gauge == &s.wordsGuessed ? "Gauge1" : "Gauge2";
            if (gauge->progress < 0 || gauge->progress > gauge->maximum) {
                fail(std::string(name) + " progress lies outside 0 to its maximum");
            }
            if (gauge->maximum < 1 || gauge->maximum > 10000) {
                fail(std::string(name) + " maximum lies outside 1 to 10000");
            }
        }
        if (s.wordsFinished < 0) {
            fail("Label3 is negative");
        }
        if (m_countsAgree && s.wordsFinished != s.wordsPlayed.progress) {
            fail("Label3 differs from Gauge2 with no restart and no unconfirmed length change");
        }
        if (m_countsAgree && s.wordsGuessed.progress > s.wordsPlayed.progress) {
            fail("more words guessed than played");
        }

        if (static_cast<std::size_t>(s.category) >= 7) {
            fail("no valid category is checked");
        }
        if (static_cast<std::size_t>(s.level) >= 4) {
            fail("no valid level is checked");
        }
        if (s.category != Category::Vlastn1 &&
            s.caption != "Dyxolana - " + std::string(categoryCaption(s.category))) {
            fail("the caption \"" + s.caption + "\" does not name the category");
        }
        if (s.category == Category::Vlastn1 &&
            !s.caption.starts_with("Dyxolana - " + m_dir.string())) {
            fail("the caption \"" + s.caption + "\" does not name the custom list");
        }

        if (std::find(SunTops.begin(), SunTops.end(), s.sunTop) == SunTops.end()) {
            fail("the sun stands at " + std::to_string(s.sunTop) + ", no SunTops value");
        }
        if ((s.sunTop == 301) == s.isShown(Piece::Image1)) {
            fail("the sun is at its lowest exactly while the word has no miss");
        }
        if (s.figureWidth != 35) {
            fail("the figure is not 35 wide outside the loss message");
        }
        if (s.isShown(Piece::Image11)) {
            fail("the complete figure stands outside the loss message");
        }
        if (s.isShown(Piece::Image14)) {
            fail("the smoking sun stands outside the loss message");
        }
        if (!s.isShown(Piece::Label8)) {
            fail("the latch is hidden outside the loss message");
        }
        for (int k = 2; k <= 10; ++k) {
            if (s.isShown(static_cast<Piece>(k - 1)) && !s.isShown(static_cast<Piece>(k - 2))) {
                fail("gallows piece Image" + std::to_string(k) + " stands without Image" +
                     std::to_string(k - 1));
            }
        }
        const int strips = s.isShown(Piece::Label4) + s.isShown(Piece::Label5) +
                           s.isShown(Piece::Label6) + s.isShown(Piece::Label7);
        if (strips > 1) {
            fail("more than one strip is shown");
        }
        if ((strips > 0 || s.isShown(Piece::Image15)) && s.level != Level::Obtnost1) {
            fail("strips or the second arm at a level other than Pro neandrtálce");
        }
        if (s.isShown(Piece::Image15) && !s.isShown(Piece::Image10)) {
            fail("the second arm stands without the first");
        }
    }

    // What the trace of one step says: its boxes, sounds and errors.
    struct Seen {
        std::vector<std::string> messages;
        std::string sounds;
        int errors = 0;
        int missingOpens = 0;
        int plays = 0;
        int dialogs = 0;
    };
    Seen readTrace() const {
        Seen seen;
        for (const std::string& line : m_trace) {
            if (line.starts_with("effects open ")) {
                const std::string_view path = std::string_view(line).substr(13);
                seen.sounds += soundKind(path);
                const std::string name(path.substr(path.rfind('/') + 1));
                seen.missingOpens += m_effects.missingFiles.count(name) > 0 ? 1 : 0;
            } else if (line == "effects play") {
                ++seen.plays;
            } else if (line.starts_with("error: ")) {
                ++seen.errors;
            } else if (line == "open dialog") {
                ++seen.dialogs;
            } else if (line.starts_with("warning: ") || line.starts_with("custom: ") ||
                       line.starts_with("information: ")) {
                seen.messages.push_back(line);
            }
        }
        return seen;
    }

    // Every handler runs behind the same error boundary as in the window: an escaped error
    // becomes an error box, which the checks below count.
    template <typename Handler>
    void guarded(Handler&& handler) {
        runGuarded(m_prompter, std::forward<Handler>(handler));
    }

    // Runs one step and checks what it did against what the rules say.
    void play(const Step& step) {
        const GameState before = m_game.state();
        const std::string word = m_game.hiddenWord();
        GameState want = before;  // the non-board fields after the step
        std::vector<std::string> wantMessages;
        std::string wantSounds;
        int wantErrors = 0;
        int wantRoundSetups = 0;
        bool boardUnchanged = true;
        const std::uint64_t clockBefore = m_clock.calls;
        m_trace.clear();

        // A word ends: the counters rise, and the round setup that follows may end the series.
        const auto wordEnds = [&](bool won) {
            want.wordsFinished += 1;
            want.wordsPlayed.progress =
                std::min(want.wordsPlayed.progress + 1, want.wordsPlayed.maximum);
            if (won) {
                want.wordsGuessed.progress =
                    std::min(want.wordsGuessed.progress + 1, want.wordsGuessed.maximum);
            }
            m_expectFinishedAtLoss = want.wordsFinished;
        };
        const auto roundSetup = [&] {
            wantRoundSetups = 1;
            if (want.wordsFinished >= clampedLength(want.seriesSetting)) {
                const Gauge& guessed = want.wordsGuessed;
                const long long percent =
                    guessed.maximum == 0
                        ? 0
                        : static_cast<long long>(guessed.progress) * 100 / guessed.maximum;
                wantMessages.push_back("custom: Vyhráls na " + std::to_string(percent) +
                                       "%. A jedeme znovu.");
                want.wordsFinished = 0;
                want.wordsPlayed.progress = 0;
                want.wordsGuessed.progress = 0;
            }
        };

        bool hit = false;
        bool ended = false;
        switch (step.action) {
            case Action::Key: {
                const auto key = static_cast<std::size_t>(step.argument);
                if (!before.keyShown[key]) {
                    // A used key cannot be clicked: nothing happens.
                    guarded([&] { m_game.letterKeyClick(key); });
                    break;
                }
                boardUnchanged = false;
                const LetterKey& letter = LetterKeys[key];
                const auto occurs = [&](char c) {
                    return c != ' ' && word.find(c) != std::string::npos;
                };
                hit = occurs(letter.missTest[0]) || occurs(letter.missTest[1]) ||
                      occurs(letter.missTest[2]);
                bool lost = false;
                bool won = false;
                if (!hit) {
                    const bool frame = (before.level == Level::Prognie1 ||
                                        before.level == Level::Prolidskslovnk1) &&
                                       m_misses == 0;
                    wantSounds += frame ? 'g' : 'm';
                    lost = m_misses + 1 == lossMiss(before.level);
                }
                if (lost) {
                    ++m_lostAtLevel[static_cast<std::size_t>(before.level)];
                    wantSounds += 'l';
                    wordEnds(false);
                    wantMessages.push_back(std::string(kLossLine) + cp1250ToUtf8(word));
                } else {
                    std::string mask = before.mask;
                    for (const char c : letter.reveal) {
                        for (std::size_t p = 0; p < word.size(); ++p) {
                            if (word[p] == c) {
                                mask[p] = c;
                                wantSounds += 'h';
                            }
                        }
                        if (mask.find('?') == std::string::npos) {
                            won = true;
                            wantSounds += 'w';
                            break;
                        }
                    }
                    if (won) {
                        wordEnds(true);
                        wantMessages.push_back(std::string(kWinLine));
                    }
                }
                if (!before.soundsOn) {
                    wantSounds.clear();
                }
                ended = won || lost;
                if (ended) {
                    roundSetup();
                } else {
                    m_clicked.set(key);
                    m_misses += hit ? 0 : 1;
                }
                guarded([&] { m_game.letterKeyClick(key); });
                break;
            }
            case Action::KeyOutOfRange:
                guarded([&] { m_game.letterKeyClick(static_cast<std::size_t>(step.argument)); });
                break;
            case Action::Level:
                if (!before.isShown(Piece::Image1)) {
                    want.level = static_cast<Level>(step.argument);
                }
                guarded([&] { m_game.levelClick(static_cast<Level>(step.argument)); });
                break;
            case Action::Category: {
                const auto category = static_cast<Category>(step.argument);
                want.category = category;
                want.caption = "Dyxolana - " + std::string(categoryCaption(category));
                guarded([&] { m_game.categoryClick(category); });
                break;
            }
            case Action::Custom: {
                const WordFile& file = m_files[static_cast<std::size_t>(step.argument)];
                using Kind = WordFile::Kind;
                if (file.kind == Kind::Cancelled) {
                    m_prompter.nextFile.reset();
                } else {
                    m_prompter.nextFile = (m_dir / file.name).string();
                    want.category = Category::Vlastn1;
                    want.caption = "Dyxolana - " + *m_prompter.nextFile;
                }
                if (file.kind == Kind::Loads) {
                    m_customCount = file.kept.size();
                    m_customList = &file;
                    if (!file.kept.empty()) {
                        m_customEntry0 = file.kept.front();
                    }
                    if (file.leftOut > 0) {
                        wantMessages.push_back("information: Soubor má víc řádků");
                    }
                } else if (file.kind == Kind::Missing || file.kind == Kind::Folder) {
                    m_customCount = 0;
                    wantErrors = 1;
                } else if (file.kind == Kind::Refused) {
                    // The player keeps the category and the list in play.
                    want.category = before.category;
                    want.caption = before.caption;
                    wantErrors = 1;
                }
                guarded([this] { m_game.categoryClick(Category::Vlastn1); });
                checkCustomLoad(file);
                break;
            }
            case Action::Restart:
                want.wordsPlayed.maximum = clampedLength(want.seriesSetting);
                want.wordsPlayed.progress = 0;
                want.wordsGuessed.progress = 0;
                roundSetup();
                boardUnchanged = false;
                ended = true;
                guarded([&] { m_game.Odzatku1Click(); });
                break;
            case Action::ShowPanel:
                want.wordCountPanelShown = true;
                guarded([&] { m_game.Kolikslovbudehdat1Click(); });
                break;
            case Action::Setting:
                want.seriesSetting = step.argument;
                guarded([&] { m_game.setSeriesSetting(step.argument); });
                break;
            case Action::PanelOk: {
                const int length = clampedLength(want.seriesSetting);
                want.wordCountPanelShown = false;
                for (Gauge* gauge : {&want.wordsGuessed, &want.wordsPlayed}) {
                    gauge->maximum = length;
                    gauge->progress = std::min(gauge->progress, length);
                }
                guarded([&] { m_game.Button1Click(); });
                break;
            }
            case Action::Sounds:
                want.soundsOn = !want.soundsOn;
                guarded([&] { m_game.Zvuky1Click(); });
                break;
            case Action::Music:
                want.musicOn = !want.musicOn;
                guarded([this] { m_game.Hudba1Click(); });
                break;
            case Action::SoundFiles:
                setMissingSounds(step.argument);
                break;
        }

        const GameState& s = m_game.state();
        const Seen seen = readTrace();
        const std::string diff = counterDifferences(want, s);
        if (!diff.empty()) {
            fail("wrong after the step: " + diff);
        }
        bool messagesMatch = seen.messages.size() == wantMessages.size();
        for (std::size_t i = 0; messagesMatch && i < wantMessages.size(); ++i) {
            messagesMatch = seen.messages[i].starts_with(wantMessages[i]) &&
                            (wantMessages[i].starts_with(kTooManyLinesLine) ||
                             seen.messages[i] == wantMessages[i]);
        }
        if (!messagesMatch) {
            std::string got;
            for (const std::string& m : seen.messages) {
                got += "\n    got: " + m;
            }
            for (const std::string& m : wantMessages) {
                got += "\n    want: " + m;
            }
            fail("wrong message boxes:" + got);
        }
        if (seen.sounds != wantSounds) {
            fail("sounds were \"" + seen.sounds + "\", the rules ask for \"" + wantSounds + "\"");
        }
        if (seen.errors != wantErrors + seen.missingOpens) {
            fail(std::to_string(seen.errors) + " error boxes for " +
                 std::to_string(seen.missingOpens) + " missing sounds and " +
                 std::to_string(wantErrors) + " failed loads");
        }
        if (seen.dialogs != (step.action == Action::Custom ? 1 : 0)) {
            fail("the open dialog ran " + std::to_string(seen.dialogs) + " times");
        }
        if (seen.plays != static_cast<int>(seen.sounds.size()) - seen.missingOpens) {
            fail("a sound that opened was not played");
        }
        const auto setups =
            static_cast<int>(m_clock.calls - clockBefore) - static_cast<int>(seen.sounds.size());
        if (setups != wantRoundSetups) {
            fail(std::to_string(setups) + " round setups where the rules ask for " +
                 std::to_string(wantRoundSetups));
        }

        if (ended) {
            newRound();
            checkFreshBoard(describe(step, m_files));
        } else if (boardUnchanged) {
            const std::string board = boardDifferences(before, s);
            if (!board.empty() || m_game.hiddenWord() != word) {
                fail("the step changed the board: " + board);
            }
        } else if (hit) {
            if (s.shown != before.shown || s.sunTop != before.sunTop) {
                fail("a hit changed the gallows or the sun");
            }
        } else {
            const auto entry = kSunAfterMiss[static_cast<std::size_t>(before.level)][m_misses - 1];
            if (s.sunTop != sunTop(entry)) {
                fail("after miss " + std::to_string(m_misses) + " at " +
                     std::string(levelName(before.level)) + " the sun stands at " +
                     std::to_string(s.sunTop) + ", not at entry " + std::to_string(entry));
            }
            if (s.shown == before.shown) {
                fail("a miss left the gallows as it was");
            }
        }

        const bool verdict =
            std::any_of(seen.messages.begin(), seen.messages.end(),
                        [](const std::string& m) { return m.starts_with("custom: Vyhráls na "); });
        if (verdict) {
            m_countsAgree = true;  // Label3 and both gauges start again from 0 together
        } else if (step.action == Action::Restart) {
            m_countsAgree = false;
        }
        if (clampedLength(s.seriesSetting) != s.wordsPlayed.maximum) {
            m_countsAgree = false;
        }
        checkInvariants();
    }

    // After "Vlastní": the table holds what the file says, or what it held before a refusal.
    void checkCustomLoad(const WordFile& file) {
        const CustomWordTable& table = m_game.customWords();
        if (table.count() != m_customCount) {
            fail("CustomWordCount is " + std::to_string(table.count()) + ", not " +
                 std::to_string(m_customCount));
            return;
        }
        if (file.kind == WordFile::Kind::Loads && file.leftOut == 0) {
            for (std::size_t i = 0; i < file.kept.size(); ++i) {
                if (table.entry(i) != file.kept[i]) {
                    fail("word " + std::to_string(i) + " differs");
                }
            }
        }
        if (table.entry(0) != m_customEntry0) {
            fail("entry 0 of the custom list changed");
        }
    }

    std::string dump() const {
        const GameState& s = m_game.state();
        return "word \"" + cp1250ToUtf8(m_game.hiddenWord()) + "\", mask \"" +
               cp1250ToUtf8(s.mask) + "\", level " + std::string(levelName(s.level)) +
               ", category " + std::string(categoryCaption(s.category)) + ", misses " +
               std::to_string(m_misses) + ", Label3 " + std::to_string(s.wordsFinished) +
               ", Gauge1 " + std::to_string(s.wordsGuessed.progress) + "/" +
               std::to_string(s.wordsGuessed.maximum) + ", Gauge2 " +
               std::to_string(s.wordsPlayed.progress) + "/" +
               std::to_string(s.wordsPlayed.maximum) + ", setting " +
               std::to_string(s.seriesSetting) + ", sun " + std::to_string(s.sunTop);
    }

    const std::uint64_t m_seed = envNumber("DYX_SOAK_SEED").value_or(std::random_device{}());
    const std::uint64_t m_steps = envNumber("DYX_SOAK_STEPS").value_or(kDefaultSteps);
    std::mt19937_64 m_random{m_seed};

    std::filesystem::path m_dir;
    std::filesystem::path m_oldDir;
    const std::vector<WordFile> m_files = makeWordFiles();
    const std::array<std::unordered_set<std::string>, 6> m_builtIn = {
        setOf(EverydayWords), setOf(TownWords),    setOf(NameWords),
        setOf(ComputerWords), setOf(ProverbWords), setOf(FaunaFloraWords)};

    Trace m_trace;
    RecordingPrompter m_prompter{m_trace};
    FakePlayer m_effects{m_trace, "effects"};
    FakePlayer m_music{m_trace, "music"};
    SoakClock m_clock{m_seed ^ 0x5DEECE66DULL};
    DefaultRandom m_gameRandom;
    Game m_game{m_prompter, m_effects, m_music, m_clock, m_gameRandom};

    // What the soak knows of the round and the custom list.
    std::bitset<kLetterKeyCount> m_clicked;
    std::size_t m_misses = 0;
    Category m_roundCategory = Category::Slova1;
    const std::unordered_set<std::string>* m_roundWords = nullptr;
    std::optional<std::string> m_roundOnlyWord;
    const WordFile* m_customList = nullptr;
    std::size_t m_customCount = 0;
    std::string m_customEntry0;
    // Label3 equals Gauge2's progress from a verdict (or the start) until "Znovu" or a series
    // length that has not been confirmed with "OK".
    bool m_countsAgree = true;
    int m_expectFinishedAtLoss = 0;
    std::array<std::uint64_t, 4> m_lostAtLevel{};

    std::string m_failure;
};

TEST_F(CoreSoak, AMillionRandomClicksKeepTheBoardConsistent) {
    std::printf("core soak: seed %llu, %llu steps (DYX_SOAK_SEED=%llu replays this run)\n",
                static_cast<unsigned long long>(m_seed), static_cast<unsigned long long>(m_steps),
                static_cast<unsigned long long>(m_seed));
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(m_seed));

    m_game.openStartupMedia();
    m_game.FormActivate();
    newRound();
    checkInvariants();
    ASSERT_EQ(m_failure, "") << "at start: " << dump();

    std::deque<Step> history;
    std::array<std::uint64_t, 12> counts{};
    std::uint64_t won = 0;
    std::uint64_t lost = 0;
    std::uint64_t verdicts = 0;
    m_prompter.onMessage = [&, this](MessageKind, const std::string& text) {
        checkBehindBox(text);
        won += text.starts_with(kWinLine.substr(9)) ? 1 : 0;
        lost += text.starts_with(kLossLine.substr(8)) ? 1 : 0;
        verdicts += text.starts_with("Vyhráls na ") ? 1 : 0;
    };
    for (std::uint64_t n = 1; n <= m_steps; ++n) {
        const Step step = chooseStep();
        history.push_back(step);
        if (history.size() > 40) {
            history.pop_front();
        }
        ++counts[static_cast<std::size_t>(step.action)];
        play(step);
        if (!m_failure.empty()) {
            std::string steps;
            for (const Step& h : history) {
                steps += "\n    " + describe(h, m_files);
            }
            FAIL() << "step " << n << " (" << describe(step, m_files) << "): " << m_failure
                   << "\n  now: " << dump() << "\n  last steps:" << steps
                   << "\n  replay with DYX_SOAK_SEED=" << m_seed;
        }
    }
    std::printf(
        "core soak: %llu words won, %llu lost, %llu verdicts; %llu key clicks, "
        "%llu restarts, %llu custom lists\n",
        static_cast<unsigned long long>(won), static_cast<unsigned long long>(lost),
        static_cast<unsigned long long>(verdicts),
        static_cast<unsigned long long>(counts[static_cast<std::size_t>(Action::Key)]),
        static_cast<unsigned long long>(counts[static_cast<std::size_t>(Action::Restart)]),
        static_cast<unsigned long long>(counts[static_cast<std::size_t>(Action::Custom)]));
    std::printf("core soak: words lost per level %llu, %llu, %llu, %llu\n",
                static_cast<unsigned long long>(m_lostAtLevel[0]),
                static_cast<unsigned long long>(m_lostAtLevel[1]),
                static_cast<unsigned long long>(m_lostAtLevel[2]),
                static_cast<unsigned long long>(m_lostAtLevel[3]));
    // A run too short or too one-sided to reach every rule is a fault of the soak itself.
    if (m_steps >= 100'000) {
        EXPECT_GT(won, 1000u);
        EXPECT_GT(lost, 1000u);
        EXPECT_GT(verdicts, 100u);
        for (const std::uint64_t atLevel : m_lostAtLevel) {
            EXPECT_GT(atLevel, 100u) << "too few words lost at one of the levels";
        }
    }
}

}  // namespace
}  // namespace dyx
