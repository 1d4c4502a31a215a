#include "SparseFactorisation.h"

#include "ZaroErrors.h"

#include <klu.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zaro {

namespace {

// A pivot below this fraction of the largest entry of its column (rows
// scaled to a largest entry of 1) means the elimination cancelled all but
// the last eleven or so of the sixteen digits a double carries: the matrix is
// singular to working precision or close to it. The dense elimination may
// then meet an exact zero pivot where this one did not (or the other way
// round), and the two solutions need not agree beyond the digits left, so
// the system goes to the dense solver, whose outcome is the one defined.
// Sound circuits stay far above it: their smallest pivots are the ratios of
// the element values they hold (a 0.1 mOhm source term beside a 1 MOhm
// leakage is 1e-10 in the worst case measured, the examples and generated
// circuits sit above 1e-7), while singular ones fall to 1e-15 and below.
constexpr double PivotQualityThreshold = 1e-11;

double Magnitude(double x) {
    return std::fabs(x);
}
double Magnitude(const TComplex& z) {
    return std::hypot(z.re, z.im);
}

// The real and the complex entry points of KLU behind one set of names.
template <typename T> struct TKluCalls;

template <> struct TKluCalls<double> {
    static double* Values(const double* x) { return const_cast<double*>(x); }
    static klu_numeric* Factor(TSparsePattern& p, const double* x, klu_symbolic* s,
                               klu_common* c) {
        return klu_factor(p.Ap.data(), p.Ai.data(), Values(x), s, c);
    }
    static int Refactor(TSparsePattern& p, const double* x, klu_symbolic* s, klu_numeric* num,
                        klu_common* c) {
        return klu_refactor(p.Ap.data(), p.Ai.data(), Values(x), s, num, c);
    }
    static int Solve(klu_symbolic* s, klu_numeric* num, int n, int count, double* b,
                     klu_common* c) {
        return klu_solve(s, num, n, count, b, c);
    }
    static void Free(klu_numeric** num, klu_common* c) { klu_free_numeric(num, c); }
    static double Pivot(const klu_numeric* num, int k) {
        return Magnitude(static_cast<const double*>(num->Udiag)[k]);
    }
};

template <> struct TKluCalls<TComplex> {
    // TComplex is two packed doubles, the layout KLU's complex routines use.
    static double* Values(const TComplex* x) {
        return const_cast<double*>(reinterpret_cast<const double*>(x));
    }
    static klu_numeric* Factor(TSparsePattern& p, const TComplex* x, klu_symbolic* s,
                               klu_common* c) {
        return klu_z_factor(p.Ap.data(), p.Ai.data(), Values(x), s, c);
    }
    static int Refactor(TSparsePattern& p, const TComplex* x, klu_symbolic* s, klu_numeric* num,
                        klu_common* c) {
        return klu_z_refactor(p.Ap.data(), p.Ai.data(), Values(x), s, num, c);
    }
    static int Solve(klu_symbolic* s, klu_numeric* num, int n, int count, TComplex* b,
                     klu_common* c) {
        return klu_z_solve(s, num, n, count, Values(b), c);
    }
    static void Free(klu_numeric** num, klu_common* c) { klu_z_free_numeric(num, c); }
    static double Pivot(const klu_numeric* num, int k) {
        const double* d = static_cast<const double*>(num->Udiag);
        return std::hypot(d[2 * k], d[2 * k + 1]);
    }
};

} // namespace

template <typename T> struct TSparseFactorisation<T>::TKlu {
    klu_common Common{};
    klu_symbolic* Symbolic = nullptr;
    klu_numeric* Numeric = nullptr;

    TKlu() {
        klu_defaults(&Common);
        // Plain partial pivoting: the rows of the wire system pair with no
        // particular column, so there is no diagonal worth preferring.
        Common.tol = 1.0;
    }
    ~TKlu() {
        FreeNumeric();
        klu_free_symbolic(&Symbolic, &Common);
    }
    void FreeNumeric() {
        if (Numeric != nullptr) {
            TKluCalls<T>::Free(&Numeric, &Common);
        }
    }
};

template <typename T> class TSparseFactorisation<T>::TWorkspace {
public:
    explicit TWorkspace(int n) : X(4 * static_cast<std::size_t>(std::max(n, 1))) {}
    std::vector<T> X;
    klu_common Common{};
};

template <typename T> TSparseFactorisation<T>::TSparseFactorisation() : Klu(std::make_unique<TKlu>()) {}

