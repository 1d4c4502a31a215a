#include "RandomSource.h"

#include <chrono>

namespace zaro {

TRandomSource::TRandomSource()
    : Engine(
          static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count())) {
}

double TRandomSource::Next() {
    // 53 random bits scaled by 2^-53: always below 1.
    return static_cast<double>(Engine() >> 11U) * 0x1.0p-53;
}

} // namespace zaro
