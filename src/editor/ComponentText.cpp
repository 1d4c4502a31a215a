#include "ComponentText.h"

#include "Cp932.h"
#include "ZaroStream.h"

#include <cctype>
#include <limits>

namespace zaro {

namespace {

constexpr int MaxNesting = 32;

enum class TTokenKind { End, Symbol, Integer, Float, String, Char };

struct TToken {
    TTokenKind Kind = TTokenKind::End;
    std::string Text; // symbol text, string value, or the character
    std::int64_t Integer = 0;
    int Line = 1;
};

bool IsIdentStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IsIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

[[noreturn]] void Fail(const std::string& what, int line) {
    throw EZaroStreamError("TextToComponent: " + what + " in line " + std::to_string(line) + ".");
}

// Splits the text into the tokens of the textual component form.
class TLexer {
public:
    explicit TLexer(std::string_view text) : Text(text) { Next(); }

    const TToken& Current() const { return Token; }

    void Next() {
        SkipBlanks();
        Token = TToken{};
        Token.Line = Line;
        if (Pos >= Text.size()) {
            return;
        }
        char c = Text[Pos];
        if (IsIdentStart(c)) {
            ReadSymbol();
        } else if (c == '\'' || c == '#') {
            ReadString();
        } else if (IsDigit(c) || c == '$' ||
                   (c == '-' && Pos + 1 < Text.size() &&
                    (IsDigit(Text[Pos + 1]) || Text[Pos + 1] == '$'))) {
            ReadNumber();
        } else {
            Token.Kind = TTokenKind::Char;
            Token.Text = std::string(1, c);
            ++Pos;
        }
    }

    // Binary data: hex digits and blanks up to the closing brace.
    void SkipBinary() {
        while (Pos < Text.size() && Text[Pos] != '}') {
            char c = Text[Pos];
            if (c == '\n') {
                ++Line;
            } else if (!IsHexDigit(c) && !std::isspace(static_cast<unsigned char>(c))) {
                Fail("Invalid binary value", Line);
            }
            ++Pos;
        }
        if (Pos >= Text.size()) {
            Fail("Unterminated binary value", Line);
        }
        ++Pos;
        Next();
    }

private:
    void SkipBlanks() {
        while (Pos < Text.size() && std::isspace(static_cast<unsigned char>(Text[Pos]))) {
            if (Text[Pos] == '\n') {
                ++Line;
            }
            ++Pos;
        }
    }

    void ReadSymbol() {
        std::size_t start = Pos;
        while (Pos < Text.size() && IsIdentChar(Text[Pos])) {
            ++Pos;
        }
        Token.Kind = TTokenKind::Symbol;
        Token.Text = std::string(Text.substr(start, Pos - start));
    }

    void ReadNumber() {
        bool negative = Text[Pos] == '-';
        if (negative) {
            ++Pos;
        }
        bool hex = Text[Pos] == '$';
        if (hex) {
            ++Pos;
        }
        std::size_t start = Pos;
        while (Pos < Text.size() && (hex ? IsHexDigit(Text[Pos]) : IsDigit(Text[Pos]))) {
            ++Pos;
        }
        if (Pos == start) {
            Fail("Invalid number", Line);
        }
        if (!hex && Pos < Text.size() &&
            (Text[Pos] == '.' || Text[Pos] == 'e' || Text[Pos] == 'E')) {
            ReadFloatTail();
            return;
        }
        Token.Kind = TTokenKind::Integer;
        Token.Integer = Accumulate(Text.substr(start, Pos - start), hex ? 16 : 10, negative);
    }

    std::int64_t Accumulate(std::string_view digits, int base, bool negative) const {
        constexpr std::int64_t Limit = std::numeric_limits<std::int64_t>::max() / 16;
        std::int64_t value = 0;
        for (char d : digits) {
            if (value > Limit) {
                Fail("Number out of range", Line);
            }
            int digit =
                IsDigit(d) ? d - '0' : std::tolower(static_cast<unsigned char>(d)) - 'a' + 10;
            value = value * base + digit;
        }
        return negative ? -value : value;
    }

