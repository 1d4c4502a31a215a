#include "ComponentText.h"
#include "CaseNames.h"
#include "DragPanels.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace zaro::test {
namespace {

using ::testing::StartsWith;

// The panel's whole state as its record bytes, to see that nothing changed.
std::vector<std::uint8_t> Fingerprint(TDragPanel& panel) {
    TMemoryStream s;
    panel.SaveToStream(s);
    return s.Bytes();
}

TEST(ComponentToText, DefaultFourPortPanelInTheStatedForm) {
    TDragPanel4P panel;
    EXPECT_EQ(ComponentToText(panel), "object TDragPanel4P\r\n"
                                      "  Left = 0\r\n"
                                      "  Top = 0\r\n"
                                      "  Width = 64\r\n"
                                      "  Height = 64\r\n"
                                      "  ImageIndex = -1\r\n"
                                      "  ImageHorzCenter = False\r\n"
                                      "  ImageVertCenter = False\r\n"
                                      "  Index = -1\r\n"
                                      "  MinHeight = 32\r\n"
                                      "  MinWidth = 32\r\n"
                                      "  MaxHeight = -1\r\n"
                                      "  MaxWidth = -1\r\n"
                                      "  ResizeStyle = dprsFixed\r\n"
                                      "  CanIconize = False\r\n"
                                      "  Iconized = False\r\n"
                                      "end\r\n");
}

TEST(ComponentToText, CaptionComesAfterTheBoundsAndOtherValuesAsSet) {
    TDragPanel panel;
    panel.SetBounds(-16, 200, 96, 48);
    panel.SetCaption("R's 抵抗");
    panel.SetImageIndex(5);
    panel.SetImageHorzCenter(true);
    panel.SetIndex(3);
    panel.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    panel.SetCanIconize(true);
    panel.SetIconized(true);
    panel.SetMaxWidth(400);
    EXPECT_EQ(ComponentToText(panel), "object TDragPanel\r\n"
                                      "  Left = -16\r\n"
                                      "  Top = 200\r\n"
                                      "  Width = 96\r\n"
                                      "  Height = 48\r\n"
                                      "  Caption = 'R''s 抵抗'\r\n"
                                      "  ImageIndex = 5\r\n"
                                      "  ImageHorzCenter = True\r\n"
                                      "  ImageVertCenter = False\r\n"
                                      "  Index = 3\r\n"
                                      "  MinHeight = 32\r\n"
                                      "  MinWidth = 32\r\n"
                                      "  MaxHeight = -1\r\n"
                                      "  MaxWidth = 400\r\n"
                                      "  ResizeStyle = dprsLine\r\n"
                                      "  CanIconize = True\r\n"
                                      "  Iconized = True\r\n"
                                      "end\r\n");
}

struct QuoteRow {
    std::string Text;
    std::string Quoted;
};

class QuoteComponentStringTest : public ::testing::TestWithParam<QuoteRow> {};

TEST_P(QuoteComponentStringTest, QuotesAndReadsBack) {
    EXPECT_EQ(QuoteComponentString(GetParam().Text), GetParam().Quoted);
    TDragPanel panel;
    TextToComponent(panel, "object T\r\n  Caption = " + GetParam().Quoted + "\r\nend\r\n");
    EXPECT_EQ(panel.Caption(), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Strings, QuoteComponentStringTest,
                         ::testing::Values(QuoteRow{"", "''"}, QuoteRow{"abc", "'abc'"},
                                           QuoteRow{"a'b", "'a''b'"}, QuoteRow{"'", "''''"},
                                           QuoteRow{"a\r\nb", "'a'#13#10'b'"}, QuoteRow{"\t", "#9"},
                                           QuoteRow{"日本", "'日本'"}),
                         test::NamedAfter(&QuoteRow::Quoted));

// --- Reading ------------------------------------------------------------------

struct ReadRow {
    const char* Name;
    std::string Properties; // lines between "object" and "end"
    int Left, Top, Width, Height;
    std::string Caption;
    TDragPanelResizeStyle Style;
};

class TextToComponentTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(TextToComponentTest, AppliesWhatItKnowsAndIgnoresTheRest) {
    const ReadRow& row = GetParam();
    TDragPanel panel;
    panel.SetBounds(1, 2, 3, 4);
    TextToComponent(panel, "object TResistor\r\n" + row.Properties + "end\r\n");
    EXPECT_EQ(panel.BoundsRect(), TRect::FromBounds(row.Left, row.Top, row.Width, row.Height));
    EXPECT_EQ(panel.Caption(), row.Caption);
    EXPECT_EQ(panel.ResizeStyle(), row.Style);
}

constexpr auto Fixed = TDragPanelResizeStyle::dprsFixed;
constexpr auto Line = TDragPanelResizeStyle::dprsLine;

INSTANTIATE_TEST_SUITE_P(
    Texts, TextToComponentTest,
    ::testing::Values(
        ReadRow{"Bounds", "  Left = 96\r\n  Top = -8\r\n  Width = 128\r\n  Height = 48\r\n", 96, -8,
                128, 48, "", Fixed},
        ReadRow{"OnlySome", "  Top = 10\r\n", 1, 10, 3, 4, "", Fixed},
        ReadRow{"HexAndStyle", "  Left = $10\r\n  ResizeStyle = dprsLine\r\n", 16, 2, 3, 4, "",
                Line},
        ReadRow{"CaseOfNames", "  left = 5\r\n  RESIZESTYLE = DPRSLINE\r\n", 5, 2, 3, 4, "", Line},
        ReadRow{"CodesAndPlus", "  Caption = 'a'#39'b' +\r\n    'c'#$41\r\n", 1, 2, 3, 4, "a'bcA",
                Fixed},
        ReadRow{"UnicodeCode", "  Caption = #12354\r\n", 1, 2, 3, 4, "あ", Fixed},
        ReadRow{"UnknownValuesOfEveryKind",
                "  Color = clBtnFace\r\n  Font.Height = -11\r\n  Anchors = [akLeft, akTop]\r\n"
                "  Scale = 1.5E-3\r\n  Lines.Strings = (\r\n    'one'\r\n    'two')\r\n"
                "  Data = {\r\n    0A0B ff}\r\n  Left = 7\r\n  Empty = []\r\n",
                7, 2, 3, 4, "", Fixed},
        ReadRow{"ChildObjectsIgnored",
                "  Left = 9\r\n  object Edit1: TEdit\r\n    Left = 500\r\n  end\r\n", 9, 2, 3, 4,
                "", Fixed},
        ReadRow{"NoBlanksAtAll", "Left=3 Top=4\n", 3, 4, 3, 4, "", Fixed}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(TextToComponent, AppliesTheOtherKnownPropertiesToo) {
    TDragPanel source;
    source.SetBounds(40, 50, 96, 48);
    source.SetCaption("Vcc");
    source.SetImageIndex(7);
    source.SetImageVertCenter(true);
    source.SetIndex(2);
    source.SetMinWidth(20);
    source.SetMinHeight(24);
    source.SetMaxWidth(300);
    source.SetMaxHeight(200);
    source.SetCanIconize(true);
    source.SetIconized(true);
    TDragPanel target;
    TextToComponent(target, ComponentToText(source));
    EXPECT_EQ(ComponentToText(target), ComponentToText(source));
}

TEST(TextToComponent, AcceptsTheNamedFormOfTheFirstLine) {
    TDragPanel panel;
    TextToComponent(panel, "object DragPanel1: TDragPanel\r\n  Width = 80\r\nend\r\n");
    EXPECT_EQ(panel.Width(), 80);
    TComponentObject parsed = ParseComponentText("inherited Main: TForm [2]\nend");
    EXPECT_EQ(parsed.InstanceName, "Main");
    EXPECT_EQ(parsed.ClassName, "TForm");
}

struct MalformedRow {
    const char* Name;
    std::string Text;
    std::string Message;
};

class MalformedComponentText : public ::testing::TestWithParam<MalformedRow> {};

TEST_P(MalformedComponentText, IsAClearErrorAndLeavesThePanelAlone) {
    TDragPanel4P panel;
    panel.SetBounds(8, 16, 96, 48);
    auto before = Fingerprint(panel);
    try {
        TextToComponent(panel, GetParam().Text);
        ADD_FAILURE() << "no error";
    } catch (const EZaroStreamError& e) {
        EXPECT_EQ(e.Message(), "TextToComponent: " + GetParam().Message);
    }
    EXPECT_EQ(Fingerprint(panel), before);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedComponentText,
    ::testing::Values(
        MalformedRow{"Empty", "", "'object' expected in line 1."},
        MalformedRow{"NoClass", "object\r\n", "Class name expected in line 2."},
        MalformedRow{"NoEnd", "object T\r\n  Left = 1\r\n", "'end' expected in line 3."},
        // "end" is read as the value, so the object has no end.
        MalformedRow{"NoValue", "object T\r\n  Left = \r\nend\r\n", "'end' expected in line 4."},
        MalformedRow{"ChildWithoutEnd", "object T\r\n  object U\r\nend\r\n",
                     "'end' expected in line 4."},
        MalformedRow{"NoEquals", "object T\r\n  Left 5\r\nend\r\n", "'=' expected in line 2."},
        MalformedRow{"ValueMissingAtEnd", "object T\r\n  Left =", "Value expected in line 2."},
        MalformedRow{"BadNumber", "object T\r\n  Left = $\r\nend", "Invalid number in line 2."},
        MalformedRow{"StringForInteger", "object T\r\n  Width = 'abc'\r\nend\r\n",
                     "Width needs a 32-bit integer in line 2."},
        MalformedRow{"IntegerTooLarge", "object T\r\n  Top = 4294967296\r\nend\r\n",
                     "Top needs a 32-bit integer in line 2."},
        MalformedRow{"NumberOutOfRange", "object T\r\n  Top = 99999999999999999999\r\nend",
                     "Number out of range in line 2."},
        MalformedRow{"IntegerForBoolean", "object T\r\n  Iconized = 1\r\nend\r\n",
                     "Iconized needs True or False in line 2."},
        MalformedRow{"UnknownStyle", "object T\r\n  ResizeStyle = dprsFoo\r\nend\r\n",
                     "ResizeStyle needs dprsFixed or dprsLine in line 2."},
        MalformedRow{"IdentifierForCaption", "object T\r\n  Caption = Hello\r\nend\r\n",
                     "Caption needs a string in line 2."},
        MalformedRow{"UnterminatedString", "object T\r\n  Caption = 'abc\r\nend\r\n",
                     "Unterminated string in line 2."},
        MalformedRow{"PlusWithoutString", "object T\r\n  Caption = 'a' + 5\r\nend\r\n",
                     "String expected in line 2."},
        MalformedRow{"SurrogateCode", "object T\r\n  Caption = #55296\r\nend\r\n",
                     "Invalid character code in line 2."},
        MalformedRow{"HugeCode", "object T\r\n  Caption = #99999999\r\nend\r\n",
                     "Invalid character code in line 2."},
        MalformedRow{"OpenSet", "object T\r\n  A = [x, \r\nend", "',' expected in line 3."},
        MalformedRow{"OpenList", "object T\r\n  A = ('x'", "Value expected in line 2."},
        MalformedRow{"OpenBinary", "object T\r\n  A = {00FF\r\nend",
                     "Invalid binary value in line 3."},
        MalformedRow{"TextAfterEnd", "object T\r\nend\r\nobject U\r\nend\r\n",
                     "Text after the final 'end' in line 3."},
        MalformedRow{"NotUtf8", "object T\r\n  Caption = '\xFF'\r\nend",
                     "The text is not valid UTF-8."}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(MalformedComponentText, DeepNestingIsRefusedNotRecursedInto) {
    std::string objects;
    std::string lists = "object T\r\n  A = ";
    for (int i = 0; i < 10000; ++i) {
        objects += "object T\r\n";
        lists += "(";
    }
    EXPECT_THAT([&] { ParseComponentText(objects); },
                ::testing::ThrowsMessage<EZaroStreamError>(
                    StartsWith("TextToComponent: Objects nested too deeply")));
    EXPECT_THAT([&] { ParseComponentText(lists); },
                ::testing::ThrowsMessage<EZaroStreamError>(
                    StartsWith("TextToComponent: Values nested too deeply")));
}

} // namespace
} // namespace zaro::test
