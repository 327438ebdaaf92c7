// makesounds: writes the game's sound set into a folder: the 30 WAV effects and the music
// DYXOLANA.MID. Everything is synthesised here; nothing is read from anywhere.
//
// Usage: makesounds OUTPUT_FOLDER

#include <cmath>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "effects.h"
#include "synth.h"
#include "tune.h"

namespace {

// The game cuts an effect off at the next click, so effects stay short; the music is long enough
// to carry a few rounds.
constexpr double kShortestEffect = 0.1;
constexpr double kLongestEffect = 2.0;
constexpr double kShortestTune = 60.0;
constexpr double kLongestTune = 120.0;

void check(bool ok, const std::string& what) {
    if (!ok) {
        throw std::logic_error(what);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: makesounds OUTPUT_FOLDER\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);

        for (const snd::Effect& effect : snd::effects()) {
            const snd::Signal sound = effect.make();
            const double seconds = static_cast<double>(sound.size()) / snd::kSampleRate;
            check(seconds >= kShortestEffect && seconds <= kLongestEffect,
                  std::string(effect.fileName) + " lasts " + std::to_string(seconds) + " s");
            for (double v : sound) {
                check(std::isfinite(v) && std::abs(v) < 1.0,
                      std::string(effect.fileName) + " clips");
            }
            snd::writeWav(folder / effect.fileName, sound);
        }

        const double tune = snd::tuneSeconds();
        check(tune >= kShortestTune && tune <= kLongestTune,
              "the tune lasts " + std::to_string(tune) + " s");
        snd::writeFile(folder / "DYXOLANA.MID", snd::composeTune());
    } catch (const std::exception& error) {
        std::cerr << "makesounds: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
