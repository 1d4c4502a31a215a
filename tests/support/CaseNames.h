#pragma once
// Names for the cases of a TEST_P table, made from one field of each case, so
// a failure report (and the ctest name) says which case failed:
//
//     INSTANTIATE_TEST_SUITE_P(Table, Answers, ::testing::ValuesIn(Cases),
//                              test::NamedAfter(&TAnswerCase::Expression));
//
// Characters a test name cannot hold become '_', and the case's position is
// appended then: "-1" in case 3 is "_1_3", "4.7k*2" in case 0 "4_7k_2_0".

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <sstream>
#include <string>

namespace zaro::test {

inline std::string CaseNameOf(const std::string& text) {
    constexpr std::size_t MaxLength = 48;
    std::string name;
    for (const char c : text) {
        if (name.size() >= MaxLength) {
            break;
        }
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            name += c;
        } else if (name.empty() || name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name.empty() ? "empty" : name;
}

// Names each case by what nameOf(case) writes to a stream. gtest makes the
// generator anew for every case, so it cannot remember names: a text that
// had to change to become a name gets the case's position appended, since
// another text may have changed into the same name.
template <typename TCase, typename TNameOf> auto NamedBy(TNameOf nameOf) {
    return [nameOf](const ::testing::TestParamInfo<TCase>& info) {
        std::ostringstream text;
        text << nameOf(info.param);
        const std::string name = CaseNameOf(text.str());
        return name == text.str() ? name : name + "_" + std::to_string(info.index);
    };
}

// Names each case by one of its fields.
template <typename TCase, typename TField> auto NamedAfter(TField TCase::*field) {
    return NamedBy<TCase>([field](const TCase& c) -> const TField& { return c.*field; });
}

} // namespace zaro::test
