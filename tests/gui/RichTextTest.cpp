// A label's note is edited as formatted text: the formatting survives the
// editor and the model file, and the formatting commands follow the
// selection of the focused note.

#include "GuiFixture.h"
#include "GuiSuites.h"
#include "LabelDevice.h"
#include "ModelFile.h"
#include "RichTextMapping.h"

#include <QFontDialog>
#include <QTextDocument>

namespace zaro::test {

namespace {

TRichTextFormat Format(bool bold, bool italic = false, bool underline = false) {
    TRichTextFormat format = TNoteEditor::DefaultFormat();
    format.Bold = bold;
    format.Italic = italic;
    format.Underline = underline;
    return format;
}

// "抵抗" bold, then "の値" italic, underlined and red in 14 pt Gothic; an empty
// paragraph; a struck-out line with a soft break.
TRichText SampleText() {
    TRichTextFormat large = Format(false, true, true);
    large.FaceName = "IPAGothic";
    large.SizeHalfPoints = 28;
    large.Color = TColor{200, 0, 0};
    TRichTextFormat struck = Format(false);
    struck.StrikeOut = true;
    TRichText text;
    TRichTextParagraph first;
    first.Append("抵抗", Format(true));
    first.Append("の値", large);
    first.MarkFormat = large;
    TRichTextParagraph empty;
    empty.MarkFormat = Format(true);
    TRichTextParagraph last;
    last.Append("1 kΩ\u2028以下", struck);
    last.MarkFormat = struck;
    text.Paragraphs = {first, empty, last};
    return text;
}

} // namespace

class TRichTextTest : public TWindowSuite {
    Q_OBJECT

    TLabelDevice& Label() const { return dynamic_cast<TLabelDevice&>(Canvas().DragPanel(0)); }
    gui::TNoteTextEdit& Note() const { return *PanelWidget(0).Note(); }
    QAction& Action(const char* name) const { return *Window->Actions().Action(name); }

    // A label whose note holds "ab" with "a" bold, its editor focused, all selected.
    void FocusedPartlyBoldNote() {
        Place("AtnDeviceLabel");
        TRichText text;
        TRichTextParagraph& paragraph = text.Paragraphs.emplace_back();
        paragraph.Append("a", Format(true));
        paragraph.Append("b", Format(false));
        paragraph.MarkFormat = Format(false);
        Label().NoteEditor().SetContent(text);
        Note().FollowNote();
        Window->activateWindow();
        Note().setFocus();
        Note().selectAll();
        QApplication::processEvents();
    }
    bool NoteCharBold(int position) const {
        QTextCursor cursor(Note().document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().fontWeight() > QFont::Medium;
    }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    // Faces, sizes, attributes, colours and paragraphs come back unchanged.
    void theEditorsDocumentKeepsTheFormatting() {
        QTextDocument document;
        gui::FillDocument(document, SampleText());
        QCOMPARE(document.blockCount(), 3);
        QVERIFY(gui::DocumentContent(document) == SampleText());
    }

    // Bold on a partly bold selection makes it plain; a second Bold makes it all bold.
    void boldOnAPartlyBoldSelection() {
        FocusedPartlyBoldNote();
        QVERIFY(Action("REditBold1").isEnabled());
        QVERIFY(!Action("REditBold1").isChecked());
        Trigger("REditBold1");
        QVERIFY(!NoteCharBold(0) && !NoteCharBold(1));
        QVERIFY(!Action("REditBold1").isChecked());
        Trigger("REditBold1");
        QVERIFY(NoteCharBold(0) && NoteCharBold(1));
        QVERIFY(Action("REditBold1").isChecked());
        Trigger("REditItalic1");
        Trigger("REditUnderline1");
        const TRichText shown = gui::DocumentContent(*Note().document());
        const TRichTextFormat all = shown.Paragraphs.at(0).Runs.at(0).Format;
        QVERIFY(all.Bold && all.Italic && all.Underline);
        QCOMPARE(shown.Paragraphs.at(0).Runs.size(), std::size_t{1});
    }

    // The attribute commands need a selection in a focused note, the font
    // command only the focus; elsewhere they are off and the rest stays on.
    void theFormattingCommandsFollowTheFocus() {
        FocusedPartlyBoldNote();
        QTextCursor cursor = Note().textCursor();
        cursor.clearSelection();
        Note().setTextCursor(cursor);
        QVERIFY(!Action("REditBold1").isEnabled());
        QVERIFY(Action("REditFont1").isEnabled());
        View().setFocus();
        QApplication::processEvents();
        for (const char* name : {"REditBold1", "REditItalic1", "REditUnderline1", "REditFont1"}) {
            QVERIFY2(!Action(name).isEnabled(), name);
        }
        QVERIFY(Window->Actions().AllEnabled());
    }

    // The font dialog opens with the selection's font and gives it the chosen one.
    void theFontCommandAppliesTheChosenFont() {
        FocusedPartlyBoldNote();
        QFont chosen = Note().font();
        chosen.setPointSize(20);
        chosen.setUnderline(true);
        QTimer::singleShot(50, [chosen] {
            if (auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget())) {
                dialog->setCurrentFont(chosen);
                dialog->accept();
            }
        });
        Trigger("REditFont1");
        const TRichTextFormat format =
            gui::DocumentContent(*Note().document()).Paragraphs.at(0).Runs.at(0).Format;
        QCOMPARE(format.SizeHalfPoints, 40);
        QVERIFY(format.Underline);
    }

    // Leaving the note stores the edit in the label and marks the document
    // modified; the saved file opens with the formatting.
    void anEditedNoteIsStoredAndReopensFormatted() {
        FocusedPartlyBoldNote();
        Doc().SetModified(false);
        QTest::keyClick(&Note(), Qt::Key_End);
        QTest::keyClicks(&Note(), QStringLiteral("c"));
        View().setFocus();
        QApplication::processEvents();
        QCOMPARE(Label().NoteEditor().Content().PlainText(), std::string("abc"));
        QVERIFY(Doc().Modified());
        const std::string file = Folder.filePath(QStringLiteral("label.zsm")).toStdString();
        SaveModel(Doc(), file);
        Doc().SetModified(false);
        LoadModel(Doc(), file);
        QVERIFY(NoteCharBold(0));
        QVERIFY(!NoteCharBold(1));
        QCOMPARE(Note().toPlainText(), QStringLiteral("abc"));
    }
};

static TGuiSuite<TRichTextTest> RichTextSuite("RichText");

} // namespace zaro::test

#include "RichTextTest.moc"
