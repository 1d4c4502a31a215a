#include "DiagnosedDevices.h"

#include <algorithm>

namespace zaro {

bool TDiagnosedDevices::Contains(int panelNo) const {
    return std::binary_search(FDevices.begin(), FDevices.end(), panelNo);
}

void TDiagnosedDevices::Set(const TCircuitDiagnosis& diagnosis) {
    const bool changes = !FDiagnosis.Empty() || !diagnosis.Empty();
    FDiagnosis = diagnosis;
    FDevices = diagnosis.DeviceNumbers();
    if (changes) {
        Changed.Emit();
    }
}

} // namespace zaro
