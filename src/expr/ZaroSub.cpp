#include "ZaroSub.h"

#include "ZaroErrors.h"

namespace zaro {

int ThresholdIndex(std::span<const double> thresholds, double x) {
    if (thresholds.empty()) {
        throw ERangeError();
    }
    for (std::size_t i = 0; i < thresholds.size(); ++i) {
        if (x < thresholds[i]) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(thresholds.size()) - 1;
}

} // namespace zaro
