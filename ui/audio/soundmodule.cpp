// The loadable sound module: SDL2_mixer players behind the SoundSystem interface.

#include "ui/audio/audiosystem.h"
#include "ui/audio/sdlmediaplayer.h"
#include "ui/audio/soundsystem.h"

namespace {

class SdlSoundSystem final : public dyx::SoundSystem {
public:
    std::unique_ptr<dyx::MediaPlayer> makePlayer() override {
        return std::make_unique<dyx::SdlMediaPlayer>(m_audio);
    }

private:
    dyx::AudioSystem m_audio;
};

}  // namespace

// Crosses the module boundary as a plain pointer; the loader takes ownership at once.
extern "C" __attribute__((visibility("default"))) dyx::SoundSystem* dyxCreateSoundSystem() {
    return new SdlSoundSystem;  // NOLINT(cppcoreguidelines-owning-memory)
}
