#include "NodalSolver.h"

#include "LawFormulas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zaro::test {

namespace {

using TVector = std::vector<double>;
// A gradient: unknown index and coefficient.
using TGradient = std::vector<std::pair<int, double>>;

constexpr int MaxNewtonSteps = 200;
constexpr double JumpThermalVoltages = 3;
constexpr int PolishSteps = 2; // a conducting junction's largest rise per step

TGradient Scaled(const TGradient& g, double a) {
    TGradient out;
    for (const auto& [k, x] : g) {
        out.push_back({k, a * x});
    }
    return out;
}

TGradient Sum(TGradient a, const TGradient& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Gaussian elimination with partial pivoting on a dense row-major matrix;
// false when a pivot vanishes.
bool SolveDense(std::vector<double> a, TVector& b) {
    const std::size_t n = b.size();
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        for (std::size_t i = k + 1; i < n; ++i) {
            if (std::fabs(a[i * n + k]) > std::fabs(a[pivot * n + k])) {
                pivot = i;
            }
        }
        if (a[pivot * n + k] == 0.0) {
            return false;
        }
        for (std::size_t j = 0; j < n; ++j) {
            std::swap(a[k * n + j], a[pivot * n + j]);
        }
        std::swap(b[k], b[pivot]);
        for (std::size_t i = k + 1; i < n; ++i) {
            const double f = a[i * n + k] / a[k * n + k];
            for (std::size_t j = k; j < n; ++j) {
                a[i * n + j] -= f * a[k * n + j];
            }
            b[i] -= f * b[k];
        }
    }
    for (std::size_t i = n; i-- > 0;) {
        double s = b[i];
        for (std::size_t j = i + 1; j < n; ++j) {
            s -= a[i * n + j] * b[j];
        }
        b[i] = s / a[i * n + i];
    }
    return true;
}

// An exponential junction between two nodes: its voltage is V(Plus) - V(Minus).
struct TJunction {
    int Plus;
    int Minus;
    double Vt;    // 1 / k
    double Vcrit; // where the junction starts to conduct noticeably
};

TJunction MakeJunction(int plus, int minus, double is, double k) {
    const double vt = 1 / k;
    return {plus, minus, vt, vt * std::log(vt / (std::sqrt(2.0) * is))};
}

class TNodalSystem {
public:
    explicit TNodalSystem(const TNetlist& netlist) : Net(netlist) {
        for (const TPart& part : Net.Parts) {
            if (part.Kind == TPartKind::Source) {
                ++Sources;
            }
            AddJunctions(part);
        }
    }

    int Size() const { return Net.NodeCount - 1 + Sources; }

    double Volts(const TVector& z, int node) const { return node == 0 ? 0.0 : z[node - 1]; }

    // Residuals (current sums at the nodes, then the source equations) and
    // their Jacobian at z, with every source at the fraction lambda.
    void Evaluate(const TVector& z, double lambda, TVector& f, std::vector<double>& jacobian) {
        F = &f;
        J = &jacobian;
        PortLog.clear();
        f.assign(static_cast<std::size_t>(Size()), 0.0);
        jacobian.assign(f.size() * f.size(), 0.0);
        int source = 0;
        for (const TPart& part : Net.Parts) {
            Stamp(part, z, lambda, source);
        }
    }

    // The largest fraction of the step dz that lifts no conducting junction
    // by more than a few thermal voltages.
    double StepFraction(const TVector& z, const TVector& dz) const {
        double alpha = 1.0;
        for (const TJunction& j : Junctions) {
            const double v = Volts(z, j.Plus) - Volts(z, j.Minus);
            const double dv = Volts(dz, j.Plus) - Volts(dz, j.Minus);
            const double allowed = std::max(v, j.Vcrit) + JumpThermalVoltages * j.Vt - v;
            if (dv > allowed) {
                alpha = std::min(alpha, allowed / dv);
            }
        }
        return alpha;
    }

    // u + 0.001 Beta b of every transistor's collector model: positive on the
    // branch of physical operating points, the pole of the law at zero.
    std::vector<double> BranchMargins(const TVector& z) const {
        std::vector<double> margins;
        for (const TPart& p : Net.Parts) {
            if (p.Kind == TPartKind::NPN || p.Kind == TPartKind::PNP) {
                const TTransistorNodes t = Nodes(p);
                const double b = laws::BaseCurrent(VoltageAcross(z, t.JPlus, t.JMinus)).Value;
                margins.push_back(VoltageAcross(z, t.UPlus, t.UMinus) +
                                  laws::SaturationOhms * laws::Beta * b);
            }
        }
        return margins;
    }

    std::vector<std::vector<double>> PortCurrents(const TVector& z) {
        std::vector<double> f;
        std::vector<double> jacobian;
        Evaluate(z, 1.0, f, jacobian);
        return PortLog;
    }

private:
    int Row(int node) const { return node - 1; }

    TGradient VoltageGradient(int plus, int minus) const {
        TGradient g;
        if (plus != 0) {
            g.push_back({Row(plus), 1.0});
        }
        if (minus != 0) {
            g.push_back({Row(minus), -1.0});
        }
        return g;
    }

