#pragma once
// ASCII-only character tests and case folding for the expression texts: the
// letters and digits of formulas and numbers, whatever the locale says.

#include <string>
#include <string_view>

namespace zaro {

inline bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

inline char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string UpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperAscii(c);
    }
    return upper;
}

// Equal when the texts differ at most in the case of ASCII letters.
inline bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperAscii(a[i]) != UpperAscii(b[i])) {
            return false;
        }
    }
    return true;
}

} // namespace zaro
