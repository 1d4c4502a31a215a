#include "CanvasSnapshot.h"

#include "DragPanels.h"
#include "Stream.h"

namespace zaro {

TCanvasSnapshot TakeCanvasSnapshot(const TCodingPanel& canvas, const TCanvasIdentities& ids) {
    TCanvasSnapshot snapshot;
    TMemoryStream stream;
    const auto next = [&](std::uint64_t id, std::size_t begin) {
        return TCanvasSnapshot::TElement{id, begin, static_cast<std::size_t>(stream.Size())};
    };
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        const auto begin = static_cast<std::size_t>(stream.Size());
        canvas.DragPanel(i).SaveToStream(stream);
        snapshot.Panels.push_back(next(ids.Panel(i), begin));
    }
    for (int i = 0; i < canvas.ConnectorCount(); ++i) {
        const auto begin = static_cast<std::size_t>(stream.Size());
        canvas.Connector(i).SaveToStream(stream);
        snapshot.Wires.push_back(next(ids.Wire(i), begin));
    }
    snapshot.Bytes = stream.Bytes();
    snapshot.Selection = canvas.Selection();
    snapshot.Scroll = canvas.ScrollPosition();
    return snapshot;
}

} // namespace zaro
