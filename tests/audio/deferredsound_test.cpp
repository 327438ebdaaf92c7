// The stand-in players of the window until the sound module is loaded after the first word.

#include "ui/audio/deferredsound.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/fakes.h"

namespace dyx {
namespace {

using testing::FakePlayer;
using testing::Trace;

// A sound system of fake players that share one trace.
class FakeSoundSystem final : public SoundSystem {
public:
    explicit FakeSoundSystem(Trace& trace) : m_trace(trace) {}
    std::unique_ptr<MediaPlayer> makePlayer() override {
        auto player = std::make_unique<FakePlayer>(m_trace, "real");
        player->missingFiles = missing;
        return player;
    }
    std::set<std::string> missing;

private:
    Trace& m_trace;
};

std::string messageOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const MediaError& error) {
        return error.what();
    }
    return "no error";
}

class DeferredSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::ofstream(m_wave, std::ios::binary) << std::string("RIFF\0\0\0\0WAVEfmt ", 16);
        std::ofstream(m_midi, std::ios::binary) << std::string("MThd\0\0\0\6", 8);
        std::ofstream(m_text, std::ios::binary) << "PES\r\nKOCKA\r\n";
    }
    void TearDown() override {
        for (const auto& f : {m_wave, m_midi, m_text}) std::remove(f.c_str());
    }
    DeferredSound::Loader fakeLoader(std::set<std::string> missing = {}) {
        return [this, missing] {
            auto system = std::make_unique<FakeSoundSystem>(trace);
            system->missing = missing;
            ++loads;
            return system;
        };
    }

    const std::string m_wave = ::testing::TempDir() + "dyx-deferred.WAV";
    const std::string m_midi = ::testing::TempDir() + "dyx-deferred.MID";
    const std::string m_text = ::testing::TempDir() + "dyx-deferred.KIL";
    Trace trace;
    int loads = 0;
};

TEST_F(DeferredSoundTest, BeforeLoadingOpenChecksThatTheFileIsASound) {
    DeferredSound sound(fakeLoader());
    auto player = sound.makePlayer();
    player->setFileName(m_wave);
    EXPECT_EQ(messageOf([&] { player->open(); }), "no error");
    player->setFileName(m_midi);
    EXPECT_EQ(messageOf([&] { player->open(); }), "no error");
    player->setFileName(m_text);
    EXPECT_EQ(messageOf([&] { player->open(); }), "Unrecognized audio format");
    player->setFileName("/nonexistent/DYXDYX.WAV");
    EXPECT_EQ(messageOf([&] { player->open(); }), "Couldn't open /nonexistent/DYXDYX.WAV");
    EXPECT_EQ(loads, 0) << "checking needs no sound library";
}

TEST_F(DeferredSoundTest, LoadingHandsTheOpenedFileToTheRealPlayer) {
    DeferredSound sound(fakeLoader());
    auto effects = sound.makePlayer();
    auto music = sound.makePlayer();
    effects->setFileName(m_wave);
    effects->open();
    music->setFileName(m_midi);
    sound.load();
    EXPECT_EQ(trace, (Trace{"real open " + m_wave}));
    effects->play();
    EXPECT_EQ(messageOf([&] { music->play(); }), "No MCI device open") << "music was never opened";
    music->open();
    music->play();
    music->stop();
    EXPECT_EQ(trace, (Trace{"real open " + m_wave, "real play", "real open " + m_midi,
                            "real play", "real stop"}));
    sound.load();
    EXPECT_EQ(loads, 1);
}

TEST_F(DeferredSoundTest, APlayBeforeTheScheduledLoadLoadsAtOnce) {
    DeferredSound sound(fakeLoader());
    auto player = sound.makePlayer();
    player->setFileName(m_wave);
    player->open();
    player->play();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(trace, (Trace{"real open " + m_wave, "real play"}));
}

TEST_F(DeferredSoundTest, AFileTheSoundLibraryRefusesLeavesNoDevice) {
    DeferredSound sound(fakeLoader({"dyx-deferred.WAV"}));
    auto player = sound.makePlayer();
    player->setFileName(m_wave);
    player->open();
    sound.load();
    EXPECT_EQ(messageOf([&] { player->play(); }), "No MCI device open");
}

TEST_F(DeferredSoundTest, WithoutASoundSystemTheGameGoesOnSilently) {
    DeferredSound sound([] { return std::unique_ptr<SoundSystem>(); });
    auto player = sound.makePlayer();
    EXPECT_EQ(messageOf([&] { player->play(); }), "No MCI device open");
    player->setFileName(m_wave);
    player->open();
    EXPECT_EQ(messageOf([&] { player->play(); }), "no error");
    player->setFileName(m_text);
    EXPECT_EQ(messageOf([&] { player->open(); }), "Unrecognized audio format");
}

TEST_F(DeferredSoundTest, TheBuiltModuleLoadsAndPlays) {
    DeferredSound sound(DeferredSound::moduleLoader(DYX_MODULE_DIR));
    auto player = sound.makePlayer();
    player->setFileName(std::string(DYX_SOUNDS_DIR) + "/DYXDYX.WAV");
    player->open();
    sound.load();
    EXPECT_EQ(messageOf([&] { player->play(); }), "no error");
    player->setFileName(m_text);
    EXPECT_NE(messageOf([&] { player->open(); }), "no error") << "the real player decides now";
}

}  // namespace
}  // namespace dyx
