#include "ui/audio/audiosystem.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace dyx {

namespace {

bool g_instanceExists = false;

// 44.1 kHz stereo matches the generated effects and what FluidSynth renders well; 1024 frames is
// about 23 ms, short enough that a hit sound follows the click at once.
constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024;

std::string sdlErrorText() {
    const char* text = SDL_GetError();
    return (text != nullptr && *text != '\0') ? std::string(text)
                                              : std::string("Unknown error code");
}

// Whether this machine could have a sound output at all: a sound card, or a sound server in the
// user's session. Without either, trying the real drivers only costs start-up time (SDL waits
// about 100 ms for its ALSA device thread) before the silent fallback is taken anyway.
bool soundOutputLikely() {
    std::error_code ignored;
    if (std::getenv("PULSE_SERVER") != nullptr) {
        return true;
    }
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        const std::filesystem::path dir(runtime);
        if (std::filesystem::exists(dir / "pulse" / "native", ignored) ||
            std::filesystem::exists(dir / "pipewire-0", ignored)) {
            return true;
        }
    }
    std::ifstream cards("/proc/asound/cards");
    std::string first;
    return cards && std::getline(cards, first) && first.find("no soundcards") == std::string::npos;
}

}  // namespace

AudioSystem::AudioSystem() {
    if (g_instanceExists) {
        throw std::logic_error("AudioSystem: only one instance may exist at a time");
    }
    g_instanceExists = true;

    if (std::getenv("SDL_SOUNDFONTS") == nullptr) {
        Mix_SetSoundFonts(DYX_SOUNDFONT);
    }
    if (std::getenv("SDL_AUDIODRIVER") == nullptr && !soundOutputLikely()) {
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        m_driverOverridden = true;
        m_silentFallback = openOutput();
        return;
    }
    if (openOutput()) {
        return;
    }
    // No usable output device: play silently on the dummy driver rather than refuse to start. The
    // hint is set with override priority because SDL_AUDIODRIVER in the environment would win
    // over a normal hint.
    const std::string realError = m_openError;
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    m_driverOverridden = true;
    if (openOutput()) {
        m_silentFallback = true;
    } else {
        m_openError = realError + "; " + m_openError;
    }
}

AudioSystem::~AudioSystem() {
    closeOutput();
    if (m_driverOverridden) {
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    g_instanceExists = false;
}

bool AudioSystem::openOutput() {
    SDL_ClearError();
    // SDL would otherwise catch SIGINT and SIGTERM for an event queue the game never reads, and
    // the game would outlive Ctrl+C and the end of the desktop session.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        m_openError = sdlErrorText();
        return false;
    }
    // FluidSynth is loaded here once; without it MIDI files fail to open with SDL's text.
    Mix_Init(MIX_INIT_MID);
    SDL_ClearError();
    if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkFrames) != 0) {
        m_openError = sdlErrorText();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    const char* driverName = SDL_GetCurrentAudioDriver();
    m_driver = driverName != nullptr ? driverName : "";
    m_openError.clear();
    m_open = true;
    ensureChannels();
    return true;
}

void AudioSystem::closeOutput() {
    if (!m_open) {
        return;
    }
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
        SDL_Quit();
    }
    m_open = false;
    m_driver.clear();
}

int AudioSystem::reserveChannel() {
    for (std::size_t i = 0; i < m_channelInUse.size(); ++i) {
        if (!m_channelInUse[i]) {
            m_channelInUse[i] = true;
            return static_cast<int>(i);
        }
    }
    m_channelInUse.push_back(true);
    ensureChannels();
    return static_cast<int>(m_channelInUse.size()) - 1;
}

void AudioSystem::ensureChannels() {
    const int count = static_cast<int>(m_channelInUse.size());
    if (m_open && Mix_AllocateChannels(-1) < count) {
        Mix_AllocateChannels(count);
    }
}

void AudioSystem::releaseChannel(int channel) {
    if (channel < 0 || static_cast<std::size_t>(channel) >= m_channelInUse.size()) {
        return;
    }
    if (m_open) {
        Mix_HaltChannel(channel);
    }
    m_channelInUse[static_cast<std::size_t>(channel)] = false;
}

void AudioSystem::releaseMusic(const void* holder) {
    if (holdsMusic(holder)) {
        if (m_open) {
            Mix_HaltMusic();
        }
        m_musicHolder = nullptr;
    }
}

}  // namespace dyx
