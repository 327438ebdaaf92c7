#pragma once
// A small synthesiser for the game's effects: oscillators, noise, a filter, envelopes and a few
// ways to put signals together. Signals are mono, in floating point, at kSampleRate; only the
// finished sound is scaled and written as 16-bit PCM.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <numbers>
#include <vector>

namespace snd {

constexpr int kSampleRate = 44100;
constexpr double kDt = 1.0 / kSampleRate;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

using Signal = std::vector<double>;

// The frequency of a MIDI note number (69 is A4 = 440 Hz).
inline double noteHz(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

// Number of samples in a length given in seconds.
inline std::size_t samples(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

// A phase-accumulating oscillator. Each call returns one sample at the given frequency and moves
// the phase on, so the frequency may change from sample to sample (glides, vibrato, FM) without
// clicks. Saw and square are band-limited with PolyBLEP corrections so high sweeps do not alias.
class Osc {
public:
    double sine(double hz);
    double triangle(double hz);
    double saw(double hz);
    double square(double hz, double duty = 0.5);
    double phase() const { return m_phase; }

private:
    double advance(double hz);
    double m_phase = 0.0;
};

// Deterministic white noise in [-1, 1]: the same seed gives the same sound on every build.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_state(seed != 0 ? seed : 1) {}
    double next();

private:
    std::uint32_t m_state;
};

// A state-variable filter (topology-preserving form, stable for any cutoff below Nyquist). One
// call filters one sample and gives the low-, band- and high-pass outputs together.
class Filter {
public:
    struct Out {
        double low;
        double band;
        double high;
    };
    Out process(double x, double cutoffHz, double q);

private:
    double m_ic1 = 0.0;
    double m_ic2 = 0.0;
};

// A plucked string (Karplus-Strong): a burst of noise circulating in a delay line one period long,
// softened a little on every round.
class Pluck {
public:
    Pluck(double hz, std::uint32_t seed);
    double next();

private:
    std::vector<double> m_line;
    std::size_t m_pos = 0;
};

// Envelopes, as functions of the time t in seconds since the start of the note.
namespace env {
// Rises linearly over attack, then falls exponentially with time constant tau.
double hit(double t, double attack, double tau);
// Attack, decay to the sustain level, hold, and release over the last `release` seconds of length.
double adsr(double t, double length, double attack, double decay, double sustain, double release);
// 0 before start, then 1; with short linear ramps of `ramp` seconds at both edges of [start, end].
double gate(double t, double start, double end, double ramp);
// Smooth movement from a to b as t goes from 0 to length (a smoothstep curve).
double glide(double t, double length, double a, double b);
// Exponential movement from a to b as t goes from 0 to length, held at b afterwards.
double expGlide(double t, double length, double a, double b);
}  // namespace env

// Renders `seconds` of sound from f(t), called once per sample with t in seconds.
template <class F>
Signal render(double seconds, F f) {
    Signal out(samples(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = f(static_cast<double>(i) * kDt);
    }
    return out;
}

// Adds src into dst, starting at `at` seconds and scaled by gain, its last 8 ms faded out; dst
// grows as needed.
void mixInto(Signal& dst, const Signal& src, double at, double gain = 1.0);

// Scales to the given peak (a fraction of full scale), or lower where that would make the sound's
// RMS level louder than `rms`, so that steady buzzes do not drown short pings; then fades both
// edges over a few milliseconds, so that no sound starts or ends with a click.
void finish(Signal& s, double peak, double rms);

// Writes 16-bit mono PCM WAV at kSampleRate. Throws std::runtime_error when the file cannot be
// written. Samples are expected within [-1, 1]; anything outside is clamped.
void writeWav(const std::filesystem::path& path, const Signal& s);

}  // namespace snd
