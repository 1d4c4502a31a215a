#include "RtfWriter.h"

#include "Cp932.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zaro {

namespace {

template <typename T> std::size_t IndexOf(const std::vector<T>& list, const T& value) {
    return static_cast<std::size_t>(std::find(list.begin(), list.end(), value) - list.begin());
}

template <typename T> void AddOnce(std::vector<T>& list, const T& value) {
    if (IndexOf(list, value) == list.size()) {
        list.push_back(value);
    }
}

void AppendHexByte(std::string& out, unsigned char byte) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\'%02x", byte);
    out += hex;
}

// \uN takes a signed 16-bit number; characters beyond the first plane go as
// a surrogate pair.
void AppendUnicode(std::string& out, std::uint32_t codePoint) {
    auto unit = [&](std::uint32_t u) {
        out += "\\u" +
               std::to_string(u > 0x7FFF ? static_cast<int>(u) - 65536 : static_cast<int>(u)) + "?";
    };
    if (codePoint > 0xFFFF) {
        codePoint -= 0x10000;
        unit(0xD800 + (codePoint >> 10));
        unit(0xDC00 + (codePoint & 0x3FF));
    } else {
        unit(codePoint);
    }
}

// Text of a run or a face name. In a face name a semicolon would end it,
// and only characters and \uN are read.
void AppendText(std::string& out, std::string_view text, bool faceName) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const std::uint32_t c = NextCodePoint(text, pos);
        std::string cp932;
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == ';' && faceName) {
            AppendHexByte(out, ';');
        } else if (c == '\t' && !faceName) {
            out += "\\tab ";
        } else if (c == 0x2028 && !faceName) {
            out += "\\line ";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else if (c >= 0x80 && c != 0xFFFD &&
                   TryUtf8ToCp932(text.substr(start, pos - start), cp932)) {
            for (char byte : cp932) {
                AppendHexByte(out, static_cast<unsigned char>(byte));
            }
        } else {
            AppendUnicode(out, c);
        }
    }
}

class TRtfWriter {
public:
    explicit TRtfWriter(const TRichText& text) : Text(text) {
        ForEachFormat([&](const TRichTextFormat& f) {
            AddOnce(Faces, f.FaceName);
            if (f.Color) {
                AddOnce(Colors, *f.Color);
            }
        });
        if (Faces.empty()) {
            Faces.push_back("");
        }
    }

    std::string Write() {
        Out = "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1041{\\fonttbl";
        for (std::size_t i = 0; i < Faces.size(); ++i) {
            Out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset128 ";
            AppendText(Out, Faces[i], true);
            Out += ";}";
        }
        Out += "}\r\n{\\colortbl ;";
        for (const TColor& c : Colors) {
            Out += "\\red" + std::to_string(c.R) + "\\green" + std::to_string(c.G) + "\\blue" +
                   std::to_string(c.B) + ";";
        }
        Out += "}\r\n\\viewkind4\\uc1\\pard";
        for (const TRichTextParagraph& paragraph : Text.Paragraphs) {
            for (const TRichTextRun& run : paragraph.Runs) {
                if (!run.Text.empty()) {
                    SwitchTo(run.Format);
                    AppendText(Out, run.Text, false);
                }
            }
            SwitchTo(paragraph.MarkFormat);
            Out += "\\par\r\n";
        }
        Out += "}\r\n";
        return std::move(Out);
    }

private:
    template <typename F> void ForEachFormat(F&& f) const {
        for (const TRichTextParagraph& paragraph : Text.Paragraphs) {
            for (const TRichTextRun& run : paragraph.Runs) {
                f(run.Format);
            }
            f(paragraph.MarkFormat);
        }
    }

    void Word(const std::string& word) {
        Out += '\\';
        Out += word;
        WordWritten = true;
    }

    void Toggle(bool now, bool before, const char* on, const char* off) {
        if (now != before) {
            Word(now ? on : off);
        }
    }

    // Writes the control words that change the written format to `format`;
    // the first call writes the font and size whatever they are.
    void SwitchTo(const TRichTextFormat& format) {
        const TRichTextFormat& was = Written;
        WordWritten = false;
        if (First || format.FaceName != was.FaceName) {
            Word("f" + std::to_string(IndexOf(Faces, format.FaceName)));
        }
        if (First || format.SizeHalfPoints != was.SizeHalfPoints) {
            Word("fs" + std::to_string(format.SizeHalfPoints));
        }
        Toggle(format.Bold, was.Bold, "b", "b0");
        Toggle(format.Italic, was.Italic, "i", "i0");
        Toggle(format.Underline, was.Underline, "ul", "ulnone");
        Toggle(format.StrikeOut, was.StrikeOut, "strike", "strike0");
        if (format.Color != was.Color) {
            Word("cf" + std::to_string(format.Color ? IndexOf(Colors, *format.Color) + 1 : 0));
        }
        if (WordWritten) {
            Out += ' ';
        }
        Written = format;
        First = false;
    }

    const TRichText& Text;
    std::vector<std::string> Faces;
    std::vector<TColor> Colors;
    std::string Out;
    TRichTextFormat Written;
    bool First = true;
    bool WordWritten = false;
};

} // namespace

std::string WriteRtf(const TRichText& text) {
    return TRtfWriter(text).Write();
}

} // namespace zaro
