#include "tune.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace snd {

namespace {

// ---- Standard MIDI file writing -------------------------------------------------------------

constexpr std::uint32_t kPpq = 480;  // ticks per quarter note
constexpr std::uint32_t kEighth = kPpq / 2;
constexpr std::uint32_t kSixteenth = kPpq / 4;
constexpr std::uint32_t kBar = 4 * kPpq;  // 4/4 throughout
constexpr int kBeatsPerMinute = 132;

using Bytes = std::vector<std::uint8_t>;

void putVarLen(Bytes& out, std::uint32_t value) {
    std::array<std::uint8_t, 5> groups{};
    std::size_t count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 0) {
        --count;
        out.push_back(static_cast<std::uint8_t>(groups[count] | (count > 0 ? 0x80 : 0x00)));
    }
}

void putBigEndian(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF));
    }
}

class Track {
public:
    void name(std::string_view text) { meta(0, 0x03, Bytes(text.begin(), text.end())); }

    void meta(std::uint32_t tick, std::uint8_t type, Bytes data) {
        Bytes bytes{0xFF, type};
        putVarLen(bytes, static_cast<std::uint32_t>(data.size()));
        bytes.insert(bytes.end(), data.begin(), data.end());
        add(tick, std::move(bytes), kOrderOther);
    }

    void program(int channel, int instrument) {
        add(0, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(instrument)},
            kOrderOther);
    }

    void control(int channel, int controller, int value) {
        add(0,
            {static_cast<std::uint8_t>(0xB0 | channel), static_cast<std::uint8_t>(controller),
             static_cast<std::uint8_t>(value)},
            kOrderOther);
    }

    void note(std::uint32_t start, std::uint32_t length, int channel, int key, int velocity) {
        const auto k = static_cast<std::uint8_t>(std::clamp(key, 0, 127));
        const auto v = static_cast<std::uint8_t>(std::clamp(velocity, 1, 127));
        add(start, {static_cast<std::uint8_t>(0x90 | channel), k, v}, kOrderOther);
        add(start + std::max<std::uint32_t>(length, 1),
            {static_cast<std::uint8_t>(0x80 | channel), k, 0}, kOrderNoteOff);
    }

    // The track chunk, ending at endTick (or at its last event, if later).
    Bytes encode(std::uint32_t endTick) const {
        std::vector<Event> events = m_events;
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        Bytes body;
        std::uint32_t now = 0;
        for (const Event& event : events) {
            putVarLen(body, event.tick - now);
            now = event.tick;
            body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        }
        putVarLen(body, std::max(endTick, now) - now);
        body.insert(body.end(), {0xFF, 0x2F, 0x00});

        Bytes chunk{'M', 'T', 'r', 'k'};
        putBigEndian(chunk, static_cast<std::uint32_t>(body.size()), 4);
        chunk.insert(chunk.end(), body.begin(), body.end());
        return chunk;
    }

private:
    // At the same tick a note ends before the next one starts, so repeated notes stay separate.
    static constexpr int kOrderNoteOff = 0;
    static constexpr int kOrderOther = 1;

    struct Event {
        std::uint32_t tick;
        int order;
        Bytes bytes;
    };

    void add(std::uint32_t tick, Bytes bytes, int order) {
        m_events.push_back({tick, order, std::move(bytes)});
    }

    std::vector<Event> m_events;
};

// ---- Notation -------------------------------------------------------------------------------

// A melody is written as notes with their length in eighths ("G4:1" is the G above middle C for
// an eighth, "r:2" a quarter rest), bars separated by "|"; every bar must fill 4/4.
struct Note {
    std::uint32_t start;
    std::uint32_t length;
    int key;
};

int parseKey(std::string_view name) {
    static constexpr std::array<int, 7> kPitchClass{9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') {
        throw std::logic_error("bad note name: " + std::string(name));
    }
    int pc = kPitchClass[static_cast<std::size_t>(name[0] - 'A')];
    std::size_t pos = 1;
    if (name[pos] == '#') {
        ++pc;
        ++pos;
    } else if (name[pos] == 'b') {
        --pc;
        ++pos;
    }
    if (pos + 1 != name.size() || name[pos] < '0' || name[pos] > '9') {
        throw std::logic_error("bad note name: " + std::string(name));
    }
    return 12 * (name[pos] - '0' + 1) + pc;
}

