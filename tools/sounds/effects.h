#pragma once
// The game's 30 sound effects, each made from oscillators, noise and envelopes.

#include <span>
#include <string_view>

#include "synth.h"

namespace snd {

struct Effect {
    std::string_view fileName;
    std::string_view description;
    Signal (*make)();
};

// All effects in the game's order: the 15 misses DYX1 to DYX15, the 10 hits DYXJO0 to DYXJO9, the
// three win fanfares, the lost word and the gallows going up.
std::span<const Effect> effects();

}  // namespace snd
