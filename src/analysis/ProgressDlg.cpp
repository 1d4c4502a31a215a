#include "ProgressDlg.h"

#include "ZaroErrors.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zaro {

namespace {

constexpr double BarLowResidual = 1e-6; // empty bar
constexpr double BarHighResidual = 1.0; // full bar
constexpr int BarMax = 100;

// Three significant digits of |value| > 0, rounded half away from zero on the
// decimal digits, and the decimal exponent of the first one.
void ThreeDigits(double value, int& mantissa, int& exponent) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.16E", value); // d.dddddddddddddddde+XX
    mantissa = (buffer[0] - '0') * 100 + (buffer[2] - '0') * 10 + (buffer[3] - '0');
    if (buffer[4] >= '5') {
        ++mantissa;
    }
    exponent = std::atoi(buffer + 19);
    if (mantissa == 1000) {
        mantissa = 100;
        ++exponent;
    }
}

} // namespace

std::string ResidualText(double residual) {
    if (std::isnan(residual)) {
        return "NAN";
    }
    if (std::isinf(residual)) {
        return residual > 0.0 ? "INF" : "-INF";
    }
    if (residual == 0.0) {
        return "+0.00E+0";
    }
    int mantissa;
    int exponent;
    ThreeDigits(std::fabs(residual), mantissa, exponent);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%c%d.%02dE%c%d", residual < 0.0 ? '-' : '+',
                  mantissa / 100, mantissa % 100, exponent < 0 ? '-' : '+', std::abs(exponent));
    return buffer;
}

int ResidualBarPosition(double residual) {
    if (std::isnan(residual)) {
        return BarMax; // no measure of the error at all: show it as large
    }
    double e = residual;
    if (e < BarLowResidual) {
        e = BarLowResidual;
    }
    if (e > BarHighResidual) {
        e = BarHighResidual;
    }
    return static_cast<int>(std::trunc((std::log10(e) + 6.0) / 6.0 * BarMax));
}

TFrmProgress::TFrmProgress(TPlatform& platform, TProgressView* view)
    : Platform(platform), View(view), FLastUpdateTick(platform.TickCount()) {}

void TFrmProgress::SetView(TProgressView* view) {
    View = view;
    if (View == nullptr) {
        return;
    }
    View->SetEnabled(TProgressControl::BtnStop, FStopEnabled);
    for (std::size_t i = 0; i < Steps.size(); ++i) {
        View->SetEnabled(StepControls[i], Steps[i].Enabled);
        View->SetCheckState(StepControls[i], Steps[i].State);
    }
    View->SetText(TProgressControl::LblStatus, FStatusText);
    View->SetText(TProgressControl::LblRepeatCount, FRepeatCountText);
    View->SetText(TProgressControl::LblErrorVolt, FErrorVoltText);
    View->SetBarPosition(FBarPosition);
    if (FVisible) {
        View->Show();
    } else {
        View->Hide();
    }
}

void TFrmProgress::ResetProgress() {
    SetStopButton(true);
    for (std::size_t i = 0; i < Steps.size(); ++i) {
        Steps[i].Enabled = false; // display only: the user cannot toggle it
        if (View != nullptr) {
            View->SetEnabled(StepControls[i], false);
        }
        SetStepState(StepControls[i], TCheckBoxState::cbUnchecked);
    }
    SetLabel(TProgressControl::LblRepeatCount, FRepeatCountText, "0");
    SetLabel(TProgressControl::LblErrorVolt, FErrorVoltText, "0.0E-0");
    SetBar(BarMax);
    SetLabel(TProgressControl::LblStatus, FStatusText, "通常解析中");
    Repaint(TProgressControl::Dialog);
}

void TFrmProgress::SetCheckCircuitState(TCheckBoxState state) {
    SetStepState(TProgressControl::ChkCheckCircuit, state);
    Repaint(TProgressControl::ChkCheckCircuit);
}

void TFrmProgress::SetDCBiasState(TCheckBoxState state) {
    SetStepState(TProgressControl::ChkDCBias, state);
    Repaint(TProgressControl::ChkDCBias);
}

void TFrmProgress::SetLinearState(TCheckBoxState state) {
    SetStepState(TProgressControl::ChkLinear, state);
    Repaint(TProgressControl::ChkLinear);
}

void TFrmProgress::UpdateProgress(int count, bool force, double residual) {
    const std::int32_t now = Platform.TickCount();
    if (!force && !UpdateDue(now)) {
        return; // keeps quick successive evaluations free of repaints
    }
    SetLabel(TProgressControl::LblRepeatCount, FRepeatCountText, std::to_string(count));
    Repaint(TProgressControl::LblRepeatCount);
    SetLabel(TProgressControl::LblErrorVolt, FErrorVoltText, ResidualText(residual));
    Repaint(TProgressControl::LblErrorVolt);
    SetBar(ResidualBarPosition(residual));
    Repaint(TProgressControl::PBarError);
    FLastUpdateTick = now;
}

void TFrmProgress::SetStatusText(const std::string& text) {
    SetLabel(TProgressControl::LblStatus, FStatusText, text);
    Repaint(TProgressControl::LblStatus);
}

void TFrmProgress::Show() {
    FVisible = true;
    if (View != nullptr) {
        View->Show();
    }
}

void TFrmProgress::Hide() {
    FVisible = false;
    if (View != nullptr) {
        View->Hide();
    }
}

void TFrmProgress::Stop() {
    SetStopButton(false);
    FUserBreak = true;
}

std::size_t TFrmProgress::StepIndex(TProgressControl box) {
    for (std::size_t i = 0; i < StepControls.size(); ++i) {
        if (StepControls[i] == box) {
            return i;
        }
    }
    throw ERangeError("TFrmProgress: " + std::string(ProgressControlName(box)) +
                      " is no step check box.");
}

void TFrmProgress::SetStepState(TProgressControl box, TCheckBoxState state) {
    Steps[StepIndex(box)].State = state;
    if (View != nullptr) {
        View->SetCheckState(box, state);
    }
}

void TFrmProgress::SetLabel(TProgressControl label, std::string& field, const std::string& text) {
    field = text;
    if (View != nullptr) {
        View->SetText(label, text);
    }
}

void TFrmProgress::SetBar(int position) {
    FBarPosition = position;
    if (View != nullptr) {
        View->SetBarPosition(position);
    }
}

void TFrmProgress::SetStopButton(bool enabled) {
    FStopEnabled = enabled;
    if (View != nullptr) {
        View->SetEnabled(TProgressControl::BtnStop, enabled);
    }
}

void TFrmProgress::Repaint(TProgressControl control) {
    if (View != nullptr) {
        View->RepaintNow(control);
    }
}

// The tick is a signed 32-bit count that wraps; the difference is taken modulo
// 2^32. A negative difference means the count jumped back or more than 2^31 ms
// passed: either way the display is stale, so it is updated rather than frozen.
bool TFrmProgress::UpdateDue(std::int32_t now) const {
    const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                                   static_cast<std::uint32_t>(FLastUpdateTick));
    return elapsed > UpdateInterval || elapsed < 0;
}

} // namespace zaro
