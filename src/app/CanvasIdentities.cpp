#include "CanvasIdentities.h"

#include "ZaroErrors.h"

namespace zaro {

namespace {

std::uint64_t At(const std::vector<std::uint64_t>& ids, int i) {
    CheckIndex(i, static_cast<long long>(ids.size()));
    return ids[static_cast<std::size_t>(i)];
}

} // namespace

TCanvasIdentities::TCanvasIdentities(const TCodingPanel& canvas) {
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        FPanels.push_back(FNext++);
    }
    for (int i = 0; i < canvas.ConnectorCount(); ++i) {
        FWires.push_back(FNext++);
    }
    Links += canvas.PanelInserted.Connect(
        [this](int i) { FPanels.insert(FPanels.begin() + i, FNext++); });
    Links +=
        canvas.PanelAboutToBeRemoved.Connect([this](int i) { FPanels.erase(FPanels.begin() + i); });
    Links +=
        canvas.WireAdded.Connect([this](int i) { FWires.insert(FWires.begin() + i, FNext++); });
    Links += canvas.WireRemoved.Connect([this](int i) { FWires.erase(FWires.begin() + i); });
}

std::uint64_t TCanvasIdentities::Panel(int i) const {
    return At(FPanels, i);
}

std::uint64_t TCanvasIdentities::Wire(int i) const {
    return At(FWires, i);
}

} // namespace zaro
