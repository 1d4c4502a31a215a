#pragma once
// Creating a device from its class name, the type tag of device records in
// model files and on the clipboard.

#include "ZaroSimDevices.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zaro {

// The 21 device class names in lookup order.
const std::vector<std::string>& DeviceClassNames();

// A fresh device of the named class, evaluating through `evaluator`; nullptr
// for a name that is not a device class (names compare exactly).
std::unique_ptr<TZaroSimDevice> CreateDeviceByClassName(std::string_view className,
                                                        TTinyParser& evaluator);

} // namespace zaro
