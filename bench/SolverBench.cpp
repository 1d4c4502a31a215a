// Dense solvers at the sizes a large circuit reaches: n = 100, 200, 400.
// The complex solver makes one ZaroMath call per arithmetic operation.

#include "DenseSolvers.h"
#include "ZaroMathImport.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using zaro::TComplex;

// A diagonally dominant system, so every size solves without a math error.
template <typename T, typename Make> std::vector<T> MakeMatrix(std::int32_t n, Make make) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<T> a(static_cast<std::size_t>(n) * n);
    for (std::int32_t i = 0; i < n; ++i) {
        for (std::int32_t j = 0; j < n; ++j) {
            const double extra = i == j ? n : 0.0;
            a[static_cast<std::size_t>(i) * n + j] = make(value(random) + extra, value(random));
        }
    }
    return a;
}

template <typename T, typename Make, typename Solve>
void RunSolver(benchmark::State& state, Make make, Solve solve) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    const std::vector<T> a = MakeMatrix<T>(n, make);
    const std::vector<T> b(static_cast<std::size_t>(n), make(1.0, 0.5));
    std::vector<T> workA;
    std::vector<T> workB;
    for (auto _ : state) {
        state.PauseTiming();
        workA = a;
        workB = b;
        state.ResumeTiming();
        solve(workA, workB, n);
        benchmark::DoNotOptimize(workB.data());
    }
}

void BM_SolveRealLinear(benchmark::State& state) {
    RunSolver<double>(
        state, [](double re, double) { return re; },
        [](std::vector<double>& a, std::vector<double>& b, std::int32_t n) {
            zaro::SolveRealLinear(a, b, n);
        });
}

void BM_SolveComplexLinear(benchmark::State& state) {
    zaro::LoadZaroMath();
    if (!zaro::ZaroMathLoaded()) {
        state.SkipWithError("libZaroMath.so not found beside the benchmark");
        return;
    }
    RunSolver<TComplex>(
        state,
        [](double re, double im) {
            return TComplex{re, im};
        },
        [](std::vector<TComplex>& a, std::vector<TComplex>& b, std::int32_t n) {
            zaro::SolveComplexLinear(a, b, n);
        });
}

BENCHMARK(BM_SolveRealLinear)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveComplexLinear)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

} // namespace
