// Arbitrary input gives an answer or one of the program's errors, in bounded time and
// without recursion: random bytes, deep nestings and long flat expressions.

#include "TinyParser.h"
#include "ZaroErrors.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zaro {
namespace {

// Evaluates and reports whether an answer came out; any error other than the program's
// own fails the test.
bool Survives(TTinyParser& parser, const std::string& text) {
    parser.SetExpression(text);
    try {
        parser.Answer();
        return true;
    } catch (const EZaroError&) {
        return false;
    }
}

TEST(Robustness, RandomBytesGiveAnAnswerOrAProgramError) {
    std::vector<std::string> lines{"X=1", "_F=1K", "Y=2*X"};
    TTinyParser parser;
    parser.SetVariables(&lines);
    std::mt19937 random(20240607);
    const std::string alphabet = "0123456789.EeKkMUPDG+-*/%#^\\/=!<>&|,():_ XYSINCOAPRTUFLD\t";
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    int answered = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        int n = length(random);
        for (int i = 0; i < n; ++i) {
            text += round % 2 == 0 ? static_cast<char>(anyByte(random)) : alphabet[pick(random)];
        }
        answered += Survives(parser, text) ? 1 : 0;
    }
    EXPECT_GT(answered, 0);
}

TEST(Robustness, DeepNestingIsReducedWithoutRecursion) {
    TTinyParser parser;
    const std::size_t depth = 50000; // 100 000 parentheses
    std::string nested = std::string(depth, '(') + "1+1" + std::string(depth, ')');
    ASSERT_TRUE(Survives(parser, nested));
    EXPECT_EQ(parser.Answer(), "2");
    EXPECT_TRUE(Survives(parser, std::string(100000, '(')));
    EXPECT_TRUE(Survives(parser, std::string(100000, ')')));
    std::string functions;
    for (int i = 0; i < 20000; ++i) {
        functions += "-SIN(";
    }
    EXPECT_TRUE(Survives(parser, functions + "0" + std::string(20000, ')')));
    EXPECT_EQ(parser.Answer(), "0");
}

TEST(Robustness, LongFlatExpressionsFinish) {
    TTinyParser parser;
    std::string sum = "1";
    for (int i = 0; i < 5000; ++i) {
        sum += "+1";
    }
    ASSERT_TRUE(Survives(parser, sum));
    EXPECT_EQ(parser.Answer(), "5001");
    std::string products;
    for (int i = 0; i < 5000; ++i) {
        products += "(2)";
    }
    EXPECT_FALSE(Survives(parser, products)); // 2^5000 overflows
    EXPECT_TRUE(Survives(parser, std::string(20000, ' ') + "1" + std::string(20000, ',')));
}

} // namespace
} // namespace zaro
