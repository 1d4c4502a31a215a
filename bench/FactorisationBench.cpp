// The sparse factorisation at the orders of the smallest circuits, dense
// (range(1) = 64, the dense limit above every order here) against KLU
// (range(1) = 0): one factorisation, one solve and four more right-hand sides per
// iteration, as one evaluation and its Jacobian columns use them. Where the
// two cross is where the dense limit belongs.

#include "SparseFactorisation.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using zaro::TSparseFactorisation;
using zaro::TSparsePattern;

// About four entries a column, as in the wire systems: the column's own
// row, its neighbours and one far row, signs and sizes mixed.
TSparsePattern WireLikePattern(int n, std::vector<double>& values) {
    std::mt19937 random(2718);
    std::uniform_real_distribution<double> size(0.5, 2.0);
    TSparsePattern pattern;
    pattern.N = n;
    pattern.Ap.push_back(0);
    for (int j = 0; j < n; ++j) {
        std::vector<int> rows{j, (j + 1) % n, (j + n - 1) % n, (j + n / 2) % n};
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        for (const int row : rows) {
            pattern.Ai.push_back(row);
            values.push_back((row == j ? 4.0 : -1.0) * size(random));
        }
        pattern.Ap.push_back(static_cast<int>(pattern.Ai.size()));
    }
    return pattern;
}

void BM_FactorAndSolve(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<double> values;
    const TSparsePattern pattern = WireLikePattern(n, values);
    TSparseFactorisation<double> factors(static_cast<int>(state.range(1)));
    factors.Analyse(pattern);
    std::vector<double> b(static_cast<std::size_t>(5 * n), 1.0);
    for (auto _ : state) {
        if (!factors.Factor(values)) {
            state.SkipWithError("singular");
            return;
        }
        factors.Solve(b.data(), 1);
        factors.Solve(b.data() + n, 4);
        benchmark::DoNotOptimize(b.data());
    }
    state.SetLabel(state.range(1) > 0 ? "dense" : "KLU");
}

} // namespace

BENCHMARK(BM_FactorAndSolve)->ArgsProduct({{8, 12, 16, 24, 32, 48, 64}, {0, 64}});
