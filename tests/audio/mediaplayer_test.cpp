// The media players on SDL2_mixer: their errors, and what they really send to the output, heard
// through a tap on the mixer (the tests run on SDL's silent "dummy" driver, which still mixes in
// real time).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "audiotesting.h"
#include "game/errors.h"
#include "ui/audio/audiosystem.h"
#include "ui/audio/sdlmediaplayer.h"

namespace dyx {
namespace {

using namespace std::chrono_literals;
using audiotest::OutputTap;
using audiotest::ScratchFolder;
using audiotest::waitFor;

// The message of the MediaError that f throws, or a note that it threw none.
std::string mediaErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const MediaError& error) {
        return error.what();
    }
    return "(no MediaError)";
}

int mixerRate() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    return rate;
}

// A rising ramp that never touches 0, so every sample of it shows up in the tap and its place in
// the file can be read from its value.
std::int16_t ramp(std::size_t frame) {
    return static_cast<std::int16_t>(1 + frame % 30000);
}

class PlayerTest : public ::testing::Test {
protected:
    AudioSystem m_audio;
    ScratchFolder m_folder;

    std::string rampWav(const std::string& name, std::size_t frames) {
        const std::string path = m_folder.file(name);
        audiotest::writeWav(path, frames, ramp);
        return path;
    }
};

TEST(AudioSystemTest, FallsBackToTheSilentDriverWhenNoOutputOpens) {
    const char* before = std::getenv("SDL_AUDIODRIVER");
    const std::optional<std::string> saved =
        before ? std::optional<std::string>(before) : std::nullopt;
    setenv("SDL_AUDIODRIVER", "no-such-sound-card", 1);
    {
        AudioSystem audio;
        EXPECT_TRUE(audio.isOpen()) << audio.openError();
        EXPECT_EQ(audio.driver(), "dummy");
        EXPECT_TRUE(audio.isSilentFallback());
    }
    if (saved) {
        setenv("SDL_AUDIODRIVER", saved->c_str(), 1);
    } else {
        unsetenv("SDL_AUDIODRIVER");
    }
}

TEST_F(PlayerTest, WithoutADevicePlayAndStopFail) {
    SdlMediaPlayer player(m_audio);
    EXPECT_EQ(mediaErrorOf([&] { player.play(); }), "No MCI device open");
    EXPECT_EQ(mediaErrorOf([&] { player.stop(); }), "No MCI device open");
}

