#include "OperatingPointFallback.h"

#include "CircuitDevice.h"
#include "ZaroErrors.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zaro {

namespace {

// How far the unknowns may move in a step that counts as settled: a share
// of each unknown itself and of the largest unknown of its kind (potentials
// or currents).
struct TSettling {
    double Relative;
    double PotentialShare;
    double CurrentShare;
};
// Rounding alone: one solve moves every potential by about the machine
// precision times the largest potential, every current by up to the
// condition of the system times that (1 mOhm of a saturated collector beside
// 1 GOhm of a cut-off one).
constexpr TSettling Tight{1e-12, 1e-13, 1e-8};
// Where rounding is amplified further (a nearly cut-off transistor turns
// the noise of its junction voltage into collector potential), a loose
// settling is accepted once every device law holds; in the stages of the
// continuation it is enough on its own.
constexpr TSettling Loose{1e-8, 1e-10, 1e-6};
// Gmin stepping: from FirstGmin down by at most GminFactor per stage to
// LastGmin, then none.
constexpr double FirstGmin = 1e-2;
constexpr double LastGmin = 1e-12;
constexpr double GminFactor = 10;
// Source stepping: first step, largest step, smallest step before giving up.
constexpr double FirstSourceStep = 0.1;
constexpr double MaxSourceStep = 0.5;
constexpr double MinSourceStep = 1e-4;
// The residual of a row of the refinement is weighed against this share of
// the sizes of its terms, plus this floor (amperes or volts).
constexpr double RowRelative = FallbackLawTolerance.Relative;
constexpr double RowFloor = FallbackLawTolerance.Amperes;

// Largest potential (kind 0) or current (kind 1) in x.
double Largest(const std::vector<double>& x, std::size_t kind) {
    double largest = 0.0;
    for (std::size_t k = kind; k < x.size(); k += 2) {
        largest = std::max(largest, std::fabs(x[k]));
    }
    return largest;
}

bool Settled(const std::vector<double>& x, const std::vector<double>& next, const TSettling& s) {
    const double share[2] = {s.PotentialShare * Largest(next, 0),
                             s.CurrentShare * Largest(next, 1)};
    for (std::size_t k = 0; k < x.size(); ++k) {
        const double allowed = s.Relative * std::fabs(next[k]) + share[k % 2];
        if (!(std::fabs(next[k] - x[k]) <= allowed)) {
            return false;
        }
    }
    return true;
}

} // namespace

TOperatingPointFallback::TOperatingPointFallback(const TCodingPanel& canvas, TStepSolver& solver,
                                                 std::function<void()> checkpoint,
                                                 int stepsPerNewton)
    : Canvas(canvas), Solver(solver), Checkpoint(std::move(checkpoint)),
      StepsPerNewton(stepsPerNewton) {}

TFallbackResult TOperatingPointFallback::Find() {
    TFallbackResult result;
    Steps = 0;
    Size = 2 * Canvas.ConnectorCount();
    if (!CollectDevices()) {
        return result;
    }
    std::vector<double> x;
    try {
        x = InitialPoint();
    } catch (const EMathError&) {
        return result;
    }
    const std::vector<double> start = x;
    if (Newton(x, 1.0, 0.0)) {
        result.Stage = TFallbackStage::Newton;
    } else if (x = start; GminStepping(x)) {
        result.Stage = TFallbackStage::GminStepping;
    } else if (SourceStepping(x)) {
        result.Stage = TFallbackStage::SourceStepping;
    }
    return Result(result.Stage, x);
}

TFallbackResult TOperatingPointFallback::Refine(const std::vector<double>& x) {
    Steps = 0;
    Size = 2 * Canvas.ConnectorCount();
    if (!CollectDevices() || x.size() != static_cast<std::size_t>(Size)) {
        return {};
    }
    std::vector<double> point = x;
    std::vector<double> next;
    double residual = ResidualAt(point);
    int kept = 0;
    while (std::isfinite(residual) && residual > 0.0 && kept < StepsPerNewton &&
           !(kept > 0 && LawsHold(point))) {
        try {
            Solve(next);
        } catch (const EMathError&) {
            break;
        }
        const double nextResidual = ResidualAt(next);
        if (!(nextResidual < residual)) {
            break;
        }
        point.swap(next);
        residual = nextResidual;
        ++kept;
    }
    return Result(kept > 0 ? TFallbackStage::Newton : TFallbackStage::None, point);
}

