#pragma once
// Errors inside a handler are exceptions that carry the message the player sees. They travel up
// to one boundary (runGuarded), which shows the message followed by "." in the error box and lets
// the game run on. Whatever the handler changed before the failing step stays changed.

#include <stdexcept>
#include <string>

namespace dyx {

class GameError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by a media player that cannot open its file or has no device; the message is the sound
// system's own text.
class MediaError : public GameError {
public:
    using GameError::GameError;
};

// The text of the error box for an escaped error: its message followed by a full stop.
inline std::string errorReportText(const std::exception& error) {
    return std::string(error.what()) + ".";
}

}  // namespace dyx
