#include "ui/audio/sdlmediaplayer.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cstring>
#include <vector>

#include "game/errors.h"

namespace dyx {

namespace {

std::string sdlErrorText() {
    const char* text = SDL_GetError();
    return (text != nullptr && *text != '\0') ? std::string(text)
                                              : std::string("Unknown error code");
}

struct ChunkFree {
    void operator()(Mix_Chunk* chunk) const { Mix_FreeChunk(chunk); }
};
struct MusicFree {
    void operator()(Mix_Music* music) const { Mix_FreeMusic(music); }
};
struct RwClose {
    void operator()(SDL_RWops* rw) const { SDL_RWclose(rw); }
};
using RwPtr = std::unique_ptr<SDL_RWops, RwClose>;

// A standard MIDI file starts with its header chunk; the RIFF form (RMID) wraps the same data.
bool looksLikeMidi(const std::array<char, 12>& head, std::size_t length) {
    if (length >= 4 && std::memcmp(head.data(), "MThd", 4) == 0) {
        return true;
    }
    return length >= 12 && std::memcmp(head.data(), "RIFF", 4) == 0 &&
           std::memcmp(head.data() + 8, "RMID", 4) == 0;
}

int SDLCALL soundFontReadable(const char* path, void* /*unused*/) {
    RwPtr font(SDL_RWFromFile(path, "rb"));
    return font != nullptr ? 1 : 0;
}

}  // namespace

struct SdlMediaPlayer::Device {
    bool isMidi = false;
    std::unique_ptr<Mix_Chunk, ChunkFree> chunk;
    // The MIDI file as read at open; FluidSynth gets it at the first play.
    std::vector<Uint8> midiBytes;
    std::unique_ptr<Mix_Music, MusicFree> music;
};

SdlMediaPlayer::SdlMediaPlayer(AudioSystem& audio)
    : m_audio(audio), m_channel(audio.reserveChannel()) {}

SdlMediaPlayer::~SdlMediaPlayer() {
    close();
    m_audio.releaseChannel(m_channel);
}

void SdlMediaPlayer::setFileName(const std::string& fileName) {
    m_fileName = fileName;
}

bool SdlMediaPlayer::isOpen() const {
    return m_device != nullptr;
}

void SdlMediaPlayer::close() {
    if (!m_device) {
        return;
    }
    if (m_device->isMidi) {
        m_audio.releaseMusic(this);
    } else {
        Mix_HaltChannel(m_channel);
    }
    m_device.reset();
    m_transport = Transport::FromStart;
}

void SdlMediaPlayer::open() {
    close();
    if (!m_audio.isOpen()) {
        throw MediaError(m_audio.openError().empty() ? "Unknown error code" : m_audio.openError());
    }

    SDL_ClearError();
    RwPtr file(SDL_RWFromFile(m_fileName.c_str(), "rb"));
    if (!file) {
        throw MediaError(sdlErrorText());
    }
    // Reading first lets a name that is not a readable file (a folder, say) fail with SDL's
    // read error rather than with whatever size it claims.
    std::array<char, 12> head{};
    const std::size_t headLength = SDL_RWread(file.get(), head.data(), 1, head.size());
    if (headLength == 0 && *SDL_GetError() != '\0') {
        throw MediaError(sdlErrorText());
    }
    const Sint64 size = SDL_RWsize(file.get());
    if (size > kMaxFileBytes) {
        throw MediaError("The sound file is larger than 64 MB");
    }
    SDL_RWseek(file.get(), 0, RW_SEEK_SET);

    auto device = std::make_unique<Device>();
    if (looksLikeMidi(head, headLength)) {
        device->isMidi = true;
        device->midiBytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
        SDL_ClearError();
        if (size <= 0 || SDL_RWread(file.get(), device->midiBytes.data(), 1,
                                    device->midiBytes.size()) != device->midiBytes.size()) {
            throw MediaError(sdlErrorText());
        }
        if (Mix_HasMusicDecoder("MIDI") == SDL_FALSE) {
            // No MIDI renderer was found: let the mixer try at once and report its own reason.
            SDL_ClearError();
            Mix_Music* music =
                Mix_LoadMUS_RW(SDL_RWFromConstMem(device->midiBytes.data(),
                                                  static_cast<int>(device->midiBytes.size())),
                               1);
            if (music == nullptr) {
                throw MediaError(sdlErrorText());
            }
            device->music.reset(music);
        } else {
            // FluidSynth plays a piece silently without a sound font, so a missing font is the
            // "no device for this kind" failure of the open, not a silent play later.
            SDL_ClearError();
            if (Mix_EachSoundFont(soundFontReadable, nullptr) == 0) {
                throw MediaError(sdlErrorText());
            }
        }
    } else {
        SDL_ClearError();
        Mix_Chunk* chunk = Mix_LoadWAV_RW(file.release(), 1);
        if (chunk == nullptr) {
            throw MediaError(sdlErrorText());
        }
        device->chunk.reset(chunk);
    }
    m_device = std::move(device);
    m_transport = Transport::FromStart;
}

void SdlMediaPlayer::requireDevice() const {
    if (!m_device) {
        throw MediaError("No MCI device open");
    }
}

bool SdlMediaPlayer::sounding() const {
    if (m_device->isMidi) {
        return m_audio.holdsMusic(this) && Mix_PlayingMusic() != 0;
    }
    return Mix_Playing(m_channel) != 0;
}

bool SdlMediaPlayer::isPlaying() const {
    return m_device && m_transport == Transport::Playing && sounding();
}

void SdlMediaPlayer::startFromBeginning() {
    m_transport = Transport::FromStart;
    if (!m_device->isMidi) {
        if (Mix_PlayChannel(m_channel, m_device->chunk.get(), 0) == m_channel) {
            m_transport = Transport::Playing;
        }
        return;
    }
    if (!m_device->music) {
        // The deferred part of the open: FluidSynth loads the sound font here.
        Mix_Music* music =
            Mix_LoadMUS_RW(SDL_RWFromConstMem(m_device->midiBytes.data(),
                                              static_cast<int>(m_device->midiBytes.size())),
                           1);
        if (music == nullptr) {
            return;
        }
        m_device->music.reset(music);
    }
    m_audio.claimMusic(this);
    if (Mix_PlayMusic(m_device->music.get(), 0) == 0) {
        m_transport = Transport::Playing;
    } else {
        m_audio.releaseMusic(this);
    }
}

void SdlMediaPlayer::play() {
    requireDevice();
    if (m_transport == Transport::Paused && sounding()) {
        if (m_device->isMidi) {
            Mix_ResumeMusic();
        } else {
            Mix_Resume(m_channel);
        }
        m_transport = Transport::Playing;
        return;
    }
    if (m_transport == Transport::Playing && sounding()) {
        return;
    }
    startFromBeginning();
}

void SdlMediaPlayer::stop() {
    requireDevice();
    if (m_transport != Transport::Playing) {
        return;
    }
    if (!sounding()) {
        // Played to its end: the position stands at the end, and the next play starts over.
        m_transport = Transport::FromStart;
        return;
    }
    if (m_device->isMidi) {
        Mix_PauseMusic();
    } else {
        Mix_Pause(m_channel);
    }
    m_transport = Transport::Paused;
}

}  // namespace dyx
