#include "game/ports.h"

#include <chrono>

namespace dyx {

std::uint32_t SystemClock::millisecondsSinceMidnightUtc() const {
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(now.count() % (24LL * 60 * 60 * 1000));
}

void DefaultRandom::seed(std::uint32_t seed) {
    m_state = seed;
}

std::uint64_t DefaultRandom::next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint32_t DefaultRandom::draw(std::uint32_t bound) {
    if (bound == 0) {
        return 0;
    }
    // Reject the few values of the top partial block so that every result is equally likely.
    const std::uint32_t limit = UINT32_MAX - UINT32_MAX % bound;
    std::uint32_t value = 0;
    do {
        value = static_cast<std::uint32_t>(next() >> 32);
    } while (value >= limit);
    return value % bound;
}

}  // namespace dyx
