#include "ModelFile.h"

namespace zaro {

namespace {

[[noreturn]] void Broken() {
    throw EZaroError(BrokenFileMessage);
}

bool HasEnd(const TConnector& connector, std::int32_t panel, std::int32_t port) {
    return (connector.StartPanelNo() == panel && connector.StartPortNo() == port) ||
           (connector.EndPanelNo() == panel && connector.EndPortNo() == port);
}

void CheckPorts(const TModelContents& contents) {
    const auto connectorCount = static_cast<std::int32_t>(contents.Connectors.size());
    for (std::size_t panel = 0; panel < contents.Devices.size(); ++panel) {
        const TZaroSimDevice& device = *contents.Devices[panel];
        for (int port = 0; port < device.PortCount(); ++port) {
            const std::int32_t c = device.PortConnectorNo(port);
            if (c == -1) {
                continue;
            }
            if (c < 0 || c >= connectorCount ||
                !HasEnd(*contents.Connectors[static_cast<std::size_t>(c)],
                        static_cast<std::int32_t>(panel), port)) {
                Broken();
            }
        }
    }
}

// The end names an existing port, and that port names this wire.
void CheckEnd(const TModelContents& contents, std::int32_t connectorNo, std::int32_t panel,
              std::int32_t port) {
    if (panel < 0 || panel >= static_cast<std::int32_t>(contents.Devices.size())) {
        Broken();
    }
    const TZaroSimDevice& device = *contents.Devices[static_cast<std::size_t>(panel)];
    if (port < 0 || port >= device.PortCount() || device.PortConnectorNo(port) != connectorNo) {
        Broken();
    }
}

void CheckConnectors(const TModelContents& contents) {
    for (std::size_t i = 0; i < contents.Connectors.size(); ++i) {
        const TConnector& c = *contents.Connectors[i];
        const auto no = static_cast<std::int32_t>(i);
        if (c.StartPanelNo() == c.EndPanelNo() && c.StartPortNo() == c.EndPortNo()) {
            Broken();
        }
        CheckEnd(contents, no, c.StartPanelNo(), c.StartPortNo());
        CheckEnd(contents, no, c.EndPanelNo(), c.EndPortNo());
    }
}

} // namespace

void CheckModelConsistency(const TModelContents& contents) {
    CheckPorts(contents);
    CheckConnectors(contents);
}

} // namespace zaro
