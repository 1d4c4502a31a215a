#pragma once
// The property text of the selected device (number, port count and, while
// results are valid, the complex potential and current at each port) and the
// two hidden diagnosis items of the Help menu.

#include "AnalysisState.h"
#include "CodingPanel.h"
#include "Platform.h"

#include <string>
#include <vector>

namespace zaro {

inline constexpr const char* NoDeviceSelected = "No device is selected.";

// The text for the canvas's selected device; lines end with CR LF. Currents
// are shown flowing into the device.
std::string DevicePropertyText(const TCodingPanel& canvas, const TAnalysisState& state);

// "List resistors": one message box per NPN transistor with its two
// equivalent resistances, in canvas order.
void MoreAnalyze1Click(const TCodingPanel& canvas, TPlatform& platform);

// "DebugLog Copy": the log's lines, each followed by CR LF, as clipboard text.
void DebugLogCopy1Click(const std::vector<std::string>& debugLog, TPlatform& platform);

} // namespace zaro
