// The RTF reader and writer: a document as a rich-text control saves it,
// single features of the reader row by row, round trips through the writer,
// hostile input, and the selection rule of the formatting commands.

#include "RichTextDocument.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "SelectionAttribute.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace zaro::test {
namespace {

// "b", "i", "u", "s" in `flags` set bold, italic, underline, strike-out.
TRichTextFormat Format(const std::string& face, int halfPoints, const std::string& flags = "",
                       std::optional<TColor> color = std::nullopt) {
    TRichTextFormat f;
    f.FaceName = face;
    f.SizeHalfPoints = halfPoints;
    f.Bold = flags.find('b') != std::string::npos;
    f.Italic = flags.find('i') != std::string::npos;
    f.Underline = flags.find('u') != std::string::npos;
    f.StrikeOut = flags.find('s') != std::string::npos;
    f.Color = color;
    return f;
}

TRichTextParagraph Paragraph(std::vector<TRichTextRun> runs, const TRichTextFormat& mark) {
    return TRichTextParagraph{std::move(runs), mark};
}

const std::string PGothic = "ＭＳ Ｐゴシック";
constexpr TColor Red{255, 0, 0};
constexpr TColor Blue{0, 0, 255};

// Written by hand the way a rich-text control on a Japanese system saves a
// note: Japanese face names and text as code page 932 bytes, a Western font
// with its own character set, a character outside code page 932 as \uN.
const char* const ControlDocument =
    "{\\rtf1\\ansi\\ansicpg932\\deff0\\nouicompat\\deflang1033\\deflangfe1041{\\fonttbl"
    "{\\f0\\fswiss\\fprq2\\fcharset128 \\'82\\'6c\\'82\\'72 "
    "\\'82\\'6f\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}"
    "{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}{\\f2\\fnil\\fcharset128 MS UI Gothic;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Handwritten 1.0;}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\b\\f0\\fs21\\lang1041 "
    "\\'93\\'64\\'8c\\'b9\\'89\\'f1\\'98\\'48\\'82\\'cc\\'83\\'81\\'83\\'82\\b0\\par\r\n"
    "\\'92\\'ef\\'8d\\'52 R1 \\'82\\'cd \\cf1 4.7k\\'83\\'b6\\cf0  "
    "\\'82\\'c5\\'82\\'b7\\'81\\'42\\par\r\n"
    "\\i\\ul\\f1\\lang1033 Cut-off \\'e9t\\'e9: 1 kHz\\i0\\ulnone\\f0\\lang1041\\par\r\n"
    "\\cf2\\f2\\fs18 \\'87\\'40\\'92\\'8d\\'88\\'d3\\'81\\'46\\u9731?"
    "\\'90\\'e1\\'82\\'be\\'82\\'e9\\'82\\'dc\\tab 5\\par\r\n"
    "\\pard\\sa200\\sl276\\slmult1\\cf0\\f0\\fs21\\par\r\n"
    "}\r\n";

TEST(RtfReader, ReadsADocumentAsARichTextControlSavesIt) {
    const TRichTextFormat body = Format(PGothic, 21);
    const TRichTextFormat note = Format("MS UI Gothic", 18, "", Blue);
    const TRichText expected{{
        Paragraph({{"電源回路のメモ", Format(PGothic, 21, "b")}}, body),
        Paragraph(
            {{"抵抗 R1 は ", body}, {"4.7kΩ", Format(PGothic, 21, "", Red)}, {" です。", body}},
            body),
        Paragraph({{"Cut-off été: 1 kHz", Format("Arial", 21, "iu")}}, body),
        Paragraph({{"①注意：☃雪だるま\t5", note}}, note),
        Paragraph({}, body),
    }};
    const TRichText read = ReadRtf(ControlDocument);
    EXPECT_EQ(read, expected);
    EXPECT_EQ(ReadRtf(WriteRtf(read)), expected);
}

struct TReaderRow {
    const char* Name;
    std::string Body; // after a header with a Japanese font 0 and a Western font 1
    std::string Text; // paragraphs joined with "\n"
};

const std::string Header =
    "{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 J;}{\\f1\\fcharset0 W;}}";

class RtfReaderRows : public ::testing::TestWithParam<TReaderRow> {};

TEST_P(RtfReaderRows, GivesTheText) {
    EXPECT_EQ(ReadRtf(Header + GetParam().Body).PlainText(), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Features, RtfReaderRows,
    ::testing::Values(TReaderRow{"UnicodeSkipsOneFallback", "a\\u12354?b}", "aあb"},
                      TReaderRow{"UnicodeSkipsTwoHexBytes", "\\uc2\\u12354\\'82\\'a0b}", "あb"},
                      TReaderRow{"UnicodeWithoutFallback", "\\uc0\\u12354 b}", "あb"},
                      TReaderRow{"FallbackEndsAtAGroup", "\\uc3\\u12354{x}y}", "あxy"},
                      TReaderRow{"SurrogatePair", "\\u-10179?\\u-8704?}", "\U0001F600"},
                      TReaderRow{"LoneSurrogate", "\\u-10179?x}", "\uFFFDx"},
                      TReaderRow{"NulDropped", "a\\u0?b}", "ab"},
                      TReaderRow{"WesternFontIsCodePage1252", "\\f1 caf\\'e9 \\'80}", "café €"},
                      TReaderRow{"TrailByteWrittenAsText", "\\'83\\\\\\'95\\\\}", "ソ表"},
                      TReaderRow{"BytesThatAreNoCharacter", "a\\'82\\'ffb}", "a\uFFFD\uFFFDb"},
                      TReaderRow{"SkippedDestinations",
                                 "{\\*\\generator G;}{\\info{\\title T}}{\\stylesheet{\\s0 N;}}a"
                                 "{\\pict\\wmetafile8 0a0b}{\\*\\unknown c}b}",
                                 "ab"},
                      TReaderRow{"BinaryDataSkipped", "a{\\pict\\bin4 }}{{}b}", "ab"},
                      TReaderRow{"UnknownWordsIgnored", "a\\foo123 b\\zz c}", "abc"},
                      TReaderRow{"Symbols", "a\\~b\\-c\\_d\\emdash\\lquote x\\rquote}",
                                 "a\u00A0bc\u2011d—‘x’"},
                      TReaderRow{"EscapedCharacters", "\\\\\\{\\}}", "\\{}"},
                      TReaderRow{"LineAndTab", "a\\line b\\tab c}", "a\u2028b\tc"},
                      TReaderRow{"Paragraphs", "a\\par b\\par\\par}", "a\nb\n"},
                      TReaderRow{"BackslashLineEndIsAParagraph", "a\\\r\nb}", "a\nb"},
                      TReaderRow{"LineEndsAreNotText", "a\r\nb\rc\nd}", "abcd"},
                      TReaderRow{"NothingAfterTheDocument", "a}b{c", "a"},
                      TReaderRow{"UnclosedGroups", "{\\b a{\\i b", "ab"},
                      TReaderRow{"BrokenHexEscapes", "a\\'zz\\'4}", "azz4"},
                      TReaderRow{"FieldShowsItsResult",
                                 "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}", "link"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RtfReader, ReadsCharacterFormats) {
    const std::string rtf =
        Header + "{\\colortbl;\\red1\\green2\\blue3;}\\fs20\\b\\i\\uldb\\strike "
                 "a\\plain b\\f7\\fs0\\cf9 c\\fs99999\\cf1\\ul0 d\\b\\b0\\ulw\\ulnone e}";
    const TRichText text = ReadRtf(rtf);
    ASSERT_EQ(text.Paragraphs.size(), 1u);
    const std::vector<TRichTextRun> expected{
        {"a", Format("J", 20, "bius")},
        {"bc", Format("J", 24)}, // \plain; unknown font and colour give the defaults
        {"de", Format("J", 3276, "", TColor{1, 2, 3})}};
    EXPECT_EQ(text.Paragraphs[0].Runs, expected);
}

TEST(RtfReader, ReadsFontTablesOfEveryShape) {
    // Entries without groups, a face with an escaped semicolon and a \u
    // character, a face over a sub-group, a default font other than 0.
    const std::string rtf = "{\\rtf1\\deff1{\\fonttbl\\f0\\fnil A\\'3bB;\\f1\\fnil \\u9731?x;"
                            "{\\f2{\\*\\panose 0203}C;}}a\\f0 b\\f2 c}";
    const auto runs = ReadRtf(rtf).Paragraphs.at(0).Runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].Format.FaceName, "☃x");
    EXPECT_EQ(runs[1].Format.FaceName, "A;B");
    EXPECT_EQ(runs[2].Format.FaceName, "C");
}

TEST(RtfReader, OtherBytesArePlainText) {
    EXPECT_EQ(ReadRtf("\x93\xfa\x96\x7b\r\nline 2\n"),
              TRichText::FromPlainText("日本\nline 2\n", {}));
    EXPECT_TRUE(ReadRtf("").Paragraphs.empty());
    EXPECT_TRUE(ReadRtf("{\\rtf1\\ansi}").Paragraphs.empty());
}

TEST(RtfReader, HostileInputEndsWithTheTextItCarries) {
    const std::string deep = std::string(100000, '{') + "a" + std::string(100000, '}');
    EXPECT_EQ(ReadRtf("{\\rtf1 " + deep + "b}").PlainText(), "ab");
    const std::string longWord = "\\" + std::string(100000, 'x') + "99999999999999999999 ";
    EXPECT_EQ(ReadRtf("{\\rtf1 a" + longWord + "b}").PlainText(), "ab");
    EXPECT_EQ(ReadRtf("{\\rtf1 a\\bin2147483647 bcd}").PlainText(), "a");
    EXPECT_EQ(ReadRtf("{\\rtf1 a{\\uc2147483647\\u66 bcd}e}").PlainText(), "aBe");
    std::string brokenEscapes;
    for (int i = 0; i < 50000; ++i) {
        brokenEscapes += "\\'";
    }
    EXPECT_EQ(ReadRtf("{\\rtf1 " + brokenEscapes + "}").PlainText(), "");
}

TEST(RtfWriter, RoundTripsEveryFormatAndCharacter) {
    const TRichTextFormat plain = Format("MS UI Gothic", 18);
    const TRichText text{{
        Paragraph({{"Description: ", plain},
                   {"太字", Format("MS UI Gothic", 18, "b")},
                   {"斜体下線", Format(PGothic, 21, "iu", Red)},
                   {"取消", Format("Arial", 24, "s", TColor{0, 0, 0})}},
                  Format("Arial", 24, "s", TColor{0, 0, 0})),
        Paragraph({}, Format("A;B{\\}", 40, "b", Blue)),
        Paragraph({{"\\ {braces} \ttab\u2028line ¥ é ☃ \U0001F600 ①", plain},
                   {"9 digits after a word", Format("", 22)}},
                  plain),
    }};
    const std::string rtf = WriteRtf(text);
    EXPECT_EQ(ReadRtf(rtf), text);
    EXPECT_EQ(WriteRtf(ReadRtf(rtf)), rtf);
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg932\\deff0", 0), 0u);
    // Japanese text goes out as code page 932 bytes, as the control writes it.
    EXPECT_NE(rtf.find("\\'91\\'be\\'8e\\'9a"), std::string::npos);
    EXPECT_TRUE(ReadRtf(WriteRtf(TRichText{})).Paragraphs.empty());
}

// The inputs the fuzz target starts from, and what it found, read and round trip.
TEST(RtfReader, EveryDocumentOfTheFuzzCorpusRoundTrips) {
    const auto corpus = std::filesystem::path(ZARO_SOURCE_DIR) / "fuzz" / "corpus" / "rich_text";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        const TRichText text = ReadRtf(bytes);
        EXPECT_EQ(ReadRtf(WriteRtf(text)), text);
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(RichTextDocument, MapsItsBytesToTheFormattedText) {
    TRichTextDocument doc;
    const TRichText text = TRichText::FromPlainText("一行目\n二行目", Format("Arial", 20, "b"));
    doc.SetContent(text);
    EXPECT_EQ(doc.Content(), text);
    const std::string plain = "not RTF";
    doc.SetRtf(std::vector<std::uint8_t>(plain.begin(), plain.end()));
    EXPECT_EQ(doc.Content(Format("X", 18)), TRichText::FromPlainText(plain, Format("X", 18)));
}

TEST(SelectionAttribute, MixedSelectionBecomesPlainThenAllSet) {
    TSelectionAttribute partlyBold;
    partlyBold.Add(true);
    partlyBold.Add(false);
    EXPECT_FALSE(partlyBold.Checked());
    EXPECT_FALSE(partlyBold.ValueAfterToggle());
    TSelectionAttribute plain;
    plain.Add(false);
    EXPECT_TRUE(plain.ValueAfterToggle());
    TSelectionAttribute bold;
    bold.Add(true);
    EXPECT_TRUE(bold.Checked());
    EXPECT_FALSE(bold.ValueAfterToggle());
}

} // namespace
} // namespace zaro::test
