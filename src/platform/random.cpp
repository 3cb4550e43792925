// SplitMix64 drives the generator: tiny, fast, full 64-bit period and good enough mixing
// for a screen saver; its exact sequence is pinned by a test.
#include "platform/random.h"

#include <chrono>

namespace platform {

Random Random::FromClock() {
    return Random(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
                  static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
}

float Random::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<float>(z >> 40) * (1.0f / 16777216.0f);
}

}  // namespace platform
