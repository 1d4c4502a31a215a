#pragma once
// The textbook circuits named in the operating-point issue, each wired the
// natural way, with the answers worked out by hand from the device laws.

#include "Netlist.h"

#include <string>
#include <vector>

namespace zaro::test {

// One quantity of an example: the potential at, or the current into, a port
// of a part, expected within an absolute tolerance.
struct TExpectedValue {
    std::string Part;
    int Port;
    bool Current;
    double Expected;
    double Tolerance;
};

struct TNamedExample {
    std::string Name;
    TNetlist Circuit;
    std::vector<TExpectedValue> Values;
};

const std::vector<TNamedExample>& NamedExamples();

// Index of the part with that name; a range error when there is none.
int PartIndex(const TNetlist& netlist, const std::string& name);

} // namespace zaro::test
