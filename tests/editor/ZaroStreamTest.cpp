#include "ZaroStream.h"
#include "CaseNames.h"
#include "RichTextDocument.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

namespace zaro::test {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::HasSubstr;
using ::testing::StartsWith;

Bytes ToBytes(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

Bytes Concat(const Bytes& a, const Bytes& b) {
    Bytes r = a;
    r.insert(r.end(), b.begin(), b.end());
    return r;
}

Bytes LengthWord(std::int32_t n) {
    TMemoryStream s;
    WriteIntegerToStr(s, n);
    return s.Bytes();
}

template <typename F> std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const EZaroError& e) {
        return e.Message();
    }
    return "(no error)";
}

// --- Integer and Boolean ----------------------------------------------------

struct IntegerRow {
    std::int32_t Value;
    Bytes Encoded;
};

class IntegerEncoding : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(IntegerEncoding, IsFourBytesLittleEndianAndReadsBack) {
    TMemoryStream s;
    WriteIntegerToStr(s, GetParam().Value);
    EXPECT_EQ(s.Bytes(), GetParam().Encoded);
    s.SetPosition(0);
    EXPECT_EQ(ReadIntegerFromStr(s), GetParam().Value);
    EXPECT_EQ(s.Position(), 4);
}

INSTANTIATE_TEST_SUITE_P(Values, IntegerEncoding,
                         ::testing::Values(IntegerRow{0, {0, 0, 0, 0}}, IntegerRow{1, {1, 0, 0, 0}},
                                           IntegerRow{-1, {0xFF, 0xFF, 0xFF, 0xFF}},
                                           IntegerRow{0x12345678, {0x78, 0x56, 0x34, 0x12}},
                                           IntegerRow{65536, {0, 0, 1, 0}},
                                           IntegerRow{std::numeric_limits<std::int32_t>::min(),
                                                      {0, 0, 0, 0x80}},
                                           IntegerRow{std::numeric_limits<std::int32_t>::max(),
                                                      {0xFF, 0xFF, 0xFF, 0x7F}}),
                         test::NamedAfter(&IntegerRow::Value));

TEST(IntegerFromStr, ShortStreamRaisesTheReadErrorWithoutMoving) {
    TMemoryStream s(Bytes{1, 2, 3});
    EXPECT_THROW(ReadIntegerFromStr(s), EReadError);
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(MessageOf([&] { ReadIntegerFromStr(s); }), "Stream read error");
}

TEST(BooleanToStr, WritesOneOrZeroAndReadsAnyNonZeroAsTrue) {
    TMemoryStream s;
    WriteBooleanToStr(s, true);
    WriteBooleanToStr(s, false);
    EXPECT_EQ(s.Bytes(), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));
    for (std::int32_t stored : {2, -1, 1, 0}) {
        TMemoryStream r(LengthWord(stored));
        EXPECT_EQ(ReadBooleanFromStr(r), stored != 0) << stored;
    }
}

// --- String -----------------------------------------------------------------

struct StringRow {
    const char* Name;
    std::string Utf8;
    Bytes Cp932;
};

class StringEncoding : public ::testing::TestWithParam<StringRow> {};

