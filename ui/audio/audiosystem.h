#pragma once
// The program's sound output: SDL's audio subsystem and the SDL_mixer mixer that the media players
// play through.

#include <string>
#include <vector>

namespace dyx {

// Opens SDL audio and the mixer once for the whole program and closes them when destroyed. Create
// exactly one, before any SdlMediaPlayer, and destroy it after the last player; a second instance
// while one exists throws std::logic_error. The constructor itself never fails: when no output at
// all can be had, the system stays closed and every player's open() fails with SDL's text.
//
// A machine without any sound output still runs the game, silently. The driver that SDL picks (or
// the one named in SDL_AUDIODRIVER, which is always tried first) is used when it opens; when it
// does not, the mixer is opened on SDL's "dummy" driver instead, which accepts and plays every
// sound without making a sound. So a missing sound card never stops the game from starting. A
// machine with neither a sound card nor a sound server in the session (and no SDL_AUDIODRIVER)
// goes to "dummy" at once, sparing the wait of the real drivers.
//
// Music is rendered by FluidSynth with a General MIDI sound font: the fonts named in
// SDL_SOUNDFONTS when that is set, else the small font chosen at build time (TimGM6mb, a few MB),
// because the font is loaded whenever a piece of music is first played and a big font would make
// the player wait.
class AudioSystem {
public:
    AudioSystem();
    ~AudioSystem();
    AudioSystem(const AudioSystem&) = delete;
    AudioSystem& operator=(const AudioSystem&) = delete;

    // True when the mixer is open, so that players can open their files.
    bool isOpen() const { return m_open; }

    // SDL's text for the failure when the mixer could not be opened at all; empty when it is open.
    const std::string& openError() const { return m_openError; }

    // The SDL audio driver in use ("pulseaudio", "alsa", "dummy", …); empty when closed.
    const std::string& driver() const { return m_driver; }

    // True when the real output could not be opened and the silent "dummy" driver stands in.
    bool isSilentFallback() const { return m_silentFallback; }

    // A mixer channel of its own for a player of short sounds, so that a player's new sound cuts
    // off only its own previous sound. Give it back with releaseChannel when the player goes.
    int reserveChannel();
    void releaseChannel(int channel);

    // The mixer has a single music stream. A player that starts music claims it, which ends the
    // music of any other player; holdsMusic tells whether the stream is still that player's.
    void claimMusic(const void* holder) { m_musicHolder = holder; }
    bool holdsMusic(const void* holder) const {
        return holder != nullptr && m_musicHolder == holder;
    }
    void releaseMusic(const void* holder);

private:
    bool openOutput();
    void closeOutput();
    void ensureChannels();

    bool m_open = false;
    bool m_silentFallback = false;
    bool m_driverOverridden = false;
    std::string m_openError;
    std::string m_driver;
    std::vector<bool> m_channelInUse;
    const void* m_musicHolder = nullptr;
};

}  // namespace dyx
