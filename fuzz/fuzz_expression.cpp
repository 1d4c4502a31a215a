// The expression engine over arbitrary text: TTinyParser with a variable list,
// as devices evaluate their value texts. Input: the expression, then a NUL
// byte, then the variable lines separated by line feeds (the list may be
// missing). Every evaluation must end in an answer or one of the program's
// errors; an answer must be a finite number whose text reads back as it.

#include "FuzzCheck.h"
#include "TinyParser.h"
#include "ZaroSub.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zaro::fuzz {
namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool Close(double a, double b) {
    return a == b || std::fabs(a - b) <= 1e-13 * std::max(std::fabs(a), std::fabs(b));
}

// Beyond this the G(15) text rounds past the largest double and reads back as
// an overflow, which is an error of the program, not a fault.
constexpr double LargestReadableG15 = 1.79769313486231e308;

// Reads the G(15) text of `value` back and compares.
void CheckReadsBack(const std::string& text, double value) {
    double back = 0;
    const bool read = Survives([&] { back = ZaroStrToFloat(text); });
    if (std::fabs(value) > LargestReadableG15) {
        return;
    }
    Expect(read, "G(15) text does not read back");
    Expect(Close(back, value), "G(15) text reads back to another value");
}

// The answer text is the value in G(15) and reads back to the answer value.
void CheckAnswer(TTinyParser& parser) {
    const std::string text = parser.Answer();
    const double value = parser.AnswerValue();
    Expect(std::isfinite(value), "answer value is not finite");
    if (text.empty()) {
        Expect(value == 0, "empty answer with a value");
        return;
    }
    Expect(parser.Answer() == text, "second read of the answer differs");
    CheckReadsBack(text, value);
}

void Evaluate(TTinyParser& parser, const std::string& text) {
    parser.SetExpression(text);
    if (Survives([&] { parser.Answer(); })) {
        CheckAnswer(parser);
    }
}

// The number reader on its own, and the writer's output read back.
void ReadNumber(std::string_view text) {
    double value = 0;
    if (!Survives([&] { value = ZaroStrToFloat(text); })) {
        return;
    }
    Expect(std::isfinite(value), "ZaroStrToFloat gave a non-finite value");
    CheckReadsBack(FloatToStrG(value), value);
    Survives([&] { PrefixedFloatToStrF(value, ffPrefixed, 4, 2); });
}

} // namespace
} // namespace zaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zaro::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string expression(input.substr(0, nul));
    std::vector<std::string> lines;
    if (nul != std::string_view::npos) {
        lines = SplitLines(input.substr(nul + 1));
    }

    zaro::TTinyParser parser;
    parser.SeedRandom(1);
    parser.SetVariables(nul != std::string_view::npos ? &lines : nullptr);
    Evaluate(parser, expression);
    // The texts capacitors and inductors build around their value.
    Evaluate(parser, "2*PI*F*" + expression);
    Evaluate(parser, "-1/(2*PI*F*" + expression + ")");
    ReadNumber(expression);
    return 0;
}