TEST_P(StringEncoding, IsLengthThenCodePage932BytesAndReadsBack) {
    const StringRow& row = GetParam();
    TMemoryStream s;
    WriteStringToStr(s, row.Utf8);
    EXPECT_EQ(s.Bytes(),
              Concat(LengthWord(static_cast<std::int32_t>(row.Cp932.size())), row.Cp932));
    s.SetPosition(0);
    EXPECT_EQ(ReadStringFromStr(s), row.Utf8);
    EXPECT_EQ(s.Position(), s.Size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StringEncoding,
    ::testing::Values(StringRow{"Empty", "", {}},
                      StringRow{"Ascii", "TResistor", ToBytes("TResistor")},
                      StringRow{"Backslash", "a\\b~", {'a', 0x5C, 'b', 0x7E}},
                      StringRow{"Katakana", "テスト", {0x83, 0x65, 0x83, 0x58, 0x83, 0x67}},
                      StringRow{"HalfWidthKatakana", "ｱ", {0xB1}},
                      StringRow{"FullWidthTilde", "～", {0x81, 0x60}},
                      StringRow{"Kanji", "抵抗", {0x92, 0xEF, 0x8D, 0x52}},
                      StringRow{"Crlf", "A=1\r\nB=2", ToBytes("A=1\r\nB=2")}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(StringToStr, AcceptsExactly65535BytesAndRefusesMoreWritingNothing) {
    TMemoryStream s;
    WriteStringToStr(s, std::string(65535, 'x'));
    EXPECT_EQ(s.Size(), 4 + 65535);
    s.SetPosition(0);
    EXPECT_EQ(ReadStringFromStr(s).size(), 65535u);

    TMemoryStream t;
    // 32768 double-byte characters are 65536 bytes after conversion.
    std::string kana;
    for (int i = 0; i < 32768; ++i) {
        kana += "ア";
    }
    EXPECT_THAT(MessageOf([&] { WriteStringToStr(t, kana); }),
                StartsWith("WriteStringToStr: The text is 65536 bytes long"));
    EXPECT_THROW(WriteStringToStr(t, std::string(65536, 'x')), EZaroStreamError);
    EXPECT_EQ(t.Size(), 0);
}

TEST(StringToStr, RefusesTextCodePage932CannotHoldWritingNothing) {
    struct Row {
        std::string Text;
        const char* Named;
    };
    // No code at all, or a code that would read back as another character.
    for (const Row& row : {Row{"price 5€", "U+20AC"}, Row{"😀", "U+1F600"}, Row{"¥100", "U+00A5"},
                           Row{"a〜b", "U+301C"}, Row{"x−y", "U+2212"}, Row{"‾", "U+203E"}}) {
        TMemoryStream s;
        EXPECT_EQ(MessageOf([&] { WriteStringToStr(s, row.Text); }),
                  std::string("WriteStringToStr: Code page 932 cannot represent the character ") +
                      row.Named + ".");
        EXPECT_EQ(s.Size(), 0) << row.Text;
    }
    TMemoryStream s;
    EXPECT_EQ(MessageOf([&] { WriteStringToStr(s, "\xFF\xFE"); }),
              "WriteStringToStr: The text is not valid UTF-8.");
    EXPECT_EQ(s.Size(), 0);
}

TEST(StringFromStr, LengthOutsideTheLimitIsOutOfMemoryBehindTheLengthWord) {
    for (std::int32_t n : {65536, -1, std::numeric_limits<std::int32_t>::min()}) {
        TMemoryStream s(Concat(LengthWord(n), Bytes(16, 'x')));
        try {
            ReadStringFromStr(s);
            ADD_FAILURE() << n;
        } catch (const EZaroStreamError& e) {
            EXPECT_EQ(e.Message(), "ReadStringFromStr: Out Of Memory.");
        }
        EXPECT_EQ(s.Position(), 4) << n;
    }
}

TEST(StringFromStr, LengthBeyondTheStreamIsAReadErrorWithoutMoving) {
    TMemoryStream s(Concat(LengthWord(65535), ToBytes("abc")));
    EXPECT_THROW(ReadStringFromStr(s), EReadError);
    EXPECT_EQ(s.Position(), 0);
}

TEST(StringFromStr, BytesThatAreNotCodePage932AreRefusedWithoutMoving) {
    for (const Bytes& bad :
         {Bytes{0x80}, Bytes{0xA0}, Bytes{'a', 0xFF}, Bytes{0x81, 0x20}, Bytes{'o', 'k', 0x82}}) {
        TMemoryStream s(Concat(LengthWord(static_cast<std::int32_t>(bad.size())), bad));
        EXPECT_THAT(MessageOf([&] { ReadStringFromStr(s); }),
                    StartsWith("ReadStringFromStr: The bytes are not valid code page 932 text"));
        EXPECT_EQ(s.Position(), 0);
    }
}

// --- Rich text ----------------------------------------------------------------

TEST(RichTextBlock, IsSizeThenTheDocumentBytes) {
    TRichTextDocument doc;
    doc.SetRtf(ToBytes("{\\rtf1 Description:}"));
    TMemoryStream s;
    WriteRichTextToStr(s, doc);
    EXPECT_EQ(s.Bytes(), Concat(LengthWord(20), ToBytes("{\\rtf1 Description:}")));

    WriteIntegerToStr(s, 7); // whatever follows stays unread
    s.SetPosition(0);
    TRichTextDocument back;
    ReadRichTextFromStr(s, back);
    EXPECT_EQ(back.Rtf(), doc.Rtf());
    EXPECT_EQ(s.Position(), 24);
}

TEST(RichTextBlock, SizeZeroLeavesAnEmptyDocument) {
    TMemoryStream s(Concat(LengthWord(0), LengthWord(99)));
    TRichTextDocument doc;
    doc.SetRtf(ToBytes("{\\rtf1 old}"));
    ReadRichTextFromStr(s, doc);
    EXPECT_TRUE(doc.IsEmpty());
    EXPECT_EQ(s.Position(), 4);
}

TEST(RichTextBlock, BadSizeLeavesStreamAndDocumentAsTheyWere) {
    TRichTextDocument doc;
    doc.SetRtf(ToBytes("{\\rtf1 old}"));
    TMemoryStream negative(Concat(LengthWord(-5), Bytes(8, 'x')));
    EXPECT_THROW(ReadRichTextFromStr(negative, doc), EZaroStreamError);
    EXPECT_EQ(negative.Position(), 0);
    TMemoryStream huge(Concat(LengthWord(std::numeric_limits<std::int32_t>::max()), Bytes(8, 'x')));
    EXPECT_THROW(ReadRichTextFromStr(huge, doc), EReadError);
    EXPECT_EQ(huge.Position(), 0);
    EXPECT_EQ(doc.Rtf(), ToBytes("{\\rtf1 old}"));
}

// --- Port directions and record tags --------------------------------------------

TEST(PortDirectionNames, WriteAndReadBackEveryDirection) {
    const std::pair<TPortDirection, const char*> names[] = {{TPortDirection::pdUp, "pdUp"},
                                                            {TPortDirection::pdDown, "pdDown"},
                                                            {TPortDirection::pdLeft, "pdLeft"},
                                                            {TPortDirection::pdRight, "pdRight"}};
    for (const auto& [direction, name] : names) {
        EXPECT_EQ(PortDirectionToStr(direction), name);
        EXPECT_EQ(StrToPortDirection(name), direction);
    }
}

TEST(PortDirectionNames, EveryOtherTextIsRight) {
    for (const char* text : {"pdright", "", "pdUP", "PdUp", "pdLeft ", "up", "pdDownX"}) {
        EXPECT_EQ(StrToPortDirection(text), TPortDirection::pdRight) << text;
    }
}

TEST(RecordTag, AcceptedTagIsReturnedAndConsumed) {
    TMemoryStream s;
    WriteStringToStr(s, "TDragPanel_2");
    s.SetPosition(0);
    EXPECT_EQ(ReadRecordTag(s, {"TDragPanel", "TDragPanel_2"}, "TDragPanel"), "TDragPanel_2");
    EXPECT_EQ(s.Position(), s.Size());
}

TEST(RecordTag, WrongOrUnreadableTagRestoresThePosition) {
    TMemoryStream s;
    WriteIntegerToStr(s, 42);
    WriteStringToStr(s, "TCapacitor");
    s.SetPosition(4);
    EXPECT_EQ(MessageOf([&] { CheckRecordTag(s, "TResistor"); }),
              "TResistor.LoadFromStream: This is not TResistor object.");
    EXPECT_EQ(s.Position(), 4);

    TMemoryStream damaged(Concat(LengthWord(70000), ToBytes("TResistor")));
    EXPECT_THROW(CheckRecordTag(damaged, "TResistor"), EZaroStreamError);
    EXPECT_EQ(damaged.Position(), 0);
}

// --- Streams ----------------------------------------------------------------------

TEST(MemoryStream, WritingBehindTheEndFillsTheGapWithZeros) {
    TMemoryStream s;
    s.SetPosition(3);
    s.Write("A", 1);
    EXPECT_EQ(s.Bytes(), (Bytes{0, 0, 0, 'A'}));
    EXPECT_EQ(s.Remaining(), 0);
    s.SetPosition(10);
    EXPECT_EQ(s.Remaining(), 0);
    EXPECT_THROW(s.SetPosition(-1), EStreamError);
}

TEST(MemoryStream, CopyFromTakesExactlyTheCountOrNothing) {
    TMemoryStream source(ToBytes("abcdef"));
    source.SetPosition(1);
    TMemoryStream target;
    target.CopyFrom(source, 3);
    EXPECT_EQ(target.Bytes(), ToBytes("bcd"));
    EXPECT_EQ(source.Position(), 4);
    EXPECT_THROW(target.CopyFrom(source, 3), EReadError);
    EXPECT_THROW(target.CopyFrom(source, -1), EReadError);
    EXPECT_EQ(source.Position(), 4);
    EXPECT_EQ(target.Bytes(), ToBytes("bcd"));
    target.CopyFrom(source, 0);
    EXPECT_EQ(target.Size(), 3);
}

class FileStreamTest : public ::testing::Test {
protected:
    std::filesystem::path Path = std::filesystem::temp_directory_path() /
                                 ("zaro-stream-" + std::to_string(::getpid()) + ".bin");
    void TearDown() override { std::filesystem::remove(Path); }
};

TEST_F(FileStreamTest, WritesAndReadsBackTheSameRecord) {
    {
        TFileStream out(Path.string(), TFileMode::fmCreate);
        WriteStringToStr(out, "ZaroSim Model Definition");
        WriteIntegerToStr(out, -7);
        EXPECT_EQ(out.Size(), 32);
    }
    TFileStream in(Path.string(), TFileMode::fmOpenRead);
    EXPECT_EQ(ReadStringFromStr(in), "ZaroSim Model Definition");
    EXPECT_EQ(ReadIntegerFromStr(in), -7);
    EXPECT_THROW(ReadIntegerFromStr(in), EReadError);
    EXPECT_EQ(in.Position(), 32);
    EXPECT_THROW(in.Write("x", 1), EWriteError);
}

TEST_F(FileStreamTest, MissingFileNamesTheFile) {
    EXPECT_THAT(MessageOf([&] { TFileStream in(Path.string(), TFileMode::fmOpenRead); }),
                HasSubstr("Cannot open file \"" + Path.string() + "\""));
    EXPECT_THROW(TFileStream((Path / "sub" / "x.zsm").string(), TFileMode::fmCreate),
                 EFCreateError);
}

} // namespace
} // namespace zaro::test
