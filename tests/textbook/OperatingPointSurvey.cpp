#include "OperatingPointSurvey.h"

#include "CircuitDevice.h"
#include "DenseStepSolver.h"
#include "OperatingPointFallback.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace zaro::test {

namespace {

bool Near(double a, double b, double relative, double absolute) {
    return std::fabs(a - b) <= relative * std::max(std::fabs(a), std::fabs(b)) + absolute;
}

// Every row of every device's DC block holds at x within 1e-9 of its largest
// term, give or take the rounding of the circuit's largest potential.
bool DCBlocksHold(const TCodingPanel& canvas, const std::vector<double>& x) {
    double largest = 0;
    for (std::size_t k = 0; k < x.size(); k += 2) {
        largest = std::max(largest, std::fabs(x[k]));
    }
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        TZaroSimDevice& device = DeviceAt(canvas, i);
        TDCCoefArray coef;
        TDCRhsArray rhs;
        device.BuildDCDeviceEquation(coef, rhs);
        const int ports = device.PortCount();
        for (int r = 0; r < ports; ++r) {
            double sum = -rhs[r];
            double scale = std::fabs(rhs[r]);
            for (int j = 0; j < 2 * ports; ++j) {
                const std::size_t column = 2 * std::size_t(device.PortConnectorNo(j / 2)) + j % 2;
                const double term = coef[r * 2 * ports + j] * x[column];
                sum += term;
                scale = std::max(scale, std::fabs(term));
            }
            if (!(std::fabs(sum) <= 1e-9 * scale + 1e-12 * largest)) {
                return false;
            }
        }
    }
    return true;
}

// What is wrong with a result at a tolerance; empty when nothing is.
std::string Fault(const TDrawnCircuit& drawn, const TCircuitBench& bench,
                  const TPartResults& results, const TPartResults& reference,
                  const TTolerance& tolerance) {
    const auto violations = CheckDeviceLaws(bench.Canvas, bench.State, tolerance);
    if (!violations.empty()) {
        return DescribeViolations(violations);
    }
    return CompareResults(drawn.Netlist, results, reference, tolerance);
}

// A success judged by the device laws and the nodal solution.
TSearchRun Judge(const TDrawnCircuit& drawn, const TCircuitBench& bench,
                 const TPartResults& reference) {
    TSearchRun run;
    run.Results = ReadPartResults(drawn, bench.State);
    const std::string gross = Fault(drawn, bench, run.Results, reference, GrossTolerance);
    const std::string survey = Fault(drawn, bench, run.Results, reference, SurveyTolerance);
    const std::string tight = Fault(drawn, bench, run.Results, reference, TightTolerance);
    run.Outcome = !gross.empty()    ? TOutcome::WrongSuccess
                  : !survey.empty() ? TOutcome::ImpreciseSuccess
                                    : TOutcome::Right;
    run.Tight = tight.empty();
    run.Detail = !gross.empty() ? gross : !survey.empty() ? survey : tight;
    return run;
}

// The program's command, as the user starts it; the failure message, if any.
std::optional<std::string> RunCommand(TCircuitBench& bench) {
    try {
        bench.Commands.AtnSimulateDCNonLinear();
    } catch (const EZaroError& error) {
        return error.Message();
    }
    if (!bench.Platform.Messages.empty()) {
        return bench.Platform.Messages.front();
    }
    if (!bench.State.ResultsValid()) {
        return "no results";
    }
    return std::nullopt;
}

// The wire arrays receive a solution of the wire-based system.
void HandOver(TCircuitBench& bench, const std::vector<double>& x) {
    for (int w = 0; w < bench.State.WireCount; ++w) {
        bench.State.WireVoltages[static_cast<std::size_t>(w)] =
            MakeComplex(x[2 * std::size_t(w)], 0);
        bench.State.WireCurrents[static_cast<std::size_t>(w)] =
            MakeComplex(x[2 * std::size_t(w) + 1], 0);
    }
}

// The fallback alone. Its parameters go to the devices, and its point to the
// wire arrays after a check that the devices' DC blocks with those parameters
// hold there: the circuit's dense DC solver, whose pivots need only exceed the
// diagonal, can lose every digit on a circuit with a saturated and a cut-off
// transistor (1 mOhm beside 1 GOhm), so solving again would judge the solver.
std::optional<std::string> RunFallback(TCircuitBench& bench, bool resolve, int stepsPerNewton,
                                       TFallbackStage& stage) {
    bench.Equations.PrepareAnalysis();
    TDenseStepSolver solver;
    TOperatingPointFallback fallback(bench.Canvas, solver, {}, stepsPerNewton);
    const TFallbackResult result = fallback.Find();
    stage = result.Stage;
    if (!result.Found) {
        return "the fallback found no operating point";
    }
    for (int k = 0; k < bench.Registry.NonLinearParamTotal(); ++k) {
        bench.Registry.Param(k) = result.Params[static_cast<std::size_t>(k)];
    }
    if (!DCBlocksHold(bench.Canvas, result.Solution)) {
        return "the parameters do not reproduce the fallback's point";
    }
    if (resolve) {
        try {
            bench.Equations.SolveDCLinear();
        } catch (const EZaroError& error) {
            return "the DC solve at the fallback's parameters: " + error.Message();
        }
    } else {
        HandOver(bench, result.Solution);
    }
    return std::nullopt;
}

} // namespace

