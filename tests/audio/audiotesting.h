#pragma once
// Helpers for the sound tests: a scratch folder, small sound files written on the spot, and a tap
// on the mixer's output that records what the players actually sent to the speakers.

#include <SDL_mixer.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace dyx::audiotest {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The path of a file in the folder.
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Writes a 16-bit PCM WAV in the mixer's own format (rate and channel count), so that the mixer
// plays the samples unchanged: every channel of frame n gets sampleAt(n).
void writeWav(const std::string& path, std::size_t frames,
              const std::function<std::int16_t(std::size_t)>& sampleAt);

// Writes a standard MIDI file holding one organ note held for `seconds`, ending right after it.
void writeSingleNoteMidi(const std::string& path, double seconds);

void writeBytes(const std::string& path, const std::string& bytes);

// Records every sample of the left channel of the mixed output that is at least `threshold` away
// from silence (1: every non-zero sample). Only one tap may exist at a time; it needs the mixer
// open in 16-bit format.
class OutputTap {
public:
    explicit OutputTap(int threshold = 1);
    ~OutputTap();
    OutputTap(const OutputTap&) = delete;
    OutputTap& operator=(const OutputTap&) = delete;

    std::vector<std::int16_t> heard() const;
    std::size_t heardCount() const;

private:
    static void SDLCALL record(void* self, Uint8* stream, int length);

    int m_threshold;
    int m_channels = 2;
    mutable std::mutex m_mutex;
    std::vector<std::int16_t> m_heard;
};

// Polls the condition until it holds or the time is up; returns whether it held.
bool waitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace dyx::audiotest
