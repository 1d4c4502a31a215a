#include "CircuitDiagnosis.h"

#include "CircuitEquations.h"
#include "ResidualReport.h"
#include "StructureCheck.h"

#include <algorithm>

namespace zaro {

std::vector<int> TCircuitDiagnosis::DeviceNumbers() const {
    std::vector<int> numbers;
    for (const TFinding& finding : Findings) {
        for (const TDiagnosedDevice& device : finding.Devices) {
            numbers.push_back(device.No);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::string PortName(const TDragPanel& panel, int port) {
    const std::string& caption = panel.PortCaption(port);
    return caption.empty() ? std::to_string(port) : caption;
}

TCircuitDiagnosis DiagnoseWiring(const TCodingPanel& canvas) {
    TCircuitDiagnosis diagnosis;
    bool hasReference = false;
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        hasReference = hasReference || IsReferenceDevice(canvas.DragPanel(i));
    }
    if (!hasReference) {
        TFinding none;
        none.Kind = TFindingKind::NoReference;
        diagnosis.Findings.push_back(none);
    }
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        const TDragPanel& panel = canvas.DragPanel(i);
        TFinding finding;
        finding.Kind = TFindingKind::UnwiredPort;
        finding.Devices.push_back({i, panel.ClassName()});
        for (int p = 0; p < panel.PortCount(); ++p) {
            if (panel.PortConnectorNo(p) == -1) {
                finding.Ports.push_back(PortName(panel, p));
            }
        }
        if (!finding.Ports.empty()) {
            diagnosis.Findings.push_back(finding);
        }
    }
    return diagnosis;
}

TCircuitDiagnosis DiagnoseFailedStep(const TCodingPanel& canvas, const TAnalysisState& state,
                                     TFailedStep step, bool mathError) {
    const TAnalysisDomain domain =
        step == TFailedStep::ACSolve ? TAnalysisDomain::AC : TAnalysisDomain::DC;
    // The residuals first: the structural check evaluates the values again.
    std::vector<TFinding> residuals;
    if (step == TFailedStep::OperatingPoint) {
        residuals = LargestResiduals(canvas, state, ResidualsReported, mathError);
    }
    TCircuitDiagnosis diagnosis = DiagnoseStructure(canvas, domain);
    if (diagnosis.Empty()) {
        diagnosis.Findings = std::move(residuals);
    }
    return diagnosis;
}

} // namespace zaro
