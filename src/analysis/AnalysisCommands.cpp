#include "AnalysisCommands.h"

#include "ProgressDlg.h"
#include "VariableLines.h"
#include "ZaroSub.h"

namespace zaro {

void StoreFrequencyVariable(std::vector<std::string>& variables, double frequency) {
    SetVariableLine(variables, "F", FloatToStrG(frequency, 15));
}

TAnalysisCommands::TAnalysisCommands(TCircuitEquations& equations, TNonLinearAnalysis& nonLinear,
                                     TAnalysisHost& host)
    : Equations(equations), NonLinear(nonLinear), Host(host) {}

// --- Frame -------------------------------------------------------------------------

template <typename TBody>
void TAnalysisCommands::RunCommand(TAnalysisKind kind, bool clearsDebugLog, TBody body) {
    Host.BeginBusy();
    if (clearsDebugLog) {
        Host.DebugLog().clear();
    }
    Equations.Progress().ClearUserBreak();
    Host.SetDiagnosis({});
    try {
        body();
    } catch (...) {
        Finish(kind);
        throw;
    }
    Finish(kind);
}

void TAnalysisCommands::Finish(TAnalysisKind kind) {
    Equations.Progress().Hide();
    Equations.State().AnalysisKind = kind;
    // The devices may change before the next command; nothing keeps pointing
    // into them in between.
    Equations.Registry().ReleaseReferences();
    Host.UpdateStatus();
    Host.ShowDeviceProperty();
}

bool TAnalysisCommands::StartBody() {
    Equations.State().SetResultsValid(false);
    if (!Equations.CheckCircuit()) {
        Host.SetDiagnosis(DiagnoseWiring(Equations.Canvas()));
        return false;
    }
    TFrmProgress& progress = Equations.Progress();
    progress.ResetProgress();
    progress.SetCheckCircuitState(TCheckBoxState::cbGrayed);
    progress.SetDCBiasState(TCheckBoxState::cbGrayed);
    progress.SetLinearState(TCheckBoxState::cbUnchecked);
    progress.Show();
    return true;
}

// A math error ends the body with the command's message. A user break, where
// the step allows it, is reported and the body goes on with what was solved
// so far; the break has then been dealt with. Anything else leaves the command.
template <typename TStep>
TAnalysisCommands::TOutcome TAnalysisCommands::Guarded(TStep step, const char* failureMessage,
                                                       bool catchesUserBreak) {
    try {
        step();
        return TOutcome::Completed;
    } catch (const EMathError&) {
        ShowInformation(failureMessage);
        return TOutcome::Failed;
    } catch (const EUserBreak&) {
        if (!catchesUserBreak) {
            throw;
        }
        Equations.Progress().Hide();
        ShowInformation(MsgInterrupted);
        Equations.Progress().ClearUserBreak();
        return TOutcome::Interrupted;
    }
}

template <typename TStep> auto TAnalysisCommands::Diagnosed(TFailedStep failedStep, TStep step) {
    return [this, failedStep, step] {
        try {
            step();
        } catch (const EUserBreak&) {
            throw;
        } catch (const EMathError&) {
            Diagnose(failedStep, true);
            throw;
        } catch (const std::exception&) {
            Diagnose(failedStep, false);
            throw;
        }
    };
}

// The failure is what the user is told about; a diagnosis that cannot be made
// leaves nothing to add to it.
void TAnalysisCommands::Diagnose(TFailedStep failedStep, bool mathError) {
    try {
        Host.SetDiagnosis(
            DiagnoseFailedStep(Equations.Canvas(), Equations.State(), failedStep, mathError));
    } catch (const std::exception&) {
        Host.SetDiagnosis({});
    }
}

void TAnalysisCommands::ReadFrequency() {
    StoreFrequencyVariable(Host.Variables(), ZaroStrToFloat(Host.FrequencyText()));
}

void TAnalysisCommands::HandOver() {
    Equations.DistributeResults();
    Equations.State().SetResultsValid(true);
}

void TAnalysisCommands::ShowInformation(const std::string& text) {
    Equations.Platform().MessageBox(text, TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK);
}

// --- Linear commands ---------------------------------------------------------------

template <typename TPrepare, typename TSolve>
void TAnalysisCommands::LinearCommand(TAnalysisKind kind, TPrepare prepare, TSolve solve) {
    RunCommand(kind, false, [&] {
        if (!StartBody()) {
            return;
        }
        prepare();
        if (Guarded(solve, MsgLinearFailed, true) == TOutcome::Failed) {
            return;
        }
        Equations.Progress().SetLinearState(TCheckBoxState::cbChecked);
        HandOver();
    });
}

void TAnalysisCommands::AtnSimulateDC() {
    LinearCommand(TAnalysisKind::akLinearDC,
                  Diagnosed(TFailedStep::DCSolve, [this] { Equations.PrepareAnalysis(); }),
                  Diagnosed(TFailedStep::DCSolve, [this] { Equations.SolveDCLinear(); }));
}

void TAnalysisCommands::AtnSimulateAC() {
    LinearCommand(
        TAnalysisKind::akLinearAC, [this] { ReadFrequency(); },
        Diagnosed(TFailedStep::ACSolve, [this] { Equations.SolveACLinear(); }));
}

// --- Non-linear commands -----------------------------------------------------------

// The DC operating point; false when the search failed (and said so).
bool TAnalysisCommands::OperatingPoint(bool initialise) {
    Equations.Progress().SetDCBiasState(TCheckBoxState::cbChecked);
    if (Guarded(Diagnosed(TFailedStep::OperatingPoint,
                          [this, initialise] { NonLinear.RunNonLinear(initialise); }),
                MsgDCFailed, true) == TOutcome::Failed) {
        return false;
    }
    Equations.Progress().SetLinearState(TCheckBoxState::cbChecked);
    return true;
}

void TAnalysisCommands::NonLinearCommand(const TNonLinearCommand& command) {
    RunCommand(command.Kind, command.ClearsDebugLog, [&] {
        if (!StartBody()) {
            return;
        }
        if (command.ReadsFrequency) {
            ReadFrequency();
        } else {
            Diagnosed(TFailedStep::DCSolve, [this] { Equations.PrepareAnalysis(); })();
        }
        if (!OperatingPoint(command.Initialise)) {
            return;
        }
        const bool withAC = command.Kind == TAnalysisKind::akAC;
        if (withAC &&
            Guarded(Diagnosed(TFailedStep::ACSolve, [this] { Equations.SolveACLinear(); }),
                    MsgACFailed, false) == TOutcome::Failed) {
            return;
        }
        HandOver();
    });
}

void TAnalysisCommands::AtnSimulateDCNonLinear() {
    NonLinearCommand({TAnalysisKind::akDC, true, true, true});
}

void TAnalysisCommands::AtnSimulateDCAdditional() {
    NonLinearCommand({TAnalysisKind::akDC, false, true, true});
}

void TAnalysisCommands::AtnSimulateACNonLinear() {
    NonLinearCommand({TAnalysisKind::akAC, true, true, true});
}

// Keeps F and the debug log; its own preparation resets the parameters, so
// the operating-point search starts from the start values.
void TAnalysisCommands::AtnSimulateACAdditional() {
    NonLinearCommand({TAnalysisKind::akAC, false, false, false});
}

} // namespace zaro
