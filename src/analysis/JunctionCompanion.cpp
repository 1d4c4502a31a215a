#include "JunctionCompanion.h"

#include "DeviceRows.h"
#include "Diodes.h"
#include "JunctionModel.h"
#include "Transistors.h"

#include <cmath>
#include <functional>

namespace zaro {

namespace {

// The collector model is linearised at least this far (volts) on the
// physical side of its pole.
constexpr double MinPoleMargin = 1e-9;

// Central difference with a step small against the thermal voltage of any
// junction (1/k is at least 0.04 V), large against rounding.
double Slope(const std::function<double(double)>& f, double v) {
    const double h = 1e-7 * std::max(1.0, std::fabs(v));
    return (f(v + h) - f(v - h)) / (2 * h);
}

// How rounding of a law's inputs may move it: its slope in a voltage formed
// from potentials of magnitude `potentials`, and in a current.
struct TInputRounding {
    double VoltageSlope;
    double Potentials;
    double CurrentSlope = 0.0;
    double LargestCurrent = 0.0;
};

bool Within(double solved, double law, const TInputRounding& inputs,
            const TLawTolerance& tolerance) {
    const double allowed =
        tolerance.Relative * std::max(std::fabs(solved), std::fabs(law)) + tolerance.Amperes +
        std::fabs(inputs.VoltageSlope) * tolerance.PotentialRounding * inputs.Potentials +
        std::fabs(inputs.CurrentSlope) * tolerance.CurrentRounding * inputs.LargestCurrent;
    return std::fabs(solved - law) <= allowed;
}

// The largest current of the wire solution.
double LargestCurrent(const std::vector<double>& x) {
    double largest = 0.0;
    for (std::size_t k = 1; k < x.size(); k += 2) {
        largest = std::max(largest, std::fabs(x[k]));
    }
    return largest;
}

// |V+| + |V-|: the potentials a voltage across two ports is formed from.
double Potentials(const TPortValues& ports, int plus, int minus) {
    return std::fabs(ports.V(plus)) + std::fabs(ports.V(minus));
}

// u Beta b / (u + c b), c = 0.001 Beta, the collector model without its inner
// division, and its slopes in u and b.
struct TCollectorModel {
    double Value;
    double ByU;
    double ByB;
};

TCollectorModel CollectorModel(double beta, double u, double b) {
    const double c = SaturationResistance * beta;
    const double d = u + c * b;
    return {u * beta * b / d, c * beta * b * b / (d * d), beta * u * u / (d * d)};
}

// One exponential branch of a two-terminal device: Direction x (V0 - V1) is
// its forward voltage.
struct TExponentialBranch {
    double Direction;
    double Is;
    double K;
};

// Diode, LED, Zener diode: current into port 0 = ModelCurrent(V0 - V1).
class TDiodeCompanion : public TJunctionCompanion {
public:
    TDiodeCompanion(TJunctionDiode& diode, std::vector<TExponentialBranch> branches)
        : TJunctionCompanion(diode), Diode(diode), Branches(std::move(branches)) {}

    void Start(const std::vector<double>& x) override {
        Last = TPortValues(Device, x).Across(0, 1);
    }

    bool Build(const std::vector<double>& x, double gmin, TDCCoefArray& coef,
               TDCRhsArray& rhs) override {
        bool limited = false;
        double v = TPortValues(Device, x).Across(0, 1);
        for (const TExponentialBranch& b : Branches) {
            bool branchLimited = false;
            v = b.Direction *
                LimitJunctionVoltage(b.Direction * v, b.Direction * Last, b.Is, b.K, branchLimited);
            limited = limited || branchLimited;
        }
        Last = v;
        const auto model = [this](double u) { return Diode.ModelCurrent(u); };
        const double g = Slope(model, v);
        TDCRows rows(Device, coef, rhs);
        rows.CurrentSum(0);
        rows.IInto(1, 0, 1.0);
        rows.V(1, 0, -(g + gmin));
        rows.V(1, 1, g + gmin);
        rows.RightReal(1, model(v) - g * v);
        return limited;
    }

    bool LawsHold(const std::vector<double>& x, const TLawTolerance& tolerance) const override {
        const TPortValues ports(Device, x);
        const double v = ports.Across(0, 1);
        const auto model = [this](double u) { return Diode.ModelCurrent(u); };
        return Within(ports.IInto(0), model(v), {Slope(model, v), Potentials(ports, 0, 1)},
                      tolerance);
    }

