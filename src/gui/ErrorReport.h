#pragma once
// The program's report of an error that leaves a command or an event
// handler: a message box with the error's message, after which the program
// goes on with the next event. Every entry from Qt into the core goes
// through it, so no error ever unwinds through Qt's event dispatch.

#include <functional>

namespace zaro {
class TPlatform;
}

namespace zaro::gui {

// Runs `action`; returns false when it raised an error, which has been shown.
bool ReportErrors(TPlatform& platform, const std::function<void()>& action);

} // namespace zaro::gui
