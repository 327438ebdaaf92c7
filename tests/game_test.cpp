// The rules of a round, played through the core with recording fakes.

#include "game/game.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "game/letterkeys.h"
#include "tests/fakes.h"
#include "words/wordlists.h"

namespace dyx {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using namespace dyx::testing;

constexpr std::string_view kWin = "warning: Tentokrát se ti podařilo přežít, ale příště tě dostanu!";
const std::string kLoss = "custom: Cha chá! Neuhád! Mělo to znít takhle: ";

std::size_t keyIndex(std::string_view name) {
    for (std::size_t i = 0; i < LetterKeys.size(); ++i) {
        if (LetterKeys[i].name == name) {
            return i;
        }
    }
    throw std::logic_error("no such key");
}

// The kind of sound a file name stands for, as the trace shows it.
std::string soundOf(const std::string& openLine) {
    const auto name = openLine.substr(openLine.rfind('/') + 1);
    if (name.rfind("DYXJO", 0) == 0) return "hit";
    if (name.rfind("DYXWIN", 0) == 0) return "won";
    if (name == "DYXKILL.WAV") return "lost";
    if (name == "DYXDYX.WAV") return "gallows";
    return "miss";
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        m_dir = std::filesystem::temp_directory_path() /
                ("dyx-game-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::create_directories(m_dir);
        m_oldDir = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
    }
    void TearDown() override {
        std::filesystem::current_path(m_oldDir);
        std::filesystem::remove_all(m_dir);
    }

    // Starts the game on the words given, one per line of a custom list; the first round draws
    // the entry `first`.
    void startWith(const std::vector<std::string>& words, std::uint32_t first = 0) {
        std::ofstream(m_dir / "list.KIL", std::ios::binary) << join(words);
        prompter.nextFile = (m_dir / "list.KIL").string();
        game.Vlastn1Click();
        random.script(static_cast<std::uint32_t>(words.size()), {first});
        game.FormActivate();
        trace.clear();
    }
    static std::string join(const std::vector<std::string>& words) {
        std::string text;
        for (const auto& w : words) text += w + "\r\n";
        return text;
    }
    void click(std::string_view key) { game.letterKeyClick(keyIndex(key)); }
    void clickAll(std::initializer_list<std::string_view> keys) {
        for (auto k : keys) click(k);
    }
    std::vector<std::string> sounds() const {
        std::vector<std::string> kinds;
        for (const auto& line : trace) {
            if (line.rfind("effects open", 0) == 0) kinds.push_back(soundOf(line));
        }
        return kinds;
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> result;
        for (const auto& line : trace) {
            if (line.find(": ") != std::string::npos && line.rfind("effects", 0) != 0 &&
                line.rfind("music", 0) != 0) {
                result.push_back(line);
            }
        }
        return result;
    }

    std::filesystem::path m_dir;
    std::filesystem::path m_oldDir;
    Trace trace;
    RecordingPrompter prompter{trace};
    FakePlayer effects{trace, "effects"};
    FakePlayer music{trace, "music"};
    FakeClock clock;
    ScriptedRandom random;
    Game game{prompter, effects, music, clock, random};
};

// ---- Round setup and mask ---------------------------------------------------------------------

TEST_F(GameTest, MasksShowSpacesDigitsAndSevenMarksInClear) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"KOLO", "????"},
        {std::string("TOALETNÍ PAPÍR"_cp), "???????? ?????"},
        {std::string("KDO ŠETŘÍ, MÁ ZA TŘI"_cp), "??? ?????, ?? ?? ???"},
        {std::string("KDO ZAVÁHÁ - NEŽERE"_cp), "??? ?????? - ??????"},
        {std::string("DůM"_cp), "???"},
        {"PES 2024", "??? 2024"},
        {"*+,-./0123456789", "*+,-./0123456789"},
        {"A?!:'b)", "???????"},
        {"", ""},
    };
    std::vector<std::string> words;
    for (const auto& c : cases) words.push_back(c.first);
    startWith(words);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        random.script(static_cast<std::uint32_t>(cases.size()), {static_cast<std::uint32_t>(i)});
        game.FormActivate();
        EXPECT_EQ(game.hiddenWord(), cases[i].first);
        EXPECT_EQ(game.state().mask, cases[i].second) << cases[i].first;
    }
}

