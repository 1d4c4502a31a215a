#include "PredefinedNames.h"

#include <array>
#include <utility>

namespace zaro {

namespace {

constexpr std::array<std::pair<std::string_view, double>, 23> Predefined{{
    {"_A0", 5.2917706E-11},
    {"_C", 299792458},
    {"_U0", 1.2566370614359173E-6},
    {"_E", 2.718281828459045},
    {"_E0", 8.854187818E-12},
    {"_EU", 1.6021892E-19},
    {"_FALSE", 0},
    {"FALSE", 0},
    {"_H", 6.626176E-34},
    {"_K", 1.380662E-23},
    {"_ME", 9.109534E-31},
    {"_MP", 1.6726485E-27},
    {"_MN", 1.6749543E-27},
    {"_NA", 6.022045E23},
    {"_PI", 3.141592653589793},
    {"PI", 3.141592653589793},
    {"_R", 8.31441},
    {"_TRUE", 1},
    {"TRUE", 1},
    {"_UB", 9.274074E-24},
    {"_UE", 9.284832E-24},
    {"_UP", 1.4106171E-26},
    {"_VM", 0.02241383},
}};

} // namespace

std::optional<double> PredefinedValue(std::string_view name) {
    for (const auto& [predefined, value] : Predefined) {
        if (predefined == name) {
            return value;
        }
    }
    return std::nullopt;
}

} // namespace zaro