TPartResults ReadPartResults(const TDrawnCircuit& drawn, const TAnalysisState& state) {
    TPartResults results;
    for (const TZaroSimDevice* device : drawn.Parts) {
        std::vector<TPortResult> ports;
        for (int p = 0; p < device->PortCount(); ++p) {
            const int wire = device->PortConnectorNo(p);
            ports.push_back({WireVoltageAt(state, wire).re,
                             device->PortCurrentSign(p) * WireCurrentAt(state, wire).re});
        }
        results.push_back(ports);
    }
    return results;
}

TPartResults NodalPartResults(const TNetlist& netlist, const TNodalSolution& solution) {
    TPartResults results;
    for (std::size_t k = 0; k < netlist.Parts.size(); ++k) {
        std::vector<TPortResult> ports;
        const TPart& part = netlist.Parts[k];
        for (std::size_t p = 0; p < part.Nodes.size(); ++p) {
            ports.push_back({solution.NodeVolts[static_cast<std::size_t>(part.Nodes[p])],
                             solution.PortCurrents[k][p]});
        }
        results.push_back(ports);
    }
    return results;
}

std::string CompareResults(const TNetlist& netlist, const TPartResults& a, const TPartResults& b,
                           const TTolerance& tolerance) {
    for (std::size_t k = 0; k < netlist.Parts.size(); ++k) {
        // A port's current is compared against the largest current of the
        // part: they come out of one current sum.
        double largest = 0;
        for (std::size_t p = 0; p < a[k].size(); ++p) {
            largest = std::max({largest, std::fabs(a[k][p].I), std::fabs(b[k][p].I)});
        }
        for (std::size_t p = 0; p < a[k].size(); ++p) {
            const TPortResult& x = a[k][p];
            const TPortResult& y = b[k][p];
            if (!Near(x.V, y.V, tolerance.Relative, tolerance.Volts) ||
                !(std::fabs(x.I - y.I) <= tolerance.Relative * largest + tolerance.Amperes)) {
                char text[160];
                std::snprintf(text, sizeof text, "%s port %zu: %.9g V %.9g A against %.9g V %.9g A",
                              netlist.Parts[k].Name.c_str(), p, x.V, x.I, y.V, y.I);
                return text;
            }
        }
    }
    return "";
}

TSearchRun RunSearch(TSearch search, const TNetlist& netlist,
                     std::optional<std::uint64_t> redrawSeed, int stepsPerNewton) {
    TCircuitBench bench;
    const TDrawnCircuit drawn = DrawCircuit(netlist, bench, redrawSeed);
    const TNodalSolution reference = SolveNodal(drawn.Netlist);
    if (!reference.Converged) {
        throw std::runtime_error("no nodal solution for " + netlist.Title);
    }
    TFallbackStage stage = TFallbackStage::None;
    const std::optional<std::string> failure =
        search == TSearch::DCCommand
            ? RunCommand(bench)
            : RunFallback(bench, search == TSearch::FallbackResolved, stepsPerNewton, stage);
    TSearchRun run;
    if (failure) {
        run.Detail = *failure;
    } else {
        run = Judge(drawn, bench, NodalPartResults(drawn.Netlist, reference));
    }
    run.Stage = stage;
    return run;
}

TCircuitSurvey SurveyCircuit(TSearch search, const TNetlist& netlist, int redraws,
                             std::uint64_t seed) {
    TCircuitSurvey survey;
    survey.Natural = RunSearch(search, netlist);
    for (int k = 0; k < redraws; ++k) {
        const TSearchRun redraw = RunSearch(search, netlist, seed * 7919 + std::uint64_t(k) + 1);
        // Right in both drawings is the same answer: what remains between
        // them is the sources' series term on the stored current, which the
        // exact solution of each drawing has too.
        const TOutcome outcome = redraw.Outcome;
        const bool inexact =
            outcome == TOutcome::ImpreciseSuccess || outcome == TOutcome::WrongSuccess;
        survey.DrawingDependent =
            survey.DrawingDependent || outcome != survey.Natural.Outcome ||
            (inexact &&
             !CompareResults(netlist, redraw.Results, survey.Natural.Results, SurveyTolerance)
                  .empty());
        survey.Redraws.push_back(redraw);
    }
    return survey;
}

} // namespace zaro::test