// Every row of the system at x is a law or a linear equation of the
// circuit, so its residual there is how far x is from an operating point.
// Rows differ in unit and scale: each counts against the size of its terms.
double TOperatingPointFallback::ResidualAt(const std::vector<double>& x) {
    StartCompanions(x);
    try {
        if (Assemble(x, 1.0, 0.0)) {
            return std::numeric_limits<double>::infinity();
        }
    } catch (const EMathError&) {
        return std::numeric_limits<double>::infinity();
    }
    std::vector<double> residual(System.Rhs.size());
    std::vector<double> size(System.Rhs.size());
    for (std::size_t row = 0; row < residual.size(); ++row) {
        residual[row] = -System.Rhs[row];
        size[row] = std::fabs(System.Rhs[row]);
    }
    for (const TStepEntry& entry : System.Entries) {
        const double term = entry.Value * x[static_cast<std::size_t>(entry.Column)];
        residual[static_cast<std::size_t>(entry.Row)] += term;
        size[static_cast<std::size_t>(entry.Row)] += std::fabs(term);
    }
    double sum = 0.0;
    for (std::size_t row = 0; row < residual.size(); ++row) {
        const double weighed = residual[row] / (RowRelative * size[row] + RowFloor);
        sum += weighed * weighed;
    }
    return std::isfinite(sum) ? std::sqrt(sum) : std::numeric_limits<double>::infinity();
}

TFallbackResult TOperatingPointFallback::Result(TFallbackStage stage,
                                                const std::vector<double>& x) const {
    TFallbackResult result;
    result.Stage = stage;
    result.Found = stage != TFallbackStage::None;
    result.Steps = Steps;
    if (result.Found) {
        result.Params = Params(x);
        result.Solution = x;
    }
    return result;
}

bool TOperatingPointFallback::CollectDevices() {
    Devices.clear();
    for (int i = 0; i < Canvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(Canvas, i);
        TDevice entry{&device, nullptr};
        if (device.NonLinearParamCount() > 0) {
            entry.Companion = TJunctionCompanion::For(device);
            if (!entry.Companion) {
                return false;
            }
        }
        Devices.push_back(std::move(entry));
    }
    return true;
}

// The circuit with every device as its own DC block says, the non-linear
// ones at their present parameters.
std::vector<double> TOperatingPointFallback::InitialPoint() {
    System.Clear(Size);
    int row = 0;
    for (const TDevice& entry : Devices) {
        TDCCoefArray coef;
        TDCRhsArray rhs;
        entry.Device->BuildDCDeviceEquation(coef, rhs);
        Accumulate(*entry.Device, coef, rhs, 1.0, row);
    }
    std::vector<double> x;
    Solve(x);
    return x;
}

void TOperatingPointFallback::Solve(std::vector<double>& x) {
    if (Checkpoint) {
        Checkpoint();
    }
    ++Steps;
    Solver.Solve(System, x);
}

// Newton from x at the given source fraction and conductance across the
// junctions. With full sources and no conductance it has converged only
// where every device law holds.
void TOperatingPointFallback::StartCompanions(const std::vector<double>& x) {
    for (TDevice& entry : Devices) {
        if (entry.Companion) {
            entry.Companion->Start(x);
        }
    }
}

bool TOperatingPointFallback::Newton(std::vector<double>& x, double sourceFraction, double gmin) {
    StartCompanions(x);
    const bool final = sourceFraction == 1.0 && gmin == 0.0;
    std::vector<double> next;
    for (int step = 0; step < StepsPerNewton; ++step) {
        bool limited = false;
        if (!Step(x, sourceFraction, gmin, next, limited)) {
            return false;
        }
        const bool tight = !limited && Settled(x, next, Tight);
        const bool loose = !limited && Settled(x, next, Loose);
        x.swap(next);
        if (!loose) {
            continue;
        }
        if (!final) {
            return true;
        }
        const bool holds = LawsHold(x);
        if (holds || tight) {
            return holds;
        }
    }
    return false;
}

