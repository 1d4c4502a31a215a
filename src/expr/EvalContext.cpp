#include "EvalContext.h"

#include "VariableLines.h"
#include "ZaroSub.h"

namespace zaro {

std::optional<std::string_view> TEvalContext::FindVariable(std::string_view name) const {
    if (Variables == nullptr) {
        return std::nullopt;
    }
    return FindVariableValue(*Variables, name);
}

std::optional<double>
TEvalContext::FirstVariableValue(std::initializer_list<std::string_view> names) const {
    for (std::string_view name : names) {
        auto text = FindVariable(name);
        if (text && !text->empty()) {
            return ZaroStrToFloat(*text);
        }
    }
    return std::nullopt;
}

void TEvalContext::Assign(std::string name, double value) {
    if (Variables == nullptr) {
        return;
    }
    if (!Saved) {
        Saved = *Variables;
    }
    if (Handler != nullptr && *Handler && Sender != nullptr) {
        std::string ignoredValue;
        (*Handler)(*Sender, name, ignoredValue);
    }
    SetVariableLine(*Variables, name, FloatToStrG(value, 15));
}

void TEvalContext::RestoreVariables() {
    if (Saved && Variables != nullptr) {
        *Variables = std::move(*Saved);
        Saved.reset();
    }
}

} // namespace zaro
