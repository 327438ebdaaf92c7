#pragma once
// The game core reaches the outside world only through these small interfaces. The window
// implements them with Qt and a sound library; the tests implement them with recording fakes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dyx {

// The three kinds of modal message box: the win message is a warning ("Warning", warning icon),
// the about box is information ("Information", information icon), and the loss message and the
// verdict are the custom kind (no icon, the application title as caption).
enum class MessageKind { Warning, Information, Custom };

// What the player must see and answer. Every call returns only after the player has dismissed the
// box or dialog, so the game's sequences keep their order. Texts are UTF-8.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A modal message box with a single "OK" button.
    virtual void showMessage(MessageKind kind, std::string_view text) = 0;

    // The error box: application title as caption, error icon, the text as given (it already ends
    // with "."), a single "OK" button.
    virtual void showError(std::string_view text) = 0;

    // The open dialog of the custom category. Returns the full path of the confirmed file, or
    // nothing when the player cancels.
    virtual std::optional<std::string> chooseWordListFile() = 0;
};

// A media player: holds a file name and at most one open sound device.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;

    // The file that the next open() uses; a relative name is taken against the current directory.
    virtual void setFileName(const std::string& fileName) = 0;

    // Closes the device held, if any, which ends its playback at once, then opens a device for the
    // file name. Throws MediaError with the sound system's text ("Unknown error code" when it has
    // none); the player then holds no device.
    virtual void open() = 0;

    // Plays from the current position, or from the start when the position stands at the end, and
    // returns at once. Throws MediaError("No MCI device open") when no device is held; a failure to
    // start is not reported.
    virtual void play() = 0;

    // Stops playback and keeps the position. Throws MediaError("No MCI device open") when no device
    // is held.
    virtual void stop() = 0;
};

// The time of day, which seeds the random generator.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint32_t millisecondsSinceMidnightUtc() const = 0;
};

// The program's single pseudo-random generator.
class Random {
public:
    virtual ~Random() = default;
    virtual void seed(std::uint32_t seed) = 0;
    // An integer uniform over 0 to bound - 1; a bound of 0 gives 0.
    virtual std::uint32_t draw(std::uint32_t bound) = 0;
};

// The system clock.
class SystemClock final : public Clock {
public:
    std::uint32_t millisecondsSinceMidnightUtc() const override;
};

// A small, fast generator (splitmix64 state, unbiased bounded draws).
class DefaultRandom final : public Random {
public:
    void seed(std::uint32_t seed) override;
    std::uint32_t draw(std::uint32_t bound) override;

private:
    std::uint64_t next();
    std::uint64_t m_state = 0;
};

}  // namespace dyx
