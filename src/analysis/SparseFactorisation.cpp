#include "SparseFactorisation.h"

#include "ZaroErrors.h"

#include <klu.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace zaro {

namespace {

// A pivot formed by cancelling its terms down to a fraction q of their size
// carries a relative error of about 1.1e-16 / q. Below 1e-7 fewer than the
// nine digits are left that the two solvers are meant to agree in: the matrix
// is singular to working precision or close to it, the dense elimination may
// meet an exact zero pivot where this one did not (or the other way round),
// and only the dense solver can give the outcome that is defined.
constexpr double PivotQualityThreshold = 1e-7;

double Magnitude(double x) {
    return std::fabs(x);
}
double Magnitude(const TComplex& z) {
    return std::hypot(z.re, z.im);
}

// The factors as klu_extract gives them, for the quality measure, and its
// work arrays: kept from one factorisation to the next, so that refactoring
// allocates nothing once the sizes are reached.
struct TFactors {
    std::vector<int> Lp, Li, Up, Ui, Fp, Fi, P, Q, Blocks;
    std::vector<double> Lx, Lz, Ux, Uz, Fx, Fz, Rs;
    bool Complex = false;
    std::vector<int> RowStart, Fill, RowColumn;
    std::vector<double> RowMagnitude, Taken, Row;

