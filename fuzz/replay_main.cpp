// Runs the fuzz target once over every file in the given folders, without libFuzzer, so the
// ordinary test suite (and its sanitizer build) replays the seed corpus and any crash found later.
// Prints "N passed, 0 failed"; a failed check aborts the program.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const auto& item : std::filesystem::directory_iterator(argv[i])) {
            if (!item.is_regular_file()) {
                continue;
            }
            std::ifstream in(item.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "no inputs found\n");
        return 1;
    }
    std::printf("%d passed, 0 failed\n", replayed);
    return 0;
}
