#pragma once
// The main window's Edit, Options and Help commands: the Edit commands act
// on the focused text control when there is one and on the schematic
// otherwise; Options registers the model-file type; Help opens the manual,
// the support page and the About box.

#include <functional>
#include <map>
#include <string>

namespace zaro {
class TCircuitDocument;
class TPlatform;
} // namespace zaro

namespace zaro::gui {

class TFrmMainWnd;

using TCommandMap = std::map<std::string, std::function<void()>>;

TCommandMap ShellCommands(TFrmMainWnd& window);

} // namespace zaro::gui
