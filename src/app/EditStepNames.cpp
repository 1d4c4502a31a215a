#include "EditStepNames.h"

#include "DevicePlacement.h"
#include "DragPanels.h"

namespace zaro {

namespace {

constexpr const char* WireName = "接続線";

std::string Of(const std::string& subject, std::string_view action) {
    return subject + "の" + std::string(action);
}

std::string Of(const TDragPanel* panel, std::string_view action) {
    return Of(panel != nullptr ? DeviceName(panel->ClassName()) : std::string("部品"), action);
}

} // namespace

std::string PlacementStepName(std::string_view className) {
    return Of(DeviceName(className), "配置");
}

std::string PasteStepName(const TDragPanel& device) {
    return Of(&device, "貼り付け");
}

std::string CutStepName(const TDragPanel& device) {
    return Of(&device, "切り取り");
}

std::string DeletionStepName(const TDragPanel& device) {
    return Of(&device, "削除");
}

std::string WireDeletionStepName() {
    return Of(WireName, "削除");
}

std::string CanvasEditStepName(TCanvasEdit edit, const TDragPanel* panel) {
    switch (edit) {
    case TCanvasEdit::PanelMoved:
        return Of(panel, "移動");
    case TCanvasEdit::PanelResized:
        return Of(panel, "大きさの変更");
    case TCanvasEdit::PanelIconized:
        return Of(panel,
                  panel != nullptr && !panel->Iconized() ? "アイコン化の解除" : "アイコン化");
    case TCanvasEdit::SegmentMoved:
        return Of(WireName, "移動");
    case TCanvasEdit::NoteEdited:
        return Of(panel, "編集");
    case TCanvasEdit::PortsConnected:
        return "配線";
    case TCanvasEdit::WireDeleted:
        return WireDeletionStepName();
    case TCanvasEdit::ValueEdited:
        return Of(panel, "値の変更");
    }
    return "編集";
}

} // namespace zaro
