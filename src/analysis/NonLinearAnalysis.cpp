#include "NonLinearAnalysis.h"

#include "CircuitDevice.h"
#include "OperatingPointCheck.h"
#include "ProgressDlg.h"
#include "RobustOperatingPoint.h"
#include "Sources.h"
#include "SparseSearchLinearisation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

namespace zaro {

namespace {

constexpr double PowellTolerance = 1e-5;
constexpr double FirstRatio = 0.1;
constexpr double MaxStep = 0.1;
constexpr double MinFraction = 1e-5;

bool IsSteppedSource(const TZaroSimDevice& device) {
    return dynamic_cast<const TVDC*>(&device) != nullptr ||
           dynamic_cast<const TLevel*>(&device) != nullptr ||
           dynamic_cast<const TISRC*>(&device) != nullptr;
}

TDoubleArray IdentityMatrix(int n) {
    TDoubleArray xi(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) {
        xi[static_cast<std::size_t>(i) * static_cast<std::size_t>(n) +
           static_cast<std::size_t>(i)] = 1.0;
    }
    return xi;
}

} // namespace

std::string FormatRatio(double ratio) {
    char text[64];
    std::snprintf(text, sizeof text, "%7.5f", ratio);
    return text;
}

TNonLinearAnalysis::TNonLinearAnalysis(TCircuitEquations& equations)
    : Equations(equations), Robust(std::make_unique<TRobustOperatingPoint>(equations, *this)) {}

TNonLinearAnalysis::~TNonLinearAnalysis() = default;

// --- Operating point ---------------------------------------------------------------

void TNonLinearAnalysis::RunNonLinear(bool initialise) {
    TFrmProgress& progress = Equations.Progress();
    TNonLinearRegistry& registry = Equations.Registry();
    progress.ClearUserBreak();
    progress.SetStatusText(StatusNonLinear);
    progress.UpdateProgress(registry.IterationCount(), true, registry.LastResidualSum());
    // Parameters are carried over only from devices that are still the ones
    // registered; any change to the device list starts from the start values.
    std::optional<std::vector<double>> carried;
    if (!initialise && registry.Matches(Equations.Canvas())) {
        carried = registry.CurrentParams(Equations.Canvas());
    }
    // What follows the search solves the way the document does.
    const TSolverKind kind = Equations.SolverKind();
    if (kind == TSolverKind::Sparse && SparseSearch(carried)) {
        if (FChecks) {
            Robust->Refine(kind);
        }
    } else {
        TReferenceSolverScope reference(Equations);
        if (FChecks) {
            SearchOrRescue(carried, kind);
        } else {
            Search(carried);
        }
    }
    progress.UpdateProgress(registry.IterationCount(), true, registry.LastResidualSum());
}

void TNonLinearAnalysis::Prepare(const std::optional<std::vector<double>>& carried) {
    Equations.PrepareAnalysis();
    if (carried) {
        RestoreParams(*carried);
    }
}

// A point the search found is refined; when it finds none the fallback may,
// and only when that fails too does the search's own failure stand.
void TNonLinearAnalysis::SearchOrRescue(const std::optional<std::vector<double>>& carried,
                                        TSolverKind kind) {
    try {
        Search(carried);
    } catch (const EZaroError& error) {
        if (!IsSearchFailure(error) || !Robust->Rescue(kind)) {
            throw;
        }
        return;
    }
    Robust->Refine(kind);
}

void TNonLinearAnalysis::Search(const std::optional<std::vector<double>>& carried) {
    Prepare(carried);
    if (SolveNonLinear(false)) {
        SourceStepping();
    }
}

// The sparse path takes the search only where its outcome cannot depend on
// rounding: one Newton run that converges with every system solved sparse,
// or with every system solved by the dense elimination (then it was the
// reference run itself). A failed run, a mixture of the two or any error but
// a user break leave the whole search to the reference path, from the same
// start, so that every message and result is the one it gives.
bool TNonLinearAnalysis::SparseSearch(const std::optional<std::vector<double>>& carried) {
    try {
        Prepare(carried);
        return !SolveNonLinear(false) &&
               (Equations.DCSolvedDense() || SparseSearchStands(Equations));
    } catch (const EUserBreak&) {
        throw;
    } catch (const EZaroError&) {
        return false;
    }
}

void TNonLinearAnalysis::RestoreParams(const std::vector<double>& saved) {
    TNonLinearRegistry& registry = Equations.Registry();
    for (int k = 0; k < registry.NonLinearParamTotal(); ++k) {
        CheckIndex(k, static_cast<long long>(saved.size()));
        CheckIndex(k, static_cast<long long>(registry.NonLinearStartValues().size()));
        const double value = saved[static_cast<std::size_t>(k)];
        registry.Param(k) = value;
        registry.NonLinearStartValues()[static_cast<std::size_t>(k)] = value;
    }
}

bool TNonLinearAnalysis::SolveNonLinear(bool usePowell) {
    TNonLinearRegistry& registry = Equations.Registry();
    TDoubleArray& x = registry.NonLinearStartValues();
    const int n = registry.NonLinearParamTotal();
    if (usePowell) {
        TDoubleArray xi = IdentityMatrix(n);
        int iter = 0;
        double fret = 0.0;
        powell(x, xi, n, PowellTolerance, iter, fret,
               [this](const TDoubleArray& p) { return PowellObjective(p); });
    }
    int check = 0;
    bool failed = NewtonFailed(check);
    failed = ParamsInvalid() || failed;
    failed = check == 1 || failed;
    WriteParams(x);
    Equations.SolveDCLinear();
    return (FChecks && !PointHolds()) || failed;
}

// Evaluated again at the point handed over: where the line search stalled
// or the residuals vanished beyond a pole of a law, the search has failed.
bool TNonLinearAnalysis::PointHolds() {
    UpdateNonLinearResiduals();
    return ResidualsWithin(Equations.Registry(), SearchResidualTolerance) &&
           JunctionLawsHold(Equations.Canvas(), WireSolution(Equations.State()),
                            SearchLawTolerance);
}

bool TNonLinearAnalysis::NewtonFailed(int& check) {
    TNonLinearRegistry& registry = Equations.Registry();
    const TVectorFunction vecfunc = [this](int n, const TDoubleArray& x, TDoubleArray& r) {
        NewtonVectorFunction(n, x, r);
    };
    try {
        if (!Equations.DCSolvedDense()) {
            TSparseSearchLinearisation linearisation(Equations, *this, vecfunc);
            Z_Newt(registry.NonLinearStartValues(), registry.NonLinearParamTotal(), check, vecfunc,
                   linearisation);
        } else {
            Z_Newt(registry.NonLinearStartValues(), registry.NonLinearParamTotal(), check, vecfunc);
        }
    } catch (const ENewtonFailure&) {
        return true;
    }
    return false;
}

// A negative or undefined equivalent resistance is no operating point, even
// when the residuals vanished.
bool TNonLinearAnalysis::ParamsInvalid() const {
    const TNonLinearRegistry& registry = Equations.Registry();
    for (int k = 0; k < registry.NonLinearParamTotal(); ++k) {
        const double value = registry.Param(k);
        if (value < 0.0 || std::isnan(value)) {
            return true;
        }
    }
    return false;
}

void TNonLinearAnalysis::WriteParams(const TDoubleArray& x) {
    TNonLinearRegistry& registry = Equations.Registry();
    for (int i = 0; i < registry.NonLinearParamTotal(); ++i) {
        CheckIndex(i, static_cast<long long>(x.size()));
        registry.Param(i) = x[static_cast<std::size_t>(i)];
    }
}

// --- Residual evaluations ----------------------------------------------------------

double TNonLinearAnalysis::Evaluate(const TDoubleArray& x, TDoubleArray* r) {
    WriteParams(x);
    Equations.SolveDCLinear();
    UpdateNonLinearResiduals();
    return CollectResiduals(r);
}

double TNonLinearAnalysis::CollectResiduals(TDoubleArray* r) {
    TNonLinearRegistry& registry = Equations.Registry();
    double sum = 0.0;
    double squares = 0.0;
    for (int i = 0; i < registry.NonLinearParamTotal(); ++i) {
        const double residual = registry.Residual(i);
        if (r != nullptr) {
            CheckIndex(i, static_cast<long long>(r->size()));
            (*r)[static_cast<std::size_t>(i)] = residual;
        }
        sum += std::fabs(residual);
        squares += residual * residual;
    }
    CountEvaluation(sum);
    return squares;
}

void TNonLinearAnalysis::CountEvaluation(double residualSum) {
    TNonLinearRegistry& registry = Equations.Registry();
    Equations.Progress().UpdateProgress(registry.IterationCount(), false, residualSum);
    registry.CountEvaluation(residualSum);
}

void TNonLinearAnalysis::NewtonVectorFunction(int n, const TDoubleArray& x, TDoubleArray& r) {
    if (n != Equations.Registry().NonLinearParamTotal()) {
        throw ERangeError();
    }
    Evaluate(x, &r);
}

double TNonLinearAnalysis::PowellObjective(const TDoubleArray& p) {
    return Evaluate(p, nullptr);
}

void TNonLinearAnalysis::UpdateNonLinearResiduals() {
    const TAnalysisState& state = Equations.State();
    UpdateNonLinearResiduals([&state](int wire) {
        return std::pair(WireVoltageAt(state, wire).re, WireCurrentAt(state, wire).re);
    });
}

void TNonLinearAnalysis::UpdateNonLinearResiduals(const TWireSolution& solved) {
    for (const int index : Equations.Registry().NonLinearDevices()) {
        TZaroSimDevice& device = DeviceAt(Equations.Canvas(), index);
        if (!device.IsNonLinear()) {
            continue;
        }
        TPortRealArray potentials;
        TPortRealArray currents;
        for (int j = 0; j < device.PortCount(); ++j) {
            const auto [potential, current] = solved(device.PortConnectorNo(j));
            potentials[j] = potential;
            currents[j] = current;
        }
        device.CalcNonLinearResidual(potentials, currents);
    }
}

// --- Source stepping ---------------------------------------------------------------

void TNonLinearAnalysis::SourceStepping() {
    TNonLinearRegistry& registry = Equations.Registry();
    Equations.Progress().UpdateProgress(registry.IterationCount(), true,
                                        registry.LastResidualSum());
    Equations.PrepareAnalysis();
    const std::vector<TSteppedSource> sources = CollectSources();
    const double ratio = FindInitialRatio(sources);
    RecoverOperatingPoint(sources, ratio);
}

std::vector<TNonLinearAnalysis::TSteppedSource> TNonLinearAnalysis::CollectSources() const {
    std::vector<TSteppedSource> sources;
    const TCodingPanel& canvas = Equations.Canvas();
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(canvas, i);
        if (IsSteppedSource(device)) {
            sources.push_back({&device, device.Value().re});
        }
    }
    return sources;
}

