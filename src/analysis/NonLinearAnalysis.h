#pragma once
// The DC operating point of a circuit with non-linear devices. Each device
// looks like a linear element whose value is an adjustable parameter; after
// each linear DC solve it reports a residual per parameter. A Newton iteration
// over the parameters drives all residuals to zero; when it fails the
// independent sources are stepped up from a fraction of their value, with a
// Powell minimisation as the last resort.

#include "CircuitEquations.h"
#include "NumericalRecepies.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zaro {

class TRobustOperatingPoint;

// Raised by SourceStepping when no operating point was found.
inline constexpr const char* MsgNonLinearFailed = "非線型解析に失敗しました。";
// Status texts of the progress dialog.
inline constexpr const char* StatusNonLinear = "非線型回路解析中";
inline constexpr const char* StatusInitialSearch = "初期動作点探索(";
inline constexpr const char* StatusRecovery = "動作点回復中　(";

// A source fraction in the form "%7.5f": 0.1 gives "0.10000".
std::string FormatRatio(double ratio);

class TNonLinearAnalysis {
public:
    explicit TNonLinearAnalysis(TCircuitEquations& equations);
    ~TNonLinearAnalysis();
    TNonLinearAnalysis(const TNonLinearAnalysis&) = delete;
    TNonLinearAnalysis& operator=(const TNonLinearAnalysis&) = delete;

    // Finds the DC operating point; on return the wire arrays hold the final
    // DC solution. Without initialise the search starts from the parameters
    // the devices hold now, as long as the devices are those the registry was
    // built from; otherwise it starts from the start values.
    void RunNonLinear(bool initialise);
    // Off, the search's own acceptance alone decides, without the check of
    // the point it hands over, the refinement and the fallback: the search
    // as it was before them, for measuring what they cost.
    void SetOperatingPointChecks(bool on) { FChecks = on; }
    // One Newton attempt (after a Powell minimisation when usePowell);
    // returns true when it failed.
    bool SolveNonLinear(bool usePowell);
    // Raises MsgNonLinearFailed when it gives up.
    void SourceStepping();

    // One residual evaluation at x: r receives the residuals.
    void NewtonVectorFunction(int n, const TDoubleArray& x, TDoubleArray& r);
    // The same evaluation at p; returns the sum of the squared residuals.
    double PowellObjective(const TDoubleArray& p);
    // Every registered non-linear device computes its residuals from the last
    // DC solution.
    void UpdateNonLinearResiduals();
    // The same from another solution: solved(w) gives the potential and the
    // current of wire w.
    using TWireSolution = std::function<std::pair<double, double>(int wire)>;
    void UpdateNonLinearResiduals(const TWireSolution& solved);
    // The end of an evaluation: r (when given) receives the residuals, the
    // progress shows their sum, the count goes up; returns the sum of squares.
    double CollectResiduals(TDoubleArray* r);
    // The progress and the count of an evaluation whose residuals were
    // computed elsewhere and sum (in moduli) to residualSum.
    void CountEvaluation(double residualSum);

private:
    struct TSteppedSource {
        TZaroSimDevice* Device; // its Value's real part is stepped
        double Full;
    };

    void RestoreParams(const std::vector<double>& saved);
    void Prepare(const std::optional<std::vector<double>>& carried);
    void SearchOrRescue(const std::optional<std::vector<double>>& carried, TSolverKind kind);
    void Search(const std::optional<std::vector<double>>& carried);
    bool PointHolds();
    bool SparseSearch(const std::optional<std::vector<double>>& carried);
    bool NewtonFailed(int& check);
    bool ParamsInvalid() const;
    void WriteParams(const TDoubleArray& x);
    double Evaluate(const TDoubleArray& x, TDoubleArray* r);
    std::vector<TSteppedSource> CollectSources() const;
    void ScaleSources(const std::vector<TSteppedSource>& sources, double ratio);
    std::vector<double> DeviceParams() const;
    double FindInitialRatio(const std::vector<TSteppedSource>& sources);
    void RecoverOperatingPoint(const std::vector<TSteppedSource>& sources, double ratio);
    void LastResort();

    TCircuitEquations& Equations;
    bool FChecks = true;
    std::unique_ptr<TRobustOperatingPoint> Robust;
};

} // namespace zaro
