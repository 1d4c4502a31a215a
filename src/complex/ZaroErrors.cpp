#include "ZaroErrors.h"

#include <cmath>

namespace zaro {

double CheckedResult(double value) {
    if (std::isnan(value)) {
        throw EInvalidOp();
    }
    if (std::isinf(value)) {
        throw EOverflow();
    }
    return value;
}

} // namespace zaro
