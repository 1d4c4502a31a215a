#include "ErrorReport.h"

#include "Platform.h"

#include <exception>

namespace zaro::gui {

bool ReportErrors(TPlatform& platform, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        platform.MessageBox(error.what(), TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
    } catch (...) {
        platform.MessageBox("Unknown error.", TMsgDlgType::mtError, TMsgDlgButtons::mbOK);
    }
    return false;
}

} // namespace zaro::gui
