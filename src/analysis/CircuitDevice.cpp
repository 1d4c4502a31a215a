#include "CircuitDevice.h"

#include <string>

namespace zaro {

TZaroSimDevice& DeviceAt(const TCodingPanel& canvas, int index) {
    auto* device = dynamic_cast<TZaroSimDevice*>(&canvas.DragPanel(index));
    if (device == nullptr) {
        throw EZaroError("Panel " + std::to_string(index) + " is not a circuit device.");
    }
    return *device;
}

} // namespace zaro
