// Sweeps of the example circuits: a 201-point Bode plot of the amplifier
// (10 Hz to 100 kHz, 50 points a decade, one operating-point search, then the
// AC system at each frequency) with each solver, and a 151-step DC sweep of
// the diode-lamp example's source. Each iteration runs one whole sweep.

#include "CircuitDocument.h"
#include "ConsolePlatform.h"
#include "ConsoleProgressView.h"
#include "ModelFile.h"
#include "Sources.h"
#include "Sweep.h"
#include "ZaroMathImport.h"

#include <benchmark/benchmark.h>

#include <sstream>

namespace {

using namespace zaro;

struct TSweepBench {
    explicit TSweepBench(const char* example) {
        LoadZaroMath();
        LoadModel(Doc, std::string(ZARO_SOURCE_DIR "/examples/") + example);
    }
    TSweepRunner Runner(TSolverKind solver) {
        return TSweepRunner(Doc.Canvas(), Doc.Platform(), Doc.Progress(), *Doc.TP1().Variables(),
                            solver);
    }

    std::ostringstream Messages;
    cli::TConsolePlatform Platform{Messages};
    cli::TConsoleProgressView View;
    TCircuitDocument Doc{Platform, View};
};

void BM_AmplifierBode(benchmark::State& state) {
    TSweepBench bench("npn-common-emitter.zsm");
    const auto solver = static_cast<TSolverKind>(state.range(0));
    state.SetLabel(SolverKindName(solver));
    for (auto _ : state) {
        TSweepRunner runner = bench.Runner(solver);
        const TSweepResult result = runner.RunAC(FrequencyRange(10, 100e3, 50));
        if (result.Outcome != TSweepOutcome::Completed || result.Values.size() != 201) {
            state.SkipWithError("the sweep did not complete");
        }
        benchmark::DoNotOptimize(result.Readings.data());
    }
}
BENCHMARK(BM_AmplifierBode)
    ->Arg(static_cast<int>(TSolverKind::Sparse))
    ->Arg(static_cast<int>(TSolverKind::Reference))
    ->Unit(benchmark::kMillisecond);

void BM_DiodeLampDCSweep(benchmark::State& state) {
    TSweepBench bench("diode-lamp.zsm");
    TCodingPanel& canvas = bench.Doc.Canvas();
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        if (auto* source = dynamic_cast<TVDC*>(&canvas.DragPanel(i))) {
            source->ValueEdit()->SetText("VIN");
        }
    }
    bench.Doc.SetVariablesText("VIN=3");
    for (auto _ : state) {
        TSweepRunner runner = bench.Runner(DefaultSolverKind);
        const TSweepResult result = runner.RunDC("VIN", LinearRange(0, 3, 0.02));
        if (result.Outcome != TSweepOutcome::Completed) {
            state.SkipWithError("the sweep did not complete");
        }
        benchmark::DoNotOptimize(result.Readings.data());
    }
}
BENCHMARK(BM_DiodeLampDCSweep)->Unit(benchmark::kMillisecond);

} // namespace
