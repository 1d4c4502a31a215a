#pragma once
// What one evaluation may reach besides its terms: the user's variable list (not
// owned), the assignment hook and the random generator. Assignments keep a copy of
// the list as it was, so a failed evaluation can put it back.

#include "RandomSource.h"
#include "SubstituteEvent.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zaro {

class TEvalContext {
public:
    TEvalContext(std::vector<std::string>* variables, TRandomSource& random)
        : Variables(variables), Random(random) {}

    // The assignment hook and its sender; both optional.
    void SetSubstitute(TTinyParser* sender, const TSubstituteEvent* handler) {
        Sender = sender;
        Handler = handler;
    }

    bool HasVariables() const { return Variables != nullptr; }
    // The value text of the variable's line; nothing without a list or a line.
    std::optional<std::string_view> FindVariable(std::string_view name) const;
    // The value of the first of the names whose line exists with a non-empty value.
    std::optional<double> FirstVariableValue(std::initializer_list<std::string_view> names) const;
    // Calls the hook (which may rename), then writes the line name=G(15) of value.
    void Assign(std::string name, double value);
    // Puts the list back as it was before the first assignment of this evaluation.
    void RestoreVariables();

    double NextRandom() { return Random.Next(); }

private:
    std::vector<std::string>* Variables;
    TRandomSource& Random;
    TTinyParser* Sender = nullptr;
    const TSubstituteEvent* Handler = nullptr;
    std::optional<std::vector<std::string>> Saved;
};

} // namespace zaro
