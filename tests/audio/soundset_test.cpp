// The sound set made at build time: every file the game looks up is there, opens on the players,
// and the effects are short, clean 16-bit mono sounds, each of its own.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "game/game.h"
#include "ui/audio/audiosystem.h"
#include "ui/audio/sdlmediaplayer.h"

namespace dyx {
namespace {

const std::filesystem::path kSounds = DYX_SOUNDS_DIR;

std::vector<std::string> gameSoundFiles() {
    std::vector<std::string> names(SoundFileNames.begin(), SoundFileNames.end());
    names.emplace_back(kMusicFileName);
    return names;
}

TEST(SoundSetTest, EveryFileTheGameLooksUpIsThereAndOpens) {
    AudioSystem audio;
    SdlMediaPlayer player(audio);
    for (const std::string& name : gameSoundFiles()) {
        SCOPED_TRACE(name);
        const std::filesystem::path path = kSounds / name;
        ASSERT_TRUE(std::filesystem::is_regular_file(path));
        player.setFileName(path.string());
        EXPECT_NO_THROW(player.open());
    }
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

TEST(SoundSetTest, EffectsAreShortUnclippedMonoPcmAndAllDifferent) {
    std::set<std::string> seen;
    for (std::string_view name : SoundFileNames) {
        SCOPED_TRACE(name);
        std::ifstream in(kSounds / name, std::ios::binary);
        const std::string wav((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
        ASSERT_GE(wav.size(), 44U);
        // The canonical header that the generator writes: RIFF/WAVE, a 16-byte PCM format chunk,
        // then the data chunk.
        ASSERT_EQ(wav.substr(0, 4), "RIFF");
        ASSERT_EQ(wav.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(le(wav, 20, 2), 1U) << "PCM";
        EXPECT_EQ(le(wav, 22, 2), 1U) << "mono";
        const std::uint32_t rate = le(wav, 24, 4);
        EXPECT_TRUE(rate == 22050 || rate == 44100) << rate;
        EXPECT_EQ(le(wav, 34, 2), 16U) << "bits per sample";
        ASSERT_EQ(wav.substr(36, 4), "data");
        const std::uint32_t dataBytes = le(wav, 40, 4);
        ASSERT_EQ(wav.size(), 44U + dataBytes);

        const double seconds = dataBytes / 2.0 / rate;
        EXPECT_GE(seconds, 0.1);
        EXPECT_LE(seconds, 2.0);
        int peak = 0;
        for (std::size_t at = 44; at < wav.size(); at += 2) {
            peak = std::max(peak,
                            std::abs(static_cast<int>(static_cast<std::int16_t>(le(wav, at, 2)))));
        }
        EXPECT_LT(peak, 32767) << "clipped";
        EXPECT_GT(peak, 3277) << "all but silent";
        EXPECT_TRUE(seen.insert(wav.substr(44)).second) << "the same sound as another file";
    }
}

}  // namespace
}  // namespace dyx
