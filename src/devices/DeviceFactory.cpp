#include "DeviceFactory.h"

#include "Diodes.h"
#include "Junctions.h"
#include "LabelDevice.h"
#include "Meters.h"
#include "PassiveDevices.h"
#include "Sources.h"
#include "Transistors.h"

#include <functional>
#include <utility>

namespace zaro {

namespace {

using TDeviceMaker = std::function<std::unique_ptr<TZaroSimDevice>(TTinyParser&)>;

template <typename TDevice> std::pair<std::string, TDeviceMaker> Entry(const char* name) {
    return {name, [](TTinyParser& evaluator) { return std::make_unique<TDevice>(evaluator); }};
}

const std::vector<std::pair<std::string, TDeviceMaker>>& DeviceTable() {
    static const std::vector<std::pair<std::string, TDeviceMaker>> table{
        Entry<TAmMeter>("TAmMeter"),
        Entry<TCapacitor>("TCapacitor"),
        Entry<TGnd>("TGnd"),
        Entry<TOpen>("TOpen"),
        Entry<TLevel>("TLevel"),
        Entry<TInductor>("TInductor"),
        Entry<TISRC>("TISRC"),
        Entry<TPotentialMeter>("TPotentialMeter"),
        Entry<TResistor>("TResistor"),
        Entry<TVAC>("TVAC"),
        Entry<TVDC>("TVDC"),
        Entry<TVoltMeter>("TVoltMeter"),
        Entry<TXConnection>("TXConnection"),
        Entry<TYConnection>("TYConnection"),
        Entry<TLamp>("TLamp"),
        Entry<TDiode>("TDiode"),
        Entry<TTrNPN>("TTrNPN"),
        Entry<TTrPNP>("TTrPNP"),
        Entry<TLabelDevice>("TLabelDevice"),
        Entry<TLED>("TLED"),
        Entry<TZenarDiode>("TZenarDiode"),
    };
    return table;
}

} // namespace

const std::vector<std::string>& DeviceClassNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> result;
        for (const auto& entry : DeviceTable()) {
            result.push_back(entry.first);
        }
        return result;
    }();
    return names;
}

std::unique_ptr<TZaroSimDevice> CreateDeviceByClassName(std::string_view className,
                                                        TTinyParser& evaluator) {
    for (const auto& [name, make] : DeviceTable()) {
        if (name == className) {
            return make(evaluator);
        }
    }
    return nullptr;
}

} // namespace zaro
