#include "DenseSolvers.h"

#include "ZaroErrors.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <utility>

namespace zaro {

namespace {

// Double arithmetic. The hardware does not trap, so a zero pivot is caught
// before dividing and every finished row is checked for NaN and infinity.
struct TRealArithmetic {
    using TValue = double;

    static double Magnitude(double x) { return std::fabs(x); }

    static double Quotient(double x, double d) {
        if (d == 0.0) {
            if (x == 0.0 || std::isnan(x)) {
                throw EInvalidOp();
            }
            throw EZeroDivide();
        }
        return x / d;
    }

    static double MultiplySubtract(double x, double f, double y) { return x - f * y; }

    // A branch-free scan first (all exponent bits set means NaN or infinity),
    // so the check stays cheap beside the elimination it guards.
    static void Check(const double* values, std::size_t count) {
        constexpr std::uint64_t exponent = 0x7ff0000000000000u;
        bool finite = true;
        for (std::size_t j = 0; j < count; ++j) {
            finite &= (std::bit_cast<std::uint64_t>(values[j]) & exponent) != exponent;
        }
        if (!finite) {
            for (std::size_t j = 0; j < count; ++j) {
                CheckedResult(values[j]);
            }
        }
    }
};

// Complex arithmetic through the ZaroMath binding, whose typed operations
// check each result themselves.
struct TComplexArithmetic {
    using TValue = TComplex;

    // Squared modulus, wide enough not to overflow for parts near 1e200.
    static long double Magnitude(const TComplex& z) {
        return static_cast<long double>(z.re) * z.re + static_cast<long double>(z.im) * z.im;
    }

    static TComplex Quotient(const TComplex& x, const TComplex& d) { return ComplexDivide(x, d); }

    static TComplex MultiplySubtract(const TComplex& x, const TComplex& f, const TComplex& y) {
        return ComplexSubtract(x, ComplexTimes(f, y));
    }

    static void Check(const TComplex*, std::size_t) {}
};

void CheckSizes(std::size_t aSize, std::size_t bSize, std::int32_t n) {
    if (n < 0) {
        throw ERangeError();
    }
    const auto order = static_cast<std::uint64_t>(n);
    if (aSize < order * order || bSize < order) {
        throw ERangeError();
    }
}

// Row-major view of the first n·n entries of A beside b; sizes already checked.
template <typename T> struct TSystem {
    T* A;
    T* B;
    std::size_t N;

    T* Row(std::size_t i) const { return A + i * N; }
};

// The last row below k whose entry exceeds the current diagonal entry.
template <typename Arith, typename T> std::size_t ChoosePivot(const TSystem<T>& s, std::size_t k) {
    const auto diagonal = Arith::Magnitude(s.Row(k)[k]);
    std::size_t pivot = k;
    for (std::size_t i = k + 1; i < s.N; ++i) {
        if (Arith::Magnitude(s.Row(i)[k]) > diagonal) {
            pivot = i;
        }
    }
    return pivot;
}

template <typename T> void ExchangeRows(const TSystem<T>& s, std::size_t k, std::size_t p) {
    T* rowK = s.Row(k);
    T* rowP = s.Row(p);
    for (std::size_t j = k; j < s.N; ++j) {
        std::swap(rowK[j], rowP[j]);
    }
    std::swap(s.B[k], s.B[p]);
}

// Divides row k right of the diagonal, then b[k], by the pivot.
template <typename Arith, typename T> void NormaliseRow(const TSystem<T>& s, std::size_t k) {
    T* row = s.Row(k);
    const T d = row[k];
    for (std::size_t j = k + 1; j < s.N; ++j) {
        row[j] = Arith::Quotient(row[j], d);
    }
    s.B[k] = Arith::Quotient(s.B[k], d);
    Arith::Check(row + k + 1, s.N - k - 1);
    Arith::Check(s.B + k, 1);
}

template <typename Arith, typename T>
void EliminateRow(const TSystem<T>& s, std::size_t k, std::size_t i) {
    const T* pivotRow = s.Row(k);
    T* row = s.Row(i);
    const T f = row[k];
    for (std::size_t j = k + 1; j < s.N; ++j) {
        row[j] = Arith::MultiplySubtract(row[j], f, pivotRow[j]);
    }
    s.B[i] = Arith::MultiplySubtract(s.B[i], f, s.B[k]);
    Arith::Check(row + k + 1, s.N - k - 1);
    Arith::Check(s.B + i, 1);
}

// Rows are normalised, so no division is left to do.
template <typename Arith, typename T> void BackSubstitute(const TSystem<T>& s) {
    for (std::size_t i = s.N; i-- > 0;) {
        const T* row = s.Row(i);
        T sum = s.B[i];
        for (std::size_t j = i + 1; j < s.N; ++j) {
            sum = Arith::MultiplySubtract(sum, row[j], s.B[j]);
        }
        s.B[i] = sum;
        Arith::Check(s.B + i, 1);
    }
}

template <typename Arith, typename T> void Solve(std::span<T> a, std::span<T> b, std::int32_t n) {
    CheckSizes(a.size(), b.size(), n);
    const TSystem<T> s{a.data(), b.data(), static_cast<std::size_t>(n)};
    for (std::size_t k = 0; k < s.N; ++k) {
        const std::size_t p = ChoosePivot<Arith>(s, k);
        if (p != k) {
            ExchangeRows(s, k, p);
        }
        NormaliseRow<Arith>(s, k);
        for (std::size_t i = k + 1; i < s.N; ++i) {
            EliminateRow<Arith>(s, k, i);
        }
    }
    BackSubstitute<Arith>(s);
}

} // namespace

void SolveRealLinear(std::span<double> a, std::span<double> b, std::int32_t n) {
    Solve<TRealArithmetic>(a, b, n);
}

void SolveComplexLinear(std::span<TComplex> a, std::span<TComplex> b, std::int32_t n) {
    Solve<TComplexArithmetic>(a, b, n);
}

} // namespace zaro
