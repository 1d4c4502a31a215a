#include "BorderedLinearisation.h"

#include "CircuitDevice.h"
#include "NumericalChecks.h"
#include "OperatingPointCheck.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace zaro {

namespace {

std::atomic<int> Threshold{BorderedParamThreshold};

std::size_t Slot(const std::vector<int>& entries, int entry) {
    return static_cast<std::size_t>(std::find(entries.begin(), entries.end(), entry) -
                                    entries.begin());
}

// The point x + h for a difference by a solution entry x. A junction law
// exp(23 v) read 1e-5 of 15 V away is off by 0.2 %, enough to stall the line
// search on a stiff stage; 1e-8 keeps the truncation near 1e-7 while the
// rounding of the residuals (1e-16 of currents of milliamperes against a step
// of 1e-7 V) stays far below it.
double EntryStepPoint(double x, double& h) {
    h = 1e-8 * std::fabs(x);
    if (h == 0.0) {
        h = 1e-12;
    }
    const double shifted = CheckedResult(x + h);
    h = shifted - x;
    return shifted;
}

} // namespace

int BorderedThreshold() {
    return Threshold.load();
}

TBorderedThresholdScope::TBorderedThresholdScope(int threshold) : Saved(Threshold.load()) {
    Threshold.store(threshold);
}

TBorderedThresholdScope::~TBorderedThresholdScope() {
    Threshold.store(Saved);
}

bool SparseOutcomeStands(const TNonLinearRegistry& registry) {
    return registry.NonLinearParamTotal() <= BorderedThreshold() ||
           ResidualsWithin(registry, NewtonRootTolerance);
}

std::unique_ptr<TNewtonLinearisation> MakeSparseLinearisation(TCircuitEquations& equations,
                                                              TNonLinearAnalysis& analysis) {
    if (equations.Registry().NonLinearParamTotal() > BorderedThreshold()) {
        return std::make_unique<TBorderedLinearisation>(equations, analysis);
    }
    return std::make_unique<TSparseLinearisation>(equations, analysis);
}

void TBorderedLinearisation::Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) {
    TakeBase(n, x);
    numerics::RequireLength(fvec, n);
    ParamColumns.clear();
    EntryDerivatives.clear();
    ParamDerivatives.clear();
    int first = 0;
    for (const int index : Equations.Registry().NonLinearDevices()) {
        TDeviceView view = ViewOf(index, first);
        first += view.ParamCount;
        if (view.ParamCount == 0) {
            continue;
        }
        Equations.CheckUserBreak();
        const std::vector<double> base = Residuals(view);
        AddSolutionDerivatives(view, base);
        AddParamDerivatives(view, index, x, base);
        Residuals(view); // the device as the evaluation at x left it
    }
    if (first != n) {
        throw ESparseDoubt();
    }
    BuildSystem(n);
}

TBorderedLinearisation::TDeviceView TBorderedLinearisation::ViewOf(int canvasIndex,
                                                                   int firstParam) const {
    TDeviceView view;
    view.Device = &DeviceAt(Equations.Canvas(), canvasIndex);
    view.FirstParam = firstParam;
    view.ParamCount = view.Device->IsNonLinear() ? view.Device->NonLinearParamCount() : 0;
    for (int j = 0; j < view.Device->PortCount(); ++j) {
        const int wire = view.Device->PortConnectorNo(j);
        for (const int entry : {2 * wire, 2 * wire + 1}) {
            CheckIndex(entry, static_cast<long long>(Base.size()));
            if (Slot(view.Entries, entry) == view.Entries.size()) {
                view.Entries.push_back(entry);
                view.Values.push_back(Base[static_cast<std::size_t>(entry)]);
            }
        }
    }
    return view;
}

// The device's residuals from the values in the view.
std::vector<double> TBorderedLinearisation::Residuals(const TDeviceView& view) const {
    TPortRealArray potentials;
    TPortRealArray currents;
    for (int j = 0; j < view.Device->PortCount(); ++j) {
        const int wire = view.Device->PortConnectorNo(j);
        potentials[j] = view.Values[Slot(view.Entries, 2 * wire)];
        currents[j] = view.Values[Slot(view.Entries, 2 * wire + 1)];
    }
    view.Device->CalcNonLinearResidual(potentials, currents);
    std::vector<double> residuals(static_cast<std::size_t>(view.ParamCount));
    for (int i = 0; i < view.ParamCount; ++i) {
        residuals[static_cast<std::size_t>(i)] =
            CheckedResult(Equations.Registry().Residual(view.FirstParam + i));
    }
    return residuals;
}

// F_x: one forward difference per solution entry the device reads; two
// ports on one wire move together, as they read the same entry.
void TBorderedLinearisation::AddSolutionDerivatives(TDeviceView& view,
                                                    const std::vector<double>& base) {
    for (std::size_t s = 0; s < view.Entries.size(); ++s) {
        const double value = view.Values[s];
        double h;
        view.Values[s] = EntryStepPoint(value, h);
        const std::vector<double> shifted = Residuals(view);
        view.Values[s] = value;
        for (int i = 0; i < view.ParamCount; ++i) {
            const auto r = static_cast<std::size_t>(i);
            EntryDerivatives.push_back({view.FirstParam + i, view.Entries[s],
                                        numerics::CheckedDivide(shifted[r] - base[r], h)});
        }
    }
}

