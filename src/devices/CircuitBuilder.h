#pragma once
// Draws a circuit in code as a user draws it on the canvas: devices added
// with their value texts, wires drawn from port to port. The tests, the
// benchmarks and the program that draws the example circuits build their
// circuits with it.

#include "CodingPanel.h"
#include "ZaroSimDevices.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace zaro {

class TCircuitBuilder {
public:
    // Puts a new device on the canvas and returns it there.
    using TInsert = std::function<TZaroSimDevice&(std::unique_ptr<TZaroSimDevice>)>;

    // Devices go straight onto the canvas.
    TCircuitBuilder(TCodingPanel& canvas, TTinyParser& evaluator);
    // Devices go onto the canvas through `insert` (the placement commands, say).
    TCircuitBuilder(TCodingPanel& canvas, TTinyParser& evaluator, TInsert insert);

    // A new device of class T, numbered after the others, with its value text
    // when one is given (a class without a value box raises EZaroError then).
    template <typename T> T& Add(const std::string& valueText = "") {
        return static_cast<T&>(Insert(std::make_unique<T>(FEvaluator), valueText));
    }
    // The same by class name ("TResistor"); an unknown name raises EZaroError.
    TZaroSimDevice& Add(std::string_view className, const std::string& valueText = "");
    // By class name, then moved to (left, top) in client coordinates.
    TZaroSimDevice& Place(std::string_view className, int left, int top,
                          const std::string& valueText = "");

    // A wire drawn from port `fromPort` of `from` to port `toPort` of `to`.
    void Wire(const TDragPanel& from, int fromPort, const TDragPanel& to, int toPort);
    // Wires in a row, in this order: port 1 of each device to port 0 of the next.
    void Chain(std::initializer_list<const TDragPanel*> devices);

    TCodingPanel& Canvas() const { return FCanvas; }
    TTinyParser& Evaluator() const { return FEvaluator; }

private:
    TZaroSimDevice& Insert(std::unique_ptr<TZaroSimDevice> device, const std::string& valueText);

    TCodingPanel& FCanvas;
    TTinyParser& FEvaluator;
    TInsert FInsert;
};

} // namespace zaro
