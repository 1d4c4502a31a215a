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

void TAnalysisCommands::AtnSimulateDC() {
    RunCommand(TAnalysisKind::akLinearDC, false, [this] {
        if (!StartBody()) {
            return;
        }
        Equations.PrepareAnalysis();
        if (Guarded([this] { Equations.SolveDCLinear(); }, MsgLinearFailed, true) ==
            TOutcome::Failed) {
            return;
        }
        Equations.Progress().SetLinearState(TCheckBoxState::cbChecked);
        HandOver();
    });
}

void TAnalysisCommands::AtnSimulateAC() {
    RunCommand(TAnalysisKind::akLinearAC, false, [this] {
        if (!StartBody()) {
            return;
        }
        ReadFrequency();
        if (Guarded([this] { Equations.SolveACLinear(); }, MsgLinearFailed, true) ==
            TOutcome::Failed) {
            return;
        }
        Equations.Progress().SetLinearState(TCheckBoxState::cbChecked);
        HandOver();
    });
}

// --- Non-linear commands -----------------------------------------------------------

void TAnalysisCommands::NonLinearDCBody(bool initialise) {
    Equations.Progress().SetDCBiasState(TCheckBoxState::cbChecked);
    if (Guarded([this, initialise] { NonLinear.RunNonLinear(initialise); }, MsgDCFailed, true) ==
        TOutcome::Failed) {
        return;
    }
    Equations.Progress().SetLinearState(TCheckBoxState::cbChecked);
    HandOver();
}

void TAnalysisCommands::NonLinearACBody(bool initialise) {
    Equations.Progress().SetDCBiasState(TCheckBoxState::cbChecked);
    if (Guarded([this, initialise] { NonLinear.RunNonLinear(initialise); }, MsgDCFailed, true) ==
        TOutcome::Failed) {
        return;
    }
    Equations.Progress().SetLinearState(TCheckBoxState::cbChecked);
    if (Guarded([this] { Equations.SolveACLinear(); }, MsgACFailed, false) == TOutcome::Failed) {
        return;
    }
    HandOver();
}

void TAnalysisCommands::AtnSimulateDCNonLinear() {
    RunCommand(TAnalysisKind::akDC, true, [this] {
        if (StartBody()) {
            ReadFrequency();
            NonLinearDCBody(true);
        }
    });
}

void TAnalysisCommands::AtnSimulateDCAdditional() {
    RunCommand(TAnalysisKind::akDC, true, [this] {
        if (StartBody()) {
            ReadFrequency();
            NonLinearDCBody(false);
        }
    });
}

void TAnalysisCommands::AtnSimulateACNonLinear() {
    RunCommand(TAnalysisKind::akAC, true, [this] {
        if (StartBody()) {
            ReadFrequency();
            NonLinearACBody(true);
        }
    });
}

// Keeps F and the debug log; its own preparation resets the parameters, so
// the operating-point search starts from the start values.
void TAnalysisCommands::AtnSimulateACAdditional() {
    RunCommand(TAnalysisKind::akAC, false, [this] {
        if (StartBody()) {
            Equations.PrepareAnalysis();
            NonLinearACBody(false);
        }
    });
}

} // namespace zaro
