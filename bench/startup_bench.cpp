// How long a program takes from its start to the first word on the X screen, and how much memory
// it holds at its peak by then.
//
// For each target the watcher starts the program (fork and exec, in the target's folder and with
// its extra environment), then reads a small rectangle of the X screen every half millisecond
// until enough pixels of the expected colour are there: that moment is the time to the first word.
// About a second later, with the program still running, it reads VmHWM from /proc/<pid>/status,
// then ends the program and waits until the rectangle is clear before the next start. The targets
// take turns, so a slow spell of the machine falls on all of them alike; one warm-up round comes
// first and is not counted.
//
// Without DISPLAY in the environment it starts its own Xvfb on a free display and stops it at the
// end. It prints one line per target, with the median, least and greatest of each figure:
//   startup name=<name> runs=<n> ms=<median> ms_min=<..> ms_max=<..> cpu_ms=.. cpu_ms_min=..
//           cpu_ms_max=.. hwm_kib=.. hwm_kib_min=.. hwm_kib_max=.. sigterm_ends=<k>
// ms is the wall-clock time to the word; cpu_ms the processor time the program had used by then
// (all its threads still running at that moment), which a busy machine disturbs far less; k counts
// the runs that SIGTERM alone ended (the rest ignored it and were killed).
//
// Usage:
//   startup_bench [--runs N] [--warmup N] [--rect X,Y,W,H] [--colour RRGGBB] [--min-pixels N]
//                 [--settle-ms N] [--timeout-ms N] [--verbose]
//                 --target NAME [--cwd DIR] [--env NAME=VALUE]... --exec PROGRAM
//                 [--target ...]

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Target {
    std::string name;
    std::string cwd = ".";
    std::vector<std::string> env;
    std::string program;
    std::vector<double> millis;
    std::vector<double> cpuMillis;
    std::vector<double> hwmKiB;
    int endedBySigterm = 0;
};

struct Options {
    int runs = 15;
    int warmup = 1;
    Rect rect{209, 84, 326, 100};
    unsigned long colour = 0x00ff00;
    int minPixels = 4;
    int settleMs = 1000;
    int timeoutMs = 10000;
    bool verbose = false;
    std::vector<Target> targets;
};

[[noreturn]] void usage(const std::string& why) {
    throw std::runtime_error(
        why +
        "\nusage: startup_bench [--runs N] [--warmup N] [--rect X,Y,W,H] [--colour RRGGBB]"
        " [--min-pixels N] [--settle-ms N] [--timeout-ms N] [--verbose]"
        " --target NAME [--cwd DIR] [--env NAME=VALUE]... --exec PROGRAM ...");
}

int toInt(const std::string& text) {
    std::size_t used = 0;
    const int value = std::stoi(text, &used);
    if (used != text.size()) {
        usage("not a number: " + text);
    }
    return value;
}

Options parse(int argc, char** argv) {
    Options options;
    std::optional<Target> open;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                usage(arg + " needs a value");
            }
            return argv[++i];
        };
        if (arg == "--runs") {
            options.runs = toInt(value());
        } else if (arg == "--warmup") {
            options.warmup = toInt(value());
        } else if (arg == "--rect") {
            const std::string text = value();
            Rect& r = options.rect;
            char tail = 0;
            if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &r.x, &r.y, &r.width, &r.height,
                            &tail) != 4 ||
                r.width <= 0 || r.height <= 0) {
                usage("bad rectangle: " + text);
            }
        } else if (arg == "--colour") {
            options.colour = std::stoul(value(), nullptr, 16);
        } else if (arg == "--min-pixels") {
            options.minPixels = toInt(value());
        } else if (arg == "--settle-ms") {
            options.settleMs = toInt(value());
        } else if (arg == "--timeout-ms") {
            options.timeoutMs = toInt(value());
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--target") {
            if (open) {
                usage("target " + open->name + " has no --exec");
            }
            open.emplace();
            open->name = value();
        } else if (arg == "--cwd" || arg == "--env" || arg == "--exec") {
            if (!open) {
                usage(arg + " outside a --target");
            }
            if (arg == "--cwd") {
                open->cwd = value();
            } else if (arg == "--env") {
                open->env.push_back(value());
                if (open->env.back().find('=') == std::string::npos) {
                    usage("--env needs NAME=VALUE");
                }
            } else {
                open->program = value();
                options.targets.push_back(std::move(*open));
                open.reset();
            }
        } else {
            usage("unknown argument: " + arg);
        }
    }
    if (open) {
        usage("target " + open->name + " has no --exec");
    }
    if (options.targets.empty() || options.runs < 1) {
        usage("nothing to measure");
    }
    return options;
}

