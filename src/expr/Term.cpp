#include "Term.h"

#include <utility>

namespace zaro {

TTerm::TTerm(int priority, std::string text, double value)
    : Priority(priority), Value(value), Text(std::move(text)) {}

void TTerm::Set(int priority, std::string text, double value) {
    Priority = priority;
    Text = std::move(text);
    Value = value;
}

double TTerm::Arg(int i) const {
    if (i < 0 || i >= ArgCount()) {
        return 0;
    }
    return Args[static_cast<std::size_t>(i)];
}

} // namespace zaro
