#pragma once
// Snapping of canvas coordinates to a grid of pitch g (g >= 1).

#include <cstdint>

namespace zaro {

// round(v / g) * g, an exact half going to the even multiple.
constexpr std::int32_t RoundToGrid(std::int32_t v, std::int32_t g) {
    std::int64_t q = v / g;
    std::int64_t r = v % g;
    if (r < 0) { // floor division, so 0 <= r < g
        q -= 1;
        r += g;
    }
    if (2 * r > g || (2 * r == g && q % 2 != 0)) {
        q += 1;
    }
    return static_cast<std::int32_t>(q * g);
}

// (v div g) * g, div truncating toward zero.
constexpr std::int32_t TruncToGrid(std::int32_t v, std::int32_t g) {
    return v / g * g;
}

} // namespace zaro
