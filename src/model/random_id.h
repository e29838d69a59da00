#pragma once

#include <cstdint>
#include <functional>

namespace murmex {

// Draws base + (next random number % modulus) from a generator seeded with the
// given seconds until an id is found that `taken` refuses not. After a bounded
// number of draws it falls back to the first free id above base, so the search
// always ends. Returns 0 when the whole range is taken.
int DrawFreeId(std::int64_t seedSeconds, int base, int modulus,
               const std::function<bool(int)>& taken);

} // namespace murmex
