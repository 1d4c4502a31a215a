#include "RobustOperatingPoint.h"

#include "AnalysisErrors.h"
#include "OperatingPointCheck.h"

namespace zaro {

bool IsSearchFailure(const EZaroError& error) {
    if (dynamic_cast<const EUserBreak*>(&error) != nullptr) {
        return false;
    }
    const std::string message = error.Message();
    return dynamic_cast<const EMathError*>(&error) != nullptr ||
           dynamic_cast<const ENewtonFailure*>(&error) != nullptr ||
           message == MsgNonLinearFailed || message == MsgLUSingular;
}

TRobustOperatingPoint::TRobustOperatingPoint(TCircuitEquations& equations,
                                             TNonLinearAnalysis& analysis)
    : Equations(equations), Analysis(analysis) {}

TOperatingPointFallback TRobustOperatingPoint::Fallback() {
    return TOperatingPointFallback(Equations.Canvas(), Solver,
                                   [this] { Equations.CheckUserBreak(); });
}

void TRobustOperatingPoint::Refine() {
    const TFallbackResult refined = Fallback().Refine(WireSolution(Equations.State()));
    if (refined.Found) {
        HandOver(refined);
    }
}

bool TRobustOperatingPoint::Rescue() {
    Equations.PrepareAnalysis();
    const TFallbackResult found = Fallback().Find();
    return found.Found && HandOver(found);
}

bool TRobustOperatingPoint::HandOver(const TFallbackResult& result) {
    TNonLinearRegistry& registry = Equations.Registry();
    TAnalysisState& state = Equations.State();
    if (result.Params.size() != static_cast<std::size_t>(registry.NonLinearParamTotal()) ||
        result.Solution.size() != 2 * static_cast<std::size_t>(state.WireCount)) {
        return false;
    }
    for (int k = 0; k < registry.NonLinearParamTotal(); ++k) {
        registry.Param(k) = result.Params[static_cast<std::size_t>(k)];
    }
    for (std::size_t w = 0; w < static_cast<std::size_t>(state.WireCount); ++w) {
        state.WireVoltages[w] = MakeComplex(result.Solution[2 * w], 0.0);
        state.WireCurrents[w] = MakeComplex(result.Solution[2 * w + 1], 0.0);
    }
    Analysis.UpdateNonLinearResiduals();
    return ResidualsWithin(registry, SearchResidualTolerance) &&
           JunctionLawsHold(Equations.Canvas(), result.Solution, FallbackLawTolerance);
}

} // namespace zaro
