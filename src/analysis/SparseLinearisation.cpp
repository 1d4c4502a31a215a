#include "SparseLinearisation.h"

#include "CircuitDevice.h"
#include "HelperThread.h"
#include "NonLinearAnalysis.h"
#include "NumericalChecks.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <numeric>
#include <thread>

namespace zaro {

namespace {

std::atomic<int> ColumnsThreshold{ParallelColumnsParamThreshold};

// One helper for each thread that runs analyses, started once: starting a
// thread takes some 300 us here, more than the columns of a small circuit.
THelperThread& ThreadHelper() {
    thread_local THelperThread helper;
    return helper;
}

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

namespace {

// Asks for the cores only when the columns are many enough: the question
// reads a system file, which a small circuit's first analysis need not pay.
bool ColumnsInParallel(int n) {
    const int threshold = ColumnsThreshold.load();
    if (threshold <= 0 || n < threshold) {
        return false;
    }
    static const bool secondCore = std::thread::hardware_concurrency() > 1;
    return secondCore;
}

} // namespace

TParallelColumnsScope::TParallelColumnsScope(int threshold) : Saved(ColumnsThreshold.load()) {
    ColumnsThreshold = threshold;
}

TParallelColumnsScope::~TParallelColumnsScope() {
    ColumnsThreshold = Saved;
}

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
void TSparseLinearisation::SolveForRows(const std::vector<int>& rows, std::vector<double>& z,
                                        TSparseFactorisation<double>::TWorkspace* solver) const {
    const std::size_t n = Base.size();
    z.assign(rows.size() * n, 0.0);
    for (std::size_t c = 0; c < rows.size(); ++c) {
        z[c * n + static_cast<std::size_t>(rows[c])] = 1.0;
    }
    if (rows.empty()) {
        return;
    }
    if (solver != nullptr) {
        Factors->Solve(*solver, z.data(), static_cast<int>(rows.size()));
    } else {
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
void TSparseLinearisation::SolutionAtPorts(const TColumnSolution& solution,
                                           std::vector<double>& values) const {
    const std::size_t n = Base.size();
    values.resize(PortEntries.size());
    for (std::size_t s = 0; s < PortEntries.size(); ++s) {
        const auto entry = static_cast<std::size_t>(PortEntries[s]);
        double value = Base[entry];
        for (std::size_t a = 0; a < solution.W.size(); ++a) {
            value += (*solution.Z)[static_cast<std::size_t>(solution.ZColumns[a]) * n + entry] *
                     solution.W[a];
        }
        values[s] = value;
    }
}

void TSparseLinearisation::EvaluateColumn(const TColumnSolution& solution, TDoubleArray& f) {
    SolutionAtPorts(solution, PortValues);
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

// Column k of the Jacobian from the residuals f at its perturbed point.
void TSparseLinearisation::StoreColumn(int k, const TDoubleArray& f, const TDoubleArray& fvec,
                                       double step) {
    const int n = static_cast<int>(fvec.size());
    std::vector<TEntry>& column = Columns[static_cast<std::size_t>(k)];
    column.clear();
    for (int i = 0; i < n; ++i) {
        const double value = numerics::CheckedDivide(CheckedResult(f[static_cast<std::size_t>(i)]) -
                                                         fvec[static_cast<std::size_t>(i)],
                                                     step);
        if (value != 0.0) {
            column.push_back({i, value});
        }
    }
}

// Each device's parameter changes, computed before any column since they
// depend on the parameters at x only.
void TSparseLinearisation::PlanColumns(const TDoubleArray& x) {
    Plan.clear();
    int k = 0;
    for (const int index : Equations.Registry().NonLinearDevices()) {
        TDeviceColumns device;
        device.Device = &DeviceAt(Equations.Canvas(), index);
        device.FirstParam = k;
        const int count = device.Device->NonLinearParamCount();
        for (int p = 0; p < count; ++p) {
            device.Changes.push_back(ChangeOf(index, k + p, x[static_cast<std::size_t>(k + p)]));
            device.Rows.insert(device.Rows.end(), device.Changes.back().Rows.begin(),
                               device.Changes.back().Rows.end());
        }
        std::sort(device.Rows.begin(), device.Rows.end());
        device.Rows.erase(std::unique(device.Rows.begin(), device.Rows.end()), device.Rows.end());
        for (int j = 0; j < device.Device->PortCount(); ++j) {
            const auto wire = static_cast<std::size_t>(device.Device->PortConnectorNo(j));
            device.PotentialSlots.push_back(PortSlot[2 * wire]);
            device.CurrentSlots.push_back(PortSlot[2 * wire + 1]);
        }
        k += count;
        Plan.push_back(std::move(device));
    }
}

void TSparseLinearisation::Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) {
    TakeBase(n, x);
    numerics::RequireLength(fvec, n);
    CollectPorts();
    Columns.assign(static_cast<std::size_t>(n), {});
    PlanColumns(x);
    const bool parallel = ColumnsInParallel(n) && Plan.size() > 2 &&
                          std::all_of(Plan.begin(), Plan.end(), [](const TDeviceColumns& device) {
                              return device.Device->IsNonLinear();
                          });
    LineariseSerially(parallel ? LineariseInParallel(x, fvec) : 0, n, x, fvec);
}

// The columns of the devices from firstDevice on, one after the other, each
// an evaluation of the devices themselves; the last one's state stays.
void TSparseLinearisation::LineariseSerially(std::size_t firstDevice, int n, const TDoubleArray& x,
                                             const TDoubleArray& fvec) {
    TNonLinearRegistry& registry = Equations.Registry();
    TDoubleArray f(static_cast<std::size_t>(n));
    std::vector<double> z;
    std::vector<double> previousZ;
    TColumnSolution last;
    for (std::size_t d = firstDevice; d < Plan.size(); ++d) {
        const TDeviceColumns& device = Plan[d];
        std::swap(z, previousZ);
        if (last.Z == &z) {
            last.Z = &previousZ;
        }
        SolveForRows(device.Rows, z);
        int k = device.FirstParam;
        for (const TChange& change : device.Changes) {
            registry.Param(k) = change.Point;
            try {
                Equations.CheckUserBreak();
            } catch (...) {
                Materialise(last);
                throw;
            }
            TColumnSolution solution;
            PerturbedSolution(change, device.Rows, z, solution);
            EvaluateColumn(solution, f);
            StoreColumn(k, f, fvec, change.Step);
            last = std::move(solution);
            if (k < n - 1) {
                registry.Param(k) = x[static_cast<std::size_t>(k)];
            }
            ++k;
        }
    }
    Materialise(last);
}

// The columns of every device but the last on this thread and the helper at
// once, each taking the next device not yet taken. The devices are left as
// they are; the counts and the progress follow in column order. Returns the
// device the serial pass goes on from: the last, or the first whose columns
// raised (the serial pass raises it again, after the same evaluations).
std::size_t TSparseLinearisation::LineariseInParallel(const TDoubleArray& x,
                                                      const TDoubleArray& fvec) {
    Equations.CheckUserBreak();
    const std::size_t devices = Plan.size() - 1;
    ColumnSums.assign(x.size(), 0.0);
    Failures.assign(devices, nullptr);
    std::atomic<std::size_t> next{0};
    const auto work = [&](TColumnWork& own) {
        for (std::size_t d = next++; d < devices; d = next++) {
            try {
                ComputeDeviceColumns(d, x, fvec, own);
            } catch (...) {
                Failures[d] = std::current_exception();
                next = devices;
            }
        }
    };
    TColumnWork helperWork;
    helperWork.Solver = Factors->MakeWorkspace();
    TColumnWork ownWork;
    THelperThread& helper = ThreadHelper();
    helper.Start([&] { work(helperWork); });
    work(ownWork);
    helper.Wait();
    std::size_t d = 0;
    for (; d < devices && !Failures[d]; ++d) {
        for (std::size_t c = 0; c < Plan[d].Changes.size(); ++c) {
            Analysis.CountEvaluation(ColumnSums[static_cast<std::size_t>(Plan[d].FirstParam) + c]);
        }
    }
    return d;
}

void TSparseLinearisation::ComputeDeviceColumns(std::size_t d, const TDoubleArray& x,
                                                const TDoubleArray& fvec, TColumnWork& work) {
    const TDeviceColumns& device = Plan[d];
    SolveForRows(device.Rows, work.Z, work.Solver.get());
    work.F.resize(x.size());
    int k = device.FirstParam;
    for (const TChange& change : device.Changes) {
        TColumnSolution solution;
        PerturbedSolution(change, device.Rows, work.Z, solution);
        SolutionAtPorts(solution, work.PortValues);
        ColumnSums[static_cast<std::size_t>(k)] =
            ResidualsAt(work.PortValues, x, k, change.Point, work.F, work.Params);
        StoreColumn(k, work.F, fvec, change.Step);
        ++k;
    }
}

// Every device's residuals with the solution at the ports given and the
// parameters at x but for parameter k at point, as UpdateNonLinearResiduals
// and CollectResiduals would give them; returns the sum of their moduli.
double TSparseLinearisation::ResidualsAt(const std::vector<double>& portValues,
                                         const TDoubleArray& x, int k, double point,
                                         TDoubleArray& f, std::vector<double>& params) const {
    for (const TDeviceColumns& device : Plan) {
        TPortRealArray potentials;
        TPortRealArray currents;
        for (std::size_t j = 0; j < device.PotentialSlots.size(); ++j) {
            potentials[static_cast<int>(j)] =
                portValues[static_cast<std::size_t>(device.PotentialSlots[j])];
            currents[static_cast<int>(j)] =
                portValues[static_cast<std::size_t>(device.CurrentSlots[j])];
        }
        const auto first = static_cast<std::size_t>(device.FirstParam);
        params.assign(x.begin() + static_cast<std::ptrdiff_t>(first),
                      x.begin() + static_cast<std::ptrdiff_t>(first + device.Changes.size()));
        if (k >= device.FirstParam && k < device.FirstParam + static_cast<int>(params.size())) {
            params[static_cast<std::size_t>(k - device.FirstParam)] = point;
        }
        device.Device->NonLinearResidualsAt(potentials, currents, params.data(), f.data() + first);
    }
    double sum = 0.0;
    for (const double residual : f) {
        sum += std::fabs(residual);
    }
    return sum;
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
