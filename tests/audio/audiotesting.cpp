#include "audiotesting.h"

#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <thread>

namespace dyx::audiotest {

namespace {

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void putBe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

ScratchFolder::ScratchFolder() {
    std::random_device seed;
    m_path = std::filesystem::temp_directory_path() / ("dyx-audio-" + std::to_string(seed()));
    std::filesystem::create_directories(m_path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

void writeWav(const std::string& path, std::size_t frames,
              const std::function<std::int16_t(std::size_t)>& sampleAt) {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS) {
        throw std::runtime_error("the mixer is not open in 16-bit format");
    }
    const auto dataBytes =
        static_cast<std::uint32_t>(frames * static_cast<std::size_t>(channels) * 2);
    std::string wav = "RIFF";
    putLe(wav, 36 + dataBytes, 4);
    wav += "WAVEfmt ";
    putLe(wav, 16, 4);
    putLe(wav, 1, 2);
    putLe(wav, static_cast<std::uint32_t>(channels), 2);
    putLe(wav, static_cast<std::uint32_t>(rate), 4);
    putLe(wav, static_cast<std::uint32_t>(rate * channels * 2), 4);
    putLe(wav, static_cast<std::uint32_t>(channels * 2), 2);
    putLe(wav, 16, 2);
    wav += "data";
    putLe(wav, dataBytes, 4);
    for (std::size_t n = 0; n < frames; ++n) {
        const auto sample = static_cast<std::uint16_t>(sampleAt(n));
        for (int c = 0; c < channels; ++c) {
            putLe(wav, sample, 2);
        }
    }
    writeBytes(path, wav);
}

void writeSingleNoteMidi(const std::string& path, double seconds) {
    // 480 ticks per quarter at the default 120 beats per minute: 960 ticks a second.
    const auto ticks = static_cast<std::uint32_t>(seconds * 960.0);
    std::string track;
    track += std::string("\x00\xC0\x13", 3);         // church organ: it holds its note evenly
    track += std::string("\x00\x90\x3C\x64", 4);     // middle C on
    putBe(track, 0x80 | ((ticks >> 14) & 0x7F), 1);  // the length as a 3-byte variable quantity
    putBe(track, 0x80 | ((ticks >> 7) & 0x7F), 1);
    putBe(track, ticks & 0x7F, 1);
    track += std::string("\x80\x3C\x00", 3);
    track += std::string("\x00\xFF\x2F\x00", 4);

    std::string midi = "MThd";
    putBe(midi, 6, 4);
    putBe(midi, 0, 2);
    putBe(midi, 1, 2);
    putBe(midi, 480, 2);
    midi += "MTrk";
    putBe(midi, static_cast<std::uint32_t>(track.size()), 4);
    midi += track;
    writeBytes(path, midi);
}

OutputTap::OutputTap(int threshold) : m_threshold(threshold) {
    int rate = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&rate, &format, &m_channels) == 0 || format != AUDIO_S16SYS) {
        throw std::runtime_error("the mixer is not open in 16-bit format");
    }
    Mix_SetPostMix(&OutputTap::record, this);
}

OutputTap::~OutputTap() {
    Mix_SetPostMix(nullptr, nullptr);
}

void SDLCALL OutputTap::record(void* self, Uint8* stream, int length) {
    auto* tap = static_cast<OutputTap*>(self);
    const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
    const std::size_t count = static_cast<std::size_t>(length) / sizeof(std::int16_t);
    const auto step = static_cast<std::size_t>(tap->m_channels);
    std::lock_guard lock(tap->m_mutex);
    for (std::size_t i = 0; i < count; i += step) {
        if (std::abs(samples[i]) >= tap->m_threshold) {
            tap->m_heard.push_back(samples[i]);
        }
    }
}

std::vector<std::int16_t> OutputTap::heard() const {
    std::lock_guard lock(m_mutex);
    return m_heard;
}

std::size_t OutputTap::heardCount() const {
    std::lock_guard lock(m_mutex);
    return m_heard.size();
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace dyx::audiotest
