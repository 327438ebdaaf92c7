// How fast the word-list reader loads a file, and how much memory a load takes.
//
// Three generated files: a full table of 30001 short words (what a player's file looks like at
// most), 100 MB of short lines (of which 30001 are kept and the rest counted), and 100 MB in 30001
// long lines (all kept). Each benchmark reports the time of one load into an empty table and,
// from a fresh process that does only that load, its peak resident memory (peak_rss_MiB) and how
// much of it the load added (load_rss_MiB).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>

#include "words/cp1250.h"
#include "words/wordlistfile.h"

namespace {

namespace fs = std::filesystem;
using dyx::operator""_cp;

constexpr const char* kMeasureFlag = "--measure-load=";
constexpr std::size_t kHundredMB = 100'000'000;

struct BenchFiles {
    fs::path dir;
    std::string fullTable;
    std::string shortLines;
    std::string longLines;
};

BenchFiles g_files;
std::string g_self;

// Words of Czech shape in CP1250 capitals, varied so no two lines are alike.
std::string word(std::size_t i) {
    static constexpr std::string_view kStems[] = {"PES"_cp,   "KOČKA"_cp, "MÁTA"_cp, "ČÁP"_cp,
                                                  "ŽELVA"_cp, "KŮŇ"_cp,   "DÝNĚ"_cp, "ŘÍZEK"_cp};
    std::string text(kStems[i % 8]);
    text.append(" ").append(std::to_string(i));
    return text;
}

// Writes lines to path until it holds `bytes` bytes (or `lines` lines, whichever is given).
std::string writeFile(const fs::path& path, std::size_t lines, std::size_t bytes,
                      std::size_t lineLength) {
    std::ofstream out(path, std::ios::binary);
    std::string chunk;
    std::size_t written = 0;
    for (std::size_t i = 0; (lines != 0 && i < lines) || (bytes != 0 && written < bytes); ++i) {
        std::string line = word(i);
        if (line.size() < lineLength) {
            line.resize(lineLength, 'A');
        }
        line += "\r\n";
        written += line.size();
        chunk += line;
        if (chunk.size() > (1u << 20)) {
            out << chunk;
            chunk.clear();
        }
    }
    out << chunk;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
    return path.string();
}

void makeFiles() {
    std::string pattern = (fs::temp_directory_path() / "wordlistbenchXXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    g_files.dir = pattern;
    g_files.fullTable = writeFile(g_files.dir / "full.kil", dyx::CustomWordCapacity, 0, 0);
    g_files.shortLines = writeFile(g_files.dir / "short100mb.kil", 0, kHundredMB, 0);
    g_files.longLines = writeFile(g_files.dir / "long100mb.kil", dyx::CustomWordCapacity, 0,
                                  kHundredMB / dyx::CustomWordCapacity - 2);
}

// The peak resident memory of this process, in KiB (VmHWM: unlike ru_maxrss it starts anew at
// exec, so a child's figure is its own and not its parent's).
long peakRssKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return -1;
}

struct LoadMemory {
    double peakMiB = -1;   // the whole process at its peak
    double addedMiB = -1;  // above what the process held before the load
};

// Runs a fresh process of this program that loads path once and reports its memory.
LoadMemory memoryOfOneLoad(const std::string& path) {
    LoadMemory memory;
    const std::string command = "'" + g_self + "' '" + kMeasureFlag + path + "'";
    std::FILE* child = ::popen(command.c_str(), "r");
    if (child == nullptr) {
        return memory;
    }
    long before = 0;
    long after = 0;
    const bool read = std::fscanf(child, "%ld %ld", &before, &after) == 2;
    if (::pclose(child) == 0 && read) {
        memory.peakMiB = static_cast<double>(after) / 1024.0;
        memory.addedMiB = static_cast<double>(after - before) / 1024.0;
    }
    return memory;
}

void loadBenchmark(benchmark::State& state, const std::string* path) {
    std::size_t count = 0;
    std::size_t leftOut = 0;
    for (auto _ : state) {
        dyx::CustomWordTable table;
        const dyx::WordListLoad load = dyx::loadWordListFile(*path, table);
        count = table.count();
        leftOut = load.linesLeftOut;
        benchmark::DoNotOptimize(table);
    }
    const auto size = static_cast<std::int64_t>(fs::file_size(*path));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
    state.counters["words"] = static_cast<double>(count);
    state.counters["left_out"] = static_cast<double>(leftOut);
    const LoadMemory memory = memoryOfOneLoad(*path);
    state.counters["peak_rss_MiB"] = memory.peakMiB;
    state.counters["load_rss_MiB"] = memory.addedMiB;
}

// The measured child: one load, nothing else; prints its peak memory before and after, in KiB.
int measureOneLoad(const char* path) {
    try {
        const long before = peakRssKiB();
        dyx::CustomWordTable table;
        dyx::loadWordListFile(path, table);
        std::printf("%ld %ld\n", before, peakRssKiB());
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strncmp(argv[1], kMeasureFlag, std::strlen(kMeasureFlag)) == 0) {
        return measureOneLoad(argv[1] + std::strlen(kMeasureFlag));
    }
    g_self = fs::read_symlink("/proc/self/exe").string();
    makeFiles();
    benchmark::RegisterBenchmark("LoadWordList/Full30001Lines", loadBenchmark, &g_files.fullTable)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LoadWordList/100MBShortLines", loadBenchmark, &g_files.shortLines)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("LoadWordList/100MBIn30001Lines", loadBenchmark,
                                 &g_files.longLines)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    const bool ok = !benchmark::ReportUnrecognizedArguments(argc, argv);
    if (ok) {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(g_files.dir, ignored);
    return ok ? 0 : 1;
}
