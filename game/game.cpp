#include "game/game.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "game/letterkeys.h"
#include "words/cp1250.h"
#include "words/wordlistfile.h"
#include "words/wordlists.h"

namespace dyx {

const std::array<std::string_view, kSoundFileCount> SoundFileNames = {
    "DYX1.WAV",   "DYX2.WAV",   "DYX3.WAV",    "DYX4.WAV",    "DYX5.WAV",    "DYX6.WAV",
    "DYX7.WAV",   "DYX8.WAV",   "DYX9.WAV",    "DYX10.WAV",   "DYX11.WAV",   "DYX12.WAV",
    "DYX13.WAV",  "DYX14.WAV",  "DYX15.WAV",   "DYXJO0.WAV",  "DYXJO1.WAV",  "DYXJO2.WAV",
    "DYXJO3.WAV", "DYXJO4.WAV", "DYXJO5.WAV",  "DYXJO6.WAV",  "DYXJO7.WAV",  "DYXJO8.WAV",
    "DYXJO9.WAV", "DYXWIN1.WAV", "DYXWIN2.WAV", "DYXWIN3.WAV", "DYXKILL.WAV", "DYXDYX.WAV",
};

namespace {

constexpr std::string_view kPostup = "Postup";
constexpr std::string_view kWinMessage = "Tentokrát se ti podařilo přežít, ale příště tě dostanu!";
constexpr std::string_view kLossMessage = "Cha chá! Neuhád! Mělo to znít takhle: ";
constexpr int kSeriesMin = 1;
constexpr int kSeriesMax = 10000;

struct CategoryInfo {
    std::string_view caption;
    const std::string_view* words;  // null for the custom category
    std::size_t count;
};

template <std::size_t N>
constexpr CategoryInfo builtIn(std::string_view caption, const std::array<std::string_view, N>& list) {
    return {caption, list.data(), N};
}

// Indexed by Category.
constexpr std::array<CategoryInfo, 7> kCategories = {{
    builtIn("Slova", EverydayWords),
    builtIn("Města", TownWords),
    builtIn("Jména", NameWords),
    builtIn("Počítač", ComputerWords),
    builtIn("Přísloví", ProverbWords),
    builtIn("Fauna a flóra", FaunaFloraWords),
    {"Vlastní", nullptr, 0},
}};

const CategoryInfo& info(Category category) {
    return kCategories[static_cast<std::size_t>(category)];
}

// Spaces, digits and "*+,-./" stand in the mask from the start; every other character is a "?".
constexpr bool shownFromStart(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == 32 || (byte >= 42 && byte <= 57);
}

// The cascade: eleven links tested from the top of the figure down. A link fires when its piece
// is hidden and its predecessor shown; it lifts the sun and shows the piece. So one miss shows
// the one piece above the highest one shown. Links 5 to 11 are the frame's tail, which the
// easiest level runs as well.
struct CascadeLink {
    Piece piece;
    bool hasPredecessor;  // the lowest link stands on the background, which is always shown
    Piece predecessor;
    int sunEntry;
};
constexpr std::array<CascadeLink, 11> kCascade = {{
    {Piece::Image11, true, Piece::Image10, 12},
    {Piece::Image10, true, Piece::Image9, 11},
    {Piece::Image9, true, Piece::Image8, 10},
    {Piece::Image8, true, Piece::Image7, 9},
    {Piece::Image7, true, Piece::Image6, 8},
    {Piece::Image6, true, Piece::Image5, 7},
    {Piece::Image5, true, Piece::Image4, 6},
    {Piece::Image4, true, Piece::Image3, 5},
    {Piece::Image3, true, Piece::Image2, 4},
    {Piece::Image2, true, Piece::Image1, 3},
    {Piece::Image1, false, Piece::Image1, 2},
}};
constexpr int kFrameTailLink = 5;

// Pieces that a round setup hides, and the strips among them.
constexpr std::array<Piece, 12> kGallowsPictures = {
    Piece::Image1, Piece::Image2, Piece::Image3, Piece::Image4,  Piece::Image5,  Piece::Image6,
    Piece::Image7, Piece::Image8, Piece::Image9, Piece::Image10, Piece::Image11, Piece::Image15,
};

}  // namespace

std::string_view categoryCaption(Category category) {
    return info(category).caption;
}

Game::Game(Prompter& prompter, MediaPlayer& effects, MediaPlayer& music, const Clock& clock,
           Random& random)
    : m_prompter(prompter), m_effects(effects), m_music(music), m_clock(clock), m_random(random) {
    // As the window is laid out: the latch is shown, all keys are available.
    setShown(Piece::Label8, true);
    m_state.keyShown.fill(true);
}

void Game::openStartupMedia() {
    m_effects.setFileName(std::string(kStartupEffectFileName));
    m_effects.open();
    m_music.setFileName(std::string(kMusicFileName));
    m_music.open();
}

// ---- Round setup ----------------------------------------------------------------------------

void Game::FormActivate() {
    m_random.seed(m_clock.millisecondsSinceMidnightUtc());
    if (m_initMarker != kPostup) {
        initialiseSoundTable();  // an error here leaves the board as it was
    }
    drawWord();

    const bool proverbs = m_state.category == Category::Pslov1;
    m_state.maskTop = proverbs ? 72 : 24;
    m_state.maskLeftAligned = proverbs;

    for (const Piece strip : {Piece::Label4, Piece::Label5, Piece::Label6, Piece::Label7}) {
        setShown(strip, false);
    }
    m_state.mask.clear();
    for (const char c : m_hiddenWord) {
        m_state.mask += shownFromStart(c) ? c : '?';
    }
    m_state.sunTop = sunTop(1);
    setShown(Piece::Label8, true);
    for (const Piece piece : kGallowsPictures) {
        setShown(piece, false);
    }
    m_state.keyShown.fill(true);
    m_state.misses = 0;
    seriesCheck();
}

void Game::initialiseSoundTable() {
    // The paths are made absolute now, so a later change of the current directory does not change
    // where the sounds are looked up.
    const std::filesystem::path here = std::filesystem::current_path();
    for (std::size_t i = 0; i < kSoundFileCount; ++i) {
        m_soundPaths[i] = (here / SoundFileNames[i]).string();
    }
    m_musicPath = (here / kMusicFileName).string();
    m_music.setFileName(m_musicPath);
    m_music.open();
    m_initMarker = kPostup;
}

void Game::drawWord() {
    const CategoryInfo& category = info(m_state.category);
    if (category.words != nullptr) {
        const auto index = m_random.draw(static_cast<std::uint32_t>(category.count));
        m_hiddenWord = category.words[index];
        return;
    }
    // With an empty list loaded the draw takes entry 0, whatever an earlier load left there.
    const auto index = m_random.draw(static_cast<std::uint32_t>(m_customWords.count()));
    m_hiddenWord = m_customWords.entry(index);
}

// ---- Series -----------------------------------------------------------------------------------

int Game::seriesLength() const {
    return std::clamp(m_state.seriesSetting, kSeriesMin, kSeriesMax);
}

void Game::setSeriesSetting(int value) {
    m_state.seriesSetting = value;
}

void Game::seriesCheck() {
    if (m_state.wordsFinished < seriesLength()) {
        return;
    }
    // The verdict is the share of words guessed, truncated: the same number Gauge1 shows.
    const std::string text =
        "Vyhráls na " + std::to_string(m_state.wordsGuessed.percent()) + "%. A jedeme znovu.";
    m_prompter.showMessage(MessageKind::Custom, text);
    m_state.wordsFinished = 0;
    m_state.wordsPlayed.setProgress(0);
    m_state.wordsGuessed.setProgress(0);
}

void Game::Kolikslovbudehdat1Click() {
    m_state.wordCountPanelShown = true;
}

void Game::Button1Click() {
    m_state.wordCountPanelShown = false;
    m_state.wordsGuessed.setMaximum(seriesLength());
    m_state.wordsPlayed.setMaximum(seriesLength());
}

void Game::Odzatku1Click() {
    // Words finished before the restart still count towards the end of the series; the gauges
    // count only from here.
    m_state.wordsPlayed.setMaximum(seriesLength());
    m_state.wordsPlayed.setProgress(0);
    m_state.wordsGuessed.setProgress(0);
    FormActivate();
}

// ---- Letter keys ------------------------------------------------------------------------------

void Game::letterKeyClick(std::size_t key) {
    if (key >= LetterKeys.size() || !m_state.keyShown[key]) {
        return;
    }
    const LetterKey& letter = LetterKeys[key];
    m_state.keyShown[key] = false;
    NE(letter.missTest[0], letter.missTest[1], letter.missTest[2]);
    // A key shown again means the click ended the word and a new round has been set up; the rest
    // of the click must not be applied to the new word.
    if (m_state.keyShown[key]) {
        return;
    }
    for (const char c : letter.reveal) {
        Jo(c);
        if (m_state.keyShown[key]) {
            return;
        }
    }
}

// ---- Hits -------------------------------------------------------------------------------------

void Game::Jo(char letter) {
    for (std::size_t p = 0; p < m_hiddenWord.size(); ++p) {
        if (m_hiddenWord[p] == letter) {
            if (m_state.soundsOn) {
                hrej(skHit);
            }
            m_state.mask[p] = letter;
        }
    }
    const bool complete = m_state.mask.find('?') == std::string::npos;
    if (complete && !shown(Piece::Image11)) {
        winSequence();
    }
}

void Game::winSequence() {
    if (m_state.soundsOn) {
        hrej(skWordWon);
    }
    // The counters rise only after the message, so it is shown over the old gauges.
    m_prompter.showMessage(MessageKind::Warning, kWinMessage);
    m_state.wordsPlayed.setProgress(m_state.wordsPlayed.progress + 1);
    m_state.wordsGuessed.setProgress(m_state.wordsGuessed.progress + 1);
    ++m_state.wordsFinished;
    FormActivate();
}

// ---- Misses -----------------------------------------------------------------------------------

void Game::NE(char first, char second, char third) {
    const auto occurs = [this](char c) { return m_hiddenWord.find(c) != std::string::npos; };
    const bool hit = occurs(first) || (second != ' ' && occurs(second)) ||
                     (third != ' ' && occurs(third));
    if (!hit) {
        bool soundPlayed = false;
        ++m_state.misses;
        advanceStage(soundPlayed);
        // Every miss with sounds on plays exactly one sound: the frame's, or a miss sound.
        if (m_state.soundsOn && !soundPlayed) {
            hrej(skMiss);
        }
    }
    if (shown(Piece::Image11)) {
        lossSequence();
    }
}

void Game::cascade(int firstLink) {
    for (std::size_t i = static_cast<std::size_t>(firstLink - 1); i < kCascade.size(); ++i) {
        const CascadeLink& link = kCascade[i];
        if (!shown(link.piece) && (!link.hasPredecessor || shown(link.predecessor))) {
            m_state.sunTop = sunTop(link.sunEntry);
            setShown(link.piece, true);
        }
    }
}

void Game::advanceStage(bool& soundPlayed) {
    const Level level = m_state.level;

    // Block A, the figure at the hardest level: the whole man at once, once the rope hangs.
    if (level == Level::Prolidskslovnk1 && shown(Piece::Image5) && !shown(Piece::Image11)) {
        for (const Piece piece : {Piece::Image6, Piece::Image7, Piece::Image8, Piece::Image9,
                                  Piece::Image10, Piece::Image11}) {
            setShown(piece, true);
        }
        m_state.sunTop = sunTop(12);
    }

    // Block B, the frame at the two hard levels: the whole gallows goes up on the first miss.
    // Block A ran first, so the miss that hangs the rope does not also complete the figure.
    if ((level == Level::Prolidskslovnk1 || level == Level::Prognie1) && !shown(Piece::Image5)) {
        if (level == Level::Prolidskslovnk1) {
            setShown(Piece::Image5, true);
        }
        for (const Piece piece : {Piece::Image1, Piece::Image2, Piece::Image3, Piece::Image4}) {
            setShown(piece, true);
        }
        m_state.sunTop = sunTop(6);
        if (m_state.soundsOn) {
            hrej(skGallowsUp);
            soundPlayed = true;
        }
    }

    // Block C, one piece per miss.
    if (level == Level::Prodti1 || level == Level::Prognie1) {
        cascade(1);
    }

    // Block D, the easiest level: legs and arms come without their feet and hands first, hidden
    // under blue strips, and the next miss takes the strip away. Each rule is tested before the
    // rules whose actions could make it true, so a miss takes exactly one step; the latch Label8
    // keeps D2 from firing in the miss in which D1 hides the second arm.
    if (level == Level::Obtnost1) {
        const auto on = [this](Piece p) { return shown(p); };
        if (!on(Piece::Image11) && on(Piece::Image15) && on(Piece::Label7)) {  // D1
            setShown(Piece::Label7, false);
            setShown(Piece::Image11, true);
            setShown(Piece::Image15, false);
            setShown(Piece::Label8, false);
        }
        if (on(Piece::Label8) && !on(Piece::Image15) && on(Piece::Image10) &&
            !on(Piece::Label6)) {  // D2
            m_state.sunTop = sunTop(12);
            setShown(Piece::Image15, true);
            setShown(Piece::Label7, true);
        }
        if (!on(Piece::Image15) && on(Piece::Image10) && on(Piece::Label6)) {  // D3
            setShown(Piece::Label6, false);
        }
        if (!on(Piece::Image10) && on(Piece::Image9) && !on(Piece::Label5)) {  // D4
            m_state.sunTop = sunTop(11);
            setShown(Piece::Image10, true);
            setShown(Piece::Label6, true);
        }
        if (!on(Piece::Image10) && on(Piece::Image9) && on(Piece::Label5)) {  // D5
            setShown(Piece::Label5, false);
        }
        if (!on(Piece::Image9) && on(Piece::Image8) && !on(Piece::Label4)) {  // D6
            m_state.sunTop = sunTop(10);
            setShown(Piece::Image9, true);
            setShown(Piece::Label5, true);
        }
        if (!on(Piece::Image9) && on(Piece::Image8) && on(Piece::Label4)) {  // D7
            setShown(Piece::Label4, false);
        }
        if (!on(Piece::Image8) && on(Piece::Image7)) {  // D8
            m_state.sunTop = sunTop(9);
            setShown(Piece::Image8, true);
            setShown(Piece::Label4, true);
        }
        cascade(kFrameTailLink);  // D9
    }
}

void Game::lossSequence() {
    // The counters already count the lost word while its message is shown.
    ++m_state.wordsFinished;
    setShown(Piece::Image14, true);
    m_state.figureWidth = 77;  // the arrow and "TY" appear beside the figure
    m_state.wordsPlayed.setProgress(m_state.wordsPlayed.progress + 1);
    if (m_state.soundsOn) {
        hrej(skWordLost);
    }
    m_prompter.showMessage(MessageKind::Custom,
                           std::string(kLossMessage) + cp1250ToUtf8(m_hiddenWord));
    setShown(Piece::Image14, false);
    m_state.figureWidth = 35;
    FormActivate();
}

void Game::levelClick(Level level) {
    // The level can change only while the current word has no miss; the mound appears with the
    // first miss at every level.
    if (shown(Piece::Image1)) {
        return;
    }
    m_state.level = level;
}

// ---- Categories -------------------------------------------------------------------------------

void Game::categoryClick(Category category) {
    if (category == Category::Vlastn1) {
        Vlastn1Click();
        return;
    }
    // Takes effect at the next round setup; the word on the board stays.
    m_state.caption = "Dyxolana - " + std::string(categoryCaption(category));
    m_state.category = category;
}

void Game::Vlastn1Click() {
    const auto path = m_prompter.chooseWordListFile();
    if (!path) {
        return;
    }
    const Category previousCategory = m_state.category;
    const std::string previousCaption = m_state.caption;
    m_state.category = Category::Vlastn1;
    m_customWords.resetCount();
    m_state.caption = "Dyxolana - " + *path;
    WordListLoad load;
    try {
        load = loadWordListFile(*path, m_customWords);
    } catch (const WordListRefused&) {
        // A file too big to be a word list is refused whole: the player keeps the category and
        // the words that were in play (the reader has given the table its count back).
        m_state.category = previousCategory;
        m_state.caption = previousCaption;
        throw;
    }
    if (load.linesLeftOut > 0) {
        m_prompter.showMessage(
            MessageKind::Information,
            "Soubor má víc řádků, než hra pojme. Načteno je prvních " +
                std::to_string(CustomWordCapacity) + " slov, zbylých " +
                std::to_string(load.linesLeftOut) + " řádků bylo vynecháno.");
    }
}

// ---- Sounds -----------------------------------------------------------------------------------

void Game::hrej(int kind) {
    m_random.seed(m_clock.millisecondsSinceMidnightUtc());
    std::uint32_t entry = 0;  // 1 to 30
    switch (kind) {
        case skMiss:
            do {
                entry = m_random.draw(16);
            } while (entry == 0);
            break;
        case skHit:
            entry = 16 + m_random.draw(10);
            break;
        case skWordWon: {
            std::uint32_t r = 0;
            do {
                r = m_random.draw(4);
            } while (r == 0);
            entry = 25 + r;
            break;
        }
        case skWordLost:
            entry = 29;
            break;
        case skGallowsUp:
            entry = 30;
            break;
        default:
            return;
    }
    // A sound that cannot be played is reported, and the click goes on as if it had played: a
    // missing file must not leave a letter unrevealed or count a lost word twice.
    try {
        m_effects.setFileName(m_soundPaths[entry - 1]);
        m_effects.open();
        m_effects.play();
    } catch (const MediaError& error) {
        m_prompter.showError(errorReportText(error));
    }
}

void Game::Zvuky1Click() {
    m_state.soundsOn = !m_state.soundsOn;
}

void Game::Hudba1Click() {
    // The mark changes only when the player call succeeded.
    if (m_state.musicOn) {
        m_music.stop();
        m_state.musicOn = false;
    } else {
        m_music.play();
        m_state.musicOn = true;
    }
}

void Game::Konec1Click() {
    m_initMarker.clear();
    m_state.closeRequested = true;
}

}  // namespace dyx
