#include "RichText.h"

namespace zaro {

void TRichTextParagraph::Append(std::string_view text, const TRichTextFormat& format) {
    if (text.empty()) {
        return;
    }
    if (!Runs.empty() && Runs.back().Format == format) {
        Runs.back().Text += text;
    } else {
        Runs.push_back({std::string(text), format});
    }
}

std::string TRichTextParagraph::Text() const {
    std::string text;
    for (const TRichTextRun& run : Runs) {
        text += run.Text;
    }
    return text;
}

TRichText TRichText::FromPlainText(std::string_view text, const TRichTextFormat& format) {
    TRichText result;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        TRichTextParagraph paragraph;
        paragraph.Append(text.substr(start, end - start), format);
        paragraph.MarkFormat = format;
        result.Paragraphs.push_back(std::move(paragraph));
        if (end == text.size()) {
            break;
        }
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return result;
}

std::string TRichText::PlainText() const {
    std::string text;
    for (std::size_t i = 0; i < Paragraphs.size(); ++i) {
        if (i > 0) {
            text += '\n';
        }
        text += Paragraphs[i].Text();
    }
    return text;
}

} // namespace zaro
