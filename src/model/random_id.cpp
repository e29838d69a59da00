#include "model/random_id.h"

#include <random>

namespace murmex {

int DrawFreeId(std::int64_t seedSeconds, int base, int modulus,
               const std::function<bool(int)>& taken) {
    if (modulus <= 0)
        return 0;
    std::minstd_rand generator(static_cast<std::minstd_rand::result_type>(seedSeconds));
    constexpr int kDraws = 10000;
    for (int i = 0; i < kDraws; ++i) {
        const int id = base + static_cast<int>(generator() % static_cast<unsigned>(modulus));
        if (!taken(id))
            return id;
    }
    for (int offset = 0; offset < modulus; ++offset)
        if (!taken(base + offset))
            return base + offset;
    return 0;
}

} // namespace murmex
