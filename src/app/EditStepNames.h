#pragma once
// The names of the edits as the Edit menu shows them in "元に戻す: …" and
// "やり直し: …": what was done, to which device.

#include "CanvasEdit.h"

#include <string>
#include <string_view>

namespace zaro {

class TDragPanel;

// "抵抗器の配置".
std::string PlacementStepName(std::string_view className);
// "抵抗器の貼り付け".
std::string PasteStepName(const TDragPanel& device);
// "抵抗器の切り取り".
std::string CutStepName(const TDragPanel& device);
// "抵抗器の削除".
std::string DeletionStepName(const TDragPanel& device);
// "接続線の削除".
std::string WireDeletionStepName();
// A gesture on the canvas, with the panel it acted on (none for the wire
// gestures), as the panel is once the gesture is complete.
std::string CanvasEditStepName(TCanvasEdit edit, const TDragPanel* panel);

} // namespace zaro
