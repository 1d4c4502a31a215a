// Overhead of the operating-point routines themselves, with cheap functions:
// in an analysis every evaluation is a full circuit solve, so these figures
// show what the routines add on top of n + 1 evaluations per Newton step.

#include "NumericalRecepies.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

using zaro::TDoubleArray;

// A diagonally dominant matrix, so the decomposition never meets a zero row.
TDoubleArray MakeMatrix(int n) {
    std::mt19937 random(4711);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    TDoubleArray a(static_cast<std::size_t>(n) * n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            a[static_cast<std::size_t>(i) * n + j] = value(random) + (i == j ? n : 0.0);
        }
    }
    return a;
}

void BM_LUDecompositionAndSubstitution(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const TDoubleArray a = MakeMatrix(n);
    TDoubleArray work;
    TDoubleArray b;
    zaro::TIntegerArray indx;
    double d;
    for (auto _ : state) {
        work = a;
        b.assign(static_cast<std::size_t>(n), 1.0);
        zaro::Z_LUDecomposition(work, n, d, indx);
        zaro::LUBackSubstitution(work, n, indx, b);
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(BM_LUDecompositionAndSubstitution)->Arg(10)->Arg(50)->Arg(200);

// A chain of diode-like junctions: x_i is the voltage at node i, each node
// feeds its neighbours through 1 kOhm and ground through an exponential.
void DiodeChain(int n, const TDoubleArray& x, TDoubleArray& f) {
    for (int i = 0; i < n; ++i) {
        double left = i > 0 ? x[i - 1] : 5.0;
        double right = i < n - 1 ? x[i + 1] : 0.0;
        f[i] = (left - 2.0 * x[i] + right) / 1000.0 - 1e-14 * (std::exp(x[i] / 0.025) - 1.0);
    }
}

void BM_NewtonDiodeChain(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TDoubleArray x(static_cast<std::size_t>(n), 0.5);
        int check;
        zaro::Z_Newt(x, n, check, DiodeChain);
        benchmark::DoNotOptimize(x.data());
    }
}
BENCHMARK(BM_NewtonDiodeChain)->Arg(5)->Arg(20)->Arg(50)->Unit(benchmark::kMicrosecond);

void BM_PowellCoupledQuadratic(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto objective = [n](const TDoubleArray& p) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i) {
            double r = p[i] - 0.5 * (i + 1 < n ? p[i + 1] : 0.0) - 1.0;
            sum += r * r;
        }
        return sum;
    };
    for (auto _ : state) {
        TDoubleArray p(static_cast<std::size_t>(n), 0.0);
        TDoubleArray xi(static_cast<std::size_t>(n) * n, 0.0);
        for (int i = 0; i < n; ++i) {
            xi[static_cast<std::size_t>(i) * n + i] = 1.0;
        }
        int iter;
        double fret;
        zaro::powell(p, xi, n, 1e-5, iter, fret, objective);
        benchmark::DoNotOptimize(fret);
    }
}
BENCHMARK(BM_PowellCoupledQuadratic)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMicrosecond);

} // namespace
