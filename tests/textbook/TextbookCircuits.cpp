#include "TextbookCircuits.h"

#include <cstdio>

namespace zaro::test {

namespace {

// E12 mantissas times ten, so the values stay exact integers of ohms.
constexpr std::array<int, 12> E12{10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
constexpr std::array<double, 15> ZenerVoltages{3.3, 3.6, 3.9, 4.3, 4.7, 5.1, 5.6, 6.2,
                                               6.8, 7.5, 8.2, 9.1, 10,  11,  12};

std::string Number(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

std::string Ohms(double r) {
    if (r >= 1e6) {
        return Number(r / 1e6) + "M";
    }
    return r >= 1e3 ? Number(r / 1e3) + "k" : Number(r);
}

std::string Volts(double v) {
    return Number(v) + " V";
}

std::string LoadText(double load) {
    return load > 0 ? ", load " + Ohms(load) : "";
}

// Either end of a two-terminal part, turned round when reversed.
std::vector<int> Between(int a, int b, bool reversed) {
    return reversed ? std::vector<int>{b, a} : std::vector<int>{a, b};
}

std::string KindName(TPartKind kind) {
    switch (kind) {
    case TPartKind::Diode:
        return "diode";
    case TPartKind::LED:
        return "LED";
    case TPartKind::Zener:
        return "Zener";
    case TPartKind::NPN:
        return "NPN";
    case TPartKind::PNP:
        return "PNP";
    default:
        return "part";
    }
}

// The two rails of a stage; the supply sits between them.
struct TRails {
    int Positive;
    int Negative;
};

TRails AddRails(TNetlist& net, double volts, bool groundOnPositive) {
    const int rail = net.AddNode();
    const TRails rails = groundOnPositive ? TRails{0, rail} : TRails{rail, 0};
    net.Add(TPartKind::Source, "V1", {rails.Negative, rails.Positive}, volts);
    return rails;
}

// The stage's parts between the rails; returns the collector node.
int AddStage(TNetlist& net, TPartKind kind, const TStageValues& v, const TRails& rails,
             const std::string& suffix) {
    const bool npn = kind == TPartKind::NPN;
    const int emitterRail = npn ? rails.Negative : rails.Positive;
    const int collectorRail = npn ? rails.Positive : rails.Negative;
    const int base = net.AddNode();
    const int collector = net.AddNode();
    const int emitter = v.Emitter > 0 ? net.AddNode() : emitterRail;
    net.Add(TPartKind::Resistor, "RT" + suffix, {rails.Positive, base}, v.Top);
    net.Add(TPartKind::Resistor, "RB" + suffix, {base, rails.Negative}, v.Bottom);
    net.Add(TPartKind::Resistor, "RC" + suffix, Between(collectorRail, collector, !npn),
            v.Collector);
    if (v.Emitter > 0) {
        net.Add(TPartKind::Resistor, "RE" + suffix, Between(emitterRail, emitter, npn), v.Emitter);
    }
    if (npn) {
        net.Add(TPartKind::NPN, "Q" + suffix, {collector, emitter, base});
    } else {
        net.Add(TPartKind::PNP, "Q" + suffix, {emitter, collector, base});
    }
    if (v.Load > 0) {
        net.Add(TPartKind::Resistor, "RL" + suffix, {collector, emitterRail}, v.Load);
    }
    return collector;
}

std::string StageText(const TStageValues& v) {
    std::string text = Volts(v.Volts) + ", divider " + Ohms(v.Top) + "/" + Ohms(v.Bottom) +
                       ", RC " + Ohms(v.Collector);
    text += v.Emitter > 0 ? ", RE " + Ohms(v.Emitter) : ", emitter on the rail";
    text += LoadText(v.Load);
    return v.GroundOnPositiveRail ? text + ", ground on the positive rail" : text;
}

} // namespace

std::string FamilyName(TFamily family) {
    switch (family) {
    case TFamily::Diode:
        return "diode";
    case TFamily::LED:
        return "LED";
    case TFamily::Zener:
        return "Zener regulator";
    case TFamily::Clamp:
        return "clamp";
    case TFamily::NPNStage:
        return "NPN stage";
    case TFamily::PNPStage:
        return "PNP stage";
    case TFamily::TwoStage:
        return "two-stage amplifier";
    case TFamily::Bridge:
        return "bridge";
    }
    return "?";
}

TNetlist SeriesCircuit(TPartKind device, const TSeriesValues& v) {
    TNetlist net;
    const int top = net.AddNode();
    const int middle = net.AddNode();
    net.Add(TPartKind::Source, "V1", {0, top}, v.Volts);
    net.Add(TPartKind::Resistor, "R1", {top, middle}, v.Series);
    // The diodes' anode and the Zener's cathode are port 0: both point the
    // device's usual direction of use down towards ground.
    net.Add(device, "D1", Between(middle, 0, v.Reversed),
            device == TPartKind::Zener ? v.ZenerVolts : 0.0);
    if (v.Load > 0) {
        net.Add(TPartKind::Resistor, "RL", {middle, 0}, v.Load);
    }
    const std::string zener = device == TPartKind::Zener ? " " + Volts(v.ZenerVolts) : "";
    net.Title = Volts(v.Volts) + ", " + Ohms(v.Series) + ", " + KindName(device) + zener +
                (v.Reversed ? " reversed" : "") + LoadText(v.Load);
    net.Family = FamilyName(device == TPartKind::Zener ? TFamily::Zener
                            : device == TPartKind::LED ? TFamily::LED
                                                       : TFamily::Diode);
    return net;
}

TNetlist ClampCircuit(const TClampValues& v) {
    TNetlist net;
    const int input = net.AddNode();
    const int output = net.AddNode();
    const int reference = net.AddNode();
    net.Add(TPartKind::Source, "V1", {0, input}, v.Volts);
    net.Add(TPartKind::Resistor, "R1", {input, output}, v.Series);
    net.Add(TPartKind::Source, "V2", {0, reference}, v.Reference);
    net.Add(TPartKind::Diode, "D1", Between(output, reference, v.Reversed));
    if (v.Load > 0) {
        net.Add(TPartKind::Resistor, "RL", {output, 0}, v.Load);
    }
    net.Title = Volts(v.Volts) + ", " + Ohms(v.Series) + ", clamped " +
                (v.Reversed ? "from below" : "from above") + " at " + Volts(v.Reference) +
                LoadText(v.Load);
    net.Family = FamilyName(TFamily::Clamp);
    return net;
}

TNetlist TransistorStage(TPartKind transistor, const TStageValues& v) {
    TNetlist net;
    const TRails rails = AddRails(net, v.Volts, v.GroundOnPositiveRail);
    AddStage(net, transistor, v, rails, "1");
    net.Title = KindName(transistor) + " common emitter, " + StageText(v);
    net.Family = FamilyName(transistor == TPartKind::NPN ? TFamily::NPNStage : TFamily::PNPStage);
    return net;
}

TNetlist ResistorLadder(int sections) {
    TNetlist n;
    int node = n.AddNode();
    n.Add(TPartKind::Source, "V1", {0, node}, 10);
    for (int s = 1; s <= sections; ++s) {
        const int next = n.AddNode();
        n.Add(TPartKind::Resistor, "RS" + std::to_string(s), {node, next}, 100);
        n.Add(TPartKind::Resistor, "RP" + std::to_string(s), {next, 0}, 1000);
        node = next;
    }
    return n;
}

TNetlist NPNCascade(int stages) {
    TNetlist n;
    const int rail = n.AddNode();
    const int bias = n.AddNode();
    n.Add(TPartKind::Source, "VCC", {0, rail}, 10);
    n.Add(TPartKind::Source, "VB", {0, bias}, 10);
    int drive = bias;
    for (int s = 1; s <= stages; ++s) {
        const int collector = n.AddNode();
        const int base = n.AddNode();
        n.Add(TPartKind::Resistor, "RC" + std::to_string(s), {rail, collector}, 1000);
        n.Add(TPartKind::Resistor, "RB" + std::to_string(s), {drive, base}, 1e6);
        n.Add(TPartKind::NPN, "Q" + std::to_string(s), {collector, 0, base});
        drive = collector;
    }
    return n;
}

TNetlist TwoStageAmplifier(const TTwoStageValues& v) {
    TNetlist net;
    const TRails rails = AddRails(net, v.First.Volts, v.First.GroundOnPositiveRail);
    const int drive = AddStage(net, TPartKind::NPN, v.First, rails, "1");
    const int emitter = net.AddNode();
    if (v.Second == TPartKind::NPN) {
        net.Add(TPartKind::NPN, "Q2", {rails.Positive, emitter, drive});
        net.Add(TPartKind::Resistor, "RE2", {emitter, rails.Negative}, v.SecondResistor);
        net.Title = "NPN stage and emitter follower (RE2 " + Ohms(v.SecondResistor) + "), ";
    } else {
        const int collector = net.AddNode();
        net.Add(TPartKind::Resistor, "RE2", {rails.Positive, emitter}, v.SecondResistor);
        net.Add(TPartKind::PNP, "Q2", {emitter, collector, drive});
        net.Add(TPartKind::Resistor, "RC2", {collector, rails.Negative}, v.ThirdResistor);
        net.Title = "NPN stage and PNP stage (RE2 " + Ohms(v.SecondResistor) + ", RC2 " +
                    Ohms(v.ThirdResistor) + "), ";
    }
    net.Title += StageText(v.First);
    net.Family = FamilyName(TFamily::TwoStage);
    return net;
}

TNetlist BridgeRectifier(const TBridgeValues& v) {
    TNetlist net;
    const int a = net.AddNode();
    const int b = net.AddNode();
    const int positive = net.AddNode();
    const int feed = v.Series > 0 ? net.AddNode() : a;
    net.Add(TPartKind::Source, "V1", Between(b, feed, v.Reversed), v.Volts);
    if (v.Series > 0) {
        net.Add(TPartKind::Resistor, "RS", {feed, a}, v.Series);
    }
    net.Add(TPartKind::Diode, "D1", {a, positive});
    net.Add(TPartKind::Diode, "D2", {b, positive});
    net.Add(TPartKind::Diode, "D3", {0, a});
    net.Add(TPartKind::Diode, "D4", {0, b});
    net.Add(TPartKind::Resistor, "RL", {positive, 0}, v.Load);
    net.Title = "bridge from " + Volts(v.Volts) + (v.Reversed ? " reversed" : "") + " into " +
                Ohms(v.Load) + (v.Series > 0 ? " through " + Ohms(v.Series) : "");
    net.Family = FamilyName(TFamily::Bridge);
    return net;
}

// --- Random values ---------------------------------------------------------------

double TTextbookGenerator::Resistor() {
    // 4 decades of E12 from 100 Ohm, and 1 MOhm.
    const std::uint64_t pick = Below(4 * E12.size() + 1);
    if (pick == 4 * E12.size()) {
        return 1e6;
    }
    double decade = 10;
    for (std::uint64_t d = 0; d < pick / E12.size(); ++d) {
        decade *= 10;
    }
    return E12[pick % E12.size()] * decade;
}

double TTextbookGenerator::OptionalResistor(int percent) {
    return Chance(percent) ? Resistor() : 0.0;
}

// 1 to 24 V in half volts.
double TTextbookGenerator::Supply() {
    return 1.0 + 0.5 * static_cast<double>(Below(47));
}

double TTextbookGenerator::ZenerVoltage() {
    return ZenerVoltages[Below(ZenerVoltages.size())];
}

TStageValues TTextbookGenerator::Stage() {
    TStageValues v;
    v.Volts = Supply();
    v.Top = Resistor();
    v.Bottom = Resistor();
    v.Collector = Resistor();
    v.Emitter = OptionalResistor(70);
    v.Load = OptionalResistor(30);
    v.GroundOnPositiveRail = Chance(25);
    return v;
}

TNetlist TTextbookGenerator::Next(TFamily family) {
    switch (family) {
    case TFamily::Diode:
    case TFamily::LED:
    case TFamily::Zener: {
        TSeriesValues v;
        v.Volts = Supply();
        v.Series = Resistor();
        v.ZenerVolts = ZenerVoltage();
        v.Reversed = Chance(35);
        v.Load = OptionalResistor(40);
        const TPartKind kind = family == TFamily::Diode ? TPartKind::Diode
                               : family == TFamily::LED ? TPartKind::LED
                                                        : TPartKind::Zener;
        return SeriesCircuit(kind, v);
    }
    case TFamily::Clamp: {
        TClampValues v;
        v.Volts = Supply();
        v.Series = Resistor();
        v.Reference = Supply();
        v.Reversed = Chance(50);
        v.Load = OptionalResistor(40);
        return ClampCircuit(v);
    }
    case TFamily::NPNStage:
        return TransistorStage(TPartKind::NPN, Stage());
    case TFamily::PNPStage:
        return TransistorStage(TPartKind::PNP, Stage());
    case TFamily::TwoStage: {
        TTwoStageValues v;
        v.First = Stage();
        v.Second = Chance(50) ? TPartKind::NPN : TPartKind::PNP;
        v.SecondResistor = Resistor();
        v.ThirdResistor = Resistor();
        return TwoStageAmplifier(v);
    }
    case TFamily::Bridge: {
        TBridgeValues v;
        v.Volts = Supply();
        v.Load = Resistor();
        v.Series = OptionalResistor(30);
        v.Reversed = Chance(50);
        return BridgeRectifier(v);
    }
    }
    return {};
}

std::vector<TNetlist> TTextbookGenerator::Batch(int perFamily) {
    std::vector<TNetlist> circuits;
    for (int i = 0; i < perFamily; ++i) {
        for (const TFamily family : AllFamilies) {
            circuits.push_back(Next(family));
        }
    }
    return circuits;
}

} // namespace zaro::test