    // Floats are recognised so that unknown properties can be skipped.
    void ReadFloatTail() {
        while (Pos < Text.size() && (IsDigit(Text[Pos]) || Text[Pos] == '.')) {
            ++Pos;
        }
        if (Pos < Text.size() && (Text[Pos] == 'e' || Text[Pos] == 'E')) {
            ++Pos;
            if (Pos < Text.size() && (Text[Pos] == '+' || Text[Pos] == '-')) {
                ++Pos;
            }
            std::size_t start = Pos;
            while (Pos < Text.size() && IsDigit(Text[Pos])) {
                ++Pos;
            }
            if (Pos == start) {
                Fail("Invalid number", Line);
            }
        }
        Token.Kind = TTokenKind::Float;
    }

    // Quoted parts and #nnn codes written together form one string.
    void ReadString() {
        Token.Kind = TTokenKind::String;
        while (Pos < Text.size() && (Text[Pos] == '\'' || Text[Pos] == '#')) {
            if (Text[Pos] == '\'') {
                ReadQuoted();
            } else {
                ReadCharCode();
            }
        }
    }

    void ReadQuoted() {
        ++Pos;
        for (;;) {
            if (Pos >= Text.size() || Text[Pos] == '\r' || Text[Pos] == '\n') {
                Fail("Unterminated string", Line);
            }
            if (Text[Pos] == '\'') {
                if (Pos + 1 < Text.size() && Text[Pos + 1] == '\'') {
                    Token.Text += '\'';
                    Pos += 2;
                    continue;
                }
                ++Pos;
                return;
            }
            Token.Text += Text[Pos++];
        }
    }

    void ReadCharCode() {
        ++Pos;
        bool hex = Pos < Text.size() && Text[Pos] == '$';
        if (hex) {
            ++Pos;
        }
        std::size_t start = Pos;
        while (Pos < Text.size() && (hex ? IsHexDigit(Text[Pos]) : IsDigit(Text[Pos])) &&
               Pos - start < 8) {
            ++Pos;
        }
        if (Pos == start) {
            Fail("Invalid character code", Line);
        }
        std::int64_t code = Accumulate(Text.substr(start, Pos - start), hex ? 16 : 10, false);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            Fail("Invalid character code", Line);
        }
        AppendUtf8(Token.Text, static_cast<std::uint32_t>(code));
    }

    std::string_view Text;
    std::size_t Pos = 0;
    int Line = 1;
    TToken Token;
};

class TParser {
public:
    explicit TParser(std::string_view text) : Lexer(text) {}

    TComponentObject ParseRoot() {
        TComponentObject root = ParseObject(0);
        if (Lexer.Current().Kind != TTokenKind::End) {
            Fail("Text after the final 'end'", Lexer.Current().Line);
        }
        return root;
    }

private:
    const TToken& Tok() const { return Lexer.Current(); }
    bool AtSymbol(std::string_view s) const {
        return Tok().Kind == TTokenKind::Symbol && SameText(Tok().Text, s);
    }
    bool AtChar(char c) const { return Tok().Kind == TTokenKind::Char && Tok().Text[0] == c; }
    bool AtObjectStart() const {
        return AtSymbol("object") || AtSymbol("inherited") || AtSymbol("inline");
    }

    void ExpectChar(char c) {
        if (!AtChar(c)) {
            Fail(std::string("'") + c + "' expected", Tok().Line);
        }
        Lexer.Next();
    }

    std::string ExpectSymbol(const char* what) {
        if (Tok().Kind != TTokenKind::Symbol) {
            Fail(std::string(what) + " expected", Tok().Line);
        }
        std::string s = Tok().Text;
        Lexer.Next();
        return s;
    }

    void ExpectMore() const {
        if (Tok().Kind == TTokenKind::End) {
            Fail("'end' expected", Tok().Line);
        }
    }