    double VoltageAcross(const TVector& z, int plus, int minus) const {
        return Volts(z, plus) - Volts(z, minus);
    }

    // A current flowing into the device at a node.
    void Into(int node, double current, const TGradient& gradient) {
        Log.push_back(current);
        if (node == 0) {
            return;
        }
        const auto n = static_cast<std::size_t>(Size());
        (*F)[static_cast<std::size_t>(Row(node))] += current;
        for (const auto& [k, x] : gradient) {
            (*J)[static_cast<std::size_t>(Row(node)) * n + static_cast<std::size_t>(k)] += x;
        }
    }

    // Two-terminal part carrying `current` from its port 0 to its port 1.
    void TwoTerminal(const TPart& p, double current, const TGradient& gradient) {
        Into(p.Nodes[0], current, gradient);
        Into(p.Nodes[1], -current, Scaled(gradient, -1.0));
    }

    void Stamp(const TPart& p, const TVector& z, double lambda, int& source) {
        Log.clear();
        const int a = p.Nodes[0];
        const int b = p.Nodes[1];
        const TGradient across = VoltageGradient(a, b);
        const double v = VoltageAcross(z, a, b);
        switch (p.Kind) {
        case TPartKind::Resistor:
            TwoTerminal(p, v / p.Value, Scaled(across, 1 / p.Value));
            break;
        case TPartKind::Source:
            StampSource(p, z, lambda, source++);
            break;
        case TPartKind::Diode:
        case TPartKind::LED: {
            const bool led = p.Kind == TPartKind::LED;
            const laws::TSloped i = laws::DiodeCurrent(led ? laws::LEDIs : laws::DiodeIs,
                                                       led ? laws::LEDK : laws::DiodeK, v);
            TwoTerminal(p, i.Value, Scaled(across, i.Slope));
            break;
        }
        case TPartKind::Zener: {
            const laws::TSloped i = laws::ZenerCurrentInto(p.Value, v);
            TwoTerminal(p, i.Value, Scaled(across, i.Slope));
            break;
        }
        case TPartKind::NPN:
        case TPartKind::PNP:
            StampTransistor(p, z);
            break;
        }
        PortLog.push_back(Log);
    }

    // Unknown: the current into port 0. Row: V1 - V0 - 0.0001 s I0 = lambda E,
    // I0 = s x the current into port 0 being the wire current as stored.
    void StampSource(const TPart& p, const TVector& z, double lambda, int index) {
        const int k = Net.NodeCount - 1 + index;
        const double j = z[static_cast<std::size_t>(k)];
        Into(p.Nodes[0], j, {{k, 1.0}});
        Into(p.Nodes[1], -j, {{k, -1.0}});
        const auto n = static_cast<std::size_t>(Size());
        const auto row = static_cast<std::size_t>(k);
        (*F)[row] = VoltageAcross(z, p.Nodes[1], p.Nodes[0]) - laws::SourceOhms * p.StoredSign * j -
                    lambda * p.Value;
        for (const auto& [c, x] : VoltageGradient(p.Nodes[1], p.Nodes[0])) {
            (*J)[row * n + static_cast<std::size_t>(c)] += x;
        }
        (*J)[row * n + row] -= laws::SourceOhms * p.StoredSign;
    }

    // NPN: junction B-E, collector model C-E, currents into C and B.
    // PNP: junction E-B, collector model E-C, currents into E and out of B.
    struct TTransistorNodes {
        int JPlus, JMinus; // junction
        int UPlus, UMinus; // collector model
    };
    static TTransistorNodes Nodes(const TPart& p) {
        const bool npn = p.Kind == TPartKind::NPN;
        const int c = p.Nodes[npn ? 0 : 1];
        const int e = p.Nodes[npn ? 1 : 0];
        const int base = p.Nodes[2];
        return npn ? TTransistorNodes{base, e, c, e} : TTransistorNodes{e, base, e, c};
    }

    void StampTransistor(const TPart& p, const TVector& z) {
        const bool npn = p.Kind == TPartKind::NPN;
        const int base = p.Nodes[2];
        const TTransistorNodes t = Nodes(p);
        const laws::TSloped ib = laws::BaseCurrent(VoltageAcross(z, t.JPlus, t.JMinus));
        const TGradient ibGradient = Scaled(VoltageGradient(t.JPlus, t.JMinus), ib.Slope);
        const laws::TCollectorLaw ic =
            laws::CollectorCurrent(VoltageAcross(z, t.UPlus, t.UMinus), ib.Value);
        const TGradient icGradient = Sum(Scaled(VoltageGradient(t.UPlus, t.UMinus), ic.ByVoltage),
                                         Scaled(ibGradient, ic.ByBaseCurrent));
        const double sign = npn ? 1.0 : -1.0;
        // Port order of the part: NPN C, E, B; PNP E, C, B.
        const TGradient rest = Scaled(Sum(icGradient, Scaled(ibGradient, sign)), -1.0);
        Into(p.Nodes[0], ic.Value, icGradient);
        Into(p.Nodes[1], -(ic.Value + sign * ib.Value), rest);
        Into(base, sign * ib.Value, Scaled(ibGradient, sign));
    }

