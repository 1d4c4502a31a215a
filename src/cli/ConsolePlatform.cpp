#include "ConsolePlatform.h"

#include <chrono>

namespace zaro::cli {

TModalResult TConsolePlatform::MessageBox(const std::string& text, TMsgDlgType,
                                          TMsgDlgButtons buttons) {
    Messages << text << '\n';
    switch (buttons) {
    case TMsgDlgButtons::mbOK:
        return TModalResult::mrOk;
    case TMsgDlgButtons::mbOKCancel:
        return TModalResult::mrCancel;
    case TMsgDlgButtons::mbYesNo:
    case TMsgDlgButtons::mbYesNoCancel:
        break;
    }
    return TModalResult::mrNo;
}

std::int32_t TConsolePlatform::TickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    // The tick counter wraps like a 32-bit millisecond count.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
}

} // namespace zaro::cli