// One linear solve of the companion system at x; false when it is singular.
bool TOperatingPointFallback::Step(const std::vector<double>& x, double sourceFraction, double gmin,
                                   std::vector<double>& next, bool& limited) {
    limited = Assemble(x, sourceFraction, gmin) || limited;
    try {
        Solve(next);
    } catch (const EMathError&) {
        return false;
    }
    return true;
}

bool TOperatingPointFallback::Assemble(const std::vector<double>& x, double sourceFraction,
                                       double gmin) {
    System.Clear(Size);
    bool limited = false;
    int row = 0;
    for (const TDevice& entry : Devices) {
        TDCCoefArray coef;
        TDCRhsArray rhs;
        if (entry.Companion) {
            limited = entry.Companion->Build(x, gmin, coef, rhs) || limited;
            Accumulate(*entry.Device, coef, rhs, 1.0, row);
        } else {
            // Only the sources have a right-hand side: scaling it steps them.
            entry.Device->BuildDCDeviceEquation(coef, rhs);
            Accumulate(*entry.Device, coef, rhs, sourceFraction, row);
        }
    }
    return limited;
}

// Rows row.. of the system receive the device block; every position of the
// block is written, so the pattern is the same at every step.
void TOperatingPointFallback::Accumulate(const TZaroSimDevice& device, const TDCCoefArray& coef,
                                         const TDCRhsArray& rhs, double rhsFactor, int& row) {
    const int ports = device.PortCount();
    for (int r = 0; r < ports; ++r) {
        CheckIndex(row, Size);
        System.Rhs[static_cast<std::size_t>(row)] += rhsFactor * rhs[r];
        for (int j = 0; j < ports; ++j) {
            const int column = 2 * device.PortConnectorNo(j);
            System.Entries.push_back({row, column, coef[r * 2 * ports + 2 * j]});
            System.Entries.push_back({row, column + 1, coef[r * 2 * ports + 2 * j + 1]});
        }
        ++row;
    }
}

// From FirstGmin down to none, each stage from the point of the last; a
// stage that fails is tried again with a smaller reduction.
bool TOperatingPointFallback::GminStepping(std::vector<double>& x) {
    double gmin = FirstGmin;
    if (!Newton(x, 1.0, gmin)) {
        return false;
    }
    double factor = GminFactor;
    for (;;) {
        const double next = gmin / factor < LastGmin ? 0.0 : gmin / factor;
        std::vector<double> trial = x;
        if (Newton(trial, 1.0, next)) {
            x.swap(trial);
            gmin = next;
            if (gmin == 0.0) {
                return true;
            }
            factor = std::min(factor * factor, GminFactor);
        } else {
            factor = std::sqrt(factor);
            if (factor < 1.01) {
                return false;
            }
        }
    }
}

// From no sources (every potential and current zero) up to the full sources.
bool TOperatingPointFallback::SourceStepping(std::vector<double>& x) {
    x.assign(static_cast<std::size_t>(Size), 0.0);
    double fraction = 0.0;
    double step = FirstSourceStep;
    while (fraction < 1.0) {
        const double next = std::min(1.0, fraction + step);
        std::vector<double> trial = x;
        if (Newton(trial, next, 0.0)) {
            x.swap(trial);
            fraction = next;
            step = std::min(2 * step, MaxSourceStep);
        } else {
            step /= 2;
            if (step < MinSourceStep) {
                return false;
            }
        }
    }
    return true;
}

bool TOperatingPointFallback::LawsHold(const std::vector<double>& x) const {
    return std::all_of(Devices.begin(), Devices.end(), [&x](const TDevice& entry) {
        return !entry.Companion || entry.Companion->LawsHold(x, FallbackLawTolerance);
    });
}

std::vector<double> TOperatingPointFallback::Params(const std::vector<double>& x) const {
    std::vector<double> params;
    for (const TDevice& entry : Devices) {
        if (entry.Companion) {
            const std::vector<double> own = entry.Companion->Params(x);
            params.insert(params.end(), own.begin(), own.end());
        }
    }
    return params;
}

} // namespace zaro