    void AddJunctions(const TPart& p) {
        switch (p.Kind) {
        case TPartKind::Diode:
            Junctions.push_back(MakeJunction(p.Nodes[0], p.Nodes[1], laws::DiodeIs, laws::DiodeK));
            break;
        case TPartKind::LED:
            Junctions.push_back(MakeJunction(p.Nodes[0], p.Nodes[1], laws::LEDIs, laws::LEDK));
            break;
        case TPartKind::Zener:
            Junctions.push_back(MakeJunction(p.Nodes[0], p.Nodes[1],
                                             laws::ZenerBreakdownIs(p.Value), laws::ZenerK));
            Junctions.push_back(
                MakeJunction(p.Nodes[1], p.Nodes[0], laws::ZenerForwardIs, laws::ZenerK));
            break;
        case TPartKind::NPN:
            Junctions.push_back(
                MakeJunction(p.Nodes[2], p.Nodes[1], laws::TransistorIs, laws::TransistorK));
            break;
        case TPartKind::PNP:
            Junctions.push_back(
                MakeJunction(p.Nodes[0], p.Nodes[2], laws::TransistorIs, laws::TransistorK));
            break;
        default:
            break;
        }
    }

    const TNetlist& Net;
    int Sources = 0;
    std::vector<TJunction> Junctions;
    TVector* F = nullptr;
    std::vector<double>* J = nullptr;
    std::vector<double> Log; // currents into the ports of the part being stamped
    std::vector<std::vector<double>> PortLog;
};

bool AllFinite(const TVector& x) {
    return std::all_of(x.begin(), x.end(), [](double v) { return std::isfinite(v); });
}

// Halves alpha until no collector model that was on its branch (or at its
// pole, as at the start) at z leaves it.
double BranchKeepingFraction(const TNodalSystem& system, const TVector& z, const TVector& dz,
                             double alpha) {
    const std::vector<double> before = system.BranchMargins(z);
    for (int halving = 0; halving < 60; ++halving) {
        TVector trial = z;
        for (std::size_t k = 0; k < z.size(); ++k) {
            trial[k] += alpha * dz[k];
        }
        const std::vector<double> after = system.BranchMargins(trial);
        bool kept = true;
        for (std::size_t t = 0; t < before.size(); ++t) {
            kept = kept && !(before[t] >= 0 && after[t] <= 0);
        }
        if (kept) {
            return alpha;
        }
        alpha /= 2;
    }
    return alpha;
}

// Newton at the source fraction lambda from z; true when the steps became
// whole and negligible, after which a few more polish z to rounding level.
bool Newton(TNodalSystem& system, TVector& z, double lambda, int& iterations) {
    TVector f;
    std::vector<double> jacobian;
    int polish = -1;
    for (int step = 0; step < MaxNewtonSteps; ++step) {
        ++iterations;
        system.Evaluate(z, lambda, f, jacobian);
        TVector dz = f;
        for (double& x : dz) {
            x = -x;
        }
        if (!AllFinite(f) || !SolveDense(jacobian, dz) || !AllFinite(dz)) {
            return false;
        }
        const double alpha = BranchKeepingFraction(system, z, dz, system.StepFraction(z, dz));
        bool negligible = alpha == 1.0;
        for (std::size_t k = 0; k < z.size(); ++k) {
            z[k] += alpha * dz[k];
            negligible = negligible && std::fabs(dz[k]) <= 1e-12 * std::max(1.0, std::fabs(z[k]));
        }
        polish = negligible && polish < 0 ? PolishSteps : polish;
        if (polish >= 0 && polish-- == 0) {
            const std::vector<double> margins = system.BranchMargins(z);
            return std::all_of(margins.begin(), margins.end(), [](double m) { return m > 0; });
        }
    }
    return false;
}

} // namespace

TNodalSolution SolveNodal(const TNetlist& netlist) {
    TNodalSystem system(netlist);
    TNodalSolution solution;
    TVector z(static_cast<std::size_t>(system.Size()), 0.0);
    solution.Converged = Newton(system, z, 1.0, solution.Iterations);
    if (!solution.Converged) {
        // Source stepping from zero, halving the step after a failure.
        z.assign(z.size(), 0.0);
        double lambda = 0.0;
        double step = 0.1;
        TVector good = z;
        while (lambda < 1.0 && step > 1e-6) {
            const double next = std::min(1.0, lambda + step);
            if (Newton(system, z, next, solution.Iterations)) {
                lambda = next;
                good = z;
                step = std::min(2 * step, 0.25);
            } else {
                z = good;
                step /= 2;
            }
        }
        solution.Converged = lambda == 1.0;
    }
    for (int node = 0; node < netlist.NodeCount; ++node) {
        solution.NodeVolts.push_back(system.Volts(z, node));
    }
    solution.PortCurrents = system.PortCurrents(z);
    return solution;
}

} // namespace zaro::test
