// The analysis commands on generated circuits: linear DC and AC of resistor
// ladders with 50, 100 and 200 wires (systems of 100 to 400 unknowns), and
// the non-linear DC command on a ladder of diodes and on a chain of
// transistor stages. Each iteration runs one whole command, as the user does.

#include "CircuitBuilder.h"
#include "CircuitDocument.h"
#include "ConsolePlatform.h"
#include "ConsoleProgressView.h"
#include "Diodes.h"
#include "Junctions.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "StructureCheck.h"
#include "Transistors.h"
#include "ZaroMathImport.h"

#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>

namespace {

using namespace zaro;

// A document whose message boxes are collected, not shown.
struct TBenchDocument {
    std::ostringstream Messages;
    cli::TConsolePlatform Platform{Messages};
    cli::TConsoleProgressView View;
    TCircuitDocument Doc{Platform, View};

    TCircuitBuilder Build{Doc.Canvas(), Doc.TP1()};
};

// Source (1 wire to ground), then stages of a series resistor and a Y
// junction whose third port goes through a shunt element to ground (4 wires
// a stage), then a tail of series resistors to ground that makes the wire
// count exact (1 to 4 wires).
template <typename TSource, typename TSeries, typename TShunt>
void BuildLadder(TBenchDocument& b, int wires, const std::string& sourceValue,
                 const std::string& seriesValue, const std::string& shuntValue) {
    const int tail = (wires - 1) % 4 == 0 ? 4 : (wires - 1) % 4;
    const int stages = (wires - 1 - tail) / 4;
    auto& gnd = b.Build.Add<TGnd>();
    TDragPanel* previous = &b.Build.Add<TSource>(sourceValue);
    int previousPort = 1;
    b.Build.Wire(gnd, 0, *previous, 0);
    for (int s = 0; s < stages; ++s) {
        auto& series = b.Build.Add<TSeries>(seriesValue);
        auto& y = b.Build.Add<TYConnection>();
        auto& shunt = b.Build.Add<TShunt>(shuntValue);
        auto& ground = b.Build.Add<TGnd>();
        b.Build.Wire(*previous, previousPort, series, 0);
        b.Build.Wire(series, 1, y, 0);
        b.Build.Wire(y, 2, shunt, 0);
        b.Build.Wire(shunt, 1, ground, 0);
        previous = &y;
        previousPort = 1;
    }
    for (int t = 0; t < tail - 1; ++t) {
        auto& series = b.Build.Add<TResistor>("1k");
        b.Build.Wire(*previous, previousPort, series, 0);
        previous = &series;
        previousPort = 1;
    }
    auto& end = b.Build.Add<TGnd>();
    b.Build.Wire(*previous, previousPort, end, 0);
}

// A first stage biased from its own source through 1 MOhm; each further
// stage takes its base current from the previous collector through 1 MOhm.
// Every collector hangs on the supply rail through 1 kOhm.
void BuildTransistorChain(TBenchDocument& b, int stages) {
    auto& gnd = b.Build.Add<TGnd>();
    auto& vcc = b.Build.Add<TVDC>("10");
    b.Build.Wire(gnd, 0, vcc, 0);
    auto& gndBias = b.Build.Add<TGnd>();
    auto& bias = b.Build.Add<TVDC>("10");
    b.Build.Wire(gndBias, 0, bias, 0);
    TDragPanel* rail = &vcc;
    int railPort = 1;
    TDragPanel* drive = &bias;
    int drivePort = 1;
    for (int s = 0; s < stages; ++s) {
        auto& railJunction = b.Build.Add<TYConnection>();
        auto& rc = b.Build.Add<TResistor>("1k");
        auto& collector = b.Build.Add<TYConnection>();
        auto& rb = b.Build.Add<TResistor>("1MG");
        auto& q = b.Build.Add<TTrNPN>();
        auto& emitterGnd = b.Build.Add<TGnd>();
        b.Build.Wire(*rail, railPort, railJunction, 0);
        b.Build.Wire(railJunction, 2, rc, 0);
        b.Build.Wire(rc, 1, collector, 0);
        b.Build.Wire(collector, 1, q, 0);
        b.Build.Wire(*drive, drivePort, rb, 0);
        b.Build.Wire(rb, 1, q, 2);
        b.Build.Wire(q, 1, emitterGnd, 0);
        rail = &railJunction;
        railPort = 1;
        drive = &collector;
        drivePort = 2;
    }
    auto& railEnd = b.Build.Add<TOpen>();
    b.Build.Wire(*rail, railPort, railEnd, 0);
    auto& driveEnd = b.Build.Add<TOpen>();
    b.Build.Wire(*drive, drivePort, driveEnd, 0);
}

bool ZaroMathReady(benchmark::State& state) {
    LoadZaroMath();
    if (!ZaroMathLoaded()) {
        state.SkipWithError("libZaroMath.so not found beside the benchmark");
        return false;
    }
    return true;
}

template <typename TCommand>
void RunCommand(benchmark::State& state, TBenchDocument& b, TCommand command) {
    state.counters["wires"] = b.Doc.Canvas().ConnectorCount();
    for (auto _ : state) {
        try {
            (b.Doc.*command)();
        } catch (const std::exception& e) {
            b.Messages << e.what();
        }
        if (!b.Doc.Analysis().ResultsValid()) {
            state.SkipWithError(("analysis failed: " + b.Messages.str()).c_str());
            return;
        }
    }
}

void BM_LinearDCLadder(benchmark::State& state) {
    if (!ZaroMathReady(state)) {
        return;
    }
    TBenchDocument b;
    BuildLadder<TVDC, TResistor, TResistor>(b, static_cast<int>(state.range(0)), "10", "100", "1k");
    RunCommand(state, b, &TCircuitDocument::AtnSimulateDC);
}

void BM_LinearACLadder(benchmark::State& state) {
    if (!ZaroMathReady(state)) {
        return;
    }
    TBenchDocument b;
    BuildLadder<TVAC, TResistor, TResistor>(b, static_cast<int>(state.range(0)), "10", "100", "1k");
    RunCommand(state, b, &TCircuitDocument::AtnSimulateAC);
}

// range(0) diodes in series from 20 V, 1 kOhm from every node to ground:
// 4 wires a stage, plus the source's and a tail of two resistors (3 wires).
// Newton finds the operating point without source stepping.
void BM_NonLinearDCDiodeLadder(benchmark::State& state) {
    if (!ZaroMathReady(state)) {
        return;
    }
    TBenchDocument b;
    BuildLadder<TVDC, TDiode, TResistor>(b, 4 * static_cast<int>(state.range(0)) + 4, "20", "",
                                         "1k");
    RunCommand(state, b, &TCircuitDocument::AtnSimulateDCNonLinear);
    state.counters["evaluations"] = b.Doc.Registry().IterationCount();
}

void BM_NonLinearDCTransistorChain(benchmark::State& state) {
    if (!ZaroMathReady(state)) {
        return;
    }
    TBenchDocument b;
    BuildTransistorChain(b, static_cast<int>(state.range(0)));
    RunCommand(state, b, &TCircuitDocument::AtnSimulateDCNonLinear);
    state.counters["evaluations"] = b.Doc.Registry().IterationCount();
}

// What a failed analysis adds: the structural check of the same ladders in
// DC and AC (range(1) = 1), which finds nothing wrong with them.
void BM_DiagnoseLadder(benchmark::State& state) {
    if (!ZaroMathReady(state)) {
        return;
    }
    TBenchDocument b;
    BuildLadder<TVAC, TResistor, TResistor>(b, static_cast<int>(state.range(0)), "10", "100", "1k");
    std::vector<std::string> variables = b.Doc.VariableLines();
    StoreFrequencyVariable(variables, 1000);
    b.Doc.SetVariableLines(variables);
    const TAnalysisDomain domain = state.range(1) == 1 ? TAnalysisDomain::AC : TAnalysisDomain::DC;
    state.counters["wires"] = b.Doc.Canvas().ConnectorCount();
    for (auto _ : state) {
        if (!DiagnoseStructure(b.Doc.Canvas(), domain).Empty()) {
            state.SkipWithError("a finding on a sound ladder");
            return;
        }
    }
}

BENCHMARK(BM_LinearDCLadder)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinearACLadder)->Arg(50)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NonLinearDCDiodeLadder)->Arg(5)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NonLinearDCTransistorChain)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiagnoseLadder)->ArgsProduct({{50, 100, 200}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace
