#include "SparseLinearisation.h"

#include "CircuitDevice.h"
#include "NonLinearAnalysis.h"
#include "NumericalChecks.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace zaro {

namespace {

// Newton matrices up to this order, or fuller than one entry in eight, are
// solved by Z_LUDecomposition as the reference does; a sparse factorisation
// pays only beyond.
constexpr int DenseStepLimit = 64;
constexpr int DenseStepFill = 8;

// The perturbed system differs from the factored one by a step of 1e-5 of
// one coefficient, so its small correction matrix I + D Z stays within a
// hair of the identity. A pivot below one half there means the perturbed
// system itself is close to singular, which the update cannot vouch for.
constexpr double SmallestCorrectionPivot = 0.5;

// Solves the k x k system m w = w in place by Gaussian elimination with
// partial pivoting; false when a pivot is too small to trust.
bool SolveCorrection(std::vector<double>& m, std::vector<double>& w, std::size_t k) {
    for (std::size_t c = 0; c < k; ++c) {
        std::size_t p = c;
        for (std::size_t i = c + 1; i < k; ++i) {
            if (std::fabs(m[i * k + c]) > std::fabs(m[p * k + c])) {
                p = i;
            }
        }
        if (!(std::fabs(m[p * k + c]) >= SmallestCorrectionPivot)) {
            return false;
        }
        for (std::size_t j = 0; j < k; ++j) {
            std::swap(m[c * k + j], m[p * k + j]);
        }
        std::swap(w[c], w[p]);
        for (std::size_t i = c + 1; i < k; ++i) {
            const double f = m[i * k + c] / m[c * k + c];
            for (std::size_t j = c; j < k; ++j) {
                m[i * k + j] -= f * m[c * k + j];
            }
            w[i] -= f * w[c];
        }
    }
    for (std::size_t i = k; i-- > 0;) {
        double s = w[i];
        for (std::size_t j = i + 1; j < k; ++j) {
            s -= m[i * k + j] * w[j];
        }
        w[i] = s / m[i * k + i];
    }
    return true;
}

// Puts a parameter back when the block with the shifted value has been
// written, also when writing it raises.
class TParamRestore {
public:
    TParamRestore(double& param, double value) : Param(param), Value(value) {}
    ~TParamRestore() { Param = Value; }
    TParamRestore(const TParamRestore&) = delete;
    TParamRestore& operator=(const TParamRestore&) = delete;

private:
    double& Param;
    double Value;
};

} // namespace

TSparseLinearisation::TSparseLinearisation(TCircuitEquations& equations,
                                           TNonLinearAnalysis& analysis)
    : Equations(equations), Analysis(analysis) {}

// The columns need the factors and the solution of the system at x itself:
// the last evaluation must have been at x and solved here.
void TSparseLinearisation::TakeBase(int n, const TDoubleArray& x) {
    const TNonLinearRegistry& registry = Equations.Registry();
    Factors = Equations.DCFactorisation();
    Base = Equations.DCSolution();
    if (Factors == nullptr || n != registry.NonLinearParamTotal() ||
        static_cast<int>(Base.size()) != Equations.DCSystem().Order() ||
        Base.size() != static_cast<std::size_t>(Equations.State().SystemSize)) {
        throw ESparseDoubt();
    }
    numerics::RequireLength(x, n);
    for (int i = 0; i < n; ++i) {
        if (!(registry.Param(i) == x[static_cast<std::size_t>(i)])) {
            throw ESparseDoubt();
        }
    }
}

// The solution entries (potential and current of each wire) that some
// non-linear device reads.
void TSparseLinearisation::CollectPorts() {
    PortEntries.clear();
    PortSlot.assign(Base.size(), -1);
    for (const int index : Equations.Registry().NonLinearDevices()) {
        const TZaroSimDevice& device = DeviceAt(Equations.Canvas(), index);
        for (int j = 0; j < device.PortCount(); ++j) {
            const int wire = device.PortConnectorNo(j);
            for (const int entry : {2 * wire, 2 * wire + 1}) {
                CheckIndex(entry, static_cast<long long>(Base.size()));
                if (PortSlot[static_cast<std::size_t>(entry)] < 0) {
                    PortSlot[static_cast<std::size_t>(entry)] =
                        static_cast<int>(PortEntries.size());
                    PortEntries.push_back(entry);
                }
            }
        }
    }
    PortValues.resize(PortEntries.size());
}

