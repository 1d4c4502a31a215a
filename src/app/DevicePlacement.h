#pragma once
// The 21 commands that put a new device on the schematic, and the captions a
// placed device's ports get.

#include "CircuitBuilder.h"
#include "CircuitDocument.h"

#include <span>
#include <string>
#include <string_view>

namespace zaro {

struct TDevicePlacement {
    std::string_view Command;
    std::string_view Caption;
    std::string_view Hint; // empty: the command has none
    int Glyph;
    std::string_view Menu; // submenu of Device
    bool SeparatorBefore;  // a menu separator comes before the item
    std::string_view ClassName;
};

// In menu order.
std::span<const TDevicePlacement> DevicePlacements();

// The name a user knows a device class by: its command's hint ("抵抗器"),
// else the Japanese part of its caption ("発光ダイオード"); the class name
// for a class without a command.
std::string DeviceName(std::string_view className);

// Left = (canvas width - panel width) div 2 and Top likewise, in client
// coordinates: the middle of the visible part of the canvas.
void CenterInCanvas(const TCodingPanel& canvas, TDragPanel& panel);

// The volt meter and the ampere meter show "+" and "-" at ports 0 and 1.
void SetMeterPolarityCaptions(TZaroSimDevice& device);
// The captions a newly placed device of the same class has.
void SetPlacedPortCaptions(TZaroSimDevice& device);

// A new device of the class, centred on the visible canvas; the document is
// modified and its results invalid. An unknown class raises EZaroError.
TZaroSimDevice& PlaceDevice(TCircuitDocument& document, std::string_view className);
// The same for a device made elsewhere.
TZaroSimDevice& PlaceNewDevice(TCircuitDocument& document, std::unique_ptr<TZaroSimDevice> device);
// A builder on the document whose devices are placed as the commands place them.
TCircuitBuilder PlacingBuilder(TCircuitDocument& document);
// The same by command name ("AtnDeviceR", ...).
TZaroSimDevice& AtnDevice(TCircuitDocument& document, std::string_view command);

} // namespace zaro
