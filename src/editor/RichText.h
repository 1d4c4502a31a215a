#pragma once
// The formatted text of a note as paragraphs of runs, independent of any
// editor control: what the RTF reader produces, the writer stores and a view
// renders. Text is UTF-8; a run never holds a paragraph break, a soft line
// break inside a paragraph is U+2028.

#include "Color.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zaro {

inline constexpr std::string_view LineSeparator = "\u2028";

struct TRichTextFormat {
    // Empty: the view's default face.
    std::string FaceName;
    // In half points, as RTF counts them (24 is 12 pt).
    int SizeHalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    // None: the automatic text colour of the view.
    std::optional<TColor> Color;

    double PointSize() const { return SizeHalfPoints / 2.0; }
    bool operator==(const TRichTextFormat&) const = default;
};

struct TRichTextRun {
    std::string Text;
    TRichTextFormat Format;

    bool operator==(const TRichTextRun&) const = default;
};

struct TRichTextParagraph {
    std::vector<TRichTextRun> Runs;
    // The format at the paragraph's end, which new text typed there takes
    // (an empty paragraph has no other).
    TRichTextFormat MarkFormat;

    // Adds text, joining it to the last run when the format is the same;
    // empty text adds nothing.
    void Append(std::string_view text, const TRichTextFormat& format);
    std::string Text() const;
    bool operator==(const TRichTextParagraph&) const = default;
};

struct TRichText {
    std::vector<TRichTextParagraph> Paragraphs;

    // Lines (split at "\r\n", "\n" or "\r") become paragraphs of one format.
    static TRichText FromPlainText(std::string_view text, const TRichTextFormat& format);
    // Paragraphs joined with "\n".
    std::string PlainText() const;
    bool operator==(const TRichText&) const = default;
};

} // namespace zaro
