#pragma once
// Which circuits the sparse path takes: those for which it pays from their
// first analysis in a process on. The others it leaves to the dense
// elimination whole, where they run the reference setting's code.

#include "SparseFactorisation.h"

#include <atomic>

namespace zaro {

namespace sparse_path {
// Set while a TSparseThroughoutScope with true lives.
inline std::atomic<bool> Throughout{false};

// Per Newton step the reference eliminates the whole system params + 1
// times (the residuals and one forward difference a parameter); the sparse
// path factors it once, solves sparse and updates. What that saves an
// analysis grows with the eliminations' work, order^3 for each solve and
// each difference; weighing a parameter 4 times a solve (a search has more
// Newton steps than line-search evaluations per step) fits the measured
// savings: (1 + 4 params) * order^3, about 0.45 ns a unit here (0.35 to 0.6
// ns measured: ladders of 24 to 48 unknowns, an LED, a diode, a Zener diode,
// one and two transistor stages). Against it stands its own code, run for
// the first time in a process and found in no cache: the pattern and the
// small dense LU about 7 us, the Jacobian columns about 15 us more, KLU
// (beyond the small LU's 32 unknowns) about 45 us (bench/small-circuits.sh).
inline constexpr double SavedPerUnitUs = 0.45e-3;
inline constexpr double SmallLUFirstRunUs = 7.0;
inline constexpr double ColumnsFirstRunUs = 15.0;
inline constexpr double KluFirstRunUs = 45.0;
} // namespace sparse_path

// Whether the sparse path pays from a circuit's first DC analysis on, for a
// circuit of params non-linear parameters and order unknowns. Where it does
// not, its DC systems go straight to the dense elimination (SetDirectOrder),
// its search takes the reference's own differences and its refinement the
// dense step solver. Always while a TSparseThroughoutScope lives.
// Inline, so that a circuit left dense runs none of the sparse path's own
// code to learn it (a first analysis pays for every page of code it runs).
inline bool SparsePathPays(int params, int order) {
    using namespace sparse_path;
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

// Up to this order a circuit whose elements span beyond a double's
// precision before any of its systems was solved sparse sends the rest of
// them to the dense elimination as well.
inline constexpr int SpanningDenseOrder = 32;

// While it lives the sparse path solves every system itself, however small
// (tests of its own path); with false, as it does by default.
class TSparseThroughoutScope {
public:
    explicit TSparseThroughoutScope(bool throughout = true);
    ~TSparseThroughoutScope();
    TSparseThroughoutScope(const TSparseThroughoutScope&) = delete;
    TSparseThroughoutScope& operator=(const TSparseThroughoutScope&) = delete;

private:
    bool Saved;
};

// Whether a TSparseThroughoutScope with true lives.
inline bool SparseThroughout() {
    return sparse_path::Throughout.load();
}

} // namespace zaro