TEST_F(GameTest, FirstRoundFillsTheSoundTableOnceWithAbsolutePaths) {
    game.openStartupMedia();
    EXPECT_THAT(trace, ElementsAre("effects open DYXDYX.WAV", "music open DYXOLANA.MID"));
    trace.clear();
    game.FormActivate();
    const auto here = std::filesystem::current_path();
    EXPECT_EQ(game.initMarker(), "Postup");
    EXPECT_EQ(game.soundPaths()[0], (here / "DYX1.WAV").string());
    EXPECT_EQ(game.soundPaths()[15], (here / "DYXJO0.WAV").string());
    EXPECT_EQ(game.soundPaths()[29], (here / "DYXDYX.WAV").string());
    EXPECT_EQ(game.musicPath(), (here / "DYXOLANA.MID").string());
    EXPECT_THAT(trace, ElementsAre("music open " + game.musicPath()));
    game.FormActivate();
    EXPECT_EQ(trace.size(), 1u) << "the music is opened only at the first round";
    EXPECT_EQ(random.seeds, (std::vector<std::uint32_t>{12345, 12345}));
}

TEST_F(GameTest, FailedMusicOpenLeavesTheBoardAndRetriesAtTheNextRound) {
    music.missingFiles = {"DYXOLANA.MID"};
    EXPECT_THROW(game.FormActivate(), MediaError);
    EXPECT_EQ(game.initMarker(), "");
    EXPECT_EQ(game.state().mask, "") << "no word was drawn";
    EXPECT_EQ(game.state().sunTop, 302);
    EXPECT_THROW(game.Hudba1Click(), MediaError);
    EXPECT_FALSE(game.state().musicOn);
    music.missingFiles.clear();
    game.FormActivate();
    EXPECT_EQ(game.initMarker(), "Postup");
    EXPECT_FALSE(game.state().mask.empty());
}

