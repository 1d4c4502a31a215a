#pragma once
// The six analysis commands and the frame they share: busy state, circuit
// check, progress dialog, guarded solve steps that tell a math error from a
// user break from anything else, result hand-over and the final refresh.

#include "AnalysisHost.h"
#include "CircuitDiagnosis.h"
#include "CircuitEquations.h"
#include "NonLinearAnalysis.h"

#include <string>
#include <vector>

namespace zaro {

// Message L: a linear solve failed.
inline constexpr const char* MsgLinearFailed =
    "線形解析を失敗しました。回路中に浮いた状態になっている部分(GNDやVoltage "
    "Levelに全く接続されていない部分)"
    "が無いか、あるいは、回路が一意的に状態が決まるものになっているか"
    "を確認してください。";
// Message D: the operating-point search failed.
inline constexpr const char* MsgDCFailed =
    "直流解析を失敗しました。回路中に浮いた状態になっている部分(GNDやVoltage "
    "Levelに全く接続されていない部分)"
    "が無いか、あるいは、回路が一意的に状態が決まるものになっているか"
    "を確認してください。";
// Message C: the AC solve after the operating point failed.
inline constexpr const char* MsgACFailed =
    "交流解析を失敗しました。回路中に浮いた状態になっている部分(GNDやVoltage "
    "Levelに全く接続されていない部分)"
    "が無いか、あるいは、回路が一意的に状態が決まるものになっているか"
    "を確認してください。";
// Message U: the user stopped the analysis (DC and AC alike).
inline constexpr const char* MsgInterrupted = "直流解析が中断されました。解析結果には大きな誤差を含"
                                              "んでいる可能性があることに注意してください。";

// Writes the line F=<frequency> (15 significant digits), replacing an earlier
// line for the name F whatever its letter case.
void StoreFrequencyVariable(std::vector<std::string>& variables, double frequency);

class TAnalysisCommands {
public:
    TAnalysisCommands(TCircuitEquations& equations, TNonLinearAnalysis& nonLinear,
                      TAnalysisHost& host);

    void AtnSimulateDC();           // linear DC, akLinearDC
    void AtnSimulateAC();           // linear AC, akLinearAC
    void AtnSimulateDCNonLinear();  // DC with operating-point search, akDC
    void AtnSimulateACNonLinear();  // operating point, then AC, akAC
    void AtnSimulateDCAdditional(); // DC from the present operating point, akDC
    void AtnSimulateACAdditional(); // AC from the start values, akAC

private:
    enum class TOutcome { Completed, Failed, Interrupted };

    template <typename TBody> void RunCommand(TAnalysisKind kind, bool clearsDebugLog, TBody body);
    void Finish(TAnalysisKind kind);
    bool StartBody();
    template <typename TStep>
    TOutcome Guarded(TStep step, const char* failureMessage, bool catchesUserBreak);
    // The step, made to hand the host a diagnosis of the circuit when it fails
    // (a user break is no failure).
    template <typename TStep> auto Diagnosed(TFailedStep failedStep, TStep step);
    void Diagnose(TFailedStep failedStep, bool mathError);
    void ReadFrequency();
    template <typename TPrepare, typename TSolve>
    void LinearCommand(TAnalysisKind kind, TPrepare prepare, TSolve solve);
    // What tells the four non-linear commands apart, in this order.
    struct TNonLinearCommand {
        TAnalysisKind Kind; // akAC solves AC at the operating point
        bool Initialise;    // the search starts from the start values
        bool ClearsDebugLog;
        bool ReadsFrequency; // else a preparation of its own
    };
    void NonLinearCommand(const TNonLinearCommand& command);
    bool OperatingPoint(bool initialise);
    void HandOver();
    void ShowInformation(const std::string& text);

    TCircuitEquations& Equations;
    TNonLinearAnalysis& NonLinear;
    TAnalysisHost& Host;
};

} // namespace zaro
