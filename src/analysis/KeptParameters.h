#pragma once
// The non-linear parameters of one device, saved when made and written back
// when it goes, so that the circuit check can build blocks or evaluate values
// without moving the operating-point search's state.

#include "ZaroSimDevices.h"

#include <utility>
#include <vector>

namespace zaro {

class TKeptParameters {
public:
    explicit TKeptParameters(TZaroSimDevice& device) {
        for (int j = 0; j < device.NonLinearParamCount(); ++j) {
            if (double* param = device.NonLinearParam(j)) {
                FSaved.emplace_back(param, *param);
            }
        }
    }
    ~TKeptParameters() {
        for (auto it = FSaved.rbegin(); it != FSaved.rend(); ++it) {
            *it->first = it->second;
        }
    }
    TKeptParameters(const TKeptParameters&) = delete;
    TKeptParameters& operator=(const TKeptParameters&) = delete;

    // Sets every parameter to `value` until the saved ones are written back.
    void SetAll(double value) {
        for (auto& [param, saved] : FSaved) {
            *param = value;
        }
    }

private:
    std::vector<std::pair<double*, double>> FSaved;
};

} // namespace zaro
