#pragma once
// The diagnosis of the last failed analysis, kept until the next edit or
// analysis, and the devices it names: the ones the canvas highlights.

#include "CircuitDiagnosis.h"
#include "Signal.h"

#include <vector>

namespace zaro {

class TDiagnosedDevices {
public:
    const TCircuitDiagnosis& Diagnosis() const { return FDiagnosis; }
    // Panel numbers of the devices the findings name, ascending.
    const std::vector<int>& Devices() const { return FDevices; }
    bool Contains(int panelNo) const;

    // Replaces the diagnosis; announces it unless both the old and the new one are empty.
    void Set(const TCircuitDiagnosis& diagnosis);
    void Clear() { Set({}); }

    // Raised after every change of the diagnosis.
    TSignal<> Changed;

private:
    TCircuitDiagnosis FDiagnosis;
    std::vector<int> FDevices;
};

} // namespace zaro
