#pragma once

#include <functional>
#include <string>

namespace zaro {

class TTinyParser;

// Called by the assignment operator before it stores a variable; it may change the
// name. The value text it receives is empty and whatever it puts there is not used.
using TSubstituteEvent =
    std::function<void(TTinyParser& sender, std::string& name, std::string& value)>;

} // namespace zaro
