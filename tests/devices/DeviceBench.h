#pragma once
// A canvas with an evaluator on which device tests place a device and wire
// each of its ports to a partner, drawing every wire from whichever end gives
// the port current sign the test asks for.

#include "CodingPanel.h"
#include "DeviceFactory.h"
#include "FakePlatform.h"
#include "Sources.h"
#include "TinyParser.h"
#include "ZaroMathTestEnvironment.h"
#include "ZaroSimDevices.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zaro::test {

class TDeviceBench {
public:
    TDeviceBench() : Canvas(Platform) { Evaluator.SetVariables(&Variables); }

    // The frequency variable the analysis writes before it starts.
    void SetFrequency(const std::string& value) { Variables = {"F=" + value}; }

    std::unique_ptr<TZaroSimDevice> Make(const std::string& className) {
        auto device = CreateDeviceByClassName(className, Evaluator);
        EXPECT_NE(device, nullptr) << className;
        return device;
    }

    // A device of the class placed with these signs and prepared as an analysis prepares it.
    TZaroSimDevice& Prepared(const std::string& className, const std::vector<int>& signs) {
        TZaroSimDevice& device = Place(Make(className), signs);
        device.UpdateDeviceValue();
        return device;
    }

    // Adds the device to the canvas and wires port p so that its current sign
    // is signs[p]: -1 draws the wire from the device, +1 towards it.
    TZaroSimDevice& Place(std::unique_ptr<TZaroSimDevice> device, const std::vector<int>& signs) {
        auto& placed = static_cast<TZaroSimDevice&>(Canvas.AddDragPanel(std::move(device)));
        for (int p = 0; p < static_cast<int>(signs.size()); ++p) {
            auto& partner = Canvas.AddDragPanel(std::make_unique<TOpen>(Evaluator));
            if (signs[p] < 0) {
                Canvas.ConnectPorts(placed.Index(), p, partner.Index(), 0);
            } else {
                Canvas.ConnectPorts(partner.Index(), 0, placed.Index(), p);
            }
        }
        return placed;
    }

    TFakePlatform Platform;
    std::vector<std::string> Variables{"F=1000"};
    TTinyParser Evaluator;
    TCodingPanel Canvas; // destroyed first: its devices refer to the evaluator
};

// The equation blocks a device writes.
struct TDCBlockOf {
    explicit TDCBlockOf(TZaroSimDevice& device) { device.BuildDCDeviceEquation(Coef, Rhs); }
    TDCCoefArray Coef;
    TDCRhsArray Rhs;
};
struct TACBlockOf {
    explicit TACBlockOf(TZaroSimDevice& device) { device.BuildACDeviceEquation(Coef, Rhs); }
    TACCoefArray Coef;
    TACRhsArray Rhs;
};

// All sign patterns of `ports` ports: (+1, ...), (-1, +1, ...), ...
inline std::vector<std::vector<int>> SignPatterns(int ports) {
    std::vector<std::vector<int>> patterns;
    for (int bits = 0; bits < (1 << ports); ++bits) {
        std::vector<int> signs;
        for (int p = 0; p < ports; ++p) {
            signs.push_back((bits >> p) & 1 ? -1 : 1);
        }
        patterns.push_back(signs);
    }
    return patterns;
}

} // namespace zaro::test
