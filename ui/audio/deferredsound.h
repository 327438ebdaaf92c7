#pragma once
// Sound that arrives after the first word. The window's two players are stand-ins until the sound
// module is loaded: while the window is created they check that their start-up files are there
// and are sound files (so the game still refuses to start without them), and once the first word
// is on screen the module is loaded and the stand-ins hand everything to real players. A call
// that needs sound before then loads the module at once.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game/ports.h"
#include "ui/audio/soundsystem.h"

namespace dyx {

class DeferredPlayer;

class DeferredSound {
public:
    // Makes the sound system when asked to load; returns null when there is none to be had.
    using Loader = std::function<std::unique_ptr<SoundSystem>()>;

    explicit DeferredSound(Loader loader);
    ~DeferredSound();
    DeferredSound(const DeferredSound&) = delete;
    DeferredSound& operator=(const DeferredSound&) = delete;

    // A stand-in player; it must be destroyed before this object.
    std::unique_ptr<MediaPlayer> makePlayer();

    // Loads the sound system, if not done yet, and gives every stand-in its real player. Without
    // a sound system the game goes on silently.
    void load();
    bool loaded() const { return m_loaded; }

    // The loader of the sound module next to the program (the build) or in its library folder
    // (an installation); it reports a module that cannot be loaded on stderr.
    static Loader moduleLoader(const std::string& programFolder);

private:
    friend class DeferredPlayer;
    void forget(DeferredPlayer* player);

    Loader m_loader;
    std::unique_ptr<SoundSystem> m_system;
    std::vector<DeferredPlayer*> m_players;
    bool m_loaded = false;
};

// Checks, without any sound library, that a file can be read and starts like a WAV or MIDI file.
// Throws MediaError with the reason.
void checkSoundFile(const std::string& fileName);

}  // namespace dyx
