#pragma once
// The sound system as the game loads it: a module (libdyxsound.so) that brings SDL_mixer,
// FluidSynth and their libraries along. Loading them costs more start-up time than the whole
// window, so the game loads the module only after its first word is on screen.

#include <memory>

#include "game/ports.h"

namespace dyx {

// The sound output and a maker of players on it. Every player must be destroyed before the
// sound system.
class SoundSystem {
public:
    virtual ~SoundSystem() = default;
    virtual std::unique_ptr<MediaPlayer> makePlayer() = 0;
};

// The module's one entry point, looked up by this name. The caller owns the result.
using CreateSoundSystem = SoundSystem* (*)();
inline constexpr const char* kCreateSoundSystemSymbol = "dyxCreateSoundSystem";

}  // namespace dyx
