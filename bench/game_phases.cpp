// The game's start, step by step, with the time and memory each step takes.
//
// Built twice:
//   game_phases   the game as its main() starts it: the SDL sound system and its two players;
//   silent_game   the same window with players that make no sound and no sound library linked,
//                 so that set against game_phases it shows what the sound system costs.
// Without arguments either one simply runs the game (the start-up benchmark times silent_game
// this way). With --phases it prints, for each step, the milliseconds since the program was
// started, the processor time the process has used (all its threads), and the resident and peak
// memory at its end, then quits once the mask label has been painted:
//   main              entering main: the dynamic libraries are loaded and relocated
//   application       QApplication made: the X connection, platform plugin, theme
//   sound system      the SDL audio output opened (game_phases only)
//   window            the window built; its media players have opened their start-up files
//   shown             show() returned: the first round is set up
//   mask painted      the first paint of Label2 has been handed to the X server
// The start instant comes from DYX_LAUNCH_NS (CLOCK_REALTIME nanoseconds, e.g. `date +%s%N`
// just before exec); without it the times count from entering main.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <limits>
#include <memory>
#include <string>

#include "ui/mainwindow.h"

#ifndef DYX_SILENT_PLAYERS
#include "ui/audio/audiosystem.h"
#include "ui/audio/sdlmediaplayer.h"
#endif

namespace {

long long nowNs(clockid_t clock = CLOCK_REALTIME) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long statusKiB(const char* wanted) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == wanted) {
            long kib = -1;
            status >> kib;
            return kib;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return -1;
}

class Phases {
public:
    explicit Phases(bool enabled) : m_enabled(enabled) {
        const char* launch = std::getenv("DYX_LAUNCH_NS");
        m_startNs = launch != nullptr ? std::atoll(launch) : nowNs();
        if (m_enabled) {
            std::printf("%-14s %9s %9s %9s %9s\n", "step", "ms", "cpu_ms", "rss_KiB", "hwm_KiB");
        }
    }

    void mark(const char* step) {
        if (m_enabled) {
            std::printf("%-14s %9.1f %9.1f %9ld %9ld\n", step,
                        static_cast<double>(nowNs() - m_startNs) / 1e6,
                        static_cast<double>(nowNs(CLOCK_PROCESS_CPUTIME_ID)) / 1e6,
                        statusKiB("VmRSS:"), statusKiB("VmHWM:"));
            std::fflush(stdout);
        }
    }

private:
    bool m_enabled;
    long long m_startNs = 0;
};

#ifdef DYX_SILENT_PLAYERS
class SilentPlayer final : public dyx::MediaPlayer {
public:
    void setFileName(const std::string&) override {}
    void open() override {}
    void play() override {}
    void stop() override {}
};
#endif

// Notes the first paint of the mask; the next turn of the event loop comes after the window's
// backing store has been flushed to the X server.
class FirstPaint final : public QObject {
public:
    FirstPaint(Phases& phases, bool quit) : m_phases(phases), m_quit(quit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint) {
            m_seen = true;
            QTimer::singleShot(0, [this] {
                m_phases.mark("mask painted");
                if (m_quit) {
                    QApplication::quit();
                }
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Phases& m_phases;
    bool m_quit;
    bool m_seen = false;
};

}  // namespace

int main(int argc, char** argv) {
    const bool phasesWanted = argc > 1 && std::strcmp(argv[1], "--phases") == 0;
    Phases phases(phasesWanted);
    phases.mark("main");
    // The same set-up as the game's own main.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("cz.dyxolana.Dyxolana"));
    phases.mark("application");
#ifdef DYX_SILENT_PLAYERS
    auto effects = std::make_unique<SilentPlayer>();
    auto music = std::make_unique<SilentPlayer>();
#else
    dyx::AudioSystem audio;
    phases.mark("sound system");
    auto effects = std::make_unique<dyx::SdlMediaPlayer>(audio);
    auto music = std::make_unique<dyx::SdlMediaPlayer>(audio);
#endif
    try {
        dyx::MainWindow window(std::move(effects), std::move(music));
        phases.mark("window");
        FirstPaint firstPaint(phases, phasesWanted);
        if (auto* mask = window.findChild<QLabel*>(QStringLiteral("Label2"))) {
            mask->installEventFilter(&firstPaint);
        }
        window.show();
        phases.mark("shown");
        return QApplication::exec();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
