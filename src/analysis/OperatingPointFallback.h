#pragma once
// A DC operating point found reliably from the same device laws, for when
// the parameter search fails: Newton on the potentials and currents of the
// wire-based system, each non-linear device replaced in every step by its
// laws linearised at the present point with its junction voltages limited
// (JunctionCompanion), the other devices by their own DC blocks. When Newton
// alone does not settle, a conductance across every junction is stepped down
// from 10 mS to none; when that fails too, the sources are stepped up from
// zero. The point found satisfies every device law and is returned as the
// devices' non-linear parameters, so it reaches the devices the way every
// operating point does.
//
// The linear equations of each step go through a TStepSolver. Run it after
// PrepareAnalysis, on the values and start parameters that leaves.

#include "CodingPanel.h"
#include "JunctionCompanion.h"
#include "StepSolver.h"

#include <functional>
#include <memory>
#include <vector>

namespace zaro {

// The stage that found the point.
enum class TFallbackStage { None, Newton, GminStepping, SourceStepping };

struct TFallbackResult {
    bool Found = false;
    TFallbackStage Stage = TFallbackStage::None;
    // Parameters in registry order: non-linear devices in canvas order, each
    // device's parameters in index order.
    std::vector<double> Params;
    // The wire solution: entry 2w the potential of wire w, 2w + 1 its current.
    std::vector<double> Solution;
    int Steps = 0; // linear solves in all
};

// Every law holds to this at a point the fallback returns.
inline constexpr TLawTolerance FallbackLawTolerance{1e-9, 1e-15, 1e-13, 1e-13};

class TOperatingPointFallback {
public:
    static constexpr int DefaultStepsPerNewton = 100;

    // checkpoint runs before every step (the analysis passes its user-break
    // check); what it raises leaves Find unchanged. Every Newton run, alone
    // or in a stage of the continuation, stops after stepsPerNewton steps.
    TOperatingPointFallback(const TCodingPanel& canvas, TStepSolver& solver,
                            std::function<void()> checkpoint = {},
                            int stepsPerNewton = DefaultStepsPerNewton);

    // Not found when a device has no known laws, when the circuit's linear
    // system is singular, or when every stage fails.
    TFallbackResult Find();

private:
    struct TDevice {
        TZaroSimDevice* Device;
        std::unique_ptr<TJunctionCompanion> Companion; // nullptr: a linear device
    };

    bool CollectDevices();
    std::vector<double> InitialPoint();
    // One linear solve of System, after the checkpoint.
    void Solve(std::vector<double>& x);
    bool Newton(std::vector<double>& x, double sourceFraction, double gmin);
    bool Step(const std::vector<double>& x, double sourceFraction, double gmin,
              std::vector<double>& next, bool& limited);
    void Accumulate(const TZaroSimDevice& device, const TDCCoefArray& coef, const TDCRhsArray& rhs,
                    double rhsFactor, int& row);
    bool GminStepping(std::vector<double>& x);
    bool SourceStepping(std::vector<double>& x);
    bool LawsHold(const std::vector<double>& x) const;
    std::vector<double> Params(const std::vector<double>& x) const;

    const TCodingPanel& Canvas;
    TStepSolver& Solver;
    std::function<void()> Checkpoint;
    std::vector<TDevice> Devices;
    int StepsPerNewton;
    TStepSystem System;
    int Size = 0;
    int Steps = 0;
};

} // namespace zaro
