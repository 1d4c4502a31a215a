#include "NotePlainText.h"

#include "Cp932.h"

#include <cctype>
#include <set>

namespace zaro::gui {

namespace {

class TRtfTextReader {
public:
    explicit TRtfTextReader(const std::vector<std::uint8_t>& rtf) : Rtf(rtf) {}

    std::string Read() {
        while (Pos < Rtf.size()) {
            const char c = static_cast<char>(Rtf[Pos++]);
            if (c == '{') {
                Skipping.push_back(Skipped());
            } else if (c == '}') {
                if (Skipping.size() > 1) {
                    Skipping.pop_back();
                }
            } else if (c == '\\') {
                ControlWord();
            } else if (c != '\r' && c != '\n') {
                Put(c);
            }
        }
        FlushBytes();
        return Text;
    }

private:
    bool Skipped() const { return Skipping.back(); }

    void ControlWord() {
        if (Pos >= Rtf.size()) {
            return;
        }
        const char c = static_cast<char>(Rtf[Pos]);
        if (c == '\'') {
            ++Pos;
            Put(static_cast<char>(HexByte()));
            return;
        }
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++Pos;
            if (c == '*') {
                Skipping.back() = true;
            } else if (c == '\\' || c == '{' || c == '}') {
                Put(c);
            }
            return;
        }
        std::string word;
        while (Pos < Rtf.size() && std::isalpha(Rtf[Pos]) && word.size() < 32) {
            word += static_cast<char>(Rtf[Pos++]);
        }
        const long long parameter = Parameter();
        if (Pos < Rtf.size() && Rtf[Pos] == ' ') {
            ++Pos;
        }
        Apply(word, parameter);
    }

    void Apply(const std::string& word, long long parameter) {
        static const std::set<std::string> destinations = {
            "fonttbl", "colortbl", "stylesheet", "info", "pict", "header", "footer", "generator"};
        if (destinations.count(word) != 0) {
            Skipping.back() = true;
        } else if (word == "par" || word == "line") {
            Put('\n');
        } else if (word == "tab") {
            Put('\t');
        } else if (word == "u") {
            Unicode(parameter);
        }
    }

    // \uN counts negative for characters above U+7FFF; one fallback character follows.
    void Unicode(long long n) {
        if (n < 0) {
            n += 65536;
        }
        if (!Skipped() && n > 0 && n <= 0x10FFFF && (n < 0xD800 || n > 0xDFFF)) {
            FlushBytes();
            AppendUtf8(Text, static_cast<std::uint32_t>(n));
        }
        if (Pos < Rtf.size() && Rtf[Pos] == '\\' && Pos + 1 < Rtf.size() && Rtf[Pos + 1] == '\'') {
            Pos += 2;
            HexByte();
        } else if (Pos < Rtf.size() && Rtf[Pos] != '\\' && Rtf[Pos] != '{' && Rtf[Pos] != '}') {
            ++Pos;
        }
    }

    long long Parameter() {
        bool negative = false;
        if (Pos < Rtf.size() && Rtf[Pos] == '-') {
            negative = true;
            ++Pos;
        }
        long long value = 0;
        int digits = 0;
        while (Pos < Rtf.size() && std::isdigit(Rtf[Pos]) && digits < 10) {
            value = value * 10 + (Rtf[Pos++] - '0');
            ++digits;
        }
        return negative ? -value : value;
    }

    int HexByte() {
        int value = 0;
        for (int k = 0; k < 2 && Pos < Rtf.size() && std::isxdigit(Rtf[Pos]); ++k) {
            const char h = static_cast<char>(std::tolower(Rtf[Pos++]));
            value =
                value * 16 + (std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : h - 'a' + 10);
        }
        return value;
    }

    // Bytes gather until a \u or the end, so double-byte characters stay whole.
    void Put(char c) {
        if (!Skipped()) {
            Bytes += c;
        }
    }

    void FlushBytes() {
        if (Bytes.empty()) {
            return;
        }
        try {
            Text += Cp932ToUtf8(Bytes);
        } catch (const ECp932Error&) {
            for (unsigned char b : Bytes) {
                if (b < 0x80) {
                    Text += static_cast<char>(b);
                }
            }
        }
        Bytes.clear();
    }

    const std::vector<std::uint8_t>& Rtf;
    std::size_t Pos = 0;
    std::vector<bool> Skipping{false};
    std::string Bytes;
    std::string Text;
};

} // namespace

std::string NotePlainText(const std::vector<std::uint8_t>& rtf) {
    std::string text = TRtfTextReader(rtf).Read();
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

} // namespace zaro::gui
