#pragma once
// What the analysis commands need from the document that runs them besides
// the circuit itself.

#include <string>
#include <vector>

namespace zaro {

struct TCircuitDiagnosis;

class TAnalysisHost {
public:
    virtual ~TAnalysisHost() = default;

    // Every command disabled, status "解析中", window repainted at once.
    virtual void BeginBusy() = 0;
    // Commands enabled again, title and status bar refreshed.
    virtual void UpdateStatus() = 0;
    // Rebuilds the property text of the selected device.
    virtual void ShowDeviceProperty() = 0;
    // What is wrong with the circuit after a failed command; an empty one when
    // a command starts. Shown with the property text from then on.
    virtual void SetDiagnosis(const TCircuitDiagnosis& diagnosis) = 0;

    // Text of the frequency field.
    virtual std::string FrequencyText() const = 0;
    // Lines NAME=VALUE of the evaluator's variables.
    virtual std::vector<std::string>& Variables() = 0;
    virtual std::vector<std::string>& DebugLog() = 0;
};

} // namespace zaro