// The rows of the device whose coefficients or right-hand side move when
// parameter `param` steps from x to x + h, and by how much.
TSparseLinearisation::TChange TSparseLinearisation::ChangeOf(int canvasIndex, int param, double x) {
    const TAssembledSystem<double>& system = Equations.DCSystem();
    CheckIndex(canvasIndex, static_cast<long long>(system.Blocks.size()));
    const TBlockSpan span = system.Blocks[static_cast<std::size_t>(canvasIndex)];
    TZaroSimDevice& device = DeviceAt(Equations.Canvas(), canvasIndex);
    TChange change;
    change.Point = ForwardDifferencePoint(x, change.Step);
    TDCCoefArray coef;
    TDCRhsArray rhs;
    {
        double& slot = Equations.Registry().Param(param);
        TParamRestore restore(slot, x);
        slot = change.Point;
        device.BuildDCDeviceEquation(coef, rhs);
    }
    const int columns = 2 * span.Ports;
    for (int r = 0; r < span.Ports; ++r) {
        const int row = span.FirstRow + r;
        const auto position = static_cast<int>(change.Rows.size());
        bool changed = false;
        for (int q = 0; q < columns; ++q) {
            const auto e = static_cast<std::size_t>(span.FirstEntry + r * columns + q);
            const double delta = coef[r * columns + q] - system.Values[e];
            if (coef[r * columns + q] != system.Values[e]) {
                change.MatrixChanges.push_back({position, delta});
                change.MatrixColumns.push_back(system.Columns[e]);
                changed = true;
            }
        }
        const double rhsDelta = rhs[r] - system.Rhs[static_cast<std::size_t>(row)];
        if (changed || rhs[r] != system.Rhs[static_cast<std::size_t>(row)]) {
            change.Rows.push_back(row);
            change.RhsChanges.push_back(rhsDelta);
        }
    }
    return change;
}

// Column c of z becomes the solution for the unit vector of rows[c].
void TSparseLinearisation::SolveForRows(const std::vector<int>& rows,
                                        std::vector<double>& z) const {
    const std::size_t n = Base.size();
    z.assign(rows.size() * n, 0.0);
    for (std::size_t c = 0; c < rows.size(); ++c) {
        z[c * n + static_cast<std::size_t>(rows[c])] = 1.0;
    }
    if (!rows.empty()) {
        Factors->Solve(z.data(), static_cast<int>(rows.size()));
    }
}

// With the change D in the rows E: (A + E D) y = b + E d gives
// y = base + Z w, Z = A^-1 E, (I + D Z) w = d - D base.
void TSparseLinearisation::PerturbedSolution(const TChange& change,
                                             const std::vector<int>& deviceRows,
                                             const std::vector<double>& z,
                                             TColumnSolution& solution) const {
    const std::size_t k = change.Rows.size();
    const std::size_t n = Base.size();
    solution.Z = &z;
    solution.ZColumns.resize(k);
    for (std::size_t a = 0; a < k; ++a) {
        solution.ZColumns[a] = static_cast<int>(
            std::lower_bound(deviceRows.begin(), deviceRows.end(), change.Rows[a]) -
            deviceRows.begin());
    }
    std::vector<double> m(k * k, 0.0);
    solution.W = change.RhsChanges;
    for (std::size_t a = 0; a < k; ++a) {
        m[a * k + a] = 1.0;
    }
    for (std::size_t e = 0; e < change.MatrixChanges.size(); ++e) {
        const auto a = static_cast<std::size_t>(change.MatrixChanges[e].Row);
        const double delta = change.MatrixChanges[e].Value;
        const auto column = static_cast<std::size_t>(change.MatrixColumns[e]);
        for (std::size_t b = 0; b < k; ++b) {
            m[a * k + b] += delta * z[static_cast<std::size_t>(solution.ZColumns[b]) * n + column];
        }
        solution.W[a] -= delta * Base[column];
    }
    if (!SolveCorrection(m, solution.W, k)) {
        throw ESparseDoubt();
    }
}

// One evaluation at the perturbed point: the devices read the perturbed
// solution at their ports, the progress and the count move as for any other.
void TSparseLinearisation::EvaluateColumn(const TColumnSolution& solution, TDoubleArray& f) {
    const std::size_t n = Base.size();
    for (std::size_t s = 0; s < PortEntries.size(); ++s) {
        const auto entry = static_cast<std::size_t>(PortEntries[s]);
        double value = Base[entry];
        for (std::size_t a = 0; a < solution.W.size(); ++a) {
            value += (*solution.Z)[static_cast<std::size_t>(solution.ZColumns[a]) * n + entry] *
                     solution.W[a];
        }
        PortValues[s] = value;
    }
    Analysis.UpdateNonLinearResiduals([this](int wire) {
        return std::pair(
            PortValues[static_cast<std::size_t>(PortSlot[2 * static_cast<std::size_t>(wire)])],
            PortValues[static_cast<std::size_t>(PortSlot[2 * static_cast<std::size_t>(wire) + 1])]);
    });
    Analysis.CollectResiduals(&f);
}

