#pragma once
// The Newton step of the operating-point search on the sparse path for
// circuits with many non-linear parameters, solved without the Jacobian.
//
// The Jacobian of the search is J = F_p - F_x A^-1 C, A the wire system, C
// its change per parameter times the solution less the change of the right
// side, F_x and F_p the residuals' derivatives by the solution entries at a
// device's ports and by its own parameters. A change of one stage reaches
// every stage after it, so J is full and its elimination costs n^3; C, F_x
// and F_p are local to each device. The step is therefore the bordered
// sparse system
//     [ A    C  ] [dy]   [ 0 ]
//     [ F_x  F_p] [dp] = [-R ]
// with one factorisation of order (wire unknowns + n), and the gradient
// J^T R of the line search comes from one solve with A transposed.
//
// C and F_p are forward differences with the reference's step; F_x takes a
// step of 1e-8 of the entry (see EntryStepPoint), as a step of 1e-5 of an
// absolute potential is far coarser than what a parameter's step moves it by.
// The step is that of a Jacobian within O(h) of the reference one rather than
// within rounding: the iterates follow the reference closely but not to the
// last digit, and the accepted operating point agrees within the stopping
// rule, not bit for bit. Hence this path serves only above a parameter count
// no circuit drawn by hand reaches. The Jacobian takes no evaluation of the
// whole circuit here, so the evaluation count grows by the line search only.

#include "SparseLinearisation.h"
#include "SparseStepSolver.h"

#include <memory>
#include <vector>

namespace zaro {

// Up to this many parameters the sparse path builds the Jacobian column by
// column as the reference does (same iterates to rounding, same counts).
// The examples and circuits drawn by hand have at most a few dozen; at 128
// (64 transistors) its dense step is 0.7 Mflop. Beyond, the n^3
// step and n^2 column evaluations grow out of proportion to the circuit: the
// 100-stage cascade (200 parameters) takes 0.11 s that way, 9 ms bordered.
inline constexpr int BorderedParamThreshold = 128;

// The threshold in force, BorderedParamThreshold unless a scope sets another.
int BorderedThreshold();

// Another threshold while the scope lives (tests that take the bordered path
// on small circuits).
class TBorderedThresholdScope {
public:
    explicit TBorderedThresholdScope(int threshold);
    ~TBorderedThresholdScope();
    TBorderedThresholdScope(const TBorderedThresholdScope&) = delete;
    TBorderedThresholdScope& operator=(const TBorderedThresholdScope&) = delete;

private:
    int Saved;
};

// Whether the outcome of a sparse search stands. Below the threshold its
// iterates are the reference ones, so it stands as the reference would give
// it. Z_Newt also ends without error where its line search stalls away from
// a root; on the bordered path that end depends on differences the reference
// does not take, so there only a root (every residual below the Newton
// tolerance) stands, and anything else goes to the reference path.
bool SparseOutcomeStands(const TNonLinearRegistry& registry);

// The linearisation of the sparse path for the present parameter count.
std::unique_ptr<TNewtonLinearisation> MakeSparseLinearisation(TCircuitEquations& equations,
                                                              TNonLinearAnalysis& analysis);

class TBorderedLinearisation final : public TSparseLinearisation {
public:
    using TSparseLinearisation::TSparseLinearisation;

    void Linearise(int n, TDoubleArray& x, const TDoubleArray& fvec) override;
    void Gradient(int n, const TDoubleArray& f, TDoubleArray& g) const override;
    void Solve(int n, TDoubleArray& p) override;

private:
    struct TDerivative {
        int Row;
        int Column;
        double Value;
    };
    // The solution entries one device reads and their present values.
    struct TDeviceView {
        TZaroSimDevice* Device = nullptr;
        int FirstParam = 0;
        int ParamCount = 0;
        std::vector<int> Entries;
        std::vector<double> Values;
    };

    TDeviceView ViewOf(int canvasIndex, int firstParam) const;
    std::vector<double> Residuals(const TDeviceView& view) const;
    void AddSolutionDerivatives(TDeviceView& view, const std::vector<double>& base);
    void AddParamDerivatives(const TDeviceView& view, int canvasIndex, const TDoubleArray& x,
                             const std::vector<double>& base);
    void AddParamColumn(int canvasIndex, int param, const TChange& change);
    void BuildSystem(int n);

    std::vector<TDerivative> ParamColumns;     // C: wire row, parameter
    std::vector<TDerivative> EntryDerivatives; // F_x: residual, solution entry
    std::vector<TDerivative> ParamDerivatives; // F_p: residual, parameter
    TStepSystem System;
    TSparseStepSolver Solver;
};

} // namespace zaro
