// Evaluating the expressions devices build for their impedances, as an analysis does
// for every device: write Expression, read Answer, read the answer back as a number.

#include "TinyParseEngine.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void EvaluateDeviceExpression(benchmark::State& state, const std::string& expression) {
    std::vector<std::string> variables{"R1=4.7K", "C1=10U", "F=1000"};
    zaro::TTinyParser parser;
    parser.SetVariables(&variables);
    for (auto _ : state) {
        parser.SetExpression(expression);
        benchmark::DoNotOptimize(zaro::ZaroStrToFloat(parser.Answer()));
    }
}

void BM_CapacitorReactance(benchmark::State& state) {
    EvaluateDeviceExpression(state, "-1/(2*PI*F*(10u))");
}
BENCHMARK(BM_CapacitorReactance);

void BM_InductorReactance(benchmark::State& state) {
    EvaluateDeviceExpression(state, "2*PI*F*1M");
}
BENCHMARK(BM_InductorReactance);

void BM_PlainValue(benchmark::State& state) {
    EvaluateDeviceExpression(state, "4.7k");
}
BENCHMARK(BM_PlainValue);

void BM_VariablesAndFunctions(benchmark::State& state) {
    EvaluateDeviceExpression(state, "R1 // (2*R1) + SQRT(C1*1MG) + MEAN(1,2,3)");
}
BENCHMARK(BM_VariablesAndFunctions);

} // namespace
