#include "SparseSystemSolver.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zaro {

namespace {

bool IsZero(double x) {
    return x == 0.0;
}
bool IsZero(const TComplex& z) {
    return z.re == 0.0 && z.im == 0.0;
}

bool IsFinite(double x) {
    return std::isfinite(x);
}
bool IsFinite(const TComplex& z) {
    return std::isfinite(z.re) && std::isfinite(z.im);
}

double Magnitude(double x) {
    return std::fabs(x);
}
double Magnitude(const TComplex& z) {
    return std::hypot(z.re, z.im);
}

// Entries that span more than the 53 bits of a double: the dense elimination
// adds some of them to others so much larger that they vanish, and which ones
// depends on its pivot order (a capacitor's 1e20 Ohm in DC beside a source's
// 0.1 mOhm). It may then meet an exact zero pivot in a system that is not
// singular, or lose the small entries' part of the solution; only the dense
// elimination itself can tell, so such a system is badly conditioned for the
// purpose of agreeing with it.
constexpr double AbsorbingSpread = 9007199254740992.0; // 2^53

template <typename T> bool SpansBeyondPrecision(const std::vector<T>& values) {
    double smallest = std::numeric_limits<double>::infinity();
    double largest = 0.0;
    for (const T& v : values) {
        const double m = Magnitude(v);
        if (m > 0.0) {
            smallest = std::min(smallest, m);
            largest = std::max(largest, m);
        }
    }
    return largest > AbsorbingSpread * smallest;
}

template <typename T> bool AllFinite(const std::vector<T>& values) {
    return std::all_of(values.begin(), values.end(), [](const T& v) { return IsFinite(v); });
}

// Plain addition for both kinds: in the sparse path an element is the sum of
// its entries in assembly order, as in the dense one, without the library.
double Plus(double a, double b) {
    return a + b;
}
TComplex Plus(const TComplex& a, const TComplex& b) {
    return {a.re + b.re, a.im + b.im};
}

} // namespace

template <typename T> void TSparseSystemSolver<T>::Reset() {
    StructureVersion = ~std::uint64_t{0};
    FDirectOrder = 0;
    LastSolvedHere = false;
    HandOvers = 0;
    SparseSolves = 0;
    Arrays.Matrix.clear();
    Arrays.Matrix.shrink_to_fit();
}

template <typename T> const TSparseFactorisation<T>* TSparseSystemSolver<T>::Factorisation() const {
    return LastSolvedHere ? &Factors : nullptr;
}

template <typename T>
const std::vector<T>& TSparseSystemSolver<T>::Solve(const TAssembledSystem<T>& system) {
    LastSolvedHere = false;
    if (system.Order() <= FDirectOrder) {
        return HandOver(system);
    }
    if (!AllFinite(system.Values) || !AllFinite(system.Rhs)) {
        return HandOver(system);
    }
    if (SpansBeyondPrecision(system.Values)) {
        // A small circuit whose elements span that far (a capacitor in DC
        // beside a source) does so in every system of the preparation: the
        // rest go to the dense elimination without the checks. Not once a
        // system was solved here: the preparation would then seem to have
        // gone dense throughout.
        if (system.Order() <= SpanningDenseOrder && SparseSolves == 0 && !SparseThroughout()) {
            FDirectOrder = std::max(FDirectOrder, system.Order());
        }
        return HandOver(system);
    }
    if (!PatternFits(system)) {
        BuildPattern(system);
    }
    FillValues(system);
    if (!Factors.Factor(Values)) {
        return HandOver(system);
    }

    Solution = system.Rhs;
    Factors.Solve(Solution.data(), 1);
    if (!AllFinite(Solution)) {
        return HandOver(system);
    }
    LastSolvedHere = true;
    ++SparseSolves;
    return Solution;
}

template <typename T>
const std::vector<T>& TSparseSystemSolver<T>::HandOver(const TAssembledSystem<T>& system) {
    ++HandOvers;
    return Dense.Solve(system);
}

// The pattern holds every position that carried a non-zero value since the
// structure was set up; a new one needs a new ordering.
template <typename T>
bool TSparseSystemSolver<T>::PatternFits(const TAssembledSystem<T>& system) const {
    if (system.StructureVersion() != StructureVersion) {
        return false;
    }
    for (std::size_t e = 0; e < system.Values.size(); ++e) {
        if (Slots[e] < 0 && !IsZero(system.Values[e])) {
            return false;
        }
    }
    return true;
}

template <typename T> void TSparseSystemSolver<T>::BuildPattern(const TAssembledSystem<T>& system) {
    const bool sameStructure = system.StructureVersion() == StructureVersion;
    const std::size_t count = system.Values.size();
    std::vector<int> used;
    for (std::size_t e = 0; e < count; ++e) {
        if (!IsZero(system.Values[e]) || (sameStructure && Slots[e] >= 0)) {
            used.push_back(static_cast<int>(e));
        }
    }
    Slots.assign(count, -1);
    const TSparsePattern pattern =
        CompressColumns(system.Order(), used, system.Rows, system.Columns, Slots);
    Factors.Analyse(pattern);
    Values.assign(pattern.Ai.size(), T{});
    StructureVersion = system.StructureVersion();
}

template <typename T> void TSparseSystemSolver<T>::FillValues(const TAssembledSystem<T>& system) {
    std::fill(Values.begin(), Values.end(), T{});
    for (std::size_t e = 0; e < system.Values.size(); ++e) {
        const int slot = Slots[e];
        if (slot >= 0) {
            Values[static_cast<std::size_t>(slot)] =
                Plus(Values[static_cast<std::size_t>(slot)], system.Values[e]);
        }
    }
}

template class TSparseSystemSolver<double>;
template class TSparseSystemSolver<TComplex>;

template <typename T>
std::unique_ptr<TSystemSolver<T>> MakeSystemSolver(TSolverKind kind, TDenseArrays<T> arrays) {
    if (kind == TSolverKind::Reference) {
        return std::make_unique<TDenseSystemSolver<T>>(arrays);
    }
    return std::make_unique<TSparseSystemSolver<T>>(arrays);
}

template std::unique_ptr<TSystemSolver<double>> MakeSystemSolver(TSolverKind, TDenseArrays<double>);
template std::unique_ptr<TSystemSolver<TComplex>> MakeSystemSolver(TSolverKind,
                                                                   TDenseArrays<TComplex>);

} // namespace zaro
