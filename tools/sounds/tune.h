#pragma once
// The game's background music, composed here note by note and written as a standard MIDI file.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace snd {

// The whole piece as a format 1 standard MIDI file: a tempo track and one track per instrument
// (clarinet, accordion, tuba, glockenspiel, flute and drums on channel 10).
std::vector<std::uint8_t> composeTune();

// The length of the piece in seconds, as a player of the file hears it.
double tuneSeconds();

// Writes the bytes to path. Throws std::runtime_error when the file cannot be written.
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace snd