// Our own X server, for a machine without a display: started on a free display number, which it
// reports through a pipe, and stopped when this object goes.
class OwnXServer {
public:
    OwnXServer() {
        int fds[2];
        if (::pipe(fds) != 0) {
            throw std::runtime_error("pipe failed");
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(fds[0]);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                     "-nolisten", "tcp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        std::string number;
        char c = 0;
        while (::read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        ::close(fds[0]);
        if (m_pid < 0 || number.empty()) {
            stop();
            throw std::runtime_error("cannot start Xvfb (is the package xvfb installed?)");
        }
        m_display = ":" + number;
    }
    ~OwnXServer() { stop(); }
    OwnXServer(const OwnXServer&) = delete;
    OwnXServer& operator=(const OwnXServer&) = delete;

    const std::string& display() const { return m_display; }

private:
    void stop() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }
    pid_t m_pid = -1;
    std::string m_display;
};

struct DisplayClose {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
struct ImageDestroy {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

// Counts the pixels of one colour in a rectangle of the root window.
class ScreenReader {
public:
    ScreenReader(const Rect& rect, unsigned long colour) : m_rect(rect), m_colour(colour) {
        m_display.reset(XOpenDisplay(nullptr));
        if (!m_display) {
            throw std::runtime_error("cannot open the X display");
        }
        const int screen = DefaultScreen(m_display.get());
        if (rect.x < 0 || rect.y < 0 ||
            rect.x + rect.width > DisplayWidth(m_display.get(), screen) ||
            rect.y + rect.height > DisplayHeight(m_display.get(), screen)) {
            throw std::runtime_error("the rectangle lies outside the screen");
        }
        m_root = RootWindow(m_display.get(), screen);
    }

    int count() {
        std::unique_ptr<XImage, ImageDestroy> image(XGetImage(m_display.get(), m_root, m_rect.x,
                                                              m_rect.y, m_rect.width, m_rect.height,
                                                              AllPlanes, ZPixmap));
        if (!image) {
            throw std::runtime_error("XGetImage failed");
        }
        const unsigned long wanted = toPixel(*image);
        int found = 0;
        for (int y = 0; y < m_rect.height; ++y) {
            for (int x = 0; x < m_rect.width; ++x) {
                found += XGetPixel(image.get(), x, y) == wanted ? 1 : 0;
            }
        }
        return found;
    }

private:
    // The colour in the image's own pixel layout.
    unsigned long toPixel(const XImage& image) const {
        const auto place = [](unsigned long channel, unsigned long mask) {
            if (mask == 0) {
                return 0ul;
            }
            int shift = 0;
            while (((mask >> shift) & 1ul) == 0) {
                ++shift;
            }
            const unsigned long top = mask >> shift;
            return ((channel * top / 255ul) << shift) & mask;
        };
        return place((m_colour >> 16) & 0xff, image.red_mask) |
               place((m_colour >> 8) & 0xff, image.green_mask) |
               place(m_colour & 0xff, image.blue_mask);
    }

