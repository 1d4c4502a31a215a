#pragma once
// What a sweep records at each point: the reading of every potential meter,
// volt meter and ampere meter on the canvas, as the meter itself would show it.

#include "AnalysisState.h"
#include "CodingPanel.h"

#include <string>
#include <vector>

namespace zaro {

enum class TProbeKind { Potential, Voltage, Current };

struct TSweepProbe {
    int DeviceIndex = 0; // the meter's number on the canvas
    TProbeKind Kind = TProbeKind::Potential;

    // "P3", "V3" or "A3": the kind's letter and the meter number.
    std::string Label() const;
};

// Every meter of the canvas, in canvas order.
std::vector<TSweepProbe> FindSweepProbes(const TCodingPanel& canvas);

// The probe's reading from the solution in state.
TComplex ReadProbe(const TSweepProbe& probe, const TCodingPanel& canvas,
                   const TAnalysisState& state);

} // namespace zaro
