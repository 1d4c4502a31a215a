#pragma once
// One device record as the model file and the clipboard carry it: the class
// name String, the device's own items and its panel record.

#include "Stream.h"
#include "ZaroSimDevices.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace zaro {

inline constexpr const char* BrokenFileMessage = "このファイルは壊れています。";

// Creates a device of the record's class and lets it read the record. A class
// name that is not a device class, or a port count other than the class's,
// raises BrokenFileMessage; a damaged record raises its own error. On any
// failure the stream is back where the record begins.
std::unique_ptr<TZaroSimDevice> ReadDeviceRecord(TStream& stream, TTinyParser& evaluator);

// The record of the device, written in full before anything is returned.
std::vector<std::uint8_t> DeviceRecordBytes(TDragPanel& device);

} // namespace zaro
