#include "CircuitBuilder.h"

#include "DeviceFactory.h"

namespace zaro {

TCircuitBuilder::TCircuitBuilder(TCodingPanel& canvas, TTinyParser& evaluator)
    : TCircuitBuilder(
          canvas, evaluator, [&canvas](std::unique_ptr<TZaroSimDevice> device) -> auto& {
              return static_cast<TZaroSimDevice&>(canvas.AddDragPanel(std::move(device)));
          }) {}

TCircuitBuilder::TCircuitBuilder(TCodingPanel& canvas, TTinyParser& evaluator, TInsert insert)
    : FCanvas(canvas), FEvaluator(evaluator), FInsert(std::move(insert)) {}

TZaroSimDevice& TCircuitBuilder::Insert(std::unique_ptr<TZaroSimDevice> device,
                                        const std::string& valueText) {
    TZaroSimDevice& added = FInsert(std::move(device));
    if (!valueText.empty()) {
        if (added.ValueEdit() == nullptr) {
            throw EZaroError("TCircuitBuilder: " + added.ClassName() + " has no value text.");
        }
        added.ValueEdit()->SetText(valueText);
    }
    return added;
}

TZaroSimDevice& TCircuitBuilder::Add(std::string_view className, const std::string& valueText) {
    std::unique_ptr<TZaroSimDevice> device = CreateDeviceByClassName(className, FEvaluator);
    if (device == nullptr) {
        throw EZaroError("TCircuitBuilder: " + std::string(className) + " is not a device class.");
    }
    return Insert(std::move(device), valueText);
}

TZaroSimDevice& TCircuitBuilder::Place(std::string_view className, int left, int top,
                                       const std::string& valueText) {
    TZaroSimDevice& device = Add(className, valueText);
    device.SetBounds(left, top, device.Width(), device.Height());
    return device;
}

void TCircuitBuilder::Wire(const TDragPanel& from, int fromPort, const TDragPanel& to, int toPort) {
    FCanvas.ConnectPorts(from.Index(), fromPort, to.Index(), toPort);
}

void TCircuitBuilder::Chain(std::initializer_list<const TDragPanel*> devices) {
    const TDragPanel* previous = nullptr;
    for (const TDragPanel* device : devices) {
        if (previous != nullptr) {
            Wire(*previous, 1, *device, 0);
        }
        previous = device;
    }
}

} // namespace zaro
