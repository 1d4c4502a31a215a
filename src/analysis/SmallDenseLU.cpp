#include "SmallDenseLU.h"

#include "SparseFactorisation.h"

#include <algorithm>
#include <cmath>

namespace zaro {

namespace {

// Plain arithmetic for both kinds, without the library: the sparse path
// computes in the machine's doubles.
double Magnitude(double x) {
    return std::fabs(x);
}
double Magnitude(const TComplex& z) {
    return std::hypot(z.re, z.im);
}
double Times(double a, double b) {
    return a * b;
}
TComplex Times(const TComplex& a, const TComplex& b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
double Minus(double a, double b) {
    return a - b;
}
TComplex Minus(const TComplex& a, const TComplex& b) {
    return {a.re - b.re, a.im - b.im};
}
double Over(double a, double b) {
    return a / b;
}
// Smith's division: no overflow or underflow of |b|^2 on the way.
TComplex Over(const TComplex& a, const TComplex& b) {
    if (std::fabs(b.re) >= std::fabs(b.im)) {
        const double r = b.im / b.re;
        const double d = b.re + b.im * r;
        return {(a.re + a.im * r) / d, (a.im - a.re * r) / d};
    }
    const double r = b.re / b.im;
    const double d = b.re * r + b.im;
    return {(a.re * r + a.im) / d, (a.im * r - a.re) / d};
}
TComplex Over(const TComplex& a, double s) {
    return {a.re / s, a.im / s};
}
bool IsZero(double x) {
    return x == 0.0;
}
bool IsZero(const TComplex& z) {
    return z.re == 0.0 && z.im == 0.0;
}

} // namespace

template <typename T>
bool TSmallDenseLU<T>::Factor(const TSparsePattern& pattern, const std::vector<T>& values) {
    N = pattern.N;
    const auto n = static_cast<std::size_t>(N);
    LU.assign(n * n, T{});
    return ScaleRows(pattern, values) && Eliminate();
}

// Each row divided by its largest entry, as KLU scales by default, so that
// the pivots are chosen on the same matrix.
template <typename T>
bool TSmallDenseLU<T>::ScaleRows(const TSparsePattern& pattern, const std::vector<T>& values) {
    Rs.assign(static_cast<std::size_t>(N), 0.0);
    const auto entries = static_cast<std::size_t>(pattern.Ap[static_cast<std::size_t>(N)]);
    for (std::size_t e = 0; e < entries; ++e) {
        double& scale = Rs[static_cast<std::size_t>(pattern.Ai[e])];
        scale = std::max(scale, Magnitude(values[e]));
    }
    for (const double scale : Rs) {
        if (!(scale > 0.0 && std::isfinite(scale))) {
            return false;
        }
    }
    for (int j = 0; j < N; ++j) {
        T* column = Column(j);
        for (int e = pattern.Ap[j]; e < pattern.Ap[j + 1]; ++e) {
            const int row = pattern.Ai[e];
            column[row] =
                Over(values[static_cast<std::size_t>(e)], Rs[static_cast<std::size_t>(row)]);
        }
    }
    return true;
}

// Partial pivoting; a row as large as the largest keeps its place, as in
// KLU, which prefers the diagonal among equals.
template <typename T> bool TSmallDenseLU<T>::Eliminate() {
    Pivot.resize(static_cast<std::size_t>(N));
    for (int i = 0; i < N; ++i) {
        Pivot[static_cast<std::size_t>(i)] = i;
    }
    for (int k = 0; k < N; ++k) {
        const T* __restrict pivotColumn = Column(k);
        int pivotRow = k;
        double largest = Magnitude(pivotColumn[k]);
        for (int i = k + 1; i < N; ++i) {
            if (Magnitude(pivotColumn[i]) > largest) {
                largest = Magnitude(pivotColumn[i]);
                pivotRow = i;
            }
        }
        if (!(largest > 0.0)) { // zero or NaN
            return false;
        }
        if (pivotRow != k) {
            for (int j = 0; j < N; ++j) {
                std::swap(Column(j)[k], Column(j)[pivotRow]);
            }
            std::swap(Pivot[static_cast<std::size_t>(k)],
                      Pivot[static_cast<std::size_t>(pivotRow)]);
        }
        const T pivot = pivotColumn[k];
        for (int i = k + 1; i < N; ++i) {
            Column(k)[i] = Over(pivotColumn[i], pivot);
        }
        for (int j = k + 1; j < N; ++j) {
            T* __restrict column = Column(j);
            const T u = column[k];
            if (IsZero(u)) {
                continue;
            }
            for (int i = k + 1; i < N; ++i) {
                column[i] = Minus(column[i], Times(pivotColumn[i], u));
            }
        }
    }
    return true;
}

template <typename T>
double TSmallDenseLU<T>::PivotQuality(const TSparsePattern& pattern,
                                      const std::vector<T>& values) const {
    double quality = 1.0;
    for (int k = 0; k < N; ++k) {
        const int row = Pivot[static_cast<std::size_t>(k)];
        double original = 0.0;
        for (int e = pattern.Ap[k]; e < pattern.Ap[k + 1]; ++e) {
            if (pattern.Ai[e] == row) {
                original += Magnitude(values[static_cast<std::size_t>(e)]);
            }
        }
        original /= Rs[static_cast<std::size_t>(row)];
        double taken = 0.0;
        for (int j = 0; j < k; ++j) {
            taken += Magnitude(At(k, j)) * Magnitude(At(j, k));
        }
        const double scale = std::max(original, taken);
        const double ratio = scale > 0.0 ? Magnitude(At(k, k)) / scale : 0.0;
        if (!(ratio >= 0.0)) { // NaN
            return 0.0;
        }
        quality = std::min(quality, ratio);
    }
    return quality;
}

// P R^-1 A = L U: x = U^-1 L^-1 P R^-1 b.
template <typename T> void TSmallDenseLU<T>::Solve(T* b, int count, T* __restrict work) const {
    for (int r = 0; r < count; ++r) {
        T* x = b + static_cast<std::ptrdiff_t>(r) * N;
        for (int k = 0; k < N; ++k) {
            const auto row = static_cast<std::size_t>(Pivot[static_cast<std::size_t>(k)]);
            work[k] = Over(x[row], Rs[row]);
        }
        for (int j = 0; j < N; ++j) {
            const T* __restrict column = Column(j);
            const T w = work[j];
            for (int i = j + 1; i < N; ++i) {
                work[i] = Minus(work[i], Times(column[i], w));
            }
        }
        for (int j = N - 1; j >= 0; --j) {
            const T* __restrict column = Column(j);
            const T w = Over(work[j], column[j]);
            work[j] = w;
            for (int i = 0; i < j; ++i) {
                work[i] = Minus(work[i], Times(column[i], w));
            }
        }
        std::copy(work, work + N, x);
    }
}

// A^T = U^T L^T P R: solve U^T, then L^T, then undo P R.
template <typename T> void TSmallDenseLU<T>::SolveTransposed(T* b, int count, T* work) const {
    for (int r = 0; r < count; ++r) {
        T* x = b + static_cast<std::ptrdiff_t>(r) * N;
        for (int k = 0; k < N; ++k) {
            const T* column = Column(k);
            T sum = x[k];
            for (int i = 0; i < k; ++i) {
                sum = Minus(sum, Times(column[i], work[i]));
            }
            work[k] = Over(sum, column[k]);
        }
        for (int k = N - 1; k >= 0; --k) {
            const T* column = Column(k);
            T sum = work[k];
            for (int i = k + 1; i < N; ++i) {
                sum = Minus(sum, Times(column[i], work[i]));
            }
            work[k] = sum;
        }
        for (int k = 0; k < N; ++k) {
            const auto row = static_cast<std::size_t>(Pivot[static_cast<std::size_t>(k)]);
            x[row] = Over(work[k], Rs[row]);
        }
    }
}

template class TSmallDenseLU<double>;
template class TSmallDenseLU<TComplex>;

} // namespace zaro
