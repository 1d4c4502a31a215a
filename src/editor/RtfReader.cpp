#include "RtfReader.h"

#include "CodePageConverter.h"
#include "Cp932.h"
#include "RtfTokenizer.h"

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace zaro {

namespace {

constexpr std::size_t MaxGroupDepth = 256;
constexpr std::size_t MaxFaceBytes = 255;
constexpr int MinSizeHalfPoints = 2;
constexpr int MaxSizeHalfPoints = 3276;
constexpr int MaxUnicodeSkip = 255;
constexpr std::uint32_t ReplacementCharacter = 0xFFFD;

// Text as it arrives: bytes in a code page mixed with \uN code units.
class TTextCollector {
public:
    void AddBytes(std::string_view bytes, int codePage) {
        DropHighSurrogate(codePage);
        for (char c : bytes) {
            if (c != '\0' && Bytes.size() < Limit) {
                Bytes.push_back(c);
            }
        }
    }
    // A UTF-16 code unit; surrogate pairs combine.
    void AddCodeUnit(std::uint32_t unit, int codePage) {
        FlushBytes(codePage);
        if (unit >= 0xDC00 && unit <= 0xDFFF && HighSurrogate != 0) {
            AddCodePoint(0x10000 + ((HighSurrogate - 0xD800) << 10) + (unit - 0xDC00));
            HighSurrogate = 0;
            return;
        }
        DropHighSurrogate(codePage);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            HighSurrogate = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            AddCodePoint(ReplacementCharacter);
        } else if (unit != 0) {
            AddCodePoint(unit);
        }
    }
    // Everything collected, as UTF-8; the collector is empty afterwards.
    std::string Take(int codePage) {
        DropHighSurrogate(codePage);
        FlushBytes(codePage);
        std::string text;
        text.swap(Utf8);
        return text;
    }
    bool Empty() const { return Utf8.empty() && Bytes.empty() && HighSurrogate == 0; }

    // Collectors of font names stop growing here.
    std::size_t Limit = MaxRtfBytes;

private:
    void AddCodePoint(std::uint32_t codePoint) {
        if (Utf8.size() < Limit) {
            AppendUtf8(Utf8, codePoint);
        }
    }
    void DropHighSurrogate(int codePage) {
        if (HighSurrogate != 0) {
            HighSurrogate = 0;
            FlushBytes(codePage);
            AddCodePoint(ReplacementCharacter);
        }
    }
    void FlushBytes(int codePage) {
        if (!Bytes.empty()) {
            Utf8 += CodePageToUtf8Lenient(Bytes, codePage);
            Bytes.clear();
        }
    }

    std::string Utf8;
    std::string Bytes;
    std::uint32_t HighSurrogate = 0;
};

enum class TDestination { Text, FontTable, ColorTable, Skip };

struct TCharacterState {
    int Font = 0;
    int SizeHalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int ColorIndex = 0;
};

struct TGroupState {
    TDestination Destination = TDestination::Text;
    TCharacterState Character;
    int UnicodeSkip = 1;
};

struct TFontEntry {
    std::string Face;
    int CodePage = 0; // 0: the document's
};

// Groups whose content is not text of the document.
constexpr std::array<std::string_view, 28> SkippedDestinations{"stylesheet",
                                                               "info",
                                                               "pict",
                                                               "object",
                                                               "header",
                                                               "headerl",
                                                               "headerr",
                                                               "headerf",
                                                               "footer",
                                                               "footerl",
                                                               "footerr",
                                                               "footerf",
                                                               "footnote",
                                                               "annotation",
                                                               "fldinst",
                                                               "listtable",
                                                               "listoverridetable",
                                                               "revtbl",
                                                               "rsidtbl",
                                                               "generator",
                                                               "xmlnstbl",
                                                               "themedata",
                                                               "colorschememapping",
                                                               "latentstyles",
                                                               "datastore",
                                                               "nonshppict",
                                                               "filetbl",
                                                               "pgdsctbl"};

// Underline styles: each turns underlining on (off with parameter 0).
constexpr std::array<std::string_view, 17> UnderlineWords{
    "ul",         "uld",       "uldash",     "uldashd", "uldashdd", "uldb",
    "ulhwave",    "ulldash",   "ulth",       "ulthd",   "ulthdash", "ulthdashd",
    "ulthdashdd", "ulthldash", "ululdbwave", "ulw",     "ulwave"};

struct TSpecialCharacter {
    std::string_view Word;
    std::uint32_t CodePoint;
};

constexpr std::array<TSpecialCharacter, 12> SpecialCharacters{{{"line", 0x2028},
                                                               {"tab", '\t'},
                                                               {"emdash", 0x2014},
                                                               {"endash", 0x2013},
                                                               {"emspace", 0x2003},
                                                               {"enspace", 0x2002},
                                                               {"qmspace", 0x2005},
                                                               {"bullet", 0x2022},
                                                               {"lquote", 0x2018},
                                                               {"rquote", 0x2019},
                                                               {"ldblquote", 0x201C},
                                                               {"rdblquote", 0x201D}}};

template <std::size_t N>
bool Contains(const std::array<std::string_view, N>& words, std::string_view word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

// The Windows code page of a font character set; 0 when the document's applies.
int CharsetCodePage(int charset) {
    switch (charset) {
    case 0:
    case 2: // symbol fonts: the bytes stand for themselves
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    default:
        return 0;
    }
}

// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
void CutUtf8(std::string& text, std::size_t limit) {
    if (text.size() <= limit) {
        return;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
}

class TRtfReader {
public:
    explicit TRtfReader(std::string_view rtf) : Tokens(rtf) { FaceText.Limit = 4 * MaxFaceBytes; }

    TRichText Read() {
        for (TRtfToken token = Tokens.Next(); token.Kind != TRtfTokenKind::End;
             token = Tokens.Next()) {
            if (FallbackLeft > 0 && SkipFallback(token)) {
                continue;
            }
            if (!Handle(token)) {
                break; // the document's group closed
            }
        }
        EmitRun();
        if (!Current.Runs.empty()) {
            EndParagraph();
        }
        return std::move(Result);
    }

private:
    // False when the token closes the outermost group.
    bool Handle(const TRtfToken& token) {
        switch (token.Kind) {
        case TRtfTokenKind::GroupStart:
            PushGroup();
            return true;
        case TRtfTokenKind::GroupEnd:
            return PopGroup();
        case TRtfTokenKind::ControlWord:
            ControlWord(token);
            return true;
        case TRtfTokenKind::ControlSymbol:
            ControlSymbol(token.Text[0]);
            return true;
        case TRtfTokenKind::HexByte:
            HexByte(static_cast<char>(token.Byte));
            return true;
        default:
            Text(token.Text);
            return true;
        }
    }

    // The characters after \uN that stand in for it in older readers. True
    // when the token is used up.
    bool SkipFallback(TRtfToken& token) {
        switch (token.Kind) {
        case TRtfTokenKind::GroupStart:
        case TRtfTokenKind::GroupEnd:
            FallbackLeft = 0;
            return false;
        case TRtfTokenKind::Text: {
            const std::size_t n = std::min<std::size_t>(FallbackLeft, token.Text.size());
            FallbackLeft -= static_cast<int>(n);
            token.Text.remove_prefix(n);
            return token.Text.empty();
        }
        default:
            --FallbackLeft;
            if (token.Is("bin")) {
                Tokens.SkipBytes(token.Parameter);
            }
            return true;
        }
    }

    TGroupState& State() { return Groups.back(); }

    void PushGroup() {
        if (Groups.size() >= MaxGroupDepth) {
            ++GroupsBeyondLimit;
        } else {
            Groups.push_back(Groups.empty() ? TGroupState{} : Groups.back());
        }
    }

    bool PopGroup() {
        if (GroupsBeyondLimit > 0) {
            --GroupsBeyondLimit;
            return true;
        }
        if (Groups.size() <= 1) {
            return false;
        }
        EmitRun();
        if (State().Destination == TDestination::FontTable) {
            EndFontEntry();
        }
        Groups.pop_back();
        return true;
    }

    void ControlWord(const TRtfToken& token) {
        if (token.Is("bin")) {
            Tokens.SkipBytes(token.Parameter);
            return;
        }
        if (Groups.empty() || State().Destination == TDestination::Skip) {
            return;
        }
        if (Destination(token.Text)) {
            return;
        }
        switch (State().Destination) {
        case TDestination::FontTable:
            FontTableWord(token);
            return;
        case TDestination::ColorTable:
            ColorTableWord(token);
            return;
        default:
            TextWord(token);
            return;
        }
    }

    // Starts a destination group; true when the word named one.
    bool Destination(std::string_view word) {
        TDestination destination = TDestination::Skip;
        if (word == "fonttbl") {
            destination = TDestination::FontTable;
        } else if (word == "colortbl") {
            destination = TDestination::ColorTable;
            ColorSet = false;
        } else if (!Contains(SkippedDestinations, word)) {
            return false;
        }
        EmitRun();
        State().Destination = destination;
        return true;
    }

    void FontTableWord(const TRtfToken& token) {
        if (token.Is("f")) {
            EndFontEntry();
            FontNumber = token.Parameter;
            FontCodePage = 0;
        } else if (token.Is("fcharset")) {
            FontCodePage = CharsetCodePage(token.Parameter);
        } else if (token.Is("cpg")) {
            FontCodePage = token.Parameter;
        } else if (token.Is("u")) {
            FaceText.AddCodeUnit(CodeUnit(token.Parameter), FaceCodePage());
            FallbackLeft = State().UnicodeSkip;
        } else if (token.Is("uc")) {
            State().UnicodeSkip = std::clamp(token.Parameter, 0, MaxUnicodeSkip);
        }
    }

    void ColorTableWord(const TRtfToken& token) {
        const auto value = static_cast<std::uint8_t>(std::clamp(token.Parameter, 0, 255));
        if (token.Is("red")) {
            NextColor.R = value;
        } else if (token.Is("green")) {
            NextColor.G = value;
        } else if (token.Is("blue")) {
            NextColor.B = value;
        } else {
            return;
        }
        ColorSet = true;
    }

    void TextWord(const TRtfToken& token) {
        const std::string_view word = token.Text;
        const int n = token.Parameter;
        if (word == "par") {
            EndParagraph();
        } else if (word == "u") {
            Collector.AddCodeUnit(CodeUnit(n), CodePage());
            FallbackLeft = State().UnicodeSkip;
        } else if (word == "uc") {
            State().UnicodeSkip = std::clamp(n, 0, MaxUnicodeSkip);
        } else if (word == "ansicpg") {
            DocumentCodePage = n;
        } else if (word == "ansi") {
            DocumentCodePage = 1252;
        } else if (word == "mac") {
            DocumentCodePage = 10000;
        } else if (word == "pc") {
            DocumentCodePage = 437;
        } else if (word == "pca") {
            DocumentCodePage = 850;
        } else if (word == "deff") {
            DefaultFont = n;
            State().Character.Font = n;
        } else if (const auto special =
                       std::find_if(SpecialCharacters.begin(), SpecialCharacters.end(),
                                    [&](const TSpecialCharacter& c) { return c.Word == word; });
                   special != SpecialCharacters.end()) {
            Collector.AddCodeUnit(special->CodePoint, CodePage());
        } else {
            CharacterWord(token);
        }
    }

    void CharacterWord(const TRtfToken& token) {
        TCharacterState next = State().Character;
        const std::string_view word = token.Text;
        const bool on = !token.HasParameter || token.Parameter != 0;
        if (word == "plain") {
            next = TCharacterState{};
            next.Font = DefaultFont;
        } else if (word == "f") {
            next.Font = token.Parameter;
        } else if (word == "fs") {
            next.SizeHalfPoints =
                token.Parameter <= 0
                    ? TCharacterState{}.SizeHalfPoints
                    : std::clamp(token.Parameter, MinSizeHalfPoints, MaxSizeHalfPoints);
        } else if (word == "b") {
            next.Bold = on;
        } else if (word == "i") {
            next.Italic = on;
        } else if (Contains(UnderlineWords, word)) {
            next.Underline = on;
        } else if (word == "ulnone") {
            next.Underline = false;
        } else if (word == "strike" || word == "striked") {
            next.StrikeOut = on;
        } else if (word == "cf") {
            next.ColorIndex = token.Parameter;
        } else {
            return;
        }
        EmitRun();
        State().Character = next;
    }

    void ControlSymbol(char symbol) {
        if (Groups.empty() || State().Destination == TDestination::Skip) {
            return;
        }
        if (symbol == '*') {
            // An optional destination: none of them holds text we show.
            EmitRun();
            State().Destination = TDestination::Skip;
        } else if (State().Destination == TDestination::Text) {
            if (symbol == '~') {
                Collector.AddCodeUnit(0x00A0, CodePage());
            } else if (symbol == '_') {
                Collector.AddCodeUnit(0x2011, CodePage());
            }
        }
    }

    void Text(std::string_view bytes) {
        if (Groups.empty()) {
            return;
        }
        switch (State().Destination) {
        case TDestination::Text:
            Collector.AddBytes(bytes, CodePage());
            return;
        case TDestination::FontTable:
            FontTableText(bytes);
            return;
        case TDestination::ColorTable:
            for (char c : bytes) {
                if (c == ';') {
                    Colors.push_back(ColorSet ? std::optional<TColor>(NextColor) : std::nullopt);
                    NextColor = {};
                    ColorSet = false;
                }
            }
            return;
        default:
            return;
        }
    }

    // A byte written as \'hh is always text, also a semicolon in a face name.
    void HexByte(char byte) {
        const std::string_view bytes(&byte, 1);
        if (Groups.empty()) {
            return;
        }
        if (State().Destination == TDestination::FontTable) {
            FaceText.AddBytes(bytes, FaceCodePage());
        } else if (State().Destination == TDestination::Text) {
            Collector.AddBytes(bytes, CodePage());
        }
    }

    // A face name ends with a semicolon.
    void FontTableText(std::string_view bytes) {
        for (std::size_t end = bytes.find(';'); !bytes.empty(); end = bytes.find(';')) {
            FaceText.AddBytes(bytes.substr(0, end), FaceCodePage());
            if (end == std::string_view::npos) {
                return;
            }
            EndFontEntry();
            bytes.remove_prefix(end + 1);
        }
    }

    void EndFontEntry() {
        if (FaceText.Empty() && !FontNumber) {
            return;
        }
        std::string face = FaceText.Take(FaceCodePage());
        CutUtf8(face, MaxFaceBytes);
        if (FontNumber) {
            Fonts.try_emplace(*FontNumber, TFontEntry{std::move(face), FontCodePage});
        }
        FontNumber.reset();
        FontCodePage = 0;
    }

    int FaceCodePage() const { return FontCodePage != 0 ? FontCodePage : DocumentCodePage; }

    const TFontEntry* Font(int number) const {
        auto it = Fonts.find(number);
        if (it == Fonts.end()) {
            it = Fonts.find(DefaultFont);
        }
        return it == Fonts.end() ? nullptr : &it->second;
    }

    // The code page of text in the current font.
    int CodePage() const {
        const TFontEntry* font = Font(Groups.back().Character.Font);
        return font != nullptr && font->CodePage != 0 ? font->CodePage : DocumentCodePage;
    }

    TRichTextFormat Format() const {
        const TCharacterState& c = Groups.back().Character;
        TRichTextFormat format;
        if (const TFontEntry* font = Font(c.Font)) {
            format.FaceName = font->Face;
        }
        format.SizeHalfPoints = c.SizeHalfPoints;
        format.Bold = c.Bold;
        format.Italic = c.Italic;
        format.Underline = c.Underline;
        format.StrikeOut = c.StrikeOut;
        if (c.ColorIndex >= 0 && static_cast<std::size_t>(c.ColorIndex) < Colors.size()) {
            format.Color = Colors[static_cast<std::size_t>(c.ColorIndex)];
        }
        return format;
    }

    // The text collected so far becomes a run in the current format.
    void EmitRun() {
        if (Groups.empty() || Collector.Empty()) {
            return;
        }
        const std::string text = Collector.Take(CodePage());
        Current.Append(text, Format());
    }

    void EndParagraph() {
        EmitRun();
        Current.MarkFormat = Format();
        Result.Paragraphs.push_back(std::move(Current));
        Current = {};
    }

    static std::uint32_t CodeUnit(std::int32_t n) {
        if (n < -32768 || n > 65535) {
            return ReplacementCharacter;
        }
        return static_cast<std::uint32_t>(n < 0 ? n + 65536 : n);
    }

    TRtfTokenizer Tokens;
    std::vector<TGroupState> Groups;
    std::size_t GroupsBeyondLimit = 0;
    int FallbackLeft = 0;
    int DocumentCodePage = 1252;
    int DefaultFont = 0;

    std::map<int, TFontEntry> Fonts;
    std::optional<int> FontNumber;
    int FontCodePage = 0;
    TTextCollector FaceText;

    std::vector<std::optional<TColor>> Colors;
    TColor NextColor;
    bool ColorSet = false;

    TTextCollector Collector;
    TRichTextParagraph Current;
    TRichText Result;
};

bool StartsAsRtf(std::string_view bytes) {
    return bytes.substr(0, 5) == "{\\rtf";
}

} // namespace

TRichText ReadRtf(std::string_view bytes, const TRichTextFormat& plainFormat) {
    bytes = bytes.substr(0, MaxRtfBytes);
    if (bytes.empty()) {
        return {};
    }
    if (!StartsAsRtf(bytes)) {
        std::string text = CodePageToUtf8Lenient(bytes, 932);
        std::erase(text, '\0');
        return TRichText::FromPlainText(text, plainFormat);
    }
    return TRtfReader(bytes).Read();
}

} // namespace zaro