    std::vector<double> Params(const std::vector<double>& x) const override {
        const TPortValues ports(Device, x);
        return {Resistance(ports.Across(0, 1), ports.IInto(0), 0)};
    }

private:
    TJunctionDiode& Diode;
    std::vector<TExponentialBranch> Branches;
    double Last = 0.0;
};

// Where the laws of a transistor sit on its ports.
struct TTransistorPorts {
    int JunctionPlus, JunctionMinus; // junction voltage V+ - V-
    int Base;
    double BaseSign;           // the base current is BaseSign x the current into the base
    int ModelPlus, ModelMinus; // voltage across the collector model
    int ModelPort;             // its current is the current into this port
    int CollectorPort;         // EquivRCE's current: CollectorSign x into this port
    double CollectorSign;
};

// NPN: C 0, E 1, B 2. PNP: E 0, C 1, B 2, whose collector model carries the
// emitter current and whose EquivRCE the current out of the collector.
constexpr TTransistorPorts NPNPorts{2, 1, 2, 1.0, 0, 1, 0, 0, 1.0};
constexpr TTransistorPorts PNPPorts{0, 2, 2, -1.0, 0, 1, 0, 1, -1.0};

// Base row: the base current is BaseJunctionCurrent(junction voltage).
// Collector row: the model current is CollectorCurrent(u, b) of the voltage
// across the model and the base current.
class TTransistorCompanion : public TJunctionCompanion {
public:
    TTransistorCompanion(TBipolarTransistor& transistor, const TTransistorPorts& ports)
        : TJunctionCompanion(transistor), Transistor(transistor), Ports(ports) {}

    void Start(const std::vector<double>& x) override {
        Last = TPortValues(Device, x).Across(Ports.JunctionPlus, Ports.JunctionMinus);
    }

    bool Build(const std::vector<double>& x, double gmin, TDCCoefArray& coef,
               TDCRhsArray& rhs) override {
        const TPortValues ports(Device, x);
        bool limited = false;
        const double vj =
            LimitJunctionVoltage(ports.Across(Ports.JunctionPlus, Ports.JunctionMinus), Last,
                                 Transistor.Is, Transistor.K, limited);
        Last = vj;
        TDCRows rows(Device, coef, rhs);
        rows.CurrentSum(0);
        BaseRow(rows, vj, gmin);
        return CollectorRow(rows, ports, gmin) || limited;
    }

    bool LawsHold(const std::vector<double>& x, const TLawTolerance& tolerance) const override {
        if (!OnPhysicalSide(x)) {
            return false;
        }
        const TPortValues ports(Device, x);
        const double ib = Ports.BaseSign * ports.IInto(Ports.Base);
        const double vj = ports.Across(Ports.JunctionPlus, Ports.JunctionMinus);
        const auto base = [this](double v) { return Transistor.BaseJunctionCurrent(v); };
        if (!Within(ib, base(vj),
                    {Slope(base, vj), Potentials(ports, Ports.JunctionPlus, Ports.JunctionMinus)},
                    tolerance)) {
            return false;
        }
        try {
            const double u = ports.Across(Ports.ModelPlus, Ports.ModelMinus);
            const TCollectorModel model = CollectorModel(Transistor.Beta, u, ib);
            const TInputRounding inputs{model.ByU,
                                        Potentials(ports, Ports.ModelPlus, Ports.ModelMinus),
                                        model.ByB, LargestCurrent(x)};
            return Within(ports.IInto(Ports.ModelPort), Transistor.CollectorCurrent(u, ib), inputs,
                          tolerance);
        } catch (const EMathError&) {
            return false;
        }
    }

    std::vector<double> Params(const std::vector<double>& x) const override {
        const TPortValues ports(Device, x);
        const double ib = Ports.BaseSign * ports.IInto(Ports.Base);
        const double ic = Ports.CollectorSign * ports.IInto(Ports.CollectorPort);
        return {Resistance(ports.Across(Ports.JunctionPlus, Ports.JunctionMinus), ib, 0),
                Resistance(ports.Across(Ports.ModelPlus, Ports.ModelMinus), ic, 1)};
    }

private:
    // u / (u / (Beta b) + 0.001) has its pole where u + 0.001 Beta b = 0;
    // beyond it the model current keeps the sign of b whatever the sign of u,
    // so the collector would deliver power. Physical points lie on the side
    // of u = b = 0.
    bool OnPhysicalSide(const std::vector<double>& x) const {
        const TPortValues ports(Device, x);
        const double b = Ports.BaseSign * ports.IInto(Ports.Base);
        const double u = ports.Across(Ports.ModelPlus, Ports.ModelMinus);
        return u + SaturationResistance * Transistor.Beta * b > 0;
    }

