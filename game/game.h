#pragma once
// The rules of Dyxolana: rounds, masks, letter keys, hits, misses with the gallows stages of the
// four levels, the series counters and verdict, categories, and the choice of sound files.
//
// The game state is a plain value (GameState) that the window draws; the rules never touch a
// widget. Everything that the player must see or answer goes through the Prompter, sounds through
// the two MediaPlayers, and the random generator is seeded from the Clock. The handlers keep the
// names of the window's events (FormActivate, Odzatku1Click, ...), and the sequences run in the
// same order as the player experiences them: a message box call returns only after the player
// has dismissed it, so one click can end a word, set up the next one and end a series before the
// handler returns.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/errors.h"
#include "game/ports.h"
#include "words/customwords.h"

namespace dyx {

// The gallows pictures, the strips and the face sun whose shown flags are the stage of a word.
// The stage is not a number: it is exactly which of these are shown.
enum class Piece : std::uint8_t {
    Image1,   // mound
    Image2,   // post
    Image3,   // beam
    Image4,   // brace
    Image5,   // rope with noose
    Image6,   // head
    Image7,   // body
    Image8,   // first leg
    Image9,   // second leg
    Image10,  // first arm
    Image11,  // the complete figure: shown means the word is lost
    Image15,  // second arm (easiest level only)
    Image14,  // the smoking sun, shown during the loss message
    Label4,   // strip over the first foot
    Label5,   // strip over the second foot
    Label6,   // strip over the first hand
    Label7,   // strip over the second hand
    Label8,   // an invisible latch of the easiest level
};
inline constexpr std::size_t kPieceCount = 18;

// Difficulty levels, by the miss that completes the figure.
enum class Level : std::uint8_t {
    Obtnost1,         // "Pro neandrtálce": 15 misses
    Prodti1,          // "Pro dítě": 11 misses
    Prognie1,         // "Pro chytrého": 7 misses
    Prolidskslovnk1,  // "Pro lidský slovník": 2 misses
};

// Where the next word comes from.
enum class Category : std::uint8_t { Slova1, Msta1, Jmna1, Pota1, Pslov1, Faunaaflra1, Vlastn1 };

// How many misses lose a word at the level.
constexpr int missesToLose(Level level) {
    constexpr int kMisses[] = {15, 11, 7, 2};
    return kMisses[static_cast<int>(level)];
}

// The caption of a category's menu item, UTF-8 ("Slova", "Města", ..., "Vlastní").
std::string_view categoryCaption(Category category);

// The argument of hrej.
enum SoundKind : int { skMiss = 1, skHit = 2, skWordWon = 3, skWordLost = 4, skGallowsUp = 5 };

// SunTops: the top edge of the sun picture for entries 1 to 12. Entry 1 hides the sun behind the
// ground; each later entry lifts it higher.
inline constexpr std::array<int, 12> SunTops = {301, 273, 246, 219, 192, 165, 140, 115, 100, 86, 30, 3};
constexpr int sunTop(int entry) { return SunTops[static_cast<std::size_t>(entry - 1)]; }

// A bar gauge's counter. The progress always lies between 0 and the maximum.
struct Gauge {
    int progress = 0;
    int maximum = 10;

    void setProgress(int value) { progress = value < 0 ? 0 : (value > maximum ? maximum : value); }
    void setMaximum(int value) {
        maximum = value < 0 ? 0 : value;
        setProgress(progress);
    }
    // The whole-number part of progress * 100 / maximum; 0 for a maximum of 0.
    int percent() const {
        return maximum == 0 ? 0 : static_cast<int>(static_cast<long long>(progress) * 100 / maximum);
    }
};

// Everything the window shows that the rules decide.
struct GameState {
    std::array<bool, kPieceCount> shown{};
    int sunTop = 302;          // Image12's Top; the window places it at 302 before the first round
    int figureWidth = 35;      // Image11's width: 77 only while the loss message is shown
    std::string mask;          // Label2's caption, CP1250
    int maskTop = 30;          // Label2's Top: 24, or 72 in a proverb round
    bool maskLeftAligned = false;
    std::array<bool, 33> keyShown{};
    int wordsFinished = 0;     // Label3: words won or lost in this series
    Gauge wordsGuessed;        // Gauge1
    Gauge wordsPlayed;         // Gauge2
    int seriesSetting = 10;    // SpinEdit1's value
    bool wordCountPanelShown = false;  // GroupBox1
    Category category = Category::Slova1;
    Level level = Level::Prodti1;
    bool soundsOn = true;      // Zvuky1
    bool musicOn = false;      // Hudba1
    std::string caption = "Dyxolana - Slova";  // window caption, UTF-8
    int misses = 0;            // misses in the current word, told to screen readers; no rule reads it
    bool closeRequested = false;

