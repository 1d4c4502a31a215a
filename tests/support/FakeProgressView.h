#pragma once
// A progress view that records every call as a line of text and keeps what
// a real window would show.

#include "ProgressView.h"

#include <map>
#include <string>
#include <vector>

namespace zaro::test {

class TFakeProgressView : public TProgressView {
public:
    std::vector<std::string> Calls;
    std::map<TProgressControl, std::string> Texts;
    std::map<TProgressControl, bool> Enabled;
    std::map<TProgressControl, TCheckBoxState> States;
    int BarPosition = -1;
    bool Visible = false;

    int Count(const std::string& call) const {
        int n = 0;
        for (const auto& c : Calls) {
            n += c == call ? 1 : 0;
        }
        return n;
    }

    void Show() override {
        Calls.push_back("Show");
        Visible = true;
    }
    void Hide() override {
        Calls.push_back("Hide");
        Visible = false;
    }
    void SetText(TProgressControl control, const std::string& text) override {
        Calls.push_back(std::string("SetText ") + ProgressControlName(control) + " " + text);
        Texts[control] = text;
    }
    void SetEnabled(TProgressControl control, bool enabled) override {
        Calls.push_back(std::string("SetEnabled ") + ProgressControlName(control) + " " +
                        (enabled ? "1" : "0"));
        Enabled[control] = enabled;
    }
    void SetCheckState(TProgressControl control, TCheckBoxState state) override {
        Calls.push_back(std::string("SetCheckState ") + ProgressControlName(control) + " " +
                        std::to_string(static_cast<int>(state)));
        States[control] = state;
    }
    void SetBarPosition(int position) override {
        Calls.push_back("SetBarPosition " + std::to_string(position));
        BarPosition = position;
    }
    void RepaintNow(TProgressControl control) override {
        Calls.push_back(std::string("RepaintNow ") + ProgressControlName(control));
    }
};

} // namespace zaro::test
