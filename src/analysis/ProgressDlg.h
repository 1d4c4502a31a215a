#pragma once
// TFrmProgress: the state of the small window shown while an analysis runs:
// the three step indicators, the count of linear solves, the residual as text
// and as a logarithmic bar, a status line and the Stop button's user break.
// What it shows goes to an optional TProgressView.

#include "Platform.h"
#include "ProgressView.h"

#include <array>
#include <cstdint>
#include <string>

namespace zaro {

// The residual in the pattern "+0.00E+0": 0.000123 gives "+1.23E-4".
std::string ResidualText(double residual);

// PBarError position for a residual: 1e-6 and below give 0, 1e-3 gives 50,
// 1 and above 100.
int ResidualBarPosition(double residual);

class TFrmProgress {
public:
    static constexpr int UpdateInterval = 200; // milliseconds between throttled updates

    explicit TFrmProgress(TPlatform& platform, TProgressView* view = nullptr);
    TFrmProgress(const TFrmProgress&) = delete;
    TFrmProgress& operator=(const TFrmProgress&) = delete;

    // Attaches the window (nullptr detaches it) and shows it the present state.
    void SetView(TProgressView* view);

    void ResetProgress();
    void SetCheckCircuitState(TCheckBoxState state);
    void SetDCBiasState(TCheckBoxState state);
    void SetLinearState(TCheckBoxState state);
    // Shows count and residual unless the last update is under 200 ms old;
    // force always shows them.
    void UpdateProgress(int count, bool force, double residual);
    void SetStatusText(const std::string& text);
    void Show();
    void Hide();
    // The Stop button: disabled until the next ResetProgress, break requested.
    void Stop();

    // Set by Stop, cleared by the analysis commands before they start.
    bool UserBreak() const { return FUserBreak; }
    void ClearUserBreak() { FUserBreak = false; }

    std::int32_t LastUpdateTick() const { return FLastUpdateTick; }
    bool Visible() const { return FVisible; }
    bool StopEnabled() const { return FStopEnabled; }
    const std::string& StatusText() const { return FStatusText; }
    const std::string& RepeatCountText() const { return FRepeatCountText; }
    const std::string& ErrorVoltText() const { return FErrorVoltText; }
    int BarPosition() const { return FBarPosition; }
    TCheckBoxState CheckCircuitState() const {
        return Step(TProgressControl::ChkCheckCircuit).State;
    }
    TCheckBoxState DCBiasState() const { return Step(TProgressControl::ChkDCBias).State; }
    TCheckBoxState LinearState() const { return Step(TProgressControl::ChkLinear).State; }
    bool StepEnabled(TProgressControl box) const { return Step(box).Enabled; }

private:
    struct TStepBox {
        TCheckBoxState State = TCheckBoxState::cbUnchecked;
        bool Enabled = true;
    };
    static constexpr std::array<TProgressControl, 3> StepControls = {
        TProgressControl::ChkCheckCircuit, TProgressControl::ChkDCBias,
        TProgressControl::ChkLinear};

    static std::size_t StepIndex(TProgressControl box);
    const TStepBox& Step(TProgressControl box) const { return Steps[StepIndex(box)]; }
    void SetStepState(TProgressControl box, TCheckBoxState state);
    void SetLabel(TProgressControl label, std::string& field, const std::string& text);
    void SetBar(int position);
    void SetStopButton(bool enabled);
    void Repaint(TProgressControl control);
    bool UpdateDue(std::int32_t now) const;

    TPlatform& Platform;
    TProgressView* View;
    std::int32_t FLastUpdateTick;
    bool FUserBreak = false;
    bool FVisible = false;
    bool FStopEnabled = true;
    std::string FStatusText = "通常解析中";
    std::string FRepeatCountText = "0";
    std::string FErrorVoltText = "0.0E-0";
    int FBarPosition = 0;
    std::array<TStepBox, 3> Steps;
};

} // namespace zaro
