#pragma once
// The parameters and residuals of the non-linear devices of the circuit, in
// canvas order and each device's parameters in index order. The references
// point into device objects; they are used only while the devices they were
// taken from are known to be on the canvas (see Matches), and
// ReleaseReferences drops them once the analysis that built them is over.

#include "CodingPanel.h"

#include <cstdint>
#include <vector>

namespace zaro {

class TZaroSimDevice;

class TNonLinearRegistry {
public:
    int NonLinearDeviceCount = 0;
    int NonLinearParamTotal = 0;
    std::vector<int> NonLinearDevices; // canvas index of each device
    std::vector<double*> NonLinearParamRefs;
    // The value each parameter had when registered; the Newton iteration
    // works on this vector.
    std::vector<double> NonLinearStartValues;
    std::vector<double*> NonLinearResidualRefs;
    int IterationCount = 0;
    double LastResidualSum = 0.0;

    // Empties the registry and reserves room for the given counts.
    void Reset(int deviceCount, int paramTotal);
    // Appends device `canvasIndex` with its parameters and residuals.
    void Register(int canvasIndex, TZaroSimDevice& device);
    // Remembers which panels the canvas held when the registry was built.
    void RememberPanels(const TCodingPanel& canvas);

    // True while the canvas holds exactly the panels the registry was built
    // from, each registered device with the parameter count it had then.
    bool Matches(const TCodingPanel& canvas) const;
    // The present values of the registered parameters, read from the devices
    // themselves; the canvas must match (otherwise a range error).
    std::vector<double> CurrentParams(const TCodingPanel& canvas) const;

    // Parameter / residual k through its reference; outside the registry (or
    // after ReleaseReferences) a range error.
    double& Param(int k) const;
    double Residual(int k) const;

    // Drops every reference into the devices; counts, start values and the
    // remembered panels stay for the next RunNonLinear without initialisation.
    void ReleaseReferences();

private:
    // Panel identities as numbers: compared, never dereferenced.
    std::vector<std::uintptr_t> FPanelIds;
    std::vector<int> FParamCounts; // per registered device
};

} // namespace zaro
