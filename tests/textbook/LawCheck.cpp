#include "LawCheck.h"

#include "CircuitDevice.h"
#include "LawFormulas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>

namespace zaro::test {

namespace {

// Relative rounding of the solved potentials, and of the currents against
// the circuit's largest current.
constexpr double PotentialRounding = 1e-13;
constexpr double CurrentRounding = 1e-13;

// The ports of one device as the result gives them.
struct TPorts {
    std::vector<double> V;      // potentials
    std::vector<double> I;      // currents into the device
    std::vector<double> Stored; // wire currents as stored

    double Potentials(int a, int b) const { return std::fabs(V[a]) + std::fabs(V[b]); }
};

TPorts ReadPorts(const TZaroSimDevice& device, const TAnalysisState& state) {
    TPorts ports;
    for (int p = 0; p < device.PortCount(); ++p) {
        const int wire = device.PortConnectorNo(p);
        const double stored = WireCurrentAt(state, wire).re;
        ports.V.push_back(WireVoltageAt(state, wire).re);
        ports.I.push_back(device.PortCurrentSign(p) * stored);
        ports.Stored.push_back(stored);
    }
    return ports;
}

class TLawChecker {
public:
    TLawChecker(const TTolerance& tolerance, double largestCurrent, std::vector<TLawViolation>& out)
        : Tolerance(tolerance), LargestCurrent(largestCurrent), Out(out) {}

    void Check(int index, const TZaroSimDevice& device, const TPorts& ports) {
        Index = index;
        Device = &device;
        const auto law = Laws().find(device.ClassName());
        if (law == Laws().end()) {
            Report("known law", 1.0, 0.0);
            return;
        }
        law->second(*this, ports);
    }

    // Solved current against the law's current, which has the given slope
    // in a voltage formed from potentials of magnitude `potentials` and in a
    // current: their rounding is allowed for on top (a saturated collector
    // is 1 mOhm, and Beta amplifies a base current that is the difference of
    // two divider currents).
    void Current(const char* law, double solved, double model, double voltageSlope = 0.0,
                 double potentials = 0.0, double currentSlope = 0.0) {
        const double allowed = Tolerance.Relative * std::max(std::fabs(solved), std::fabs(model)) +
                               Tolerance.Amperes +
                               std::fabs(voltageSlope) * PotentialRounding * potentials +
                               std::fabs(currentSlope) * CurrentRounding * LargestCurrent;
        Compare(law, solved - model, allowed);
    }
    // A sum of potentials that should vanish; scale is the largest term.
    void Potential(const char* law, double residual, double scale) {
        Compare(law, residual, Tolerance.Relative * std::fabs(scale) + Tolerance.Volts);
    }
    void Positive(const char* law, double value) {
        if (!(value > 0)) {
            Report(law, value, 0.0);
        }
    }
    void CurrentSum(const TPorts& ports) {
        double sum = 0;
        double largest = 0;
        for (const double i : ports.I) {
            sum += i;
            largest = std::max(largest, std::fabs(i));
        }
        Compare("current sum", sum, Tolerance.Relative * largest + Tolerance.Amperes);
    }
    double DeviceValue() const { return Device->EvaluateExpression(Device->ValueText()); }

private:
    using TLaw = std::function<void(TLawChecker&, const TPorts&)>;

    void Compare(const char* law, double residual, double allowed) {
        if (!(std::fabs(residual) <= allowed)) {
            Report(law, residual, allowed);
        }
    }
    void Report(const char* law, double residual, double allowed) {
        Out.push_back({Index, Device->ClassName(), law, residual, allowed});
    }

    static const std::map<std::string, TLaw>& Laws();

