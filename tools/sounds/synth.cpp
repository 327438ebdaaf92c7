#include "synth.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>

namespace snd {

namespace {

// The PolyBLEP residual: smooths the jump of a naive saw or square over one sample either side.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

void putLe(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

double Osc::advance(double hz) {
    const double current = m_phase;
    m_phase += hz * kDt;
    m_phase -= std::floor(m_phase);
    return current;
}

double Osc::sine(double hz) {
    return std::sin(kTwoPi * advance(hz));
}

double Osc::triangle(double hz) {
    const double p = advance(hz);
    return 4.0 * std::abs(p - 0.5) - 1.0;
}

double Osc::saw(double hz) {
    const double dt = std::clamp(hz * kDt, 1e-9, 0.5);
    const double p = advance(hz);
    return 2.0 * p - 1.0 - polyBlep(p, dt);
}

double Osc::square(double hz, double duty) {
    const double dt = std::clamp(hz * kDt, 1e-9, 0.5);
    const double p = advance(hz);
    double v = p < duty ? 1.0 : -1.0;
    v += polyBlep(p, dt);
    double shifted = p + 1.0 - duty;
    shifted -= std::floor(shifted);
    v -= polyBlep(shifted, dt);
    return v;
}

double Noise::next() {
    // xorshift32
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return static_cast<double>(m_state) / 2147483648.0 - 1.0;
}

Filter::Out Filter::process(double x, double cutoffHz, double q) {
    const double fc = std::clamp(cutoffHz, 10.0, 0.45 * kSampleRate);
    const double g = std::tan(std::numbers::pi * fc / kSampleRate);
    const double k = 1.0 / q;
    const double a1 = 1.0 / (1.0 + g * (g + k));
    const double a2 = g * a1;
    const double a3 = g * a2;
    const double v3 = x - m_ic2;
    const double v1 = a1 * m_ic1 + a2 * v3;
    const double v2 = m_ic2 + a2 * m_ic1 + a3 * v3;
    m_ic1 = 2.0 * v1 - m_ic1;
    m_ic2 = 2.0 * v2 - m_ic2;
    return {v2, v1, x - k * v1 - v2};
}

Pluck::Pluck(double hz, std::uint32_t seed)
    : m_line(std::max<std::size_t>(2, static_cast<std::size_t>(std::lround(kSampleRate / hz)))) {
    Noise noise(seed);
    for (double& v : m_line) {
        v = noise.next();
    }
}

double Pluck::next() {
    const std::size_t nextPos = (m_pos + 1) % m_line.size();
    const double out = m_line[m_pos];
    m_line[m_pos] = 0.498 * (m_line[m_pos] + m_line[nextPos]);
    m_pos = nextPos;
    return out;
}

namespace env {

double hit(double t, double attack, double tau) {
    if (t < 0.0) {
        return 0.0;
    }
    if (t < attack) {
        return t / attack;
    }
    return std::exp(-(t - attack) / tau);
}

double adsr(double t, double length, double attack, double decay, double sustain, double release) {
    if (t < 0.0 || t >= length) {
        return 0.0;
    }
    double level = 0.0;
    if (t < attack) {
        level = t / attack;
    } else if (t < attack + decay) {
        level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
    } else {
        level = sustain;
    }
    const double untilEnd = length - t;
    if (untilEnd < release) {
        level *= untilEnd / release;
    }
    return level;
}

double gate(double t, double start, double end, double ramp) {
    if (t < start || t >= end) {
        return 0.0;
    }
    return std::min({1.0, (t - start) / ramp, (end - t) / ramp});
}

double glide(double t, double length, double a, double b) {
    const double x = std::clamp(t / length, 0.0, 1.0);
    const double s = x * x * (3.0 - 2.0 * x);
    return a + (b - a) * s;
}

double expGlide(double t, double length, double a, double b) {
    const double x = std::clamp(t / length, 0.0, 1.0);
    return a * std::pow(b / a, x);
}

}  // namespace env

void mixInto(Signal& dst, const Signal& src, double at, double gain) {
    const std::size_t offset = samples(at);
    if (dst.size() < offset + src.size()) {
        dst.resize(offset + src.size(), 0.0);
    }
    // A part that ends while it still rings would click where it is cut off: fade its last
    // few milliseconds.
    const std::size_t fade = std::min(src.size(), samples(0.008));
    for (std::size_t i = 0; i < src.size(); ++i) {
        const std::size_t left = src.size() - i;
        const double tail =
            left < fade ? static_cast<double>(left) / static_cast<double>(fade) : 1.0;
        dst[offset + i] += gain * tail * src[i];
    }
}

void finish(Signal& s, double peak, double rms) {
    double largest = 0.0;
    double power = 0.0;
    for (double v : s) {
        largest = std::max(largest, std::abs(v));
        power += v * v;
    }
    const double loudness = s.empty() ? 0.0 : std::sqrt(power / static_cast<double>(s.size()));
    if (largest > 0.0) {
        const double scale = std::min(peak / largest, rms / loudness);
        for (double& v : s) {
            v *= scale;
        }
    }
    const std::size_t fadeIn = std::min(s.size() / 2, samples(0.002));
    const std::size_t fadeOut = std::min(s.size() / 2, samples(0.012));
    for (std::size_t i = 0; i < fadeIn; ++i) {
        s[i] *= static_cast<double>(i) / static_cast<double>(fadeIn);
    }
    for (std::size_t i = 0; i < fadeOut; ++i) {
        s[s.size() - 1 - i] *= static_cast<double>(i) / static_cast<double>(fadeOut);
    }
}

void writeWav(const std::filesystem::path& path, const Signal& s) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    const auto dataBytes = static_cast<std::uint32_t>(s.size() * 2);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);  // size of the format chunk
    putLe(out, 1, 2);   // PCM
    putLe(out, 1, 2);   // mono
    putLe(out, kSampleRate, 4);
    putLe(out, kSampleRate * 2, 4);  // bytes per second
    putLe(out, 2, 2);                // bytes per frame
    putLe(out, 16, 2);               // bits per sample
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    for (double v : s) {
        const auto sample =
            static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
        putLe(out, static_cast<std::uint16_t>(sample), 2);
    }
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

}  // namespace snd
