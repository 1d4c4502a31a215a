// Text in the code pages an RTF document may name, read leniently.

#include "CodePageConverter.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

struct TCodePageRow {
    int CodePage;
    std::string Bytes;
    std::string Text;
};

class CodePageRows : public ::testing::TestWithParam<TCodePageRow> {};

TEST_P(CodePageRows, ReadAsUtf8) {
    EXPECT_EQ(CodePageToUtf8Lenient(GetParam().Bytes, GetParam().CodePage), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CodePageRows,
    ::testing::Values(TCodePageRow{932, "\x93\xfa\x96\x7b\x5c", "日本\\"},
                      TCodePageRow{932, "a\x82\xffz\x82", "a\uFFFD\uFFFDz\uFFFD"},
                      TCodePageRow{1252, "\x80 caf\xe9", "€ café"},
                      TCodePageRow{1251, "\xcf\xf0\xe8", "При"}, TCodePageRow{1253, "\xd9", "Ω"},
                      TCodePageRow{936, "\xd6\xd0\xce\xc4", "中文"},
                      TCodePageRow{10000, "\x8e", "é"},
                      TCodePageRow{4242, "\xe9", "é"}, // an unknown page reads as 1252
                      TCodePageRow{932, "plain", "plain"}));

} // namespace
} // namespace zaro::test