    void BaseRow(TDCRows& rows, double vj, double gmin) const {
        const auto law = [this](double v) { return Transistor.BaseJunctionCurrent(v); };
        const double g = Slope(law, vj);
        rows.IInto(1, Ports.Base, Ports.BaseSign);
        rows.V(1, Ports.JunctionPlus, -(g + gmin));
        rows.V(1, Ports.JunctionMinus, g + gmin);
        rows.RightReal(1, law(vj) - g * vj);
    }

    // y = G(u, b) = u Beta b / (u + c b), c = 0.001 Beta, linearised at the
    // present u and b, u first moved to the physical side of the pole.
    bool CollectorRow(TDCRows& rows, const TPortValues& ports, double gmin) const {
        const double beta = Transistor.Beta;
        const double c = SaturationResistance * beta;
        const double b = Ports.BaseSign * ports.IInto(Ports.Base);
        double u = ports.Across(Ports.ModelPlus, Ports.ModelMinus);
        const double margin = std::max(MinPoleMargin, 0.5 * std::fabs(c * b));
        const bool moved = u + c * b < margin;
        if (moved) {
            u = margin - c * b;
        }
        const TCollectorModel model = CollectorModel(beta, u, b);
        rows.IInto(2, Ports.ModelPort, 1.0);
        rows.V(2, Ports.ModelPlus, -(model.ByU + gmin));
        rows.V(2, Ports.ModelMinus, model.ByU + gmin);
        rows.IInto(2, Ports.Base, -model.ByB * Ports.BaseSign);
        rows.RightReal(2, model.Value - model.ByU * u - model.ByB * b);
        return moved;
    }

    TBipolarTransistor& Transistor;
    TTransistorPorts Ports;
    double Last = 0.0;
};

} // namespace

double TPortValues::V(int port) const {
    const long long column = 2LL * Device.PortConnectorNo(port);
    CheckIndex(column, static_cast<long long>(X.size()));
    return X[static_cast<std::size_t>(column)];
}

double TPortValues::IInto(int port) const {
    const long long column = 2LL * Device.PortConnectorNo(port) + 1;
    CheckIndex(column, static_cast<long long>(X.size()));
    return Device.PortCurrentSign(port) * X[static_cast<std::size_t>(column)];
}

std::unique_ptr<TJunctionCompanion> TJunctionCompanion::For(TZaroSimDevice& device) {
    if (auto* zener = dynamic_cast<TZenarDiode*>(&device)) {
        // Breakdown with port 0 (the cathode) up, forward conduction down.
        return std::make_unique<TDiodeCompanion>(
            *zener, std::vector<TExponentialBranch>{{-1.0, zener->IsF, zener->KF},
                                                    {1.0, zener->IsZ, zener->KZ}});
    }
    if (auto* diode = dynamic_cast<TPNDiode*>(&device)) {
        return std::make_unique<TDiodeCompanion>(
            *diode, std::vector<TExponentialBranch>{{1.0, diode->Is, diode->K}});
    }
    if (auto* npn = dynamic_cast<TTrNPN*>(&device)) {
        return std::make_unique<TTransistorCompanion>(*npn, NPNPorts);
    }
    if (auto* pnp = dynamic_cast<TTrPNP*>(&device)) {
        return std::make_unique<TTransistorCompanion>(*pnp, PNPPorts);
    }
    return nullptr;
}

double TJunctionCompanion::Resistance(double v, double i, int index) const {
    if (i == 0.0) {
        return *Device.NonLinearParam(index);
    }
    return v / i;
}

double LimitJunctionVoltage(double vnew, double vold, double is, double k, bool& limited) {
    const double vt = 1.0 / k;
    const double vcrit = vt * std::log(vt / (std::sqrt(2.0) * is));
    limited = vnew > vcrit && std::fabs(vnew - vold) > 2 * vt;
    if (!limited) {
        return vnew;
    }
    if (vold > 0) {
        const double arg = 1 + (vnew - vold) / vt;
        return arg > 0 ? vold + vt * std::log(arg) : vcrit;
    }
    return vt * std::log(vnew / vt);
}

} // namespace zaro
