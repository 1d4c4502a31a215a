#include "Sweep.h"

#include "AnalysisCommands.h"
#include "NonLinearAnalysis.h"
#include "ProgressDlg.h"
#include "VariableLines.h"
#include "ZaroSimDevices.h"
#include "ZaroSub.h"

namespace zaro {

namespace {

// Puts the variables back however the sweep ends.
class TVariablesGuard {
public:
    explicit TVariablesGuard(std::vector<std::string>& variables)
        : Variables(variables), Saved(variables) {}
    ~TVariablesGuard() { Variables = Saved; }
    TVariablesGuard(const TVariablesGuard&) = delete;
    TVariablesGuard& operator=(const TVariablesGuard&) = delete;

private:
    std::vector<std::string>& Variables;
    std::vector<std::string> Saved;
};

std::string PointStatus(std::size_t done, std::size_t total) {
    return StatusSweep + std::to_string(done) + "/" + std::to_string(total);
}

} // namespace

std::string MissingVariableMessage(const std::string& name) {
    return "変数「" + name + "」は変数欄にありません。";
}

TSweepRunner::TSweepRunner(TCodingPanel& canvas, TPlatform& platform, TFrmProgress& progress,
                           std::vector<std::string>& variables, TSolverKind solverKind)
    : Canvas(canvas), Platform(platform), Progress(progress), Variables(variables),
      Equations(canvas, platform, progress, State, Registry, solverKind) {}

bool TSweepRunner::HasNonLinearDevices() const {
    for (int i = 0; i < Canvas.DragPanelCount(); ++i) {
        const auto* device = dynamic_cast<const TZaroSimDevice*>(&Canvas.DragPanel(i));
        if (device != nullptr && device->IsNonLinear()) {
            return true;
        }
    }
    return false;
}

TSweepResult TSweepRunner::RunAC(const TSweepRange& range) {
    const std::vector<double> points = range.Points();
    TSweepResult result;
    result.IsAC = true;
    result.VariableName = "F";
    const bool nonLinear = HasNonLinearDevices();
    TNonLinearAnalysis operatingPoint(Equations);
    return Run(std::move(result), points, MsgACFailed,
               [this, nonLinear, &operatingPoint](double frequency, bool first) {
                   StoreFrequencyVariable(Variables, frequency);
                   if (first && nonLinear) {
                       operatingPoint.RunNonLinear(true);
                   }
                   Equations.SolveACLinear();
               });
}

TSweepResult TSweepRunner::RunDC(const std::string& variable, const TSweepRange& range) {
    if (!FindVariableValue(Variables, variable)) {
        throw ESweepRange(MissingVariableMessage(variable));
    }
    const std::vector<double> points = range.Points();
    TSweepResult result;
    result.IsAC = false;
    result.VariableName = variable;
    TNonLinearAnalysis operatingPoint(Equations);
    return Run(std::move(result), points, MsgDCFailed,
               [this, &variable, &operatingPoint](double value, bool first) {
                   SetVariableLine(Variables, variable, FloatToStrG(value, 15));
                   operatingPoint.RunNonLinear(first);
               });
}

TSweepResult TSweepRunner::Run(TSweepResult result, const std::vector<double>& points,
                               const char* failureMessage, const TStep& step) {
    TVariablesGuard restoreVariables(Variables);
    Progress.ClearUserBreak();
    if (!Equations.CheckCircuit()) {
        return result;
    }
    result.Probes = FindSweepProbes(Canvas);
    Progress.ResetProgress();
    Progress.Show();
    try {
        SolvePoints(result, points, step);
        result.Outcome = TSweepOutcome::Completed;
    } catch (const EUserBreak&) {
        result.Outcome = TSweepOutcome::Stopped;
    } catch (const EMathError&) {
        result.Outcome = TSweepOutcome::Failed;
    } catch (...) {
        Progress.Hide();
        Registry.ReleaseReferences();
        throw;
    }
    Progress.Hide();
    Progress.ClearUserBreak();
    Registry.ReleaseReferences();
    if (result.Outcome == TSweepOutcome::Failed) {
        Platform.MessageBox(failureMessage, TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK);
    }
    return result;
}

void TSweepRunner::SolvePoints(TSweepResult& result, const std::vector<double>& points,
                               const TStep& step) {
    for (std::size_t k = 0; k < points.size(); ++k) {
        Progress.SetStatusText(PointStatus(k, points.size()));
        Equations.CheckUserBreak();
        step(points[k], k == 0);
        Record(result, points[k]);
    }
}

void TSweepRunner::Record(TSweepResult& result, double value) {
    std::vector<TComplex> readings;
    readings.reserve(result.Probes.size());
    for (const TSweepProbe& probe : result.Probes) {
        readings.push_back(ReadProbe(probe, Canvas, State));
    }
    result.Values.push_back(value);
    result.Readings.push_back(std::move(readings));
    if (OnPoint) {
        OnPoint(result);
    }
}

} // namespace zaro
