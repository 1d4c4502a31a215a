#include "DeviceRecord.h"

#include "DeviceFactory.h"
#include "ZaroStream.h"

namespace zaro {

std::unique_ptr<TZaroSimDevice> ReadDeviceRecord(TStream& stream, TTinyParser& evaluator) {
    TStreamPositionGuard guard(stream);
    const std::int64_t start = stream.Position();
    std::unique_ptr<TZaroSimDevice> device =
        CreateDeviceByClassName(ReadStringFromStr(stream), evaluator);
    if (device == nullptr) {
        throw EZaroError(BrokenFileMessage);
    }
    const int classPortCount = device->PortCount();
    // The device reads its record from the class name on.
    stream.SetPosition(start);
    device->LoadFromStream(stream);
    // The equations and the wires rely on every device having its class's ports.
    if (device->PortCount() != classPortCount) {
        throw EZaroError(BrokenFileMessage);
    }
    guard.Commit();
    return device;
}

std::vector<std::uint8_t> DeviceRecordBytes(TDragPanel& device) {
    TMemoryStream stream;
    device.SaveToStream(stream);
    return stream.Bytes();
}

} // namespace zaro