TEST_F(GameTest, RoundSetupClearsTheBoardAndPlacesTheMaskByCategory) {
    game.levelClick(Level::Obtnost1);
    startWith({"KOLO"});
    clickAll({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"});  // 10 misses: legs, strips
    ASSERT_TRUE(game.state().isShown(Piece::Label5));
    game.categoryClick(Category::Pslov1);
    EXPECT_EQ(game.state().maskTop, 24) << "the placement changes only with the next round";
    game.Odzatku1Click();
    const GameState& s = game.state();
    for (std::size_t p = 0; p < kPieceCount; ++p) {
        EXPECT_EQ(s.shown[p], static_cast<Piece>(p) == Piece::Label8) << p;
    }
    EXPECT_EQ(s.sunTop, 301);
    EXPECT_EQ(std::count(s.keyShown.begin(), s.keyShown.end(), true), 33);
    EXPECT_EQ(s.maskTop, 72);
    EXPECT_TRUE(s.maskLeftAligned);
    game.categoryClick(Category::Slova1);
    game.Odzatku1Click();
    EXPECT_EQ(game.state().maskTop, 24);
    EXPECT_FALSE(game.state().maskLeftAligned);
}

TEST_F(GameTest, BuiltInCategoriesDrawFromTheirListsOverTheWholeRange) {
    struct Row {
        Category category;
        const std::string_view* words;
        std::uint32_t count;
    };
    const Row rows[] = {
        {Category::Slova1, EverydayWords.data(), 131},  {Category::Msta1, TownWords.data(), 71},
        {Category::Jmna1, NameWords.data(), 131},       {Category::Pota1, ComputerWords.data(), 71},
        {Category::Pslov1, ProverbWords.data(), 39},    {Category::Faunaaflra1, FaunaFloraWords.data(), 71},
    };
    for (const Row& row : rows) {
        game.categoryClick(row.category);
        for (std::uint32_t index : {0u, row.count - 1}) {
            random.script(row.count, {index});
            game.FormActivate();
            EXPECT_EQ(game.hiddenWord(), row.words[index]);
        }
    }
    game.categoryClick(Category::Msta1);
    random.script(71, {68});
    game.FormActivate();
    EXPECT_EQ(game.hiddenWord(), "") << "a town draw can land on an empty entry";
}

// ---- Categories -------------------------------------------------------------------------------

TEST_F(GameTest, CategoryChangesTheCaptionAtOnceAndTheWordAtTheNextRound) {
    game.FormActivate();
    const std::string word = game.hiddenWord();
    const std::string mask = game.state().mask;
    game.categoryClick(Category::Msta1);
    EXPECT_EQ(game.state().caption, "Dyxolana - Města");
    EXPECT_EQ(game.state().category, Category::Msta1);
    EXPECT_EQ(game.hiddenWord(), word);
    EXPECT_EQ(game.state().mask, mask);
    game.categoryClick(Category::Faunaaflra1);
    EXPECT_EQ(game.state().caption, "Dyxolana - Fauna a flóra");
    random.script(71, {5});
    game.Odzatku1Click();
    EXPECT_EQ(game.hiddenWord(), "PES");
}

TEST_F(GameTest, CancelledWordListChoiceChangesNothing) {
    prompter.nextFile.reset();
    game.Vlastn1Click();
    EXPECT_EQ(game.state().category, Category::Slova1);
    EXPECT_EQ(game.state().caption, "Dyxolana - Slova");
}

TEST_F(GameTest, MissingWordListFileLeavesCustomCheckedWithNoWords) {
    startWith({"PES"});
    prompter.nextFile = (m_dir / "missing.KIL").string();
    EXPECT_THROW(
        {
            try {
                game.Vlastn1Click();
            } catch (const GameError& e) {
                EXPECT_STREQ(e.what(), "File not found");
                throw;
            }
        },
        GameError);
    EXPECT_EQ(game.state().category, Category::Vlastn1);
    EXPECT_EQ(game.state().caption, "Dyxolana - " + (m_dir / "missing.KIL").string());
    EXPECT_EQ(game.customWords().count(), 0u);
    game.FormActivate();
    EXPECT_EQ(game.hiddenWord(), "PES") << "with no words loaded, entry 0 of the last load is drawn";
}

TEST_F(GameTest, ARefusedFileKeepsTheCategoryCaptionAndWordsInPlay) {
    startWith({"PES"});
    game.categoryClick(Category::Jmna1);
    std::ofstream(m_dir / "huge.KIL", std::ios::binary) << std::string(70000, 'A');
    prompter.nextFile = (m_dir / "huge.KIL").string();
    EXPECT_THROW(game.Vlastn1Click(), GameError);
    EXPECT_EQ(game.state().category, Category::Jmna1);
    EXPECT_EQ(game.state().caption, "Dyxolana - Jména");
    EXPECT_EQ(game.customWords().count(), 1u);
    EXPECT_EQ(game.customWords().entry(0), "PES");
}

TEST_F(GameTest, LinesBeyondTheTableAreLeftOutAndThePlayerIsTold) {
    std::string text;
    for (int i = 0; i < 30005; ++i) text += "SLOVO\r\n";
    std::ofstream(m_dir / "long.KIL", std::ios::binary) << text;
    prompter.nextFile = (m_dir / "long.KIL").string();
    game.Vlastn1Click();
    EXPECT_EQ(game.customWords().count(), CustomWordCapacity);
    EXPECT_THAT(messages(), ElementsAre(HasSubstr("zbylých 4 řádků bylo vynecháno")));
}

// ---- Hits and winning -------------------------------------------------------------------------

TEST_F(GameTest, ALetterOccurringTwiceRevealsBothWithOneHitSoundEach) {
    startWith({"KOLO"});
    click("O");
    EXPECT_EQ(game.state().mask, "?O?O");
    EXPECT_THAT(sounds(), ElementsAre("hit", "hit"));
}

TEST_F(GameTest, TheEKeyRevealsInTheOrderEThenĚThenÉWithOneSoundPerPosition) {
    startWith({std::string("EĚÉE"_cp), "X"});
    // The mask as each sound starts: every hit sound comes just before its reveal.
    std::vector<std::string> masks;
    effects.onOpen = [&] { masks.push_back(game.state().mask); };
    click("E");
    EXPECT_THAT(sounds(), ElementsAre("hit", "hit", "hit", "hit", "won"));
    EXPECT_THAT(masks, ElementsAre("????", "E???", "E??E", std::string("EĚ?E"_cp),
                                   std::string("EĚÉE"_cp)));
    EXPECT_THAT(messages(), ElementsAre(kWin));
}

TEST_F(GameTest, AccentedVariantsAreHitsAndTheUKeyRevealsTheRingedU) {
    startWith({std::string("ÁĚůÚ"_cp)});
    click("A");
    EXPECT_EQ(game.state().mask, std::string("Á???"_cp));
    click("E");
    EXPECT_EQ(game.state().mask, std::string("ÁĚ??"_cp));
    EXPECT_FALSE(game.state().isShown(Piece::Image1)) << "no miss so far";
    random.script(1, {0});
    click("U");
    EXPECT_THAT(messages(), ElementsAre(kWin));
}

TEST_F(GameTest, OnlyÉHiddenIsWonByTheLastRevealOfTheEKey) {
    startWith({std::string("PÉ"_cp)});
    click("P");
    trace.clear();
    click("E");
    EXPECT_THAT(sounds(), ElementsAre("hit", "won"));
    EXPECT_THAT(messages(), ElementsAre(kWin));
}

TEST_F(GameTest, AWinningClickIsNotAppliedToTheNextWord) {
    startWith({"AA", std::string("Á"_cp)});
    random.script(2, {1});
    click("A");
    EXPECT_EQ(game.hiddenWord(), std::string("Á"_cp));
    EXPECT_EQ(game.state().mask, "?");
    EXPECT_TRUE(game.state().keyShown[keyIndex("A")]);
}

TEST_F(GameTest, WinSequenceCountsOnlyAfterTheMessage) {
    startWith({"PES"});
    std::vector<int> atMessage;
    prompter.onMessage = [&](MessageKind, const std::string&) {
        const GameState& s = game.state();
        atMessage = {s.wordsPlayed.progress, s.wordsGuessed.progress, s.wordsFinished};
        EXPECT_EQ(s.mask, "PES");
    };
    clickAll({"P", "E"});
    trace.clear();
    click("S");
    EXPECT_THAT(atMessage, ElementsAre(0, 0, 0));
    EXPECT_THAT(sounds(), ElementsAre("hit", "won"));
    EXPECT_THAT(messages(), ElementsAre(kWin));
    EXPECT_EQ(game.state().wordsPlayed.progress, 1);
    EXPECT_EQ(game.state().wordsGuessed.progress, 1);
    EXPECT_EQ(game.state().wordsFinished, 1);
    EXPECT_EQ(game.state().mask, "???") << "the next word is set up";
}

TEST_F(GameTest, AWordWithoutQuestionMarksCostsOneStageAndIsWonByTheFirstClick) {
    for (const std::string word : {"", "12 34"}) {
        startWith({word});
        click("K");
        EXPECT_THAT(sounds(), ElementsAre("miss", "won")) << '"' << word << '"';
        EXPECT_THAT(messages(), ElementsAre(kWin));
    }
}

TEST_F(GameTest, SoundsOffPlaysNothingButTheRoundRunsInFull) {
    game.Zvuky1Click();
    effects.missingFiles = {"DYXJO0.WAV", "DYX1.WAV"};  // never noticed with sounds off
    startWith({"PES"});
    clickAll({"X", "P", "E", "S"});
    EXPECT_TRUE(sounds().empty());
    EXPECT_THAT(messages(), ElementsAre(kWin));
}

// ---- Misses and levels ------------------------------------------------------------------------

struct MissStep {
    std::vector<Piece> show;
    std::vector<Piece> hide;
    int sunEntry;  // 0: the sun stays
    std::vector<std::string> sounds;
};

struct LevelCase {
    const char* name;
    Level level;
    std::vector<MissStep> steps;  // the last step loses the word
};

using P = Piece;
const std::vector<std::string> kMiss = {"miss"};

const LevelCase kLevels[] = {
    {"Neandertal",
     Level::Obtnost1,
     {
         {{P::Image1}, {}, 2, kMiss},
         {{P::Image2}, {}, 3, kMiss},
         {{P::Image3}, {}, 4, kMiss},
         {{P::Image4}, {}, 5, kMiss},
         {{P::Image5}, {}, 6, kMiss},
         {{P::Image6}, {}, 7, kMiss},
         {{P::Image7}, {}, 8, kMiss},
         {{P::Image8, P::Label4}, {}, 9, kMiss},
         {{}, {P::Label4}, 0, kMiss},
         {{P::Image9, P::Label5}, {}, 10, kMiss},
         {{}, {P::Label5}, 0, kMiss},
         {{P::Image10, P::Label6}, {}, 11, kMiss},
         {{}, {P::Label6}, 0, kMiss},
         {{P::Image15, P::Label7}, {}, 12, kMiss},
         {{P::Image11}, {P::Label7, P::Image15, P::Label8}, 0, {"miss", "lost"}},
     }},
    {"Child",
     Level::Prodti1,
     {
         {{P::Image1}, {}, 2, kMiss},
         {{P::Image2}, {}, 3, kMiss},
         {{P::Image3}, {}, 4, kMiss},
         {{P::Image4}, {}, 5, kMiss},
         {{P::Image5}, {}, 6, kMiss},
         {{P::Image6}, {}, 7, kMiss},
         {{P::Image7}, {}, 8, kMiss},
         {{P::Image8}, {}, 9, kMiss},
         {{P::Image9}, {}, 10, kMiss},
         {{P::Image10}, {}, 11, kMiss},
         {{P::Image11}, {}, 12, {"miss", "lost"}},
     }},
    {"Clever",
     Level::Prognie1,
     {
         {{P::Image1, P::Image2, P::Image3, P::Image4, P::Image5}, {}, 6, {"gallows"}},
         {{P::Image6}, {}, 7, kMiss},
         {{P::Image7}, {}, 8, kMiss},
         {{P::Image8}, {}, 9, kMiss},
         {{P::Image9}, {}, 10, kMiss},
         {{P::Image10}, {}, 11, kMiss},
         {{P::Image11}, {}, 12, {"miss", "lost"}},
     }},
    {"Vocabulary",
     Level::Prolidskslovnk1,
     {
         {{P::Image5, P::Image1, P::Image2, P::Image3, P::Image4}, {}, 6, {"gallows"}},
         {{P::Image6, P::Image7, P::Image8, P::Image9, P::Image10, P::Image11}, {}, 12,
          {"miss", "lost"}},
     }},
};

void PrintTo(const LevelCase& c, std::ostream* os) { *os << c.name; }

class LevelTest : public GameTest, public ::testing::WithParamInterface<LevelCase> {};

// Keys whose letters are not in "KOLO", in click order.
const std::vector<std::string_view> kMissKeys = {"A", "B", "C", "CW", "D", "DW", "E", "F",
                                                 "G", "H", "I", "J", "M", "N", "NW", "P"};

TEST_P(LevelTest, EachMissAdvancesTheGallowsByTheLevelsTable) {
    const LevelCase& level = GetParam();
    game.levelClick(level.level);
    startWith({"KOLO"});
    std::set<Piece> expected = {Piece::Label8};
    int sun = 1;
    GameState atLoss;
    prompter.onMessage = [&](MessageKind, const std::string&) { atLoss = game.state(); };
    for (std::size_t miss = 0; miss < level.steps.size(); ++miss) {
        const MissStep& step = level.steps[miss];
        for (Piece p : step.show) expected.insert(p);
        for (Piece p : step.hide) expected.erase(p);
        if (step.sunEntry != 0) sun = step.sunEntry;
        trace.clear();
        click(kMissKeys[miss]);
        const bool lost = miss + 1 == level.steps.size();
        const GameState& s = lost ? atLoss : game.state();
        if (lost) expected.insert(Piece::Image14);
        for (std::size_t p = 0; p < kPieceCount; ++p) {
            EXPECT_EQ(s.shown[p], expected.count(static_cast<Piece>(p)) == 1)
                << level.name << " miss " << miss + 1 << " piece " << p;
        }
        EXPECT_EQ(s.sunTop, sunTop(sun)) << level.name << " miss " << miss + 1;
        EXPECT_EQ(sounds(), step.sounds) << level.name << " miss " << miss + 1;
        EXPECT_EQ(messages().size(), lost ? 1u : 0u) << level.name << " miss " << miss + 1;
    }
    EXPECT_EQ(atLoss.figureWidth, 77);
    EXPECT_THAT(messages(), ElementsAre(kLoss + "KOLO"));
    EXPECT_EQ(game.state().figureWidth, 35);
    EXPECT_FALSE(game.state().isShown(Piece::Image14));
    EXPECT_FALSE(game.state().isShown(Piece::Image11));
}

TEST_P(LevelTest, OneMissFewerThanTheLossStillWins) {
    const LevelCase& level = GetParam();
    game.levelClick(level.level);
    startWith({"KOLO"});
    for (std::size_t miss = 0; miss + 1 < level.steps.size(); ++miss) click(kMissKeys[miss]);
    clickAll({"K", "O", "l"});
    EXPECT_THAT(messages(), ElementsAre(kWin));
    EXPECT_EQ(game.state().wordsGuessed.progress, 1);
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelTest, ::testing::ValuesIn(kLevels),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GameTest, LossSequenceCountsBeforeTheMessageAndRestoresTheFigure) {
    game.levelClick(Level::Prolidskslovnk1);
    startWith({"KOLO", "PES"});
    std::vector<int> atMessage;
    prompter.onMessage = [&](MessageKind kind, const std::string&) {
        EXPECT_EQ(kind, MessageKind::Custom);
        const GameState& s = game.state();
        atMessage = {s.wordsFinished, s.wordsPlayed.progress, s.wordsGuessed.progress};
    };
    random.script(2, {1});
    clickAll({"A", "B"});
    EXPECT_THAT(atMessage, ElementsAre(1, 1, 0));
    EXPECT_EQ(game.hiddenWord(), "PES");
    EXPECT_TRUE(game.state().keyShown[keyIndex("B")]) << "the losing key is not applied to PES";
    EXPECT_EQ(game.state().mask, "???");
}

TEST_F(GameTest, TheLevelIsLockedFromTheFirstMissToTheNextRound) {
    startWith({"KOLO"});
    click("K");
    game.levelClick(Level::Prognie1);
    EXPECT_EQ(game.state().level, Level::Prognie1) << "a hit does not lock";
    game.levelClick(Level::Prodti1);
    click("A");
    game.levelClick(Level::Obtnost1);
    EXPECT_EQ(game.state().level, Level::Prodti1);
    game.Odzatku1Click();
    game.levelClick(Level::Obtnost1);
    EXPECT_EQ(game.state().level, Level::Obtnost1);
}

TEST_F(GameTest, AMissIsOneMissHoweverManyOfTheGroupAreAbsent) {
    startWith({"X"});
    click("E");
    EXPECT_TRUE(game.state().isShown(Piece::Image1));
    EXPECT_FALSE(game.state().isShown(Piece::Image2));
    EXPECT_THAT(sounds(), ElementsAre("miss"));
}

TEST_F(GameTest, AnUnrevealableCharacterCanOnlyBeLost) {
    game.levelClick(Level::Prolidskslovnk1);
    startWith({"pes"});
    clickAll({"P", "E", "S"});
    EXPECT_THAT(messages(), ElementsAre(kLoss + "pes"));
}

// ---- Series -----------------------------------------------------------------------------------

// Plays one word of the list {"A"}: won with a click on A, lost with two misses at the hardest
// level (which is chosen before each lost word).
class SeriesTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        game.Zvuky1Click();
        startWith({"A"});
    }
    void win() { click("A"); }
    void lose() {
        const Level before = game.state().level;
        game.levelClick(Level::Prolidskslovnk1);
        clickAll({"B", "C"});
        game.levelClick(before);
    }
    void play(int won, int lost) {
        for (int i = 0; i < won; ++i) win();
        for (int i = 0; i < lost; ++i) lose();
    }
    void setLength(int length) {
        game.Kolikslovbudehdat1Click();
        game.setSeriesSetting(length);
        game.Button1Click();
    }
    std::vector<std::string> verdicts() const {
        std::vector<std::string> result;
        for (const auto& m : messages()) {
            if (m.find("Vyhráls") != std::string::npos) result.push_back(m);
        }
        return result;
    }
};