// F_p at fixed solution entries, and C, for each of the device's parameters.
void TBorderedLinearisation::AddParamDerivatives(const TDeviceView& view, int canvasIndex,
                                                 const TDoubleArray& x,
                                                 const std::vector<double>& base) {
    for (int p = view.FirstParam; p < view.FirstParam + view.ParamCount; ++p) {
        const double value = x[static_cast<std::size_t>(p)];
        const TChange change = ChangeOf(canvasIndex, p, value);
        double& param = Equations.Registry().Param(p);
        param = change.Point;
        std::vector<double> shifted;
        try {
            shifted = Residuals(view);
        } catch (...) {
            param = value;
            throw;
        }
        param = value;
        for (int i = 0; i < view.ParamCount; ++i) {
            const auto r = static_cast<std::size_t>(i);
            ParamDerivatives.push_back(
                {view.FirstParam + i, p,
                 numerics::CheckedDivide(shifted[r] - base[r], change.Step)});
        }
        AddParamColumn(canvasIndex, p, change);
    }
}

// Column p of C over every row of the device's block, so that the positions
// stay the same from step to step: (delta A y - delta b) / h.
void TBorderedLinearisation::AddParamColumn(int canvasIndex, int param, const TChange& change) {
    const TBlockSpan span = Equations.DCSystem().Blocks[static_cast<std::size_t>(canvasIndex)];
    std::vector<double> column(static_cast<std::size_t>(span.Ports), 0.0);
    const auto local = [&](int position) {
        const int row = change.Rows[static_cast<std::size_t>(position)] - span.FirstRow;
        CheckIndex(row, span.Ports);
        return static_cast<std::size_t>(row);
    };
    for (std::size_t e = 0; e < change.MatrixChanges.size(); ++e) {
        column[local(change.MatrixChanges[e].Row)] +=
            change.MatrixChanges[e].Value * Base[static_cast<std::size_t>(change.MatrixColumns[e])];
    }
    for (std::size_t a = 0; a < change.RhsChanges.size(); ++a) {
        column[local(static_cast<int>(a))] -= change.RhsChanges[a];
    }
    for (int r = 0; r < span.Ports; ++r) {
        ParamColumns.push_back(
            {span.FirstRow + r, param,
             numerics::CheckedDivide(column[static_cast<std::size_t>(r)], change.Step)});
    }
}

void TBorderedLinearisation::BuildSystem(int n) {
    const TAssembledSystem<double>& wires = Equations.DCSystem();
    const int order = wires.Order();
    System.Clear(order + n);
    System.Entries.reserve(wires.Values.size() + ParamColumns.size() + EntryDerivatives.size() +
                           ParamDerivatives.size());
    for (std::size_t e = 0; e < wires.Values.size(); ++e) {
        System.Entries.push_back({wires.Rows[e], wires.Columns[e], wires.Values[e]});
    }
    for (const TDerivative& c : ParamColumns) {
        System.Entries.push_back({c.Row, order + c.Column, c.Value});
    }
    for (const TDerivative& d : EntryDerivatives) {
        System.Entries.push_back({order + d.Row, d.Column, d.Value});
    }
    for (const TDerivative& d : ParamDerivatives) {
        System.Entries.push_back({order + d.Row, order + d.Column, d.Value});
    }
}

// g = J^T f = F_p^T f - C^T A^-T F_x^T f.
void TBorderedLinearisation::Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const {
    numerics::RequireLength(f, n);
    numerics::RequireLength(g, n);
    std::vector<double> adjoint(Base.size(), 0.0);
    for (const TDerivative& d : EntryDerivatives) {
        adjoint[static_cast<std::size_t>(d.Column)] += d.Value * f[static_cast<std::size_t>(d.Row)];
    }
    Factors->SolveTransposed(adjoint.data(), 1);
    std::fill_n(g.begin(), n, 0.0);
    for (const TDerivative& d : ParamDerivatives) {
        g[static_cast<std::size_t>(d.Column)] += d.Value * f[static_cast<std::size_t>(d.Row)];
    }
    for (const TDerivative& c : ParamColumns) {
        g[static_cast<std::size_t>(c.Column)] -= c.Value * adjoint[static_cast<std::size_t>(c.Row)];
    }
    for (int i = 0; i < n; ++i) {
        CheckedResult(g[static_cast<std::size_t>(i)]);
    }
}

// A bordered system the sparse factorisation cannot trust has no dense
// fallback of its size; the search goes to the reference path instead.
void TBorderedLinearisation::Solve(int n, TDoubleArray& p) {
    numerics::RequireLength(p, n);
    const auto order = static_cast<std::size_t>(System.Size - n);
    std::fill(System.Rhs.begin(), System.Rhs.end(), 0.0);
    std::copy_n(p.begin(), n, System.Rhs.begin() + static_cast<std::ptrdiff_t>(order));
    std::vector<double> solution;
    if (!Solver.TrySolve(System, solution)) {
        throw ESparseDoubt();
    }
    std::copy_n(solution.begin() + static_cast<std::ptrdiff_t>(order), n, p.begin());
}

} // namespace zaro
