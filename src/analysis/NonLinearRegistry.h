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
    int NonLinearDeviceCount() const { return FDeviceCount; }
    int NonLinearParamTotal() const { return FParamTotal; }
    // Canvas index of each registered device.
    const std::vector<int>& NonLinearDevices() const { return FDevices; }
    const std::vector<double*>& NonLinearParamRefs() const { return FParamRefs; }
    const std::vector<double*>& NonLinearResidualRefs() const { return FResidualRefs; }
    // The value each parameter had when registered; the Newton iteration
    // works on this vector.
    std::vector<double>& NonLinearStartValues() { return FStartValues; }
    const std::vector<double>& NonLinearStartValues() const { return FStartValues; }
    // Residual evaluations since the last Reset, and the sum of the moduli of
    // the latest one's residuals.
    int IterationCount() const { return FIterationCount; }
    double LastResidualSum() const { return FLastResidualSum; }
    void CountEvaluation(double residualSum) {
        FLastResidualSum = residualSum;
        ++FIterationCount;
    }

    // Empties the registry, counts no evaluations yet and reserves room for
    // the given counts.
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
    int FDeviceCount = 0;
    int FParamTotal = 0;
    std::vector<int> FDevices;
    std::vector<double*> FParamRefs;
    std::vector<double> FStartValues;
    std::vector<double*> FResidualRefs;
    int FIterationCount = 0;
    double FLastResidualSum = 0.0;
    // Panel identities as numbers: compared, never dereferenced.
    std::vector<std::uintptr_t> FPanelIds;
    std::vector<int> FParamCounts; // per registered device
};

} // namespace zaro
