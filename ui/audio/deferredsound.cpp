#include "ui/audio/deferredsound.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "game/errors.h"

namespace dyx {

// Forwards to its real player once there is one; until then it remembers the file name and
// whether it was opened.
class DeferredPlayer final : public MediaPlayer {
public:
    explicit DeferredPlayer(DeferredSound& sound) : m_sound(sound) {}
    ~DeferredPlayer() override { m_sound.forget(this); }

    void setFileName(const std::string& fileName) override {
        m_fileName = fileName;
        if (m_real) {
            m_real->setFileName(fileName);
        }
    }
    void open() override {
        m_opened = false;
        if (m_real) {
            m_real->open();
        } else {
            checkSoundFile(m_fileName);
        }
        m_opened = true;
    }
    void play() override {
        m_sound.load();
        forward(&MediaPlayer::play);
    }
    void stop() override {
        m_sound.load();
        forward(&MediaPlayer::stop);
    }

    // Hands over to the real player: the file it was given, opened if it was opened.
    void attach(std::unique_ptr<MediaPlayer> real) {
        m_real = std::move(real);
        if (!m_real) {
            return;
        }
        m_real->setFileName(m_fileName);
        if (m_opened) {
            try {
                m_real->open();
            } catch (const MediaError&) {
                // The file passed the check but the sound library refuses it: the player holds no
                // device, so the next play or stop says so.
                m_opened = false;
            }
        }
    }

private:
    void forward(void (MediaPlayer::*call)()) {
        if (m_real) {
            (m_real.get()->*call)();
        } else if (!m_opened) {
            throw MediaError("No MCI device open");
        }
        // Opened, but there is no sound system on this machine: silence.
    }

    DeferredSound& m_sound;
    std::unique_ptr<MediaPlayer> m_real;
    std::string m_fileName;
    bool m_opened = false;
};

DeferredSound::DeferredSound(Loader loader) : m_loader(std::move(loader)) {}

DeferredSound::~DeferredSound() = default;

std::unique_ptr<MediaPlayer> DeferredSound::makePlayer() {
    auto player = std::make_unique<DeferredPlayer>(*this);
    m_players.push_back(player.get());
    if (m_loaded && m_system) {
        player->attach(m_system->makePlayer());
    }
    return player;
}

void DeferredSound::forget(DeferredPlayer* player) {
    m_players.erase(std::remove(m_players.begin(), m_players.end(), player), m_players.end());
}

void DeferredSound::load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    m_system = m_loader ? m_loader() : nullptr;
    if (!m_system) {
        return;
    }
    for (DeferredPlayer* player : m_players) {
        player->attach(m_system->makePlayer());
    }
}

namespace {

// The module stays loaded for the whole run: its libraries keep threads and handlers.
std::unique_ptr<SoundSystem> loadModule(const std::vector<std::string>& candidates) {
    std::string errors;
    for (const std::string& path : candidates) {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            errors += std::string("\n  ") + dlerror();
            continue;
        }
        auto create = reinterpret_cast<CreateSoundSystem>(dlsym(handle, kCreateSoundSystemSymbol));
        if (create == nullptr) {
            errors += "\n  " + path + ": no " + kCreateSoundSystemSymbol;
            continue;
        }
        return std::unique_ptr<SoundSystem>(create());
    }
    std::fprintf(stderr, "Dyxolana: the sound module cannot be loaded; playing silently.%s\n",
                 errors.c_str());
    return nullptr;
}

}  // namespace

DeferredSound::Loader DeferredSound::moduleLoader(const std::string& programFolder) {
    return [programFolder] {
        return loadModule({programFolder + "/libdyxsound.so",
                           programFolder + "/" DYX_SOUND_MODULE_DIR "/libdyxsound.so"});
    };
}

void checkSoundFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        throw MediaError("Couldn't open " + fileName);
    }
    std::array<char, 12> head{};
    file.read(head.data(), head.size());
    const auto read = file.gcount();
    const bool wave = read == 12 && std::memcmp(head.data(), "RIFF", 4) == 0 &&
                      (std::memcmp(head.data() + 8, "WAVE", 4) == 0 ||
                       std::memcmp(head.data() + 8, "RMID", 4) == 0);
    const bool midi = read >= 4 && std::memcmp(head.data(), "MThd", 4) == 0;
    if (!wave && !midi) {
        throw MediaError("Unrecognized audio format");
    }
}

}  // namespace dyx
