#pragma once
// The progress dialog of the command-line tool shows nothing.

#include "ProgressView.h"

namespace zaro::cli {

class TConsoleProgressView : public TProgressView {
public:
    void Show() override {}
    void Hide() override {}
    void SetText(TProgressControl, const std::string&) override {}
    void SetEnabled(TProgressControl, bool) override {}
    void SetCheckState(TProgressControl, TCheckBoxState) override {}
    void SetBarPosition(int) override {}
    void RepaintNow(TProgressControl) override {}
};

} // namespace zaro::cli
