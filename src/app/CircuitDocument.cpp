#include "CircuitDocument.h"

#include "DeviceProperty.h"
#include "DiagnosisText.h"

namespace zaro {

TCircuitDocument::TCircuitDocument(TPlatform& platform, TProgressView& progressView)
    : Platform(platform), Canvas(platform), Progress(platform, &progressView),
      Status(platform, Canvas, Analysis), Equations(Canvas, platform, Progress, Analysis, Registry),
      NonLinear(Equations), Commands(Equations, NonLinear, *this) {
    TP1.SetVariables(&MemoVariables);
}

TZaroSimDevice& TCircuitDocument::AddDevice(std::unique_ptr<TZaroSimDevice> device) {
    TZaroSimDevice& added = *device;
    Canvas.AddDragPanel(std::move(device));
    added.OnClick = [this](TDragPanel&) { ShowDeviceProperty(); };
    return added;
}

void TCircuitDocument::SetModified(bool flag) {
    Status.SetModified(flag);
    if (flag) {
        Diagnosed.Clear();
    }
}

void TCircuitDocument::ShowDeviceProperty() {
    MemoProperty =
        DevicePropertyText(Canvas, Analysis) + DiagnosisPropertyText(Diagnosed.Diagnosis());
}

void TCircuitDocument::MoreAnalyze1Click() {
    zaro::MoreAnalyze1Click(Canvas, Platform);
}

void TCircuitDocument::DebugLogCopy1Click() {
    zaro::DebugLogCopy1Click(DebugLogLines, Platform);
}

} // namespace zaro
