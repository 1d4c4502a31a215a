#pragma once
// Is every device law satisfied by an analysis result? Reads the potential
// and the current into every port of every device on the canvas from the
// wire arrays and checks each device's equations: Ohm's law, the sources and
// grounds, the junctions, the current sums and the junction laws of the
// diodes and transistors.

#include "AnalysisState.h"
#include "CodingPanel.h"

#include <string>
#include <vector>

namespace zaro::test {

// A current law holds within Relative x max(|solved|, |law|) + Amperes; a
// potential law within Relative x the largest potential in it + Volts.
struct TTolerance {
    double Relative;
    double Amperes;
    double Volts;
};

// What a reader of four to five digits calls right.
inline constexpr TTolerance SurveyTolerance{1e-4, 1e-10, 1e-5};
// Beyond this a result is plainly wrong, not only imprecise.
inline constexpr TTolerance GrossTolerance{1e-2, 1e-8, 1e-3};
// Close to the exact solution: what a refined operating point reaches.
inline constexpr TTolerance TightTolerance{1e-8, 1e-10, 1e-9};

struct TLawViolation {
    int Device;
    std::string ClassName;
    std::string Law;
    double Residual;
    double Allowed;
};

std::vector<TLawViolation> CheckDeviceLaws(const TCodingPanel& canvas, const TAnalysisState& state,
                                           const TTolerance& tolerance);

// "No.3 TDiode junction law: residual 1.2e-06 > 1e-10; ..."
std::string DescribeViolations(const std::vector<TLawViolation>& violations);

} // namespace zaro::test
