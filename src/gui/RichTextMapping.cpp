#include "RichTextMapping.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace zaro::gui {

QTextCharFormat CharFormatOf(const TRichTextFormat& format) {
    QTextCharFormat result;
    if (!format.FaceName.empty()) {
        result.setFontFamilies({QString::fromStdString(format.FaceName)});
    }
    result.setFontPointSize(format.PointSize());
    result.setFontWeight(format.Bold ? QFont::Bold : QFont::Normal);
    result.setFontItalic(format.Italic);
    result.setFontUnderline(format.Underline);
    result.setFontStrikeOut(format.StrikeOut);
    if (format.Color) {
        result.setForeground(QColor(format.Color->R, format.Color->G, format.Color->B));
    }
    return result;
}

TRichTextFormat RichTextFormatOf(const QTextCharFormat& format, const QTextDocument& document) {
    TRichTextFormat result;
    const QStringList faces = format.fontFamilies().toStringList();
    result.FaceName = faces.isEmpty() ? std::string() : faces.constFirst().toStdString();
    const double points =
        format.fontPointSize() > 0 ? format.fontPointSize() : document.defaultFont().pointSizeF();
    result.SizeHalfPoints = points > 0 ? static_cast<int>(std::lround(points * 2)) : 24;
    result.Bold = format.fontWeight() > QFont::Medium;
    result.Italic = format.fontItalic();
    result.Underline = format.fontUnderline();
    result.StrikeOut = format.fontStrikeOut();
    if (format.foreground().style() != Qt::NoBrush) {
        const QColor c = format.foreground().color();
        result.Color =
            TColor{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                   static_cast<std::uint8_t>(c.blue())};
    }
    return result;
}

void FillDocument(QTextDocument& document, const TRichText& text) {
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const TRichTextParagraph& paragraph : text.Paragraphs) {
        const QTextCharFormat mark = CharFormatOf(paragraph.MarkFormat);
        if (first) {
            cursor.setBlockCharFormat(mark);
        } else {
            cursor.insertBlock(QTextBlockFormat(), mark);
        }
        first = false;
        for (const TRichTextRun& run : paragraph.Runs) {
            cursor.insertText(QString::fromStdString(run.Text), CharFormatOf(run.Format));
        }
        cursor.setCharFormat(mark);
    }
    document.setModified(false);
}

TRichText DocumentContent(const QTextDocument& document) {
    TRichText text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        TRichTextParagraph& paragraph = text.Paragraphs.emplace_back();
        paragraph.MarkFormat = RichTextFormatOf(block.charFormat(), document);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            paragraph.MarkFormat = RichTextFormatOf(fragment.charFormat(), document);
            paragraph.Append(fragment.text().toStdString(), paragraph.MarkFormat);
        }
    }
    return text;
}

} // namespace zaro::gui