template <typename T> TSparseFactorisation<T>::~TSparseFactorisation() = default;

template <typename T> void TSparseFactorisation<T>::Analyse(const TSparsePattern& pattern) {
    Klu->FreeNumeric();
    klu_free_symbolic(&Klu->Symbolic, &Klu->Common);
    Pattern = pattern;
    Quality = 0.0;
    Klu->Symbolic = klu_analyze(Pattern.N, Pattern.Ap.data(), Pattern.Ai.data(), &Klu->Common);
    if (Klu->Symbolic == nullptr) {
        throw EZaroError("Sparse solver: the system cannot be analysed.");
    }
}

template <typename T> bool TSparseFactorisation<T>::Factored() const {
    return Klu->Numeric != nullptr;
}

template <typename T> bool TSparseFactorisation<T>::Factor(const std::vector<T>& values) {
    if (Klu->Symbolic == nullptr || values.size() != Pattern.Ai.size()) {
        throw ERangeError();
    }
    if (Refactor(values) || FactorAfresh(values)) {
        return true;
    }
    Klu->FreeNumeric();
    return false;
}

// The pivot sequence of the last factorisation, as long as it stays sound
// for the new values.
template <typename T> bool TSparseFactorisation<T>::Refactor(const std::vector<T>& values) {
    if (Klu->Numeric == nullptr ||
        !TKluCalls<T>::Refactor(Pattern, values.data(), Klu->Symbolic, Klu->Numeric,
                                &Klu->Common)) {
        return false;
    }
    Quality = MeasureQuality(values);
    return Quality >= PivotQualityThreshold;
}

template <typename T> bool TSparseFactorisation<T>::FactorAfresh(const std::vector<T>& values) {
    Klu->FreeNumeric();
    Klu->Numeric = TKluCalls<T>::Factor(Pattern, values.data(), Klu->Symbolic, &Klu->Common);
    if (Klu->Numeric == nullptr) {
        Quality = 0.0;
        return false;
    }
    Quality = MeasureQuality(values);
    return Quality >= PivotQualityThreshold;
}

template <typename T>
double TSparseFactorisation<T>::MeasureQuality(const std::vector<T>& values) const {
    const klu_numeric* numeric = Klu->Numeric;
    const int* q = Klu->Symbolic->Q;
    const double* rs = numeric->Rs;
    double quality = 1.0;
    for (int k = 0; k < Pattern.N; ++k) {
        const int column = q[k];
        double largest = 0.0;
        for (int e = Pattern.Ap[column]; e < Pattern.Ap[column + 1]; ++e) {
            const double scale = rs != nullptr ? rs[Pattern.Ai[e]] : 1.0;
            largest = std::max(largest, Magnitude(values[e]) / scale);
        }
        const double pivot = TKluCalls<T>::Pivot(numeric, k);
        quality = std::min(quality, largest > 0.0 ? pivot / largest : 0.0);
        if (!(quality >= 0.0)) { // NaN pivot
            return 0.0;
        }
    }
    return quality;
}

template <typename T> void TSparseFactorisation<T>::Solve(T* b, int count) const {
    if (Klu->Numeric == nullptr) {
        throw EZaroError("Sparse solver: no factorisation to solve with.");
    }
    TKluCalls<T>::Solve(Klu->Symbolic, Klu->Numeric, Pattern.N, count, b, &Klu->Common);
}

template <typename T>
std::unique_ptr<typename TSparseFactorisation<T>::TWorkspace>
TSparseFactorisation<T>::MakeWorkspace() const {
    auto workspace = std::make_unique<TWorkspace>(Pattern.N);
    workspace->Common = Klu->Common;
    return workspace;
}

// The solve writes into the numeric object's work array only, so a copy of
// that object pointing at a work array of its own solves with the same
// factors without disturbing anyone else.
template <typename T>
void TSparseFactorisation<T>::Solve(TWorkspace& workspace, T* b, int count) const {
    if (Klu->Numeric == nullptr) {
        throw EZaroError("Sparse solver: no factorisation to solve with.");
    }
    klu_numeric view = *Klu->Numeric;
    view.Xwork = workspace.X.data();
    TKluCalls<T>::Solve(Klu->Symbolic, &view, Pattern.N, count, b, &workspace.Common);
}

template class TSparseFactorisation<double>;
template class TSparseFactorisation<TComplex>;

} // namespace zaro
