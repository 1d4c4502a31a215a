#include "DenseSystemSolver.h"

#include "DenseSolvers.h"

namespace zaro {

namespace {

void SolveInPlace(std::vector<double>& a, std::vector<double>& b, int n) {
    SolveRealLinear(a, b, n);
}
void SolveInPlace(std::vector<TComplex>& a, std::vector<TComplex>& b, int n) {
    SolveComplexLinear(a, b, n);
}

} // namespace

template <typename T>
const std::vector<T>& TDenseSystemSolver<T>::Solve(const TAssembledSystem<T>& system) {
    const auto n = static_cast<std::size_t>(system.Order());
    Arrays.Matrix.assign(n * n, T{});
    Arrays.Rhs = system.Rhs;
    for (std::size_t e = 0; e < system.Values.size(); ++e) {
        T& element = Arrays.Matrix[static_cast<std::size_t>(system.Rows[e]) * n +
                                   static_cast<std::size_t>(system.Columns[e])];
        element = SumOf(element, system.Values[e]);
    }
    SolveInPlace(Arrays.Matrix, Arrays.Rhs, system.Order());
    return Arrays.Rhs;
}

template class TDenseSystemSolver<double>;
template class TDenseSystemSolver<TComplex>;

} // namespace zaro
