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
    return Run(std::move(result), MsgACFailed,
               [this, &points](TSweepResult& r) { SolveFrequencies(r, points); });
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
    const TStep step = [this, &variable, &operatingPoint](double value, bool first) {
        SetVariableLine(Variables, variable, FloatToStrG(value, 15));
        operatingPoint.RunNonLinear(first);
    };
    return Run(std::move(result), MsgDCFailed,
               [this, &points, &step](TSweepResult& r) { SolveInTurn(r, points, step); });
}

TSweepResult TSweepRunner::Run(TSweepResult result, const char* failureMessage,
                               const TSolvePoints& solvePoints) {
    TVariablesGuard restoreVariables(Variables);
    Progress.ClearUserBreak();
    if (!Equations.CheckCircuit()) {
        return result;
    }
    result.Probes = FindSweepProbes(Canvas);
    Progress.ResetProgress();
    Progress.Show();
    try {
        solvePoints(result);
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

void TSweepRunner::SolveInTurn(TSweepResult& result, const std::vector<double>& points,
                               const TStep& step) {
    for (std::size_t k = 0; k < points.size(); ++k) {
        Progress.SetStatusText(PointStatus(k, points.size()));
        Equations.CheckUserBreak();
        step(points[k], k == 0);
        Record(result, points[k]);
    }
}

// The frequencies' systems are assembled here, in turn, and solved by the
// workers meanwhile. A point that fails to assemble ends the sweep after the
// points before it, as it would end a sweep solved in turn.
void TSweepRunner::SolveFrequencies(TSweepResult& result, const std::vector<double>& points) {
    const bool nonLinear = HasNonLinearDevices();
    TNonLinearAnalysis operatingPoint(Equations);
    TACSolvePipeline pipeline(Equations.SolverKind(), SolveWorkers, 4 * SolveWorkers);
    std::exception_ptr error;
    try {
        for (std::size_t k = 0; k < points.size(); ++k) {
            Progress.SetStatusText(PointStatus(k, points.size()));
            Equations.CheckUserBreak();
            if (pipeline.Full()) {
                RecordSolved(result, points, pipeline, true);
            }
            StoreFrequencyVariable(Variables, points[k]);
            if (k == 0 && nonLinear) {
                operatingPoint.RunNonLinear(true);
            }
            Equations.AssembleAC(pipeline.NextSystem());
            pipeline.Submit();
            RecordSolved(result, points, pipeline, false);
        }
    } catch (const EUserBreak&) {
        throw;
    } catch (...) {
        error = std::current_exception();
    }
    while (!pipeline.Empty()) {
        RecordSolved(result, points, pipeline, true);
    }
    if (error) {
        std::rethrow_exception(error);
    }
}

// Records the solved points at the head of the pipeline in order, with
// `wait` after waiting for the oldest. Stop pressed meanwhile ends the sweep
// at the last point recorded.
void TSweepRunner::RecordSolved(TSweepResult& result, const std::vector<double>& points,
                                TACSolvePipeline& pipeline, bool wait) {
    using namespace std::chrono_literals;
    while (!pipeline.Empty()) {
        const std::vector<TComplex>* solution = pipeline.Oldest(wait ? 20ms : 0ms);
        if (solution == nullptr && !wait) {
            return;
        }
        if (solution == nullptr) {
            Equations.CheckUserBreak();
            continue;
        }
        Equations.StoreWireSolution(*solution);
        Record(result, points[result.Values.size()]);
        pipeline.Pop();
        wait = false;
        if (Progress.UserBreak()) {
            throw EUserBreak();
        }
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
