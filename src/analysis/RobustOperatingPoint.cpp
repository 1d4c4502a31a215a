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

TOperatingPointFallback TRobustOperatingPoint::Fallback(TSolverKind kind) {
    // A circuit whose systems the sparse path leaves to the dense
    // elimination has its steps solved dense as well.
    const bool sparse = kind == TSolverKind::Sparse && !Equations.DCLeftDense();
    TStepSolver& solver = sparse ? static_cast<TStepSolver&>(Sparse) : Dense;
    return TOperatingPointFallback(Equations.Canvas(), solver,
                                   [this] { Equations.CheckUserBreak(); });
}

void TRobustOperatingPoint::Refine(TSolverKind kind) {
    const TFallbackResult refined = Fallback(kind).Refine(WireSolution(Equations.State()));
    if (!refined.Found) {
        return;
    }
    const TFallbackResult found = PresentPoint();
    if (!HandOver(refined, SearchLawTolerance)) {
        HandOver(found, SearchLawTolerance);
    }
}

bool TRobustOperatingPoint::Rescue(TSolverKind kind) {
    Equations.PrepareAnalysis();
    const TFallbackResult found = Fallback(kind).Find();
    const bool rescued = found.Found && HandOver(found, FallbackLawTolerance);
    Equations.Registry().SetFoundByFallback(rescued);
    return rescued;
}

TFallbackResult TRobustOperatingPoint::PresentPoint() const {
    const TNonLinearRegistry& registry = Equations.Registry();
    TFallbackResult present;
    for (int k = 0; k < registry.NonLinearParamTotal(); ++k) {
        present.Params.push_back(registry.Param(k));
    }
    present.Solution = WireSolution(Equations.State());
    return present;
}

bool TRobustOperatingPoint::HandOver(const TFallbackResult& result,
                                     const TLawTolerance& tolerance) {
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
           JunctionLawsHold(Equations.Canvas(), result.Solution, tolerance);
}

} // namespace zaro
