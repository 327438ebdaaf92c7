// How many letter-key clicks per second the game core handles.
//
// A Game with silent players and a prompter that dismisses every box at once is played by a
// deterministic player: each click goes to a key still shown on the board, chosen by a generator
// with a fixed seed, and the game's own generator is seeded from a clock that steps by a fixed
// amount at each reading, so every run plays the same words with the same clicks. Sounds stay on,
// as the game starts, so every hit and miss asks for its sound file. Whenever a word ends (won or
// lost), the player may pick a new level and category for the next words:
//   Clicks/Mixed            a random level and a random built-in category for every word;
//   Clicks/Level/<level>    the level fixed, a random built-in category for every word;
//   Clicks/Category/<cat>   the category fixed, a random level for every word ("Vlastn1" plays
//                           a custom word list loaded once, before the timing starts).
// Each benchmark reports clicks per second (items_per_second), words per second and the clicks
// one word took on average.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "game/game.h"
#include "game/letterkeys.h"
#include "words/wordlists.h"

namespace {

namespace fs = std::filesystem;
using dyx::Category;
using dyx::Level;

constexpr std::array<Level, 4> kLevels = {Level::Obtnost1, Level::Prodti1, Level::Prognie1,
                                          Level::Prolidskslovnk1};
constexpr std::array<const char*, 4> kLevelNames = {"Obtnost1", "Prodti1", "Prognie1",
                                                    "Prolidskslovnk1"};
constexpr std::array<Category, 6> kBuiltIn = {Category::Slova1, Category::Msta1,
                                              Category::Jmna1,  Category::Pota1,
                                              Category::Pslov1, Category::Faunaaflra1};
constexpr std::array<const char*, 7> kCategoryNames = {"Slova1", "Msta1",       "Jmna1",  "Pota1",
                                                       "Pslov1", "Faunaaflra1", "Vlastn1"};

// Every box is dismissed at once; the win and loss messages are counted, as they end a word.
class SilentPrompter final : public dyx::Prompter {
public:
    void showMessage(dyx::MessageKind kind, std::string_view text) override {
        const bool lossMessage = kind == dyx::MessageKind::Custom && text.rfind("Cha", 0) == 0;
        if (kind == dyx::MessageKind::Warning || lossMessage) {
            ++wordsEnded;
        }
    }
    void showError(std::string_view) override { ++errors; }
    std::optional<std::string> chooseWordListFile() override { return wordListFile; }

    long wordsEnded = 0;
    long errors = 0;
    std::optional<std::string> wordListFile;
};

class SilentPlayer final : public dyx::MediaPlayer {
public:
    void setFileName(const std::string& fileName) override { m_fileName = fileName; }
    void open() override {}
    void play() override {}
    void stop() override {}

private:
    std::string m_fileName;
};

// A clock that moves on by a fixed step at each reading: the game reseeds at every round setup and
// every sound, and a standing clock would give it the same word over and over.
class SteppingClock final : public dyx::Clock {
public:
    std::uint32_t millisecondsSinceMidnightUtc() const override {
        m_now = (m_now + 7919) % 86'400'000;
        return m_now;
    }

private:
    mutable std::uint32_t m_now = 0;
};

// The custom list: all built-in words, written once as a word-list file.
std::string g_customList;

void writeCustomList() {
    std::string pattern = (fs::temp_directory_path() / "clickbenchXXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        throw std::runtime_error("mkstemp failed");
    }
    ::close(fd);
    std::ofstream out(pattern, std::ios::binary);
    const auto write = [&out](const auto& words) {
        for (const std::string_view word : words) {
            out << word << "\r\n";
        }
    };
    write(dyx::EverydayWords);
    write(dyx::TownWords);
    write(dyx::NameWords);
    write(dyx::ComputerWords);
    write(dyx::ProverbWords);
    write(dyx::FaunaFloraWords);
    if (!out) {
        throw std::runtime_error("cannot write " + pattern);
    }
    g_customList = pattern;
}

struct Plan {
    std::optional<Level> level;        // fixed, or random per word
    std::optional<Category> category;  // fixed, or a random built-in one per word
};

void clicks(benchmark::State& state, Plan plan) {
    SilentPrompter prompter;
    SilentPlayer effects;
    SilentPlayer music;
    SteppingClock clock;
    dyx::DefaultRandom gameRandom;
    dyx::DefaultRandom player;
    player.seed(20240601);

    dyx::Game game(prompter, effects, music, clock, gameRandom);
    game.openStartupMedia();
    game.FormActivate();
    const auto chooseNext = [&] {
        game.levelClick(plan.level ? *plan.level : kLevels[player.draw(kLevels.size())]);
        if (!plan.category) {
            game.categoryClick(kBuiltIn[player.draw(kBuiltIn.size())]);
        }
    };
    if (plan.category) {
        prompter.wordListFile = g_customList;
        game.categoryClick(*plan.category);
    }
    chooseNext();
    game.Odzatku1Click();  // the first timed word already follows the plan
    chooseNext();

    std::array<std::size_t, dyx::kLetterKeyCount> shown{};
    long wordsBefore = prompter.wordsEnded;
    for (auto _ : state) {
        std::size_t count = 0;
        const auto& keys = game.state().keyShown;
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (keys[k]) {
                shown[count++] = k;
            }
        }
        if (count == 0) {
            // Every key clicked and the word still on: it holds a character no key reveals.
            state.SkipWithError("a word outlasted all 33 keys");
            break;
        }
        game.letterKeyClick(shown[player.draw(static_cast<std::uint32_t>(count))]);
        if (prompter.wordsEnded != wordsBefore) {
            wordsBefore = prompter.wordsEnded;
            chooseNext();
        }
        benchmark::DoNotOptimize(game.state());
    }
    if (prompter.errors != 0) {
        state.SkipWithError("the game reported an error");
        return;
    }
    const auto words = static_cast<double>(prompter.wordsEnded);
    state.SetItemsProcessed(state.iterations());
    state.counters["words_per_s"] = benchmark::Counter(words, benchmark::Counter::kIsRate);
    state.counters["clicks_per_word"] =
        words > 0 ? static_cast<double>(state.iterations()) / words : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    writeCustomList();
    benchmark::RegisterBenchmark("Clicks/Mixed", clicks, Plan{});
    for (std::size_t l = 0; l < kLevels.size(); ++l) {
        benchmark::RegisterBenchmark((std::string("Clicks/Level/") + kLevelNames[l]).c_str(),
                                     clicks, Plan{kLevels[l], std::nullopt});
    }
    for (std::size_t c = 0; c < kCategoryNames.size(); ++c) {
        benchmark::RegisterBenchmark((std::string("Clicks/Category/") + kCategoryNames[c]).c_str(),
                                     clicks, Plan{std::nullopt, static_cast<Category>(c)});
    }
    benchmark::Initialize(&argc, argv);
    const bool ok = !benchmark::ReportUnrecognizedArguments(argc, argv);
    if (ok) {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove(g_customList, ignored);
    return ok ? 0 : 1;
}
