#pragma once
// Recording fakes of the game's ports, shared by the core tests. Every interaction lands in one
// ordered trace, so a test can assert the exact sequence the player would experience.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "game/game.h"

namespace dyx::testing {

using Trace = std::vector<std::string>;

// Message boxes and dialogs. Each message records its kind and text; onMessage may look at the
// game at that moment (the box is modal, so the state is what the player sees behind it).
class RecordingPrompter final : public Prompter {
public:
    explicit RecordingPrompter(Trace& trace) : m_trace(trace) {}

    void showMessage(MessageKind kind, std::string_view text) override {
        static const char* const kNames[] = {"warning", "information", "custom"};
        m_trace.push_back(std::string(kNames[static_cast<int>(kind)]) + ": " + std::string(text));
        if (onMessage) {
            onMessage(kind, std::string(text));
        }
    }
    void showError(std::string_view text) override {
        m_trace.push_back("error: " + std::string(text));
    }
    std::optional<std::string> chooseWordListFile() override {
        m_trace.push_back("open dialog");
        return nextFile;
    }

    std::function<void(MessageKind, const std::string&)> onMessage;
    std::optional<std::string> nextFile;

private:
    Trace& m_trace;
};

// A media player that fails to open the files it is told are missing.
class FakePlayer final : public MediaPlayer {
public:
    FakePlayer(Trace& trace, std::string name) : m_trace(trace), m_name(std::move(name)) {}

    void setFileName(const std::string& fileName) override { m_fileName = fileName; }
    void open() override {
        m_trace.push_back(m_name + " open " + m_fileName);
        if (onOpen) {
            onOpen();
        }
        m_open = false;
        for (const auto& missing : missingFiles) {
            if (m_fileName.size() >= missing.size() &&
                m_fileName.compare(m_fileName.size() - missing.size(), missing.size(), missing) == 0) {
                throw MediaError("The specified file was not found");
            }
        }
        m_open = true;
    }
    void play() override {
        if (!m_open) {
            throw MediaError("No MCI device open");
        }
        m_trace.push_back(m_name + " play");
    }
    void stop() override {
        if (!m_open) {
            throw MediaError("No MCI device open");
        }
        m_trace.push_back(m_name + " stop");
    }

    std::set<std::string> missingFiles;  // file names (without folder) that cannot be opened
    std::function<void()> onOpen;        // looks at the game when a sound starts

private:
    Trace& m_trace;
    std::string m_name;
    std::string m_fileName;
    bool m_open = false;
};

class FakeClock final : public Clock {
public:
    std::uint32_t millisecondsSinceMidnightUtc() const override { return now; }
    std::uint32_t now = 12345;
};

// Draws come from per-bound scripts, so a test can pick the word (bound = list size) and the sound
// (bounds 16, 10, 4) independently; an unscripted draw gives a generator's value. Seeds are kept.
class ScriptedRandom final : public Random {
public:
    void seed(std::uint32_t value) override {
        seeds.push_back(value);
        m_fallback.seed(value);
    }
    std::uint32_t draw(std::uint32_t bound) override {
        auto& script = m_scripts[bound];
        if (script.empty()) {
            return m_fallback.draw(bound);
        }
        const auto value = script.front();
        script.pop_front();
        return value;
    }
    void script(std::uint32_t bound, std::initializer_list<std::uint32_t> values) {
        m_scripts[bound].insert(m_scripts[bound].end(), values);
    }

    std::vector<std::uint32_t> seeds;

private:
    std::map<std::uint32_t, std::deque<std::uint32_t>> m_scripts;
    DefaultRandom m_fallback;
};

}  // namespace dyx::testing