    void Size(const klu_numeric* numeric, bool complex) {
        const auto n = static_cast<std::size_t>(numeric->n);
        const int parts = complex ? 2 : 1;
        Complex = complex;
        Lp.resize(n + 1);
        Up.resize(n + 1);
        Fp.resize(n + 1);
        Li.resize(static_cast<std::size_t>(numeric->lnz));
        Ui.resize(static_cast<std::size_t>(numeric->unz));
        Fi.resize(static_cast<std::size_t>(std::max(numeric->nzoff, 1)));
        Lx.resize(Li.size());
        Ux.resize(Ui.size());
        Fx.resize(Fi.size());
        Lz.resize(parts == 2 ? Li.size() : 1);
        Uz.resize(parts == 2 ? Ui.size() : 1);
        Fz.resize(parts == 2 ? Fi.size() : 1);
        P.resize(n);
        Q.resize(n);
        Rs.resize(n);
    }
    double LMagnitude(int e) const { return Complex ? std::hypot(Lx[e], Lz[e]) : std::fabs(Lx[e]); }
    double UMagnitude(int e) const { return Complex ? std::hypot(Ux[e], Uz[e]) : std::fabs(Ux[e]); }
};

// The real and the complex entry points of KLU behind one set of names.
template <typename T> struct TKluCalls;

template <> struct TKluCalls<double> {
    static double* Values(const double* x) { return const_cast<double*>(x); }
    static klu_numeric* Factor(TSparsePattern& p, const double* x, klu_symbolic* s, klu_common* c) {
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
    static int SolveTransposed(klu_symbolic* s, klu_numeric* num, int n, int count, double* b,
                               klu_common* c) {
        return klu_tsolve(s, num, n, count, b, c);
    }
    static void Free(klu_numeric** num, klu_common* c) { klu_free_numeric(num, c); }
    static double Pivot(const klu_numeric* num, int k) {
        return Magnitude(static_cast<const double*>(num->Udiag)[k]);
    }
    static bool Extract(klu_numeric* num, klu_symbolic* s, TFactors& f, klu_common* c) {
        f.Size(num, false);
        return klu_extract(num, s, f.Lp.data(), f.Li.data(), f.Lx.data(), f.Up.data(), f.Ui.data(),
                           f.Ux.data(), f.Fp.data(), f.Fi.data(), f.Fx.data(), f.P.data(),
                           f.Q.data(), f.Rs.data(), nullptr, c) != 0;
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
    static int SolveTransposed(klu_symbolic* s, klu_numeric* num, int n, int count, TComplex* b,
                               klu_common* c) {
        return klu_z_tsolve(s, num, n, count, Values(b), 0, c);
    }
    static void Free(klu_numeric** num, klu_common* c) { klu_z_free_numeric(num, c); }
    static double Pivot(const klu_numeric* num, int k) {
        const double* d = static_cast<const double*>(num->Udiag);
        return std::hypot(d[2 * k], d[2 * k + 1]);
    }
    static bool Extract(klu_numeric* num, klu_symbolic* s, TFactors& f, klu_common* c) {
        f.Size(num, true);
        f.Blocks.resize(static_cast<std::size_t>(num->n) + 1);
        return klu_z_extract(num, s, f.Lp.data(), f.Li.data(), f.Lx.data(), f.Lz.data(),
                             f.Up.data(), f.Ui.data(), f.Ux.data(), f.Uz.data(), f.Fp.data(),
                             f.Fi.data(), f.Fx.data(), f.Fz.data(), f.P.data(), f.Q.data(),
                             f.Rs.data(), f.Blocks.data(), c) != 0;
    }
};

} // namespace

template <typename T> struct TSparseFactorisation<T>::TKlu {
    klu_common Common{};
    klu_symbolic* Symbolic = nullptr;
    klu_numeric* Numeric = nullptr;
    TFactors Extracted;

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

template <typename T>
TSparseFactorisation<T>::TSparseFactorisation(int denseOrderLimit) : DenseLimit(denseOrderLimit) {}

template <typename T> TSparseFactorisation<T>::~TSparseFactorisation() = default;

template <typename T> void TSparseFactorisation<T>::Analyse(const TSparsePattern& pattern) {
    // KLU's objects exist only for the orders it factors.
    Klu.reset();
    Pattern = pattern;
    Quality = 0.0;
    Analysed = false;
    DenseFactored = false;
    if (!Dense()) {
        Klu = std::make_unique<TKlu>();
        Klu->Symbolic = klu_analyze(Pattern.N, Pattern.Ap.data(), Pattern.Ai.data(), &Klu->Common);
        if (Klu->Symbolic == nullptr) {
            throw EZaroError("Sparse solver: the system cannot be analysed.");
        }
    }
    Analysed = true;
}

template <typename T> bool TSparseFactorisation<T>::Factored() const {
    return Dense() ? DenseFactored : Klu != nullptr && Klu->Numeric != nullptr;
}

template <typename T> bool TSparseFactorisation<T>::Factor(const std::vector<T>& values) {
    if (!Analysed || values.size() != Pattern.Ai.size()) {
        throw ERangeError();
    }
    if (Dense()) {
        return FactorDense(values);
    }
    if (Refactor(values) || FactorAfresh(values)) {
        return true;
    }
    Klu->FreeNumeric();
    return false;
}

// Pivoting afresh each time costs the dense factors nothing worth keeping
// a pivot sequence for.
template <typename T> bool TSparseFactorisation<T>::FactorDense(const std::vector<T>& values) {
    DenseFactored = SmallLU.Factor(Pattern, values);
    Quality = DenseFactored ? SmallLU.PivotQuality(Pattern, values) : 0.0;
    DenseFactored = DenseFactored && Quality >= PivotQualityThreshold;
    return DenseFactored;
}

// The pivot sequence of the last factorisation, as long as it stays sound
// for the new values.
template <typename T> bool TSparseFactorisation<T>::Refactor(const std::vector<T>& values) {
    if (Klu->Numeric == nullptr || !TKluCalls<T>::Refactor(Pattern, values.data(), Klu->Symbolic,
                                                           Klu->Numeric, &Klu->Common)) {
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

// For every pivot u_kk = a_kk - sum over j < k of l_kj u_jk (a the permuted,
// row-scaled matrix): |u_kk| against the largest of |a_kk| and the summed
// magnitudes of what was taken off it. The ratio does not change when rows
// or columns are scaled, so tiny element values (a capacitor's 1e20 Ohm in
// DC) leave it alone; only cancellation lowers it.
template <typename T>
double TSparseFactorisation<T>::MeasureQuality(const std::vector<T>& values) const {
    TFactors& f = Klu->Extracted;
    if (!TKluCalls<T>::Extract(Klu->Numeric, Klu->Symbolic, f, &Klu->Common)) {
        return 0.0;
    }
    const int n = Pattern.N;
    // Row j of U as (column, magnitude) pairs, by counting.
    std::vector<int>& rowStart = f.RowStart;
    rowStart.assign(static_cast<std::size_t>(n) + 1, 0);
    for (int e = 0; e < f.Up[n]; ++e) {
        ++rowStart[static_cast<std::size_t>(f.Ui[e]) + 1];
    }
    std::partial_sum(rowStart.begin(), rowStart.end(), rowStart.begin());
    std::vector<int>& fill = f.Fill;
    fill.assign(rowStart.begin(), rowStart.end() - 1);
    std::vector<int>& rowColumn = f.RowColumn;
    rowColumn.resize(static_cast<std::size_t>(f.Up[n]));
    std::vector<double>& rowMagnitude = f.RowMagnitude;
    rowMagnitude.resize(rowColumn.size());
    for (int k = 0; k < n; ++k) {
        for (int e = f.Up[k]; e < f.Up[k + 1]; ++e) {
            const int slot = fill[static_cast<std::size_t>(f.Ui[e])]++;
            rowColumn[static_cast<std::size_t>(slot)] = k;
            rowMagnitude[static_cast<std::size_t>(slot)] = f.UMagnitude(e);
        }
    }
    // taken[k] = sum over j < k of |l_kj| |u_jk|: column j of L against row j of U.
    std::vector<double>& taken = f.Taken;
    taken.assign(static_cast<std::size_t>(n), 0.0);
    std::vector<double>& row = f.Row;
    row.assign(static_cast<std::size_t>(n), 0.0);
    for (int j = 0; j < n; ++j) {
        for (int e = rowStart[j]; e < rowStart[j + 1]; ++e) {
            row[static_cast<std::size_t>(rowColumn[e])] = rowMagnitude[e];
        }
        for (int e = f.Lp[j]; e < f.Lp[j + 1]; ++e) {
            const int k = f.Li[e];
            if (k > j) {
                taken[static_cast<std::size_t>(k)] +=
                    f.LMagnitude(e) * row[static_cast<std::size_t>(k)];
            }
        }
        for (int e = rowStart[j]; e < rowStart[j + 1]; ++e) {
            row[static_cast<std::size_t>(rowColumn[e])] = 0.0;
        }
    }
    double quality = 1.0;
    for (int k = 0; k < n; ++k) {
        const int r = f.P[k];
        const int column = f.Q[k];
        double original = 0.0;
        for (int e = Pattern.Ap[column]; e < Pattern.Ap[column + 1]; ++e) {
            if (Pattern.Ai[e] == r) {
                original += Magnitude(values[e]);
            }
        }
        // The factors hold the scale factors in pivot order.
        original /= f.Rs[static_cast<std::size_t>(k)];
        const double pivot = TKluCalls<T>::Pivot(Klu->Numeric, k);
        const double scale = std::max(original, taken[static_cast<std::size_t>(k)]);
        const double ratio = scale > 0.0 ? pivot / scale : 0.0;
        if (!(ratio >= 0.0)) { // NaN
            return 0.0;
        }
        quality = std::min(quality, ratio);
    }
    return quality;
}

template <typename T> void TSparseFactorisation<T>::RequireFactors() const {
    if (!Factored()) {
        throw EZaroError("Sparse solver: no factorisation to solve with.");
    }
}

template <typename T> void TSparseFactorisation<T>::Solve(T* b, int count) const {
    RequireFactors();
    if (Dense()) {
        DenseWork.resize(static_cast<std::size_t>(Pattern.N));
        SmallLU.Solve(b, count, DenseWork.data());
        return;
    }
    TKluCalls<T>::Solve(Klu->Symbolic, Klu->Numeric, Pattern.N, count, b, &Klu->Common);
}

template <typename T> void TSparseFactorisation<T>::SolveTransposed(T* b, int count) const {
    RequireFactors();
    if (Dense()) {
        DenseWork.resize(static_cast<std::size_t>(Pattern.N));
        SmallLU.SolveTransposed(b, count, DenseWork.data());
        return;
    }
    TKluCalls<T>::SolveTransposed(Klu->Symbolic, Klu->Numeric, Pattern.N, count, b, &Klu->Common);
}

template <typename T>
std::shared_ptr<typename TSparseFactorisation<T>::TWorkspace>
TSparseFactorisation<T>::MakeWorkspace() const {
    auto workspace = std::make_shared<TWorkspace>(Pattern.N);
    if (Klu != nullptr) {
        workspace->Common = Klu->Common;
    }
    return workspace;
}

// The solve writes into the numeric object's work array only, so a copy of
// that object pointing at a work array of its own solves with the same
// factors without disturbing anyone else.
template <typename T>
void TSparseFactorisation<T>::Solve(TWorkspace& workspace, T* b, int count) const {
    RequireFactors();
    if (Dense()) {
        SmallLU.Solve(b, count, workspace.X.data());
        return;
    }
    klu_numeric view = *Klu->Numeric;
    view.Xwork = workspace.X.data();
    TKluCalls<T>::Solve(Klu->Symbolic, &view, Pattern.N, count, b, &workspace.Common);
}

template class TSparseFactorisation<double>;
template class TSparseFactorisation<TComplex>;

} // namespace zaro
