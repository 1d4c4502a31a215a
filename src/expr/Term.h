#pragma once
// One token of an expression, later one partial result of its reduction.

#include <string>
#include <vector>

namespace zaro {

class TTerm {
public:
    TTerm(int priority, std::string text, double value);

    void Set(int priority, std::string text, double value);

    // Extra arguments gathered by the comma operator, in the order written.
    void AddArg(double value) { Args.push_back(value); }
    int ArgCount() const { return static_cast<int>(Args.size()); }
    // The i-th extra argument, 0 when there is no such argument.
    double Arg(int i) const;
    void ClearArgs() { Args.clear(); }

    std::vector<double> Args;
    int Priority; // 0 for an operand, the table priority of an operator not yet applied
    double Value;
    std::string Text; // upper case: literal, name, symbol or function name

    bool IsOperand() const { return Priority == 0; }
};

} // namespace zaro