    TComponentObject ParseObject(int depth) {
        if (depth > MaxNesting) {
            Fail("Objects nested too deeply", Tok().Line);
        }
        if (!AtObjectStart()) {
            Fail("'object' expected", Tok().Line);
        }
        Lexer.Next();
        TComponentObject object;
        object.ClassName = ExpectSymbol("Class name");
        if (AtChar(':')) {
            Lexer.Next();
            object.InstanceName = object.ClassName;
            object.ClassName = ExpectSymbol("Class name");
        }
        if (AtChar('[')) { // position of an inherited child
            Lexer.Next();
            if (Tok().Kind != TTokenKind::Integer) {
                Fail("Integer expected", Tok().Line);
            }
            Lexer.Next();
            ExpectChar(']');
        }
        while (!AtSymbol("end") && !AtObjectStart()) {
            ExpectMore();
            object.Properties.push_back(ParseProperty(depth));
        }
        while (!AtSymbol("end")) {
            ExpectMore();
            object.Children.push_back(ParseObject(depth + 1));
        }
        Lexer.Next();
        return object;
    }

    TComponentProperty ParseProperty(int depth) {
        TComponentProperty property;
        property.Line = Tok().Line;
        property.Name = ExpectSymbol("Property name");
        while (AtChar('.')) {
            Lexer.Next();
            property.Name += "." + ExpectSymbol("Property name");
        }
        ExpectChar('=');
        property.Value = ParseValue(depth);
        return property;
    }

    TComponentValue ParseValue(int depth) {
        if (depth > MaxNesting) {
            Fail("Values nested too deeply", Tok().Line);
        }
        TComponentValue value;
        switch (Tok().Kind) {
        case TTokenKind::Integer:
            value.Kind = TComponentValue::TKind::Integer;
            value.Integer = Tok().Integer;
            Lexer.Next();
            return value;
        case TTokenKind::Symbol:
            value.Kind = TComponentValue::TKind::Identifier;
            value.Text = Tok().Text;
            Lexer.Next();
            return value;
        case TTokenKind::String:
            value.Kind = TComponentValue::TKind::String;
            value.Text = ParseConcatenatedString();
            return value;
        case TTokenKind::Float:
            Lexer.Next();
            return value;
        case TTokenKind::Char:
            SkipCompoundValue(depth);
            return value;
        case TTokenKind::End:
            break;
        }
        Fail("Value expected", Tok().Line);
    }

    std::string ParseConcatenatedString() {
        std::string text = Tok().Text;
        Lexer.Next();
        while (AtChar('+')) {
            Lexer.Next();
            if (Tok().Kind != TTokenKind::String) {
                Fail("String expected", Tok().Line);
            }
            text += Tok().Text;
            Lexer.Next();
        }
        return text;
    }

    // Sets, lists and binary data: read for the grammar's sake, not kept.
    void SkipCompoundValue(int depth) {
        if (AtChar('[')) {
            Lexer.Next();
            while (!AtChar(']')) {
                ExpectSymbol("Set element");
                if (!AtChar(']')) {
                    ExpectChar(',');
                }
            }
            Lexer.Next();
        } else if (AtChar('(')) {
            Lexer.Next();
            while (!AtChar(')')) {
                ParseValue(depth + 1);
            }
            Lexer.Next();
        } else if (AtChar('{')) {
            Lexer.SkipBinary();
        } else {
            Fail("Value expected", Tok().Line);
        }
    }

    TLexer Lexer;
};

} // namespace

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

TComponentObject ParseComponentText(std::string_view text) {
    if (!IsValidUtf8(text)) {
        throw EZaroStreamError("TextToComponent: The text is not valid UTF-8.");
    }
    return TParser(text).ParseRoot();
}

std::string QuoteComponentString(std::string_view text) {
    std::string out;
    bool quoted = false;
    for (char c : text) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20) {
            if (quoted) {
                out += '\'';
                quoted = false;
            }
            out += '#' + std::to_string(u);
            continue;
        }
        if (!quoted) {
            out += '\'';
            quoted = true;
        }
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
    if (quoted) {
        out += '\'';
    }
    return out.empty() ? "''" : out;
}

} // namespace zaro