    bool isShown(Piece piece) const { return shown[static_cast<std::size_t>(piece)]; }
};

// The sound files, looked up in the current directory: DYX1..15 for misses, DYXJO0..9 for hits,
// DYXWIN1..3 for won words, DYXKILL for a lost word and DYXDYX for the whole frame going up.
inline constexpr std::size_t kSoundFileCount = 30;
extern const std::array<std::string_view, kSoundFileCount> SoundFileNames;
inline constexpr std::string_view kMusicFileName = "DYXOLANA.MID";
inline constexpr std::string_view kStartupEffectFileName = "DYXDYX.WAV";

class Game {
public:
    Game(Prompter& prompter, MediaPlayer& effects, MediaPlayer& music, const Clock& clock,
         Random& random);

    const GameState& state() const { return m_state; }
    const std::string& hiddenWord() const { return m_hiddenWord; }  // HiddenWord, CP1250
    const std::string& initMarker() const { return m_initMarker; }   // InitMarker
    // SoundPaths entries 1 to 30 (index 0 is entry 1) and MusicPath.
    const std::array<std::string, kSoundFileCount>& soundPaths() const { return m_soundPaths; }
    const std::string& musicPath() const { return m_musicPath; }
    const CustomWordTable& customWords() const { return m_customWords; }

    // While the window is created: the effects player opens "DYXDYX.WAV" and the music player
    // "DYXOLANA.MID", both relative to the current directory. Throws MediaError; the program
    // cannot start without them.
    void openStartupMedia();

    // The round setup: seeds the generator, fills the sound table on the first call, draws the
    // word of the checked category, builds its mask, clears the board and runs the series check.
    void FormActivate();

    // A click on the letter key with the given index into LetterKeys (AClick ... ZWClick, QClick).
    // A hidden key cannot be clicked.
    void letterKeyClick(std::size_t key);

    // The miss test and gallows stage for one click, then the loss check. Called by the keys.
    void NE(char first, char second, char third);
    // Reveals one character of a clicked key's group and tests for a won word.
    void Jo(char letter);
    // Plays a sound of the given kind (1 to 5; anything else plays nothing). A sound that cannot
    // be played is reported in the error box and the game goes on as if it had played.
    void hrej(int kind);

    // The difficulty items (Obtnost1Click, Prodti1Click, Prognie1Click, Prolidskslovnk1Click):
    // locked from the first miss of a word to the next round setup.
    void levelClick(Level level);
    // The six built-in category items (Slova1Click ... Faunaaflra1Click).
    void categoryClick(Category category);
    // "Vlastní": choose a word-list file and load it.
    void Vlastn1Click();

    void Kolikslovbudehdat1Click();  // shows the word-count panel
    void Button1Click();             // the panel's "OK": new gauge maxima, panel hidden
    void Odzatku1Click();            // "Znovu": restart the series with a new word
    void setSeriesSetting(int value);  // the number field's current value, as typed

    void Zvuky1Click();  // sound effects on/off
    void Hudba1Click();  // music on/off
    void Konec1Click();  // ends the program

    // The number of words in a series as the series check reads it: the setting brought into
    // 1 to 10000, so that no gauge maximum below 1 can arise from a value still being typed.
    int seriesLength() const;

private:
    void setShown(Piece piece, bool shown) { m_state.shown[static_cast<std::size_t>(piece)] = shown; }
    bool shown(Piece piece) const { return m_state.isShown(piece); }
    void initialiseSoundTable();
    void drawWord();
    void seriesCheck();
    void winSequence();
    void lossSequence();
    void advanceStage(bool& soundPlayed);
    void cascade(int firstLink);

    Prompter& m_prompter;
    MediaPlayer& m_effects;  // MediaPlayer1
    MediaPlayer& m_music;    // MediaPlayer2
    const Clock& m_clock;
    Random& m_random;

    GameState m_state;
    std::string m_hiddenWord;
    std::string m_initMarker;
    std::array<std::string, kSoundFileCount> m_soundPaths;
    std::string m_musicPath;
    CustomWordTable m_customWords;
};

// The single boundary for errors that escape a handler: runs it and shows an escaped error in the
// error box, its message followed by "."; the game then runs on.
template <typename Handler>
void runGuarded(Prompter& prompter, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        prompter.showError(errorReportText(error));
    }
}

}  // namespace dyx