// The wire arrays as the evaluation of the perturbed system leaves them.
void TSparseLinearisation::Materialise(const TColumnSolution& solution) {
    std::vector<double> y = Base;
    if (solution.Z != nullptr) {
        const std::size_t n = Base.size();
        for (std::size_t a = 0; a < solution.W.size(); ++a) {
            const double* z =
                solution.Z->data() + static_cast<std::size_t>(solution.ZColumns[a]) * n;
            for (std::size_t i = 0; i < n; ++i) {
                y[i] += z[i] * solution.W[a];
            }
        }
    }
    Equations.StoreWireSolution(y);
}

void TSparseLinearisation::Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) {
    TNonLinearRegistry& registry = Equations.Registry();
    TakeBase(n, x);
    numerics::RequireLength(fvec, n);
    CollectPorts();
    Columns.assign(static_cast<std::size_t>(n), {});
    TDoubleArray f(static_cast<std::size_t>(n));
    std::vector<double> z;
    std::vector<double> previousZ;
    TColumnSolution last;
    int k = 0;
    for (const int index : registry.NonLinearDevices()) {
        const int count = DeviceAt(Equations.Canvas(), index).NonLinearParamCount();
        std::vector<TChange> changes;
        std::vector<int> rows;
        for (int p = 0; p < count; ++p) {
            changes.push_back(ChangeOf(index, k + p, x[static_cast<std::size_t>(k + p)]));
            rows.insert(rows.end(), changes.back().Rows.begin(), changes.back().Rows.end());
        }
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        std::swap(z, previousZ);
        if (last.Z == &z) {
            last.Z = &previousZ;
        }
        SolveForRows(rows, z);
        for (int p = 0; p < count; ++p, ++k) {
            const TChange& change = changes[static_cast<std::size_t>(p)];
            registry.Param(k) = change.Point;
            try {
                Equations.CheckUserBreak();
            } catch (...) {
                Materialise(last);
                throw;
            }
            TColumnSolution solution;
            PerturbedSolution(change, rows, z, solution);
            EvaluateColumn(solution, f);
            for (int i = 0; i < n; ++i) {
                const double value =
                    numerics::CheckedDivide(CheckedResult(f[static_cast<std::size_t>(i)]) -
                                                fvec[static_cast<std::size_t>(i)],
                                            change.Step);
                if (value != 0.0) {
                    Columns[static_cast<std::size_t>(k)].push_back({i, value});
                }
            }
            last = std::move(solution);
            if (k < n - 1) {
                registry.Param(k) = x[static_cast<std::size_t>(k)];
            }
        }
    }
    Materialise(last);
}

void TSparseLinearisation::Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const {
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (const TEntry& entry : Columns[static_cast<std::size_t>(i)]) {
            sum += entry.Value * f[static_cast<std::size_t>(entry.Row)];
        }
        g[static_cast<std::size_t>(i)] = CheckedResult(sum);
    }
}

void TSparseLinearisation::Solve(int n, TDoubleArray& p) {
    std::vector<bool> rowUsed(static_cast<std::size_t>(n), false);
    std::size_t entries = 0;
    for (const auto& column : Columns) {
        entries += column.size();
        for (const TEntry& entry : column) {
            rowUsed[static_cast<std::size_t>(entry.Row)] = true;
        }
    }
    if (std::find(rowUsed.begin(), rowUsed.end(), false) != rowUsed.end()) {
        throw EZaroError(MsgLUSingular);
    }
    const auto order = static_cast<std::size_t>(n);
    if (n <= DenseStepLimit || entries * DenseStepFill > order * order) {
        SolveDense(n, p);
    } else {
        SolveSparse(n, p);
    }
}

void TSparseLinearisation::SolveDense(int n, TDoubleArray& p) {
    const auto order = static_cast<std::size_t>(n);
    Dense.assign(order * order, 0.0);
    for (std::size_t j = 0; j < order; ++j) {
        for (const TEntry& entry : Columns[j]) {
            Dense[static_cast<std::size_t>(entry.Row) * order + j] = entry.Value;
        }
    }
    double d;
    Z_LUDecomposition(Dense, n, d, Indx);
    LUBackSubstitution(Dense, n, Indx, p);
}

void TSparseLinearisation::SolveSparse(int n, TDoubleArray& p) {
    TSparsePattern pattern;
    pattern.N = n;
    pattern.Ap.push_back(0);
    std::vector<double> values;
    for (const auto& column : Columns) {
        for (const TEntry& entry : column) {
            pattern.Ai.push_back(entry.Row);
            values.push_back(entry.Value);
        }
        pattern.Ap.push_back(static_cast<int>(pattern.Ai.size()));
    }
    StepFactors.Analyse(pattern);
    if (!StepFactors.Factor(values)) {
        throw ESparseDoubt();
    }
    StepFactors.Solve(p.data(), 1);
    for (int i = 0; i < n; ++i) {
        CheckedResult(p[static_cast<std::size_t>(i)]);
    }
}

} // namespace zaro