void TNonLinearAnalysis::ScaleSources(const std::vector<TSteppedSource>& sources, double ratio) {
    for (const TSteppedSource& source : sources) {
        source.Device->SetValue(MakeComplex(source.Full * ratio, source.Device->Value().im));
    }
}

// Phase 1: the largest fraction 0.1, 0.05, ... of the sources at which Newton
// finds an operating point from the start values.
double TNonLinearAnalysis::FindInitialRatio(const std::vector<TSteppedSource>& sources) {
    double ratio = FirstRatio;
    for (;;) {
        Equations.Progress().SetStatusText(StatusInitialSearch + FormatRatio(ratio) + ")");
        Equations.PrepareAnalysis();
        ScaleSources(sources, ratio);
        if (!SolveNonLinear(false)) {
            return ratio;
        }
        ratio /= 2.0;
        if (ratio < MinFraction) {
            LastResort();
            return ratio;
        }
    }
}

// Phase 2: raises the fraction to 1 in steps of at most 0.1, halving the step
// and going back to the last good parameters after a failed attempt.
void TNonLinearAnalysis::RecoverOperatingPoint(const std::vector<TSteppedSource>& sources,
                                               double ratio) {
    double step = ratio;
    std::vector<double> saved = DeviceParams();
    do {
        const double next = std::min(ratio + step, 1.0);
        // A step that no longer moves the fraction can never reach 1.
        if (!(next > ratio)) {
            throw EZaroError(MsgNonLinearFailed);
        }
        Equations.Progress().SetStatusText(StatusRecovery + FormatRatio(next) + ")");
        ScaleSources(sources, next);
        if (!SolveNonLinear(false)) {
            ratio = next;
            step = std::min(step * 2.0, MaxStep);
            saved = DeviceParams();
        } else {
            step /= 2.0;
            WriteParams(saved);
            if (step < MinFraction) {
                LastResort();
            }
        }
    } while (ratio < 1.0);
}

void TNonLinearAnalysis::LastResort() {
    if (SolveNonLinear(true)) {
        throw EZaroError(MsgNonLinearFailed);
    }
}

std::vector<double> TNonLinearAnalysis::DeviceParams() const {
    const TNonLinearRegistry& registry = Equations.Registry();
    std::vector<double> values;
    for (int k = 0; k < registry.NonLinearParamTotal(); ++k) {
        values.push_back(registry.Param(k));
    }
    return values;
}

} // namespace zaro