std::vector<Note> parseMelody(std::string_view text, std::uint32_t startTick) {
    std::vector<Note> notes;
    std::uint32_t tick = startTick;
    std::uint32_t barStart = startTick;
    auto closeBar = [&] {
        if (tick - barStart != kBar) {
            throw std::logic_error("a bar of the tune does not fill 4/4: " + std::string(text));
        }
        barStart = tick;
    };
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
            continue;
        }
        if (text[pos] == '|') {
            closeBar();
            ++pos;
            continue;
        }
        const std::size_t end = std::min(text.find_first_of(" |", pos), text.size());
        const std::string_view token = text.substr(pos, end - pos);
        pos = end;
        const std::size_t colon = token.find(':');
        if (colon == std::string_view::npos) {
            throw std::logic_error("note without length: " + std::string(token));
        }
        const auto eighths =
            static_cast<std::uint32_t>(std::stoi(std::string(token.substr(colon + 1))));
        const std::string_view name = token.substr(0, colon);
        if (name != "r") {
            notes.push_back({tick, eighths * kEighth, parseKey(name)});
        }
        tick += eighths * kEighth;
    }
    closeBar();
    return notes;
}

// A chord symbol: a root ("C", "F#", "Bb"), then "m" for minor and/or "7" for the dominant
// seventh. Gives the pitch classes, root first.
std::vector<int> chordTones(std::string_view symbol) {
    const bool accidental = symbol.size() > 1 && (symbol[1] == '#' || symbol[1] == 'b');
    const int root = parseKey(std::string(symbol.substr(0, accidental ? 2 : 1)) + "4") % 12;
    const bool minor = symbol.find('m') != std::string_view::npos;
    const bool seventh = symbol.find('7') != std::string_view::npos;
    std::vector<int> tones{root, (root + (minor ? 3 : 4)) % 12, (root + 7) % 12};
    if (seventh) {
        tones.push_back((root + 10) % 12);
    }
    return tones;
}

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        if (end > pos) {
            words.push_back(text.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return words;
}

// ---- The piece ------------------------------------------------------------------------------

// A bouncy tune in C major in the manner of a village band: clarinet and flute on the tune,
// accordion on the off-beats, tuba on the beats.

constexpr std::string_view kChordsA = "C G C F C G G7 C";
constexpr std::string_view kChordsB = "Am Em F C Dm G C G7";
constexpr std::string_view kChordsIntro = "C F G G7";
constexpr std::string_view kChordsOutro = "C G7 C C";

constexpr std::string_view kTuneA =
    "G4:1 C5:1 E5:1 G5:1 E5:2 C5:2 | D5:2 B4:1 D5:1 G5:3 r:1 | E5:1 F5:1 G5:2 A5:1 G5:1 E5:2 | "
    "F5:2 A5:2 C6:2 A5:2 | G5:1 E5:1 C5:2 E5:1 G5:1 C6:2 | B5:2 G5:1 D5:1 B4:2 D5:2 | "
    "F5:1 E5:1 D5:1 F5:1 E5:1 D5:1 C5:1 B4:1 | C5:4 r:2 G4:2";

// The same phrase with an ending that climbs to the high C.
constexpr std::string_view kTuneA2 =
    "G4:1 C5:1 E5:1 G5:1 E5:2 C5:2 | D5:2 B4:1 D5:1 G5:3 r:1 | E5:1 F5:1 G5:2 A5:1 G5:1 E5:2 | "
    "F5:2 A5:2 C6:2 A5:2 | G5:1 E5:1 C5:2 E5:1 G5:1 C6:2 | B5:2 G5:1 D5:1 B4:2 D5:2 | "
    "D5:1 F5:1 G5:1 B5:1 D6:2 B5:2 | C6:4 r:4";

constexpr std::string_view kTuneB =
    "A5:3 G5:1 E5:2 C5:2 | B4:3 C5:1 D5:2 E5:2 | F5:3 E5:1 D5:2 C5:2 | E5:2 G5:2 C6:4 | "
    "D6:2 C6:1 A5:1 F5:2 A5:2 | G5:2 F5:1 D5:1 B4:2 D5:2 | C5:1 E5:1 G5:1 E5:1 C6:1 G5:1 E5:1 G5:1 "
    "| "
    "B5:2 A5:1 G5:1 F5:2 D5:1 G4:1";

constexpr std::string_view kTuneOutro =
    "C6:2 G5:2 E5:2 G5:2 | F5:2 D5:2 B4:2 D5:2 | C5:2 E5:2 G5:2 C6:2 | C6:2 r:6";

enum Channel : int {
    kClarinet = 0,
    kAccordion = 1,
    kTuba = 2,
    kGlockenspiel = 3,
    kFlute = 4,
    kDrums = 9
};

// A melody part: the channel, an octave shift and how loud.
struct Voice {
    int channel;
    int transpose;
    int velocity;
};

struct Section {
    std::string_view chords;
    std::string_view tune;  // empty: accompaniment only
    std::vector<Voice> voices;
    bool ride;  // ride cymbal instead of hi-hat: a lighter colour for the middle part
};

// General MIDI drum keys.
constexpr int kKick = 36;
constexpr int kSnare = 38;
constexpr int kClosedHat = 42;
constexpr int kRide = 51;
constexpr int kCrash = 49;
constexpr std::array<int, 4> kToms{50, 48, 47, 45};

std::vector<Section> arrangement() {
    const Voice clarinet{kClarinet, 0, 96};
    const Voice clarinetLow{kClarinet, -12, 84};
    const Voice flute{kFlute, 0, 92};
    const Voice glockenspiel{kGlockenspiel, 12, 64};
    return {
        {kChordsIntro, "", {}, false},
        {kChordsA, kTuneA, {clarinet}, false},
        {kChordsA, kTuneA2, {clarinet, glockenspiel}, false},
        {kChordsB, kTuneB, {flute}, true},
        {kChordsA, kTuneA2, {clarinet, glockenspiel}, false},
        {kChordsB, kTuneB, {flute, clarinetLow}, true},
        {kChordsA, kTuneA2, {clarinet, flute, glockenspiel}, false},
        {kChordsOutro, kTuneOutro, {clarinet, flute, glockenspiel}, false},
    };
}

// A small, fixed variation of loudness so that repeated notes do not sound machine-made.
int humanize(int velocity, std::size_t index) {
    return velocity + static_cast<int>((index * 37) % 7) - 3;
}

void writeDrumBar(Track& drums, std::uint32_t bar, bool crash, bool fill, bool ride) {
    const int cymbal = ride ? kRide : kClosedHat;
    drums.note(bar, kSixteenth, kDrums, kKick, 104);
    drums.note(bar + kPpq, kSixteenth, kDrums, kSnare, 88);
    if (crash) {
        drums.note(bar, kPpq, kDrums, kCrash, 100);
    }
    const std::uint32_t cymbalUntil = fill ? 2 * kPpq : kBar;
    for (std::uint32_t t = crash ? kEighth : 0; t < cymbalUntil; t += kEighth) {
        drums.note(bar + t, kSixteenth, kDrums, cymbal, t % kPpq == 0 ? 72 : 52);
    }
    if (!fill) {
        drums.note(bar + 2 * kPpq, kSixteenth, kDrums, kKick, 92);
        drums.note(bar + 3 * kPpq, kSixteenth, kDrums, kSnare, 92);
        return;
    }
    // The fill leads into the next part: four snare sixteenths growing louder, then the toms
    // from high to low.
    for (std::uint32_t i = 0; i < 4; ++i) {
        drums.note(bar + 2 * kPpq + i * kSixteenth, kSixteenth, kDrums, kSnare,
                   60 + 10 * static_cast<int>(i));
        drums.note(bar + 3 * kPpq + i * kSixteenth, kSixteenth, kDrums, kToms[i],
                   92 + 3 * static_cast<int>(i % 2));
    }
}

struct Score {
    std::vector<Track> tracks;
    std::uint32_t endTick = 0;
};

Score compose() {
    Track tempo;
    tempo.name("Dyxolana");
    constexpr std::uint32_t kQuarterMicroseconds = 60'000'000 / kBeatsPerMinute;
    Bytes quarter;
    putBigEndian(quarter, kQuarterMicroseconds, 3);
    tempo.meta(0, 0x51, quarter);
    tempo.meta(0, 0x58, {4, 2, 24, 8});  // 4/4
    tempo.meta(0, 0x59, {0, 0});         // C major

    struct Instrument {
        int channel;
        std::string_view name;
        int program;
        int volume;
        int pan;
    };
    constexpr std::array<Instrument, 6> kInstruments{{{kClarinet, "Clarinet", 71, 100, 60},
                                                      {kAccordion, "Accordion", 21, 76, 40},
                                                      {kTuba, "Tuba", 58, 104, 64},
                                                      {kGlockenspiel, "Glockenspiel", 9, 72, 88},
                                                      {kFlute, "Flute", 73, 96, 76},
                                                      {kDrums, "Drums", 0, 88, 64}}};
    std::array<Track, 6> parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const Instrument& instrument = kInstruments[i];
        parts[i].name(instrument.name);
        if (instrument.channel != kDrums) {
            parts[i].program(instrument.channel, instrument.program);
        }
        parts[i].control(instrument.channel, 7, instrument.volume);
        parts[i].control(instrument.channel, 10, instrument.pan);
        parts[i].control(instrument.channel, 91, 40);
    }
    auto part = [&](int channel) -> Track& {
        for (std::size_t i = 0; i < kInstruments.size(); ++i) {
            if (kInstruments[i].channel == channel) {
                return parts[i];
            }
        }
        throw std::logic_error("no such part");
    };

    const std::vector<Section> sections = arrangement();
    std::uint32_t tick = 0;
    std::size_t noteIndex = 0;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const Section& section = sections[s];
        const bool lastSection = s + 1 == sections.size();
        const std::vector<std::string_view> chords = splitWords(section.chords);

        if (!section.tune.empty()) {
            for (const Note& note : parseMelody(section.tune, tick)) {
                const bool downbeat = (note.start - tick) % kBar == 0;
                for (const Voice& voice : section.voices) {
                    const int velocity = humanize(voice.velocity + (downbeat ? 6 : 0), noteIndex);
                    part(voice.channel)
                        .note(note.start, note.length * 15 / 16, voice.channel,
                              note.key + voice.transpose, velocity);
                }
                ++noteIndex;
            }
        }

        for (std::size_t b = 0; b < chords.size(); ++b) {
            const std::uint32_t bar = tick + static_cast<std::uint32_t>(b) * kBar;
            const std::vector<int> tones = chordTones(chords[b]);
            const bool lastBar = b + 1 == chords.size();
            const bool finalBar = lastSection && lastBar;
            const int bassRoot = 36 + tones[0];
            const int bassFifth = bassRoot + 7 <= 50 ? bassRoot + 7 : bassRoot - 5;

            if (finalBar) {
                // One last chord from everybody, left to ring.
                part(kTuba).note(bar, 2 * kPpq, kTuba, bassRoot, 104);
                for (int pc : tones) {
                    part(kAccordion).note(bar, 2 * kPpq, kAccordion, 55 + (pc + 5) % 12, 84);
                }
                part(kDrums).note(bar, kPpq, kDrums, kKick, 110);
                part(kDrums).note(bar, 2 * kPpq, kDrums, kCrash, 110);
                continue;
            }

            // Tuba on the beats: root and fifth, walking up the chord into the next part.
            if (lastBar) {
                const std::array<int, 4> walk{
                    bassRoot, 36 + tones[1] + (tones[1] < tones[0] ? 12 : 0), bassRoot + 7,
                    36 + tones[1] + (tones[1] < tones[0] ? 12 : 0)};
                for (std::uint32_t beat = 0; beat < 4; ++beat) {
                    part(kTuba).note(bar + beat * kPpq, kPpq * 7 / 8, kTuba, walk[beat],
                                     humanize(98, beat));
                }
            } else {
                part(kTuba).note(bar, kPpq * 7 / 8, kTuba, bassRoot, humanize(102, b));
                part(kTuba).note(bar + 2 * kPpq, kPpq * 7 / 8, kTuba, bassFifth,
                                 humanize(94, b + 1));
            }

            // Accordion on the off-beats ("oom-pah"), the chord kept between G3 and F#4.
            for (std::uint32_t beat : {1U, 3U}) {
                for (int pc : tones) {
                    part(kAccordion)
                        .note(bar + beat * kPpq, kEighth * 3 / 4, kAccordion, 55 + (pc + 5) % 12,
                              humanize(70, beat + b));
                }
            }

            writeDrumBar(part(kDrums), bar, b == 0, lastBar, section.ride);
        }
        tick += static_cast<std::uint32_t>(chords.size()) * kBar;
    }

    Score score;
    score.endTick = tick;
    score.tracks.push_back(std::move(tempo));
    for (Track& track : parts) {
        score.tracks.push_back(std::move(track));
    }
    return score;
}

std::uint32_t totalBars() {
    std::uint32_t bars = 0;
    for (const Section& section : arrangement()) {
        bars += static_cast<std::uint32_t>(splitWords(section.chords).size());
    }
    return bars;
}

}  // namespace

std::vector<std::uint8_t> composeTune() {
    const Score score = compose();
    Bytes file{'M', 'T', 'h', 'd'};
    putBigEndian(file, 6, 4);
    putBigEndian(file, 1, 2);  // format 1: simultaneous tracks
    putBigEndian(file, static_cast<std::uint32_t>(score.tracks.size()), 2);
    putBigEndian(file, kPpq, 2);
    for (const Track& track : score.tracks) {
        const Bytes chunk = track.encode(score.endTick);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

double tuneSeconds() {
    return static_cast<double>(totalBars()) * 4.0 * 60.0 / kBeatsPerMinute;
}

void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace snd
