#pragma once
// The Simulate menu's sweep: the dialog, the sweep with the progress window
// and its Stop, then a plot window with whatever points were computed.

class QWidget;

namespace zaro {
class TCircuitDocument;
}

namespace zaro::gui {

class TSweepPlotWindow;

// The plot window shown, or nullptr when the user cancelled or nothing was computed.
TSweepPlotWindow* AtnSimulateSweep(QWidget& parent, TCircuitDocument& document);

} // namespace zaro::gui
