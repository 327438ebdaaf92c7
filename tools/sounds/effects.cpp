#include "effects.h"

#include <algorithm>
#include <array>

namespace snd {

namespace {

using std::exp;
using std::sin;

// Every effect peaks at about -2 dBFS, loud enough over the music and never clipped, unless it is
// a steady sound whose RMS level would then stand out: those stop at -12 dBFS RMS.
constexpr double kPeak = 0.79;
constexpr double kLoudest = 0.25;

Signal finished(Signal s) {
    finish(s, kPeak, kLoudest);
    return s;
}

// ---- Voices shared by several effects -------------------------------------------------------

// A struck bar: sine partials at the ratios of a marimba bar, the higher ones dying sooner.
Signal marimba(double hz, double length) {
    Osc p1;
    Osc p2;
    Osc p3;
    return render(length, [&](double t) {
        return p1.sine(hz) * env::hit(t, 0.002, 0.22) +
               0.35 * p2.sine(hz * 3.93) * env::hit(t, 0.001, 0.05) +
               0.12 * p3.sine(hz * 9.8) * env::hit(t, 0.0005, 0.015);
    });
}

// A small bell: a fundamental with a quicker octave and twelfth.
Signal bell(double hz, double length, double tau) {
    Osc p1;
    Osc p2;
    Osc p3;
    return render(length, [&](double t) {
        return p1.sine(hz) * env::hit(t, 0.002, tau) +
               0.3 * p2.sine(hz * 2.0) * env::hit(t, 0.002, tau * 0.5) +
               0.12 * p3.sine(hz * 3.0) * env::hit(t, 0.002, tau * 0.3);
    });
}

// A brassy note: a sawtooth whose low-pass opens with the attack, with vibrato on long notes.
Signal brass(double hz, double length) {
    Osc osc;
    Osc vibrato;
    Filter filter;
    return render(length, [&](double t) {
        const double amp = env::adsr(t, length, 0.025, 0.08, 0.75, 0.06);
        const double depth = t > 0.25 ? std::min(1.0, (t - 0.25) / 0.2) * 0.012 : 0.0;
        const double f = hz * (1.0 + depth * vibrato.sine(5.5));
        const double cutoff = 500.0 + 3200.0 * env::hit(t, 0.03, 0.25) + 900.0 * amp;
        return filter.process(osc.saw(f), cutoff, 0.9).low * amp;
    });
}

// An organ chord tone: a few harmonics at fixed levels.
Signal organ(double hz, double length) {
    std::array<Osc, 4> partials;
    constexpr std::array<double, 4> kLevels{1.0, 0.5, 0.3, 0.15};
    return render(length, [&](double t) {
        double v = 0.0;
        for (std::size_t k = 0; k < partials.size(); ++k) {
            v += kLevels[k] * partials[k].sine(hz * static_cast<double>(k + 1));
        }
        return v * env::adsr(t, length, 0.01, 0.1, 0.8, 0.25);
    });
}

// A snare stroke: a short tone for the drum head and band-passed noise for the wires.
Signal snareStroke(std::uint32_t seed, double gain) {
    Osc head;
    Noise noise(seed);
    Filter filter;
    return render(0.09, [&](double t) {
        const double wires =
            filter.process(noise.next(), 2200.0, 0.8).band * env::hit(t, 0.001, 0.03);
        return gain * (0.5 * head.sine(190.0) * env::hit(t, 0.001, 0.02) + wires);
    });
}

// A crash cymbal: high-passed noise with a long tail.
Signal crash(std::uint32_t seed, double length) {
    Noise noise(seed);
    Filter filter;
    return render(length, [&](double t) {
        return filter.process(noise.next(), 5000.0, 0.7).high * env::hit(t, 0.002, 0.35);
    });
}

// A knock of a hammer on a wooden beam: the beam's damped modes and the click of the strike.
Signal woodKnock(double scale, double gain, std::uint32_t seed, double ring = 1.0) {
    constexpr std::array<double, 4> kModes{180.0, 452.0, 983.0, 1910.0};
    constexpr std::array<double, 4> kTaus{0.07, 0.04, 0.025, 0.012};
    constexpr std::array<double, 4> kLevels{1.0, 0.6, 0.35, 0.2};
    std::array<Osc, 4> modes;
    Noise noise(seed);
    Filter filter;
    return render(0.32 * ring, [&](double t) {
        double v = 0.0;
        for (std::size_t k = 0; k < modes.size(); ++k) {
            v += kLevels[k] * modes[k].sine(kModes[k] * scale) *
                 env::hit(t, 0.0008, kTaus[k] * ring);
        }
        v += 0.6 * filter.process(noise.next(), 2500.0 * scale, 1.5).band *
             env::hit(t, 0.0003, 0.006);
        return gain * v;
    });
}

// ---- Misses: comic "wrong" sounds -----------------------------------------------------------

// A square blip that falls three octaves.
Signal missFallingBlip() {
    Osc osc;
    Filter filter;
    return finished(render(0.45, [&](double t) {
        const double v = osc.square(env::expGlide(t, 0.42, 880.0, 110.0));
        return filter.process(v, 2500.0, 0.7).low * env::adsr(t, 0.45, 0.005, 0.1, 0.7, 0.06);
    }));
}

// A voice-like "uh-oh": two syllables a third apart, each with its own vowel formants.
Signal missUhOh() {
    Osc osc;
    Filter f1;
    Filter f2;
    return finished(render(0.78, [&](double t) {
        const bool first = t < 0.27;
        const double hz = first ? 196.0 : env::glide(t - 0.30, 0.46, 165.0, 150.0);
        const double amp = first ? env::gate(t, 0.0, 0.25, 0.02) : env::gate(t, 0.30, 0.77, 0.04);
        const double v = osc.saw(hz);
        const double formant1 = first ? 640.0 : 450.0;
        const double formant2 = first ? 1190.0 : 800.0;
        return (f1.process(v, formant1, 5.0).band + 0.6 * f2.process(v, formant2, 6.0).band) * amp;
    }));
}

// A jaw-harp "boing": a wobbling pitch that settles as the spring calms down.
Signal missBoing() {
    Osc fundamental;
    Osc octave;
    return finished(render(0.8, [&](double t) {
        const double hz = 180.0 * (1.0 + 0.45 * exp(-t / 0.22) * sin(kTwoPi * 13.0 * t)) *
                          (1.0 + 0.15 * std::min(t / 0.1, 1.0));
        return (0.7 * fundamental.sine(hz) + 0.3 * octave.triangle(2.0 * hz)) *
               env::hit(t, 0.004, 0.3);
    }));
}

// A quiz-show buzzer: two detuned saws and a sub-octave square, filtered.
Signal missBuzzer() {
    Osc a;
    Osc b;
    Osc sub;
    Filter filter;
    return finished(render(0.6, [&](double t) {
        const double v = a.saw(98.0) + b.saw(103.8) + 0.6 * sub.square(49.0);
        return filter.process(v, 1600.0, 0.9).low * env::adsr(t, 0.6, 0.01, 0.05, 0.9, 0.04);
    }));
}

// A slide whistle falling from high to low, with a little breath in it.
Signal missSlideWhistle() {
    Osc tone;
    Osc overtone;
    Osc vibrato;
    Noise breath(51);
    Filter filter;
    return finished(render(0.85, [&](double t) {
        const double hz = env::glide(t, 0.78, 1600.0, 420.0) * (1.0 + 0.012 * vibrato.sine(6.0));
        const double v = tone.sine(hz) + 0.15 * overtone.sine(2.0 * hz) +
                         0.12 * filter.process(breath.next(), hz, 8.0).band;
        return v * env::adsr(t, 0.85, 0.03, 0.1, 0.9, 0.1);
    }));
}

// Something heavy hits the floor and bounces once.
Signal missThud() {
    auto thud = [](double gain, std::uint32_t seed) {
        Osc body;
        Noise noise(seed);
        Filter filter;
        return render(0.35, [&](double t) {
            const double low =
                body.sine(env::expGlide(t, 0.15, 110.0, 42.0)) * env::hit(t, 0.002, 0.09);
            const double dirt =
                filter.process(noise.next(), 350.0, 0.8).low * env::hit(t, 0.001, 0.025);
            return gain * (low + 0.6 * dirt);
        });
    };
    Signal s;
    mixInto(s, thud(1.0, 61), 0.0);
    mixInto(s, thud(0.45, 62), 0.19);
    return finished(std::move(s));
}

// Three falling chip-tune notes, the last one wavering.
Signal missSadBlips() {
    constexpr std::array<double, 3> kNotes{784.0, 622.3, 493.9};
    Signal s;
    for (std::size_t i = 0; i < kNotes.size(); ++i) {
        const bool last = i + 1 == kNotes.size();
        const double length = last ? 0.32 : 0.12;
        Osc osc;
        Filter filter;
        const double hz = kNotes[i];
        mixInto(s,
                render(length,
                       [&](double t) {
                           const double f =
                               hz * (1.0 + (last ? 0.02 * sin(kTwoPi * 7.0 * t) : 0.0));
                           return filter.process(osc.square(f), 3000.0, 0.7).low *
                                  env::adsr(t, length, 0.004, 0.04, 0.6, 0.05);
                       }),
                0.15 * static_cast<double>(i));
    }
    return finished(std::move(s));
}

// A metal spring "doing": a fast wobble that sags, with a clangy partial.
Signal missDoing() {
    Osc fundamental;
    Osc clang;
    return finished(render(0.6, [&](double t) {
        const double hz = (520.0 - 100.0 * std::min(t / 0.6, 1.0)) *
                          (1.0 + 0.22 * exp(-t / 0.12) * sin(kTwoPi * 27.0 * t));
        const double v = fundamental.sine(hz) + 0.35 * clang.sine(hz * 2.76) * exp(-t / 0.08);
        return v * env::hit(t, 0.002, 0.2);
    }));
}

// A raspberry: a low reedy buzz that flutters like lips.
Signal missRaspberry() {
    Osc reed;
    Noise noise(91);
    Filter filter;
    return finished(render(0.7, [&](double t) {
        const double hz = 72.0 + 6.0 * sin(kTwoPi * 3.0 * t);
        const double v = reed.square(hz, 0.3 + 0.1 * sin(kTwoPi * 2.0 * t)) + 0.3 * noise.next();
        const double flutter = 0.55 + 0.45 * sin(kTwoPi * 26.0 * t);
        return filter.process(v, 900.0, 0.8).low * flutter *
               env::adsr(t, 0.7, 0.02, 0.1, 0.85, 0.08);
    }));
}

// A falling bomb whistles down and lands with a muffled boom.
Signal missBomb() {
    Osc whistle;
    Signal s = render(0.9, [&](double t) {
        return 0.6 * whistle.sine(env::expGlide(t, 0.9, 1900.0, 330.0)) *
               env::adsr(t, 0.9, 0.05, 0.1, 0.8, 0.03);
    });
    Osc body;
    Noise noise(101);
    Filter filter;
    mixInto(s,
            render(0.55,
                   [&](double t) {
                       const double low =
                           body.sine(env::expGlide(t, 0.3, 90.0, 38.0)) * env::hit(t, 0.003, 0.15);
                       const double rumble =
                           filter.process(noise.next(), 500.0 * exp(-t / 0.2) + 80.0, 0.7).low;
                       return low + 1.2 * rumble * env::hit(t, 0.002, 0.12);
                   }),
            0.88);
    return finished(std::move(s));
}

// A kazoo "bwomp" that slides down an octave.
Signal missKazoo() {
    Osc osc;
    Osc vibrato;
    Noise buzz(111);
    Filter f1;
    Filter f2;
    return finished(render(0.6, [&](double t) {
        const double hz = env::glide(t, 0.5, 262.0, 131.0) * (1.0 + 0.02 * vibrato.sine(5.5));
        const double v = osc.saw(hz) * (1.0 + 0.15 * buzz.next());
        const double shaped =
            0.8 * f1.process(v, 900.0, 4.0).band + 0.5 * f2.process(v, 2300.0, 6.0).band + 0.2 * v;
        return shaped * env::adsr(t, 0.6, 0.02, 0.08, 0.85, 0.12);
    }));
}

// A ray-gun zap that dives from high to low.
Signal missZap() {
    Osc carrier;
    Osc modulator;
    return finished(render(0.32, [&](double t) {
        const double hz = env::expGlide(t, 0.3, 2400.0, 90.0);
        const double deviation = 3.0 * exp(-t / 0.15) * hz;
        return carrier.sine(hz + deviation * modulator.sine(hz * 1.5)) *
               env::adsr(t, 0.32, 0.003, 0.05, 0.8, 0.05);
    }));
}

// A wobbly "wuh-wuh-wuh-wuh" sinking down.
Signal missWobble() {
    Osc tone;
    Osc overtone;
    Filter filter;
    return finished(render(0.85, [&](double t) {
        const double hz = env::glide(t, 0.85, 330.0, 196.0);
        const double v = tone.triangle(hz) + 0.3 * overtone.sine(2.0 * hz);
        const double pulse = 0.5 - 0.5 * std::cos(kTwoPi * 5.0 * t);
        return filter.process(v, 1800.0, 0.7).low * pulse *
               env::adsr(t, 0.85, 0.01, 0.1, 0.9, 0.08);
    }));
}

// A hollow "bonk" on the head, then little birds circling.
Signal missBonk() {
    Osc body;
    Osc shell;
    Noise noise(131);
    Filter filter;
    Signal s = render(0.25, [&](double t) {
        return body.sine(env::expGlide(t, 0.05, 520.0, 380.0)) * env::hit(t, 0.001, 0.07) +
               0.5 * shell.sine(1130.0) * env::hit(t, 0.001, 0.03) +
               0.4 * filter.process(noise.next(), 1200.0, 3.0).band * env::hit(t, 0.0005, 0.01);
    });
    for (int i = 0; i < 3; ++i) {
        Osc bird;
        const double top = 3400.0 - 250.0 * i;
        mixInto(s,
                render(0.07,
                       [&](double t) {
                           const double hz = t < 0.035 ? env::glide(t, 0.035, 2600.0, top)
                                                       : env::glide(t - 0.035, 0.035, top, 2500.0);
                           return bird.sine(hz) * env::gate(t, 0.0, 0.07, 0.01);
                       }),
                0.3 + 0.12 * i, 0.25);
    }
    return finished(std::move(s));
}

// A marimba running down in semitones and landing on a low, flat note.
Signal missChromaticRun() {
    Signal s;
    for (int i = 0; i < 5; ++i) {
        mixInto(s, marimba(noteHz(88 - i), 0.5), 0.07 * i, 0.8);
    }
    mixInto(s, marimba(noteHz(67), 0.45), 0.42);
    return finished(std::move(s));
}

// ---- Hits: short and cheerful ---------------------------------------------------------------

// A bell rising a fifth: "ding-ding".
Signal hitDingDing() {
    Signal s;
    mixInto(s, bell(noteHz(84), 0.5, 0.15), 0.0, 0.8);
    mixInto(s, bell(noteHz(91), 0.5, 0.15), 0.08);
    return finished(std::move(s));
}

// A coin: a short note and a ringing fourth above.
Signal hitCoin() {
    Osc osc;
    Filter filter;
    return finished(render(0.42, [&](double t) {
        const double hz = t < 0.07 ? 987.8 : 1318.5;
        const double amp = t < 0.07 ? 0.8 : env::hit(t - 0.07, 0.001, 0.12);
        return filter.process(osc.square(hz), 5000.0, 0.7).low * amp;
    }));
}

// A quick major arpeggio on a soft triangle wave.
Signal hitArpeggio() {
    constexpr std::array<int, 4> kNotes{72, 76, 79, 84};
    Signal s;
    for (std::size_t i = 0; i < kNotes.size(); ++i) {
        Osc osc;
        const double hz = noteHz(kNotes[i]);
        const double tau = i + 1 == kNotes.size() ? 0.15 : 0.08;
        mixInto(s,
                render(0.28, [&](double t) { return osc.triangle(hz) * env::hit(t, 0.002, tau); }),
                0.055 * static_cast<double>(i));
    }
    return finished(std::move(s));
}

// Two bubbles popping, the second higher.
Signal hitBubbles() {
    Signal s;
    constexpr std::array<std::array<double, 2>, 2> kPops{{{350.0, 1300.0}, {450.0, 1700.0}}};
    for (std::size_t i = 0; i < kPops.size(); ++i) {
        Osc osc;
        const double from = kPops[i][0];
        const double to = kPops[i][1];
        mixInto(s,
                render(0.1,
                       [&](double t) {
                           return osc.sine(env::expGlide(t, 0.06, from, to)) *
                                  env::hit(t, 0.002, 0.03);
                       }),
                0.1 * static_cast<double>(i));
    }
    return finished(std::move(s));
}

// A bright FM chime.
Signal hitChime() {
    Osc carrier;
    Osc modulator;
    constexpr double kHz = 1318.5;
    return finished(render(0.6, [&](double t) {
        const double deviation = 2.5 * exp(-t / 0.1) * kHz * 3.5;
        return carrier.sine(kHz + deviation * modulator.sine(kHz * 3.5)) * env::hit(t, 0.002, 0.25);
    }));
}

// Four high sparkles with a soft echo.
Signal hitSparkle() {
    constexpr std::array<int, 4> kNotes{96, 93, 100, 103};
    Signal s;
    for (std::size_t i = 0; i < kNotes.size(); ++i) {
        Osc osc;
        const double hz = noteHz(kNotes[i]);
        const Signal pip =
            render(0.12, [&](double t) { return osc.sine(hz) * env::hit(t, 0.001, 0.035); });
        mixInto(s, pip, 0.05 * static_cast<double>(i));
        mixInto(s, pip, 0.05 * static_cast<double>(i) + 0.12, 0.3);
    }
    return finished(std::move(s));
}

// A short slide whistle going up.
Signal hitWhistleUp() {
    Osc tone;
    Osc vibrato;
    Noise breath(171);
    Filter filter;
    return finished(render(0.3, [&](double t) {
        const double hz =
            env::glide(t, 0.2, 650.0, 1700.0) * (1.0 + (t > 0.2 ? 0.015 * vibrato.sine(9.0) : 0.0));
        const double v = tone.sine(hz) + 0.1 * filter.process(breath.next(), hz, 8.0).band;
        return v * env::adsr(t, 0.3, 0.02, 0.05, 0.9, 0.06);
    }));
}

// Two marimba notes rising a fourth.
Signal hitMarimba() {
    Signal s;
    mixInto(s, marimba(noteHz(79), 0.5), 0.0, 0.8);
    mixInto(s, marimba(noteHz(84), 0.5), 0.09);
    return finished(std::move(s));
}

// A bird-like trill between two notes, each change of note slurred over about a millisecond.
Signal hitTrill() {
    Osc osc;
    double hz = 1318.5;
    return finished(render(0.32, [&](double t) {
        const bool upper = static_cast<int>(t * 32.0) % 2 == 1;
        hz += ((upper ? 1568.0 : 1318.5) - hz) * 0.02;
        return osc.sine(hz) * env::hit(t, 0.005, 0.12);
    }));
}

// A strummed major chord on plucked strings.
Signal hitStrum() {
    constexpr std::array<int, 4> kNotes{72, 76, 79, 84};
    Signal s;
    for (std::size_t i = 0; i < kNotes.size(); ++i) {
        Pluck string(noteHz(kNotes[i]), 181 + static_cast<std::uint32_t>(i));
        Filter filter;
        mixInto(s,
                render(0.6,
                       [&](double t) {
                           return filter.process(string.next(), 4000.0, 0.7).low *
                                  env::hit(t, 0.001, 0.15);
                       }),
                0.025 * static_cast<double>(i));
    }
    return finished(std::move(s));
}

// ---- Won word: fanfares ---------------------------------------------------------------------

// Brass: "ta-ta-ta-taaa, ta-daaa" ending on a major chord.
Signal winBrassFanfare() {
    struct Note {
        double start;
        double length;
        int key;
        double gain;
    };
    constexpr std::array<Note, 8> kNotes{{{0.0, 0.11, 67, 0.8},
                                          {0.13, 0.11, 67, 0.8},
                                          {0.26, 0.11, 67, 0.85},
                                          {0.39, 0.32, 72, 1.0},
                                          {0.73, 0.14, 76, 0.9},
                                          {0.89, 0.9, 79, 1.0},
                                          {0.89, 0.9, 76, 0.55},
                                          {0.89, 0.9, 72, 0.5}}};
    Signal s;
    for (const Note& note : kNotes) {
        mixInto(s, brass(noteHz(note.key), note.length), note.start, note.gain);
    }
    return finished(std::move(s));
}

// A chip-tune run up two octaves and a shimmering chord.
Signal winArpeggioChord() {
    constexpr std::array<int, 6> kRun{72, 76, 79, 84, 88, 91};
    Signal s;
    for (std::size_t i = 0; i < kRun.size(); ++i) {
        Osc osc;
        const double hz = noteHz(kRun[i]);
        mixInto(s,
                render(0.07,
                       [&](double t) {
                           return osc.square(hz, 0.25) * env::adsr(t, 0.07, 0.003, 0.02, 0.7, 0.02);
                       }),
                0.06 * static_cast<double>(i), 0.5);
    }
    constexpr std::array<int, 4> kChord{84, 88, 91, 96};
    for (int key : kChord) {
        Osc tone;
        Osc edge;
        const double hz = noteHz(key);
        mixInto(s,
                render(1.0,
                       [&](double t) {
                           const double shimmer = 0.8 + 0.2 * sin(kTwoPi * 6.0 * t);
                           return (0.7 * tone.triangle(hz) + 0.15 * edge.square(hz, 0.25)) *
                                  shimmer * env::adsr(t, 1.0, 0.01, 0.2, 0.6, 0.3);
                       }),
                0.4, 0.45);
    }
    Osc bass;
    mixInto(s,
            render(1.0,
                   [&](double t) {
                       return bass.triangle(noteHz(48)) * env::adsr(t, 1.0, 0.01, 0.2, 0.7, 0.3);
                   }),
            0.4);
    return finished(std::move(s));
}

// A drum roll that swells, then "ta-daaa!" on an organ with a cymbal crash.
Signal winDrumRollTaDa() {
    Signal s;
    constexpr int kStrokes = 20;
    for (int i = 0; i < kStrokes; ++i) {
        const double gain = 0.2 + 0.6 * static_cast<double>(i) / kStrokes;
        mixInto(s, snareStroke(200 + static_cast<std::uint32_t>(i), gain),
                static_cast<double>(i) / 28.0);
    }
    for (int key : {67, 71, 74}) {
        mixInto(s, organ(noteHz(key), 0.14), 0.72, 0.3);
    }
    for (int key : {72, 76, 79, 84}) {
        mixInto(s, organ(noteHz(key), 0.95), 0.9, 0.3);
    }
    mixInto(s, crash(251, 0.95), 0.9, 0.5);
    Osc kick;
    mixInto(s,
            render(0.25,
                   [&](double t) {
                       return kick.sine(env::expGlide(t, 0.08, 120.0, 50.0)) *
                              env::hit(t, 0.001, 0.08);
                   }),
            0.9, 0.8);
    return finished(std::move(s));
}

// ---- Lost word ------------------------------------------------------------------------------

// The sad trombone: "wah, wah, wah, waaaah", each note a semitone lower, every note opened and
// closed like a plunger mute, the last one wobbling as it sinks.
Signal lostSadTrombone() {
    constexpr std::array<double, 4> kNotes{196.0, 185.0, 174.6, 164.8};
    constexpr std::array<double, 4> kStarts{0.0, 0.34, 0.68, 1.02};
    constexpr std::array<double, 4> kLengths{0.31, 0.31, 0.31, 0.93};
    Signal s;
    for (std::size_t i = 0; i < kNotes.size(); ++i) {
        const bool last = i + 1 == kNotes.size();
        const double length = kLengths[i];
        const double hz = kNotes[i];
        Osc saw;
        Osc hollow;
        Filter filter;
        mixInto(s,
                render(length,
                       [&](double t) {
                           double f = hz;
                           double cutoff = 0.0;
                           if (last) {
                               f = env::glide(t, length, hz, hz * 0.94) *
                                   (1.0 + 0.025 * std::min(1.0, t / 0.3) * sin(kTwoPi * 5.5 * t));
                               cutoff = 500.0 + 900.0 * (0.5 + 0.5 * sin(kTwoPi * 5.5 * t - 1.5)) *
                                                    (1.0 - 0.5 * t / length);
                           } else {
                               const double x = t / length;
                               cutoff =
                                   350.0 +
                                   1400.0 * std::pow(std::max(0.0, sin(std::numbers::pi * x)), 1.5);
                           }
                           const double v = saw.saw(f) + 0.4 * hollow.square(f);
                           return filter.process(v, cutoff, 1.4).low *
                                  env::adsr(t, length, 0.03, 0.05, 0.9, last ? 0.25 : 0.05);
                       }),
                kStarts[i]);
    }
    return finished(std::move(s));
}

// ---- The gallows going up -------------------------------------------------------------------

// Hammering: three blows on one beam, three quicker ones on a thinner board, and a heavy thunk as
// the post drops into place.
Signal gallowsHammering() {
    struct Knock {
        double at;
        double scale;
        double gain;
    };
    constexpr std::array<Knock, 6> kKnocks{{{0.0, 1.0, 0.8},
                                            {0.24, 1.02, 0.9},
                                            {0.48, 0.98, 1.0},
                                            {0.86, 1.25, 0.7},
                                            {1.04, 1.22, 0.8},
                                            {1.22, 1.27, 0.9}}};
    Signal s;
    std::uint32_t seed = 300;
    for (const Knock& knock : kKnocks) {
        mixInto(s, woodKnock(knock.scale, knock.gain, ++seed), knock.at);
    }
    mixInto(s, woodKnock(0.6, 1.0, ++seed, 1.4), 1.5);
    return finished(std::move(s));
}

constexpr std::array<Effect, 30> kEffects{{
    {"DYX1.WAV", "falling blip", missFallingBlip},
    {"DYX2.WAV", "uh-oh", missUhOh},
    {"DYX3.WAV", "boing", missBoing},
    {"DYX4.WAV", "buzzer", missBuzzer},
    {"DYX5.WAV", "slide whistle down", missSlideWhistle},
    {"DYX6.WAV", "thud and bounce", missThud},
    {"DYX7.WAV", "three sad blips", missSadBlips},
    {"DYX8.WAV", "spring doing", missDoing},
    {"DYX9.WAV", "raspberry", missRaspberry},
    {"DYX10.WAV", "falling bomb", missBomb},
    {"DYX11.WAV", "kazoo bwomp", missKazoo},
    {"DYX12.WAV", "zap down", missZap},
    {"DYX13.WAV", "wobble", missWobble},
    {"DYX14.WAV", "bonk and birds", missBonk},
    {"DYX15.WAV", "chromatic run down", missChromaticRun},
    {"DYXJO0.WAV", "ding-ding", hitDingDing},
    {"DYXJO1.WAV", "coin", hitCoin},
    {"DYXJO2.WAV", "arpeggio", hitArpeggio},
    {"DYXJO3.WAV", "bubbles", hitBubbles},
    {"DYXJO4.WAV", "chime", hitChime},
    {"DYXJO5.WAV", "sparkle", hitSparkle},
    {"DYXJO6.WAV", "whistle up", hitWhistleUp},
    {"DYXJO7.WAV", "marimba", hitMarimba},
    {"DYXJO8.WAV", "trill", hitTrill},
    {"DYXJO9.WAV", "strum", hitStrum},
    {"DYXWIN1.WAV", "brass fanfare", winBrassFanfare},
    {"DYXWIN2.WAV", "arpeggio and chord", winArpeggioChord},
    {"DYXWIN3.WAV", "drum roll, ta-da", winDrumRollTaDa},
    {"DYXKILL.WAV", "sad trombone", lostSadTrombone},
    {"DYXDYX.WAV", "hammering", gallowsHammering},
}};

}  // namespace

std::span<const Effect> effects() {
    return kEffects;
}

}  // namespace snd