    const TTolerance& Tolerance;
    double LargestCurrent;
    std::vector<TLawViolation>& Out;
    int Index = -1;
    const TZaroSimDevice* Device = nullptr;
};

void Resistor(TLawChecker& c, const TPorts& p) {
    const double r = c.DeviceValue();
    c.Current("Ohm's law", p.I[0], (p.V[0] - p.V[1]) / r, 1 / r, p.Potentials(0, 1));
    c.CurrentSum(p);
}

// Port 1 over port 0, less the series term on the stored current.
void VoltageSource(TLawChecker& c, const TPorts& p) {
    const double e = c.DeviceValue();
    c.Potential("source voltage", p.V[1] - p.V[0] - laws::SourceOhms * p.Stored[0] - e,
                std::max({std::fabs(p.V[0]), std::fabs(p.V[1]), std::fabs(e)}));
    c.CurrentSum(p);
}

void Ground(TLawChecker& c, const TPorts& p) {
    c.Potential("ground potential", p.V[0], 0.0);
}

void Open(TLawChecker& c, const TPorts& p) {
    c.Current("open end", p.I[0], 0.0);
}

void Junction(TLawChecker& c, const TPorts& p) {
    for (std::size_t k = 1; k < p.V.size(); ++k) {
        c.Potential("equal potentials", p.V[k] - p.V[0],
                    std::max(std::fabs(p.V[k]), std::fabs(p.V[0])));
    }
    c.CurrentSum(p);
}

void TwoTerminalJunction(TLawChecker& c, const TPorts& p, const laws::TSloped& law) {
    c.Current("junction law", p.I[0], law.Value, law.Slope, p.Potentials(0, 1));
    c.CurrentSum(p);
}

void Diode(TLawChecker& c, const TPorts& p, double is, double k) {
    TwoTerminalJunction(c, p, laws::DiodeCurrent(is, k, p.V[0] - p.V[1]));
}

void Zener(TLawChecker& c, const TPorts& p) {
    TwoTerminalJunction(c, p, laws::ZenerCurrentInto(c.DeviceValue(), p.V[0] - p.V[1]));
}

// Ports of the junction and of the collector model (plus, minus), the base
// current and the collector model's current.
struct TTransistorView {
    int JPlus, JMinus, UPlus, UMinus;
    double Base, Model;
};

void Transistor(TLawChecker& c, const TPorts& p, const TTransistorView& t) {
    const double vj = p.V[t.JPlus] - p.V[t.JMinus];
    const double u = p.V[t.UPlus] - p.V[t.UMinus];
    const double ib = t.Base;
    const laws::TSloped base = laws::BaseCurrent(vj);
    c.Current("base junction law", ib, base.Value, base.Slope, p.Potentials(t.JPlus, t.JMinus));
    const laws::TCollectorLaw collector = laws::CollectorCurrent(u, ib);
    c.Current("collector law", t.Model, collector.Value, collector.ByVoltage,
              p.Potentials(t.UPlus, t.UMinus), collector.ByBaseCurrent);
    // Beyond the pole of u / (u / (Beta b) + 0.001) the collector current
    // keeps the sign of b against the voltage: no physical operating point.
    c.Positive("collector model on its branch", u + laws::SaturationOhms * laws::Beta * ib);
    c.CurrentSum(p);
}

// Ports: NPN collector 0, emitter 1, base 2; PNP emitter 0, collector 1, base 2.
void NPN(TLawChecker& c, const TPorts& p) {
    Transistor(c, p, {2, 1, 0, 1, p.I[2], p.I[0]});
}
void PNP(TLawChecker& c, const TPorts& p) {
    Transistor(c, p, {0, 2, 0, 1, -p.I[2], p.I[0]});
}

const std::map<std::string, TLawChecker::TLaw>& TLawChecker::Laws() {
    static const std::map<std::string, TLaw> laws{
        {"TResistor", Resistor},
        {"TVDC", VoltageSource},
        {"TGnd", Ground},
        {"TOpen", Open},
        {"TYConnection", Junction},
        {"TXConnection", Junction},
        {"TDiode",
         [](TLawChecker& c, const TPorts& p) { Diode(c, p, laws::DiodeIs, laws::DiodeK); }},
        {"TLED", [](TLawChecker& c, const TPorts& p) { Diode(c, p, laws::LEDIs, laws::LEDK); }},
        {"TZenarDiode", Zener},
        {"TTrNPN", NPN},
        {"TTrPNP", PNP},
    };
    return laws;
}

} // namespace

std::vector<TLawViolation> CheckDeviceLaws(const TCodingPanel& canvas, const TAnalysisState& state,
                                           const TTolerance& tolerance) {
    std::vector<TLawViolation> violations;
    double largest = 0;
    for (const TComplex& i : state.WireCurrents) {
        largest = std::max(largest, std::fabs(i.re));
    }
    TLawChecker checker(tolerance, largest, violations);
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        const TZaroSimDevice& device = DeviceAt(canvas, i);
        checker.Check(i, device, ReadPorts(device, state));
    }
    return violations;
}

std::string DescribeViolations(const std::vector<TLawViolation>& violations) {
    std::string text;
    for (const TLawViolation& v : violations) {
        char line[200];
        std::snprintf(line, sizeof line, "%sNo.%d %s %s: residual %.3g beyond %.3g",
                      text.empty() ? "" : "; ", v.Device, v.ClassName.c_str(), v.Law.c_str(),
                      v.Residual, v.Allowed);
        text += line;
    }
    return text;
}

} // namespace zaro::test
