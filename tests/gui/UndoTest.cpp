// Undo and redo from the Edit menu and the keyboard: what they offer and when,
// the modified state they bring back, and the typing a text control keeps.

#include "DocumentStatus.h"
#include "GuiFixture.h"
#include "GuiSuites.h"
#include "NoteTextEdit.h"

namespace zaro::test {

class TUndoTest : public TWindowSuite {
    Q_OBJECT

    QAction& Undo() const { return *Window->Actions().Action("AtnEditUndo"); }
    QAction& Redo() const { return *Window->Actions().Action("AtnEditRedo"); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const {
        QTest::keyClick(&View(), key, modifiers);
    }
    void ExpectOffers(bool undo, bool redo) const {
        QCOMPARE(Undo().isEnabled(), undo);
        QCOMPARE(Redo().isEnabled(), redo);
    }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void itemsNameTheStepTheyWouldApply() {
        QCOMPARE(Undo().shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(Redo().shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                      QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
        QVERIFY(!Undo().icon().isNull() && !Redo().icon().isNull());
        ExpectOffers(false, false);
        QCOMPARE(Undo().statusTip(), QStringLiteral("元に戻す"));

        Place("AtnDeviceR");
        ExpectOffers(true, false);
        QCOMPARE(Undo().statusTip(), QStringLiteral("元に戻す: 抵抗器の配置"));
        QCOMPARE(Undo().toolTip(), Undo().statusTip());

        Key(Qt::Key_Z);
        QCOMPARE(Canvas().DragPanelCount(), 0);
        QCOMPARE(View().PanelWidgetCount(), 0);
        ExpectOffers(false, true);
        QCOMPARE(Redo().statusTip(), QStringLiteral("やり直し: 抵抗器の配置"));

        Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(View().PanelWidgetCount(), 1);
        Key(Qt::Key_Z);
        Key(Qt::Key_Y);
        QCOMPARE(View().PanelWidgetCount(), 1);
        ExpectOffers(true, false);

        Trigger("AtnFileNew");
        ExpectOffers(false, false);
    }

    // Re-enabling everything after an analysis leaves alone what has no step.
    void busyOffersNothing() {
        Place("AtnDeviceR");
        Doc().BeginBusy();
        ExpectOffers(false, false);
        QVERIFY(!Window->Actions().AllEnabled());
        Doc().UpdateStatus();
        ExpectOffers(true, false);
        QVERIFY(Window->Actions().AllEnabled());
    }

    void modifiedFollowsTheSavedState() {
        Place("AtnDeviceR");
        Dialogs->ChooseFile(Folder.filePath(QStringLiteral("saved")));
        Trigger("AtnFileSave");
        QVERIFY(StatusText(0).isEmpty());
        Place("AtnDeviceC");
        QCOMPARE(StatusText(0), QString::fromUtf8(StatusModified));

        Trigger("AtnEditUndo");
        QVERIFY(StatusText(0).isEmpty());
        QVERIFY(!Doc().Modified());
        Trigger("AtnEditUndo");
        QCOMPARE(StatusText(0), QString::fromUtf8(StatusModified));
        Trigger("AtnEditRedo");
        QVERIFY(!Doc().Modified());
        Trigger("AtnEditRedo");
        QVERIFY(Doc().Modified());
    }

    // Typing not yet committed is the box's to take back; the schematic's steps stay.
    void aFocusedBoxUndoesItsOwnTyping() {
        Place("AtnDeviceR");
        TypeValue(0, QStringLiteral("2k"));
        const QString committed = BoxText(0);
        gui::TValueBox* box = PanelWidget(0).ValueBoxes().at(0);
        QTest::keyClicks(box, QStringLiteral("5"));
        QCOMPARE(box->text(), committed + QStringLiteral("5"));
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier); // takes back the box's typing
        QVERIFY(!box->text().endsWith(QLatin1Char('5')));
        QCOMPARE(Undo().statusTip(), QStringLiteral("元に戻す: 抵抗器の値の変更"));
        ExpectOffers(true, false);

        QTest::keyClicks(box, QStringLiteral("7"));
        Window->Actions().Action("AtnEditUndo")->trigger(); // the menu item, the box focused
        QVERIFY(!box->text().endsWith(QLatin1Char('7')));
        ExpectOffers(true, false);
        box->setText(committed);

        View().setFocus();
        Key(Qt::Key_Z);
        QVERIFY(BoxText(0) != committed);
        QCOMPARE(Canvas().DragPanelCount(), 1);
        QCOMPARE(Redo().statusTip(), QStringLiteral("やり直し: 抵抗器の値の変更"));
    }

    // The note keeps its typing until it is left; then the schematic's undo
    // takes the whole edit back, and the editor shows the note as it was.
    void aNoteUndoesItsTypingThenTheSchematicTheEdit() {
        Place("AtnDeviceLabel");
        gui::TNoteTextEdit& note = *PanelWidget(0).Note();
        const QString placed = note.toPlainText();
        Window->activateWindow();
        note.setFocus();
        QTest::keyClicks(&note, QStringLiteral("x"));
        QTest::keyClick(&note, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(note.toPlainText(), placed);
        QCOMPARE(Undo().statusTip(), QStringLiteral("元に戻す: ラベルの配置"));

        QTest::keyClicks(&note, QStringLiteral("y"));
        View().setFocus();
        QCOMPARE(Undo().statusTip(), QStringLiteral("元に戻す: ラベルの編集"));
        Key(Qt::Key_Z);
        QCOMPARE(note.toPlainText(), placed);
        Key(Qt::Key_Y);
        QCOMPARE(note.toPlainText(), placed + QStringLiteral("y"));
    }
};

static TGuiSuite<TUndoTest> UndoSuite("Undo");

} // namespace zaro::test

#include "UndoTest.moc"
