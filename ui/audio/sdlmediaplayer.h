#pragma once
// The game's media player on SDL2_mixer: the effects player and the music player of the window are
// both of this class; which kind of sound a file is follows from its content.

#include <memory>
#include <string>

#include "game/ports.h"
#include "ui/audio/audiosystem.h"

namespace dyx {

// A MediaPlayer that plays WAV files as mixer chunks and MIDI files as the mixer's music.
//
// A WAV (or any other sample format SDL_mixer reads) is decoded at open() and plays on a mixer
// channel of this player's own, so a new effect cuts off only the previous effect of the same
// player, and effects play over the music.
//
// A MIDI file is read and checked at open() (it must be readable, start like a MIDI file, and a
// MIDI renderer with a readable sound font must be available), but FluidSynth and its sound font,
// which take tens of milliseconds to load, are set up only at the first play(). The game opens the
// music twice on its way to the first word and plays it only when the player asks for music, so
// the wait falls on that click instead of on start-up. A file that passes open() but cannot be
// rendered at play() stays silent, as a failure to start is not reported. The mixer has one music
// stream: when two players hold MIDI files, the one that plays last takes the stream, and the other
// then counts as played to its end.
//
// Playback follows the position of the file: play() starts from the current position (from the
// beginning when the sound has never played or has played to its end) and returns at once; stop()
// pauses and keeps the position, so the next play() continues where it stopped. The end of a
// playback is not reported.
//
// The AudioSystem must outlive every player made with it. All calls belong to one thread.
class SdlMediaPlayer final : public MediaPlayer {
public:
    explicit SdlMediaPlayer(AudioSystem& audio);
    ~SdlMediaPlayer() override;
    SdlMediaPlayer(const SdlMediaPlayer&) = delete;
    SdlMediaPlayer& operator=(const SdlMediaPlayer&) = delete;

    void setFileName(const std::string& fileName) override;

    // Throws MediaError with SDL's text when the file cannot be read or is not a sound it can
    // play, when no MIDI renderer or sound font is available for a MIDI file, or when the file is
    // larger than kMaxFileBytes ("The sound file is larger than 64 MB").
    void open() override;

    void play() override;
    void stop() override;

    // Whether the player holds an open device.
    bool isOpen() const;

    // Whether this player's sound is being played now: started, not stopped, not yet at its end.
    bool isPlaying() const;

    // No sound of the game comes near this; a bigger file is a mistake, not a sound to decode.
    static constexpr long long kMaxFileBytes = 64LL * 1024 * 1024;

private:
    struct Device;

    // Where the next play() starts: at the beginning (never played since open, or played to the
    // end), it goes on playing, or where stop() paused it.
    enum class Transport { FromStart, Playing, Paused };

    void close();
    void requireDevice() const;
    bool sounding() const;
    void startFromBeginning();

    AudioSystem& m_audio;
    int m_channel = -1;
    std::string m_fileName;
    std::unique_ptr<Device> m_device;
    Transport m_transport = Transport::FromStart;
};

}  // namespace dyx