struct VerdictCase {
    const char* name;
    int length;
    int won;
    int lost;
    const char* verdict;
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

class VerdictTest : public SeriesTest, public ::testing::WithParamInterface<VerdictCase> {};

TEST_P(VerdictTest, TheVerdictIsTheTruncatedShareOfWordsGuessed) {
    const VerdictCase& c = GetParam();
    setLength(c.length);
    play(c.won, c.lost);
    EXPECT_THAT(verdicts(), ElementsAre(std::string("custom: Vyhráls na ") + c.verdict +
                                        "%. A jedeme znovu."));
    EXPECT_EQ(game.state().wordsFinished, 0);
    EXPECT_EQ(game.state().wordsGuessed.progress, 0);
    EXPECT_EQ(game.state().wordsPlayed.progress, 0);
}

INSTANTIATE_TEST_SUITE_P(Verdicts, VerdictTest,
                         ::testing::Values(VerdictCase{"TwoOfThree", 3, 2, 1, "66"},
                                           VerdictCase{"OneOfTwenty", 20, 1, 19, "5"},
                                           VerdictCase{"NineteenOfTwenty", 20, 19, 1, "95"},
                                           VerdictCase{"AllOfTwenty", 20, 20, 0, "100"},
                                           VerdictCase{"OneWordWon", 1, 1, 0, "100"},
                                           VerdictCase{"OneWordLost", 1, 0, 1, "0"}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(SeriesTest, TheVerdictComesOverTheNextWordAndTheSeriesStartsAgain) {
    setLength(2);
    std::string maskAtVerdict;
    int playedAtVerdict = -1;
    prompter.onMessage = [&](MessageKind, const std::string& text) {
        if (text.find("Vyhráls") != std::string::npos) {
            maskAtVerdict = game.state().mask;
            playedAtVerdict = game.state().wordsPlayed.progress;
        }
    };
    play(2, 0);
    EXPECT_EQ(maskAtVerdict, "?") << "the first word of the next series is already drawn";
    EXPECT_EQ(playedAtVerdict, 2) << "the gauges still show the finished series";
    play(1, 0);
    EXPECT_EQ(verdicts().size(), 1u);
    EXPECT_EQ(game.state().wordsFinished, 1);
}

TEST_F(SeriesTest, UnconfirmedSettingEndsTheSeriesButTheShareUsesTheOldMaximum) {
    game.setSeriesSetting(5);  // typed, no "OK"
    play(5, 0);
    EXPECT_THAT(verdicts(), ElementsAre("custom: Vyhráls na 50%. A jedeme znovu."));
}

TEST_F(SeriesTest, LoweringTheLengthWithOkLowersBothGauges) {
    play(4, 1);
    setLength(3);
    EXPECT_EQ(game.state().wordsPlayed.progress, 3);
    EXPECT_EQ(game.state().wordsGuessed.progress, 3);
    EXPECT_EQ(game.state().wordsFinished, 5) << "the hidden counter is not touched";
    EXPECT_FALSE(game.state().wordCountPanelShown);
    EXPECT_TRUE(verdicts().empty()) << "the series ends only when the current word ends";
    win();
    EXPECT_THAT(verdicts(), ElementsAre("custom: Vyhráls na 100%. A jedeme znovu."));
}

TEST_F(SeriesTest, RestartKeepsTheHiddenCounterButEmptiesTheGauges) {
    play(7, 0);
    game.Odzatku1Click();
    EXPECT_EQ(game.state().wordsFinished, 7);
    EXPECT_EQ(game.state().wordsPlayed.progress, 0);
    EXPECT_EQ(game.state().wordsGuessed.progress, 0);
    play(2, 0);
    EXPECT_TRUE(verdicts().empty());
    play(1, 0);
    EXPECT_THAT(verdicts(), ElementsAre("custom: Vyhráls na 30%. A jedeme znovu."));
}

TEST_F(SeriesTest, RestartAfterALoweredUnconfirmedSettingGivesTheVerdictAtOnce) {
    play(4, 0);
    game.setSeriesSetting(3);
    game.Odzatku1Click();
    EXPECT_THAT(verdicts(), ElementsAre("custom: Vyhráls na 0%. A jedeme znovu."));
    EXPECT_EQ(game.state().wordsPlayed.maximum, 3);
    EXPECT_EQ(game.state().wordsGuessed.maximum, 10);
}

TEST_F(SeriesTest, RaisedSettingWithRestartStopsGauge1AtItsOldMaximum) {
    game.setSeriesSetting(20);
    game.Odzatku1Click();
    play(12, 8);
    EXPECT_THAT(verdicts(), ElementsAre("custom: Vyhráls na 100%. A jedeme znovu."));
}

TEST(Gauge, ClampsAndTruncates) {
    Gauge g;
    g.setProgress(3);
    EXPECT_EQ(g.percent(), 30);
    g.setProgress(11);
    EXPECT_EQ(g.progress, 10);
    g.setProgress(-1);
    EXPECT_EQ(g.progress, 0);
    g.setProgress(1);
    g.setMaximum(3);
    EXPECT_EQ(g.percent(), 33);
    g.setProgress(3);
    EXPECT_EQ(g.percent(), 100);
    g.setMaximum(2);
    EXPECT_EQ(g.progress, 2);
    g.setMaximum(0);
    EXPECT_EQ(g.percent(), 0);
}

TEST_F(GameTest, TheSeriesLengthIsReadWithinItsRange) {
    for (const auto& [typed, read] : std::vector<std::pair<int, int>>{{0, 1}, {-5, 1}, {20000, 10000}, {77, 77}}) {
        game.setSeriesSetting(typed);
        EXPECT_EQ(game.seriesLength(), read) << typed;
    }
}

// ---- Sounds -----------------------------------------------------------------------------------

TEST_F(GameTest, EachKindChoosesItsFileAndNeverEntryZero) {
    game.FormActivate();
    struct Row {
        int kind;
        std::uint32_t bound;
        std::vector<std::uint32_t> draws;
        std::string file;
    };
    const Row rows[] = {
        {skMiss, 16, {0, 0, 7}, "DYX7.WAV"},   {skMiss, 16, {15}, "DYX15.WAV"},
        {skHit, 10, {0}, "DYXJO0.WAV"},        {skHit, 10, {9}, "DYXJO9.WAV"},
        {skWordWon, 4, {0, 3}, "DYXWIN3.WAV"}, {skWordWon, 4, {1}, "DYXWIN1.WAV"},
        {skWordLost, 0, {}, "DYXKILL.WAV"},    {skGallowsUp, 0, {}, "DYXDYX.WAV"},
    };
    for (const Row& row : rows) {
        trace.clear();
        random.seeds.clear();
        clock.now = 4242;
        for (auto d : row.draws) random.script(row.bound, {d});
        game.hrej(row.kind);
        EXPECT_THAT(trace, ElementsAre("effects open " + (m_dir / row.file).string(), "effects play"))
            << row.file;
        EXPECT_THAT(random.seeds, ElementsAre(4242u)) << "re-seeded from the clock at every request";
    }
    for (int kind : {0, 6, -1}) {
        trace.clear();
        random.seeds.clear();
        game.hrej(kind);
        EXPECT_TRUE(trace.empty());
        EXPECT_EQ(random.seeds.size(), 1u);
    }
}

TEST_F(GameTest, RealGeneratorSpreadsMissesOverAllFifteenFiles) {
    DefaultRandom generator;
    std::set<std::string> files;
    Trace t;
    RecordingPrompter p(t);
    FakePlayer e(t, "effects"), m(t, "music");
    FakeClock c;
    Game g(p, e, m, c, generator);
    g.FormActivate();
    for (std::uint32_t ms = 0; ms < 2000; ++ms) {
        c.now = ms;
        g.hrej(skMiss);
    }
    for (const auto& line : t) {
        if (line.rfind("effects open", 0) == 0) files.insert(line.substr(line.rfind('/') + 1));
    }
    EXPECT_EQ(files.size(), 15u);
    EXPECT_EQ(files.count("DYXJO0.WAV"), 0u);
}

TEST_F(GameTest, SameMillisecondChoosesTheSameFile) {
    DefaultRandom generator;
    Trace t;
    RecordingPrompter p(t);
    FakePlayer e(t, "effects"), m(t, "music");
    FakeClock c;
    Game g(p, e, m, c, generator);
    g.FormActivate();
    t.clear();
    g.hrej(skHit);
    g.hrej(skHit);
    EXPECT_EQ(t[0], t[2]);
}

// A missing effect file is reported, and the click goes on as if it had played.
TEST_F(GameTest, AMissingHitSoundIsReportedAndTheWordCanStillBeWon) {
    startWith({"PES"});
    effects.missingFiles = {"DYXJO3.WAV"};
    random.script(10, {3});
    click("P");
    EXPECT_THAT(trace, ::testing::Contains("error: The specified file was not found."));
    EXPECT_EQ(game.state().mask, "P??");
    clickAll({"E", "S"});
    EXPECT_THAT(messages().back(), kWin);
    EXPECT_EQ(game.state().wordsGuessed.progress, 1);
}

TEST_F(GameTest, AMissingLossSoundIsReportedAndTheLossCountedOnce) {
    game.levelClick(Level::Prolidskslovnk1);
    startWith({"KOLO"});
    effects.missingFiles = {"DYXKILL.WAV"};
    clickAll({"A", "B"});
    EXPECT_THAT(messages(), ElementsAre("error: The specified file was not found.", kLoss + "KOLO"));
    EXPECT_EQ(game.state().wordsFinished, 1);
    EXPECT_EQ(game.state().wordsPlayed.progress, 1);
    EXPECT_FALSE(game.state().isShown(Piece::Image11));
    click("C");
    EXPECT_EQ(game.state().wordsFinished, 1) << "the next click plays the new word";
}

TEST_F(GameTest, MissingMissSoundChosenOnlySometimes) {
    startWith({"KOLO"});
    effects.missingFiles = {"DYX7.WAV"};
    random.script(16, {3});
    click("A");
    EXPECT_THAT(messages(), ElementsAre());
    random.script(16, {7});
    click("B");
    EXPECT_THAT(messages(), ElementsAre("error: The specified file was not found."));
    EXPECT_TRUE(game.state().isShown(Piece::Image2)) << "the miss is drawn";
}

TEST_F(GameTest, MusicSwitchFollowsThePlayer) {
    game.openStartupMedia();
    game.FormActivate();
    trace.clear();
    game.Hudba1Click();
    EXPECT_TRUE(game.state().musicOn);
    game.Hudba1Click();
    EXPECT_FALSE(game.state().musicOn);
    EXPECT_THAT(trace, ElementsAre("music play", "music stop"));
}

TEST_F(GameTest, ExitClearsTheMarkerAndAsksToClose) {
    game.FormActivate();
    game.Konec1Click();
    EXPECT_EQ(game.initMarker(), "");
    EXPECT_TRUE(game.state().closeRequested);
}

TEST_F(GameTest, TheBoundaryShowsAnEscapedErrorWithAFullStop) {
    runGuarded(prompter, [] { throw GameError("File not found"); });
    EXPECT_THAT(trace, ElementsAre("error: File not found."));
}

}  // namespace
}  // namespace dyx
