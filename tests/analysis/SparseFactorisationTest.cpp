// The sparse factorisation with its small dense LU and with KLU: the same
// solutions (plain, transposed, several right-hand sides), the same refusals of singular and
// cancelled matrices, real and complex.

#include "SparseFactorisation.h"
#include "ZaroErrors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace zaro::test {
namespace {

constexpr int AlwaysDense = 64;
constexpr int NeverDense = 0;

double Magnitude(double x) {
    return std::fabs(x);
}
double Magnitude(const TComplex& z) {
    return std::hypot(z.re, z.im);
}
TComplex operator*(const TComplex& a, const TComplex& b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
TComplex operator-(const TComplex& a, const TComplex& b) {
    return {a.re - b.re, a.im - b.im};
}

// A matrix given row by row; its zeros stay out of the pattern.
template <typename T> struct TMatrix {
    std::vector<std::vector<T>> Rows;

    int Order() const { return static_cast<int>(Rows.size()); }
    TSparsePattern Pattern(std::vector<T>& values) const {
        TSparsePattern pattern;
        pattern.N = Order();
        pattern.Ap.push_back(0);
        for (int j = 0; j < Order(); ++j) {
            for (int i = 0; i < Order(); ++i) {
                if (Magnitude(Rows[i][j]) != 0.0) {
                    pattern.Ai.push_back(i);
                    values.push_back(Rows[i][j]);
                }
            }
            pattern.Ap.push_back(static_cast<int>(pattern.Ai.size()));
        }
        return pattern;
    }
    // Largest entry of A x - b (or A^T x - b) against the sizes of its terms.
    double Residual(const std::vector<T>& x, const std::vector<T>& b, bool transposed) const {
        double worst = 0.0;
        for (int i = 0; i < Order(); ++i) {
            T sum = b[i];
            double size = Magnitude(b[i]);
            for (int j = 0; j < Order(); ++j) {
                const T a = transposed ? Rows[j][i] : Rows[i][j];
                sum = sum - a * x[j];
                size += Magnitude(a * x[j]);
            }
            worst = std::max(worst, Magnitude(sum) / size);
        }
        return worst;
    }
};

template <typename T> T Entry(double value, int salt) {
    if constexpr (std::is_same_v<T, double>) {
        (void)salt;
        return value;
    } else {
        return TComplex{value, 0.25 * value * ((salt % 3) - 1)};
    }
}

// Pivoting needed (zero diagonal), rows scaled 1e20 apart, a wire-like
// pattern of about four entries a column.
template <typename T> std::vector<std::pair<std::string, TMatrix<T>>> SoundMatrices() {
    std::vector<std::pair<std::string, TMatrix<T>>> matrices;
    matrices.push_back({"zero diagonal",
                        {{{T{}, Entry<T>(2, 1), Entry<T>(1, 2)},
                          {Entry<T>(1, 3), T{}, Entry<T>(-1, 4)},
                          {Entry<T>(3, 5), Entry<T>(1, 6), T{}}}}});
    matrices.push_back({"rows 1e20 apart",
                        {{{Entry<T>(1, 1), Entry<T>(-1, 2), Entry<T>(-1e20, 3)},
                          {Entry<T>(1, 4), Entry<T>(1e-4, 5), T{}},
                          {T{}, Entry<T>(1, 6), Entry<T>(1, 7)}}}});
    TMatrix<T> wire;
    std::mt19937 random(99);
    std::uniform_real_distribution<double> size(0.5, 2.0);
    const int n = 20;
    wire.Rows.assign(n, std::vector<T>(n, T{}));
    for (int j = 0; j < n; ++j) {
        for (const int i : {j, (j + 1) % n, (j + n / 2) % n}) {
            wire.Rows[i][j] = Entry<T>((i == j ? 3.0 : -1.0) * size(random), i + j);
        }
    }
    matrices.push_back({"wire-like", wire});
    return matrices;
}

template <typename T>
void ExpectSolves(const TMatrix<T>& matrix, int denseLimit, const std::string& title) {
    std::vector<T> values;
    const TSparsePattern pattern = matrix.Pattern(values);
    TSparseFactorisation<T> factors(denseLimit);
    factors.Analyse(pattern);
    ASSERT_TRUE(factors.Factor(values)) << title;
    EXPECT_TRUE(factors.Factored());
    const int n = matrix.Order();
    std::vector<T> b;
    for (int k = 0; k < 3 * n; ++k) {
        b.push_back(Entry<T>(1.0 + k % 5, k));
    }
    std::vector<T> x = b;
    factors.Solve(x.data(), 3);
    std::vector<T> transposed = b;
    factors.SolveTransposed(transposed.data(), 1);
    for (int r = 0; r < 3; ++r) {
        const std::vector<T> br(b.begin() + r * n, b.begin() + (r + 1) * n);
        const std::vector<T> xr(x.begin() + r * n, x.begin() + (r + 1) * n);
        EXPECT_LT(matrix.Residual(xr, br, false), 1e-14) << title << ", right-hand side " << r;
    }
    const std::vector<T> b0(b.begin(), b.begin() + n);
    EXPECT_LT(matrix.Residual({transposed.begin(), transposed.begin() + n}, b0, true), 1e-14)
        << title << ", transposed";
}

template <typename T> void ExpectRefused(const TMatrix<T>& matrix, const std::string& title) {
    for (const int limit : {AlwaysDense, NeverDense}) {
        std::vector<T> values;
        TSparseFactorisation<T> factors(limit);
        factors.Analyse(matrix.Pattern(values));
        EXPECT_FALSE(factors.Factor(values)) << title << ", dense limit " << limit;
        EXPECT_FALSE(factors.Factored());
        std::vector<T> b(static_cast<std::size_t>(matrix.Order()), Entry<T>(1, 0));
        EXPECT_THROW(factors.Solve(b.data(), 1), EZaroError) << title;
    }
}

template <typename T> void ExpectBothWays() {
    for (const auto& [title, matrix] : SoundMatrices<T>()) {
        ExpectSolves(matrix, AlwaysDense, title + ", dense");
        ExpectSolves(matrix, NeverDense, title + ", KLU");
    }
    const T one = Entry<T>(1, 1);
    const T nan = Entry<T>(std::nan(""), 0);
    ExpectRefused<T>({{{one, one}, {one, one}}}, "singular");
    ExpectRefused<T>({{{one, one}, {one, Entry<T>(1 + 1e-10, 1)}}}, "cancelled to 1e-10");
    ExpectRefused<T>({{{one, nan}, {one, one}}}, "not a number");
}

TEST(SparseFactorisation, DenseAndKluSolveAndRefuseAlikeReal) {
    ExpectBothWays<double>();
}

TEST(SparseFactorisation, DenseAndKluSolveAndRefuseAlikeComplex) {
    ExpectBothWays<TComplex>();
}

TEST(SparseFactorisation, TheQualityMeasuresCancellationOnBothPaths) {
    const TMatrix<double> cancelled{{{1, 1}, {1, 1 + 1e-5}}};
    for (const int limit : {AlwaysDense, NeverDense}) {
        std::vector<double> values;
        TSparseFactorisation<double> factors(limit);
        factors.Analyse(cancelled.Pattern(values));
        ASSERT_TRUE(factors.Factor(values));
        EXPECT_NEAR(factors.PivotQuality(), 1e-5, 1e-9) << "dense limit " << limit;
    }
}

// A new structure of another order may cross the limit either way.
TEST(SparseFactorisation, AnOrderAcrossTheLimitChangesTheMethod) {
    const TMatrix<double> small{{{2, 0}, {0, 4}}};
    std::vector<std::pair<std::string, TMatrix<double>>> sequence{{"small", small}};
    for (const auto& entry : SoundMatrices<double>()) {
        sequence.push_back(entry);
    }
    sequence.push_back({"small again", small});
    TSparseFactorisation<double> factors(2);
    for (const auto& [title, matrix] : sequence) {
        std::vector<double> values;
        factors.Analyse(matrix.Pattern(values));
        ASSERT_TRUE(factors.Factor(values)) << title;
        const std::vector<double> b(static_cast<std::size_t>(matrix.Order()), 1.0);
        std::vector<double> x = b;
        factors.Solve(x.data(), 1);
        EXPECT_LT(matrix.Residual(x, b, false), 1e-14) << title;
    }
}

} // namespace
} // namespace zaro::test
