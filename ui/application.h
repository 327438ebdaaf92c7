#pragma once
// Start-up and the life of the program around the window.

#include <functional>
#include <memory>
#include <utility>

#include "game/ports.h"

namespace dyx {

// The effects player (MediaPlayer1) and the music player (MediaPlayer2).
using MediaPlayers = std::pair<std::unique_ptr<MediaPlayer>, std::unique_ptr<MediaPlayer>>;

// Creates the window with the given players, shows it and runs the game until "Konec" or the
// window's close box ends it; returns the exit code, 0. If the window cannot be created (a sound
// file that the game cannot start without is missing, for one), the error is shown in a box
// captioned "Application Error" and the result is 1, without the window ever being shown.
// Once the first word is on screen, afterStart runs (if given). Needs a QApplication.
int runGame(const std::function<MediaPlayers()>& makePlayers,
            const std::function<void()>& afterStart = {});

}  // namespace dyx
