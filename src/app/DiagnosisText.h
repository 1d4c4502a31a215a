#pragma once
// The findings of a diagnosis as the user reads them: one Japanese sentence
// each, naming devices by the name the device menu gives them and their number.

#include "CircuitDiagnosis.h"

#include <string>
#include <string_view>
#include <vector>

namespace zaro {

// The device's name in findings: the hint of its placement command, or the
// Japanese part of the command's caption where the hint is empty ("TLED":
// "発光ダイオード"); the class name for a class the menu does not know.
std::string DeviceKindName(std::string_view className);

// "抵抗器 No.3"
std::string DeviceName(const TDiagnosedDevice& device);

std::string FindingSentence(const TFinding& finding, TAnalysisDomain domain);
std::vector<std::string> DiagnosisSentences(const TCircuitDiagnosis& diagnosis);

// The sentences as lines for the property page, after a blank line; empty
// for a diagnosis without findings.
std::string DiagnosisPropertyText(const TCircuitDiagnosis& diagnosis);

} // namespace zaro