    Rect m_rect;
    unsigned long m_colour;
    std::unique_ptr<Display, DisplayClose> m_display;
    Window m_root = 0;
};

long peakRssKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = -1;
            status >> kib;
            return kib;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return -1;
}

// A started target; ended (and reaped) when this object goes.
class Child {
public:
    explicit Child(const Target& target) {
        m_pid = ::fork();
        if (m_pid < 0) {
            throw std::runtime_error("fork failed");
        }
        if (m_pid == 0) {
            // The programs' own chatter (no sound card, and so on) is not part of the report.
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            if (::chdir(target.cwd.c_str()) != 0) {
                ::_exit(126);
            }
            for (const std::string& entry : target.env) {
                const auto equals = entry.find('=');
                ::setenv(entry.substr(0, equals).c_str(), entry.substr(equals + 1).c_str(), 1);
            }
            ::execl(target.program.c_str(), target.program.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~Child() { end(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    pid_t pid() const { return m_pid; }

    // The exit status if the program has ended by itself.
    std::optional<int> ended() {
        int status = 0;
        if (m_pid > 0 && ::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = -1;
            return status;
        }
        return std::nullopt;
    }

    // Asks the program to end with SIGTERM, as a session does at logout; one that is still there
    // after 300 ms is killed. Returns whether SIGTERM alone ended it.
    bool end() {
        if (m_pid <= 0) {
            return true;
        }
        ::kill(m_pid, SIGTERM);
        const auto deadline = Clock::now() + 300ms;
        while (Clock::now() < deadline) {
            if (::waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = -1;
                return true;
            }
            std::this_thread::sleep_for(1ms);
        }
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
        return false;
    }

private:
    pid_t m_pid = -1;
};

// The processor time that the program's threads alive now have used, in milliseconds.
double cpuMillis(pid_t pid) {
    namespace fs = std::filesystem;
    double total = 0;
    std::error_code error;
    for (const auto& task :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        unsigned long long ns = 0;
        if (schedstat >> ns) {
            total += static_cast<double>(ns) / 1e6;
        }
    }
    return total;
}

struct Sample {
    double millis = 0;
    double cpuMillis = 0;
    long hwmKiB = -1;
    bool endedBySigterm = false;
};

void waitUntilClear(ScreenReader& screen, const Options& options) {
    const auto deadline = Clock::now() + 3s;
    while (screen.count() >= options.minPixels) {
        if (Clock::now() > deadline) {
            throw std::runtime_error(
                "the watched rectangle already shows the colour before the start; is another "
                "window in the way?");
        }
        std::this_thread::sleep_for(5ms);
    }
}

Sample measure(const Target& target, ScreenReader& screen, const Options& options) {
    waitUntilClear(screen, options);
    const auto start = Clock::now();
    Child child(target);
    const auto deadline = start + std::chrono::milliseconds(options.timeoutMs);
    Sample sample;
    while (screen.count() < options.minPixels) {
        if (const auto status = child.ended()) {
            throw std::runtime_error(target.name + " ended before its word appeared (status " +
                                     std::to_string(*status) + ")");
        }
        if (Clock::now() > deadline) {
            throw std::runtime_error(target.name + " showed no word within " +
                                     std::to_string(options.timeoutMs) + " ms");
        }
        std::this_thread::sleep_for(500us);
    }
    sample.millis = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    sample.cpuMillis = cpuMillis(child.pid());
    std::this_thread::sleep_for(std::chrono::milliseconds(options.settleMs));
    if (child.ended()) {
        throw std::runtime_error(target.name + " ended during the settling time");
    }
    sample.hwmKiB = peakRssKiB(child.pid());
    sample.endedBySigterm = child.end();
    return sample;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1
               ? static_cast<double>(values[n / 2])
               : (static_cast<double>(values[n / 2 - 1]) + static_cast<double>(values[n / 2])) /
                     2.0;
}

// Prints " key=median key_min=... key_max=...".
void printStats(const char* key, const std::vector<double>& values) {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf(" %s=%.1f %s_min=%.1f %s_max=%.1f", key, median(values), key, *low, key, *high);
}

int run(int argc, char** argv) {
    Options options = parse(argc, argv);
    std::unique_ptr<OwnXServer> server;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        server = std::make_unique<OwnXServer>();
        ::setenv("DISPLAY", server->display().c_str(), 1);
        if (options.verbose) {
            std::fprintf(stderr, "started Xvfb on %s\n", server->display().c_str());
        }
    }
    ScreenReader screen(options.rect, options.colour);
    for (int round = 0; round < options.warmup + options.runs; ++round) {
        const bool counted = round >= options.warmup;
        for (Target& target : options.targets) {
            const Sample sample = measure(target, screen, options);
            if (options.verbose) {
                std::fprintf(stderr, "%s %s %.1f ms (cpu %.1f ms) %ld KiB%s\n",
                             counted ? "run" : "warm-up", target.name.c_str(), sample.millis,
                             sample.cpuMillis, sample.hwmKiB,
                             sample.endedBySigterm ? "" : " (SIGTERM ignored, killed)");
            }
            if (counted) {
                target.millis.push_back(sample.millis);
                target.cpuMillis.push_back(sample.cpuMillis);
                target.hwmKiB.push_back(static_cast<double>(sample.hwmKiB));
                target.endedBySigterm += sample.endedBySigterm ? 1 : 0;
            }
        }
    }
    for (const Target& target : options.targets) {
        std::printf("startup name=%s runs=%zu", target.name.c_str(), target.millis.size());
        printStats("ms", target.millis);
        printStats("cpu_ms", target.cpuMillis);
        printStats("hwm_kib", target.hwmKiB);
        std::printf(" sigterm_ends=%d\n", target.endedBySigterm);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
