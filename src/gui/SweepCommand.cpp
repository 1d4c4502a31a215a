#include "SweepCommand.h"

#include "CircuitDocument.h"
#include "SweepPlotWindow.h"
#include "SweepSettingsDialog.h"

namespace zaro::gui {

namespace {

// The document stays busy, every command disabled, while the sweep runs.
class TBusyGuard {
public:
    explicit TBusyGuard(TCircuitDocument& document) : Document(document) { document.BeginBusy(); }
    ~TBusyGuard() { Document.UpdateStatus(); }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    TCircuitDocument& Document;
};

TSweepResult RunSweep(TCircuitDocument& document, const TSweepRequest& request) {
    TBusyGuard busy(document);
    TSweepRunner runner(document.Canvas(), document.Platform(), document.Progress(),
                        *document.TP1().Variables(), document.SolverKind());
    return request.IsAC ? runner.RunAC(request.Range)
                        : runner.RunDC(request.Variable, request.Range);
}

} // namespace

TSweepPlotWindow* AtnSimulateSweep(QWidget& parent, TCircuitDocument& document) {
    TSweepSettingsDialog dialog(document.VariableLines(), &parent);
    if (dialog.exec() != QDialog::Accepted) {
        return nullptr;
    }
    TSweepResult result = RunSweep(document, dialog.Accepted());
    if (result.Values.empty()) {
        return nullptr;
    }
    auto* window = new TSweepPlotWindow(std::move(result), &parent);
    window->show();
    return window;
}

} // namespace zaro::gui
