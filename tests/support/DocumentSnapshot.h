#pragma once
// Everything of a document that a refused input or a failed command must
// leave exactly as it was.

#include "CircuitDocument.h"
#include "ModelFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zaro::test {

struct TDocumentSnapshot {
    std::vector<std::uint8_t> Model;
    std::string FileName;
    bool Modified = false;
    bool ResultsValid = false;
    TPoint Scroll;
    std::int32_t SelectedPanel = -1;
    std::int32_t SelectedConnector = -1;
    bool operator==(const TDocumentSnapshot&) const = default;
};

inline TDocumentSnapshot Snapshot(const TCircuitDocument& document) {
    return {ModelBytes(document),
            document.FileName(),
            document.Modified(),
            document.Analysis().ResultsValid(),
            document.Canvas().ScrollPosition(),
            document.Canvas().SelectedDragPanelNo(),
            document.Canvas().SelectedConnectorNo()};
}

} // namespace zaro::test
