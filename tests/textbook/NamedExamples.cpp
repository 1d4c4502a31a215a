#include "NamedExamples.h"

#include "TextbookCircuits.h"
#include "ZaroErrors.h"

namespace zaro::test {

namespace {

// 12 V, 1 kOhm, 5.1 V Zener: 1E-52-scale breakdown branch, 10 mA at 5.1 V,
// so (12 - v) / 1k = 10 mA exp(23.03 (v - 5.1)): v = 5.084 V, 6.916 mA.
TNamedExample ZenerRegulator() {
    return {"Zener regulator 12 V, 1 kOhm, 5.1 V",
            SeriesCircuit(TPartKind::Zener, {12, 1000, 5.1, false, 0}),
            {{"D1", 0, false, 5.084, 5e-4}, {"D1", 0, true, 6.916e-3, 5e-7}}};
}

// Divider 47k/10k from 12 V: 2.105 V through 8.25 kOhm; 1 nA exp(23.03 vbe)
// base junction, beta 300, RE 1k: IB 5.6 uA, IE 1.69 mA, VC = 12 - 4.7k IC.
TNamedExample NPNStage() {
    return {"NPN common emitter 12 V, 47k/10k, RC 4.7k, RE 1k",
            TransistorStage(TPartKind::NPN, {12, 47000, 10000, 4700, 1000, 0, false}),
            {{"Q1", 0, false, 4.097, 5e-4}, {"Q1", 2, true, 5.6e-6, 5e-8}}};
}

// Divider 10k/47k: 9.895 V through 8.25 kOhm; the emitter current is 300
// times the base current: VE = 9.895 + 8.25k IB + veb(IB) with
// IE = (12 - VE) / 1k, so VE = 10.313 V.
TNamedExample PNPStage() {
    return {"PNP common emitter 12 V, 10k/47k, RC 1k, RE 1k",
            TransistorStage(TPartKind::PNP, {12, 10000, 47000, 1000, 1000, 0, false}),
            {{"Q1", 0, false, 10.313, 5e-4}}};
}

// Two conducting diodes of 0.705 V each: (12 - 1.41) / 1k = 10.59 mA.
TNamedExample Bridge() {
    return {"Diode bridge from 12 V into 1 kOhm",
            BridgeRectifier({12, 1000, 0, false}),
            {{"RL", 0, true, 10.59e-3, 5e-6}}};
}

// A reversed diode is its 1 MOhm leakage in parallel with -1 nA:
// (1 - v) / 560k = v / 1M - 1 nA, v = 0.64067 V, 0.64167 uA.
TNamedExample MicroAmperes() {
    return {"1 V, 560 kOhm, reversed diode",
            SeriesCircuit(TPartKind::Diode, {1, 560000, 0, true, 0}),
            {{"D1", 1, true, 0.64167e-6, 1e-11}}};
}

} // namespace

const std::vector<TNamedExample>& NamedExamples() {
    static const std::vector<TNamedExample> examples{ZenerRegulator(), NPNStage(), PNPStage(),
                                                     Bridge(), MicroAmperes()};
    return examples;
}

int PartIndex(const TNetlist& netlist, const std::string& name) {
    for (std::size_t k = 0; k < netlist.Parts.size(); ++k) {
        if (netlist.Parts[k].Name == name) {
            return static_cast<int>(k);
        }
    }
    throw ERangeError();
}

} // namespace zaro::test