// Each failed open reports the sound system's text and leaves the player without a device, even
// though it held an open one before.
TEST_F(PlayerTest, FailedOpenReportsSdlTextAndClosesTheDeviceHeld) {
    const std::string good = rampWav("GOOD.WAV", 1000);
    const std::string missing = m_folder.file("MISSING.WAV");
    const std::string text = m_folder.file("TEXT.WAV");
    audiotest::writeBytes(text, "This is a word list, not a sound.\r\n");
    const std::string midi = m_folder.file("TUNE.MID");
    audiotest::writeSingleNoteMidi(midi, 0.5);
    const std::string folder = m_folder.file("FOLDER.WAV");
    std::filesystem::create_directory(folder);
    const std::string huge = m_folder.file("HUGE.WAV");
    audiotest::writeBytes(huge, "RIFF");
    std::filesystem::resize_file(huge, SdlMediaPlayer::kMaxFileBytes + 1);  // sparse: no disk used

    struct Case {
        const char* name;
        std::string file;
        std::string message;
        std::function<void()> before = [] {};
        std::function<void()> after = [] {};
    };
    const std::string savedFonts = Mix_GetSoundFonts() ? Mix_GetSoundFonts() : "";
    const std::vector<Case> cases{
        {"missing file", missing, "Couldn't open " + missing},
        {"not a sound", text, "Unrecognized audio format"},
        {"a folder", folder, "Error reading from datastream"},
        {"too large", huge, "The sound file is larger than 64 MB"},
        {"MIDI without a sound font", midi, "Couldn't open /no/such/font.sf2",
         [] { Mix_SetSoundFonts("/no/such/font.sf2"); },
         [&] { Mix_SetSoundFonts(savedFonts.c_str()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SdlMediaPlayer player(m_audio);
        player.setFileName(good);
        ASSERT_NO_THROW(player.open());
        player.play();

        c.before();
        player.setFileName(c.file);
        EXPECT_EQ(mediaErrorOf([&] { player.open(); }), c.message);
        c.after();
        EXPECT_FALSE(player.isOpen());
        EXPECT_EQ(mediaErrorOf([&] { player.play(); }), "No MCI device open");
        EXPECT_EQ(mediaErrorOf([&] { player.stop(); }), "No MCI device open");
    }
}

TEST_F(PlayerTest, OpenEndsWhatThePlayerWasPlaying) {
    const std::string longSound = rampWav("LONG.WAV", static_cast<std::size_t>(mixerRate()) * 2);
    const std::string next = m_folder.file("NEXT.WAV");
    audiotest::writeWav(next, 2000, [](std::size_t) { return std::int16_t{-7}; });

    SdlMediaPlayer player(m_audio);
    player.setFileName(longSound);
    player.open();
    OutputTap tap;
    player.play();
    ASSERT_TRUE(waitFor([&] { return tap.heardCount() > 2000; }));

    player.setFileName(next);
    player.open();
    const std::size_t atOpen = tap.heardCount();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(tap.heardCount(), atOpen) << "the first sound went on after the next open";
    EXPECT_FALSE(player.isPlaying());

    player.play();
    ASSERT_TRUE(waitFor([&] { return tap.heardCount() >= atOpen + 2000; }));
    EXPECT_EQ(tap.heard().back(), -7);
}

// The state table of a sound: stop pauses and keeps the position, play resumes there; a sound
// that has played to its end starts over, whether it is stopped first ("Hudba" twice) or not.
TEST_F(PlayerTest, WaveStopKeepsThePositionAndPlayAfterTheEndStartsOver) {
    const auto frames = static_cast<std::size_t>(mixerRate());
    SdlMediaPlayer player(m_audio);
    player.setFileName(rampWav("RAMP.WAV", frames));
    player.open();
    OutputTap tap;

    player.play();
    ASSERT_TRUE(waitFor([&] { return tap.heardCount() > 2000; }));
    player.stop();
    const std::size_t atStop = tap.heardCount();
    ASSERT_LT(atStop, frames) << "too slow a machine: the sound ended before the stop";
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(tap.heardCount(), atStop) << "stop did not stop the sound";
    EXPECT_FALSE(player.isPlaying());

    std::vector<std::int16_t> once(frames);
    for (std::size_t n = 0; n < frames; ++n) {
        once[n] = ramp(n);
    }
    std::vector<std::int16_t> expected = once;
    auto playToTheEnd = [&] {
        player.play();
        ASSERT_TRUE(waitFor([&] { return tap.heardCount() >= expected.size(); }));
        ASSERT_TRUE(waitFor([&] { return !player.isPlaying(); }));
        std::this_thread::sleep_for(50ms);
        EXPECT_EQ(tap.heard(), expected);
    };
    playToTheEnd();  // resumes: the ramp is heard exactly once, without a jump back or a gap

    player.stop();  // at the end: nothing changes, the next play starts over
    expected.insert(expected.end(), once.begin(), once.end());
    playToTheEnd();

    expected.insert(expected.end(), once.begin(), once.end());
    playToTheEnd();
}

// The same table for the music. FluidSynth's output cannot be compared sample by sample, so the
// test counts how much music was heard: a run that is stopped and resumed adds up to one whole
// piece, where starting over would add the part before the stop a second time. (FluidSynth lets a
// piece ring out and then waits about two seconds for its reverb before it reports the end.)
TEST_F(PlayerTest, MidiStopKeepsThePositionAndPlayAfterTheEndStartsOver) {
    const int rate = mixerRate();
    const std::string midi = m_folder.file("TUNE.MID");
    audiotest::writeSingleNoteMidi(midi, 1.0);
    SdlMediaPlayer player(m_audio);
    player.setFileName(midi);
    player.open();
    OutputTap tap(256);  // the note, without the synthesiser's dither in the silence after it

    player.play();
    ASSERT_TRUE(waitFor([&] { return tap.heardCount() > 0 && !player.isPlaying(); }));
    std::this_thread::sleep_for(50ms);
    const std::size_t whole = tap.heardCount();
    ASSERT_GT(whole, static_cast<std::size_t>(rate) / 2) << "the note was not heard";

    player.stop();  // at the end
    player.play();  // starts over
    ASSERT_TRUE(
        waitFor([&] { return tap.heardCount() > whole + static_cast<std::size_t>(rate) / 5; }));
    player.stop();
    const std::size_t atStop = tap.heardCount();
    ASSERT_LT(atStop, 2 * whole - static_cast<std::size_t>(rate) / 10)
        << "too slow a machine: the piece ended before the stop";
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(tap.heardCount(), atStop) << "stop did not stop the music";

    player.play();  // resumes
    ASSERT_TRUE(waitFor([&] { return !player.isPlaying(); }));
    std::this_thread::sleep_for(50ms);
    const std::size_t second = tap.heardCount() - whole;
    EXPECT_NEAR(static_cast<double>(second), static_cast<double>(whole), rate * 0.05);
}

TEST_F(PlayerTest, EffectsPlayOverTheMusic) {
    const std::string midi = m_folder.file("TUNE.MID");
    audiotest::writeSingleNoteMidi(midi, 2.0);
    SdlMediaPlayer music(m_audio);
    music.setFileName(midi);
    music.open();
    SdlMediaPlayer effects(m_audio);
    effects.setFileName(rampWav("EFFECT.WAV", static_cast<std::size_t>(mixerRate())));
    effects.open();

    music.play();
    effects.play();
    EXPECT_TRUE(effects.isPlaying());
    EXPECT_TRUE(music.isPlaying());
    effects.setFileName(rampWav("NEXT.WAV", 1000));
    effects.open();
    EXPECT_TRUE(music.isPlaying()) << "a new effect must not cut off the music";
}

}  // namespace
}  // namespace dyx
