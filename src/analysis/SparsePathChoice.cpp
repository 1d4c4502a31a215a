#include "SparsePathChoice.h"

#include "SparseFactorisation.h"

#include <atomic>

namespace zaro {

namespace {

std::atomic<bool> Throughout{false};

// Per Newton step the reference eliminates the whole system params + 1
// times (the residuals and one forward difference a parameter); the sparse
// path factors it once, solves sparse and updates. What that saves an
// analysis grows with the eliminations' work, order^3 for each solve and
// each difference; weighing a parameter 4 times a solve (a search has more
// Newton steps than line-search evaluations per step) fits the measured
// savings: (1 + 4 params) * order^3, about 0.45 ns a unit here
// (0.35 to 0.6 ns measured: ladders of 24 to 48 unknowns, an LED, a diode,
// a Zener diode, one and two transistor stages). Against it stands its own
// code, run for the first time in a process and found in no cache: the
// pattern and the small dense LU about 7 us, the Jacobian columns about 15 us
// more, KLU (beyond the small LU's 32 unknowns) about 45 us
// (bench/small-circuits.sh). The sparse path is taken where it pays from the
// first analysis on.
constexpr double SavedPerUnitUs = 0.45e-3;
constexpr double SmallLUFirstRunUs = 7.0;
constexpr double ColumnsFirstRunUs = 15.0;
constexpr double KluFirstRunUs = 45.0;

} // namespace

bool SparsePathPays(int params, int order) {
    if (Throughout.load()) {
        return true;
    }
    const auto n = static_cast<double>(order);
    const double work = (1.0 + 4.0 * params) * n * n * n;
    double firstRun =
        order > TSparseFactorisation<double>::DenseOrderLimit ? KluFirstRunUs : SmallLUFirstRunUs;
    if (params > 0) {
        firstRun += ColumnsFirstRunUs;
    }
    return work * SavedPerUnitUs >= firstRun;
}

TSparseThroughoutScope::TSparseThroughoutScope(bool throughout) : Saved(Throughout.load()) {
    Throughout = throughout;
}

TSparseThroughoutScope::~TSparseThroughoutScope() {
    Throughout = Saved;
}

bool SparseThroughout() {
    return Throughout.load();
}

} // namespace zaro
