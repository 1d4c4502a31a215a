#pragma once
// The window side of the progress dialog: TFrmProgress keeps the state and
// tells its view what to show. The GUI implements this with real controls;
// the analysis holds the GUI thread, so RepaintNow must paint at once.

#include <string>

namespace zaro {

// The controls of the progress dialog that change while an analysis runs.
enum class TProgressControl {
    Dialog, // the whole window, for repaints
    ChkCheckCircuit,
    ChkDCBias,
    ChkLinear,
    LblStatus,
    LblRepeatCount,
    LblErrorVolt,
    PBarError,
    BtnStop
};

inline const char* ProgressControlName(TProgressControl control) {
    switch (control) {
    case TProgressControl::Dialog:
        return "Dialog";
    case TProgressControl::ChkCheckCircuit:
        return "ChkCheckCircuit";
    case TProgressControl::ChkDCBias:
        return "ChkDCBias";
    case TProgressControl::ChkLinear:
        return "ChkLinear";
    case TProgressControl::LblStatus:
        return "LblStatus";
    case TProgressControl::LblRepeatCount:
        return "LblRepeatCount";
    case TProgressControl::LblErrorVolt:
        return "LblErrorVolt";
    case TProgressControl::PBarError:
        return "PBarError";
    case TProgressControl::BtnStop:
        return "BtnStop";
    }
    return "?";
}

// State of the three-state step check boxes.
enum class TCheckBoxState { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

class TProgressView {
public:
    virtual ~TProgressView() = default;

    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Caption of a label (LblStatus, LblRepeatCount, LblErrorVolt).
    virtual void SetText(TProgressControl control, const std::string& text) = 0;
    // Enabling of a check box or of BtnStop.
    virtual void SetEnabled(TProgressControl control, bool enabled) = 0;
    // State of a step check box.
    virtual void SetCheckState(TProgressControl control, TCheckBoxState state) = 0;
    // Position of PBarError, 0 to 100.
    virtual void SetBarPosition(int position) = 0;
    // Paints the control (or the whole dialog) now, not at the next event.
    virtual void RepaintNow(TProgressControl control) = 0;
};

} // namespace zaro
