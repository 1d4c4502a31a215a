// New, Open, Save and closing the window with the questions answered both
// ways, and a damaged file that is opened.

#include "GuiFixture.h"
#include "GuiSuites.h"

#include <QFile>
#include <QFileInfo>

namespace zaro::test {
namespace {

const QString NewQuestion =
    QStringLiteral("現在のモデルは変更されています。\n「新規作成」を行なうと変更"
                   "点は失われてしまいます。現在のモデルを保存しますか？[Y/N]");
const QString CloseQuestion =
    QStringLiteral("現在のモデルは変更されています。\nZaroSimを終了すると変更点"
                   "は失われます。\n現在のモデルを保存しますか？[Y/N]");

} // namespace

class TFilesTest : public TWindowSuite {
    Q_OBJECT

    QString File(const char* name) const { return Folder.filePath(QString::fromLatin1(name)); }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    // The first save asks for a name; saving again asks before replacing the file.
    void saveAsksForANameThenBeforeReplacing() {
        Place("AtnDeviceR");
        Dialogs->ChooseFile(File("first"));
        Trigger("AtnFileSave");
        QCOMPARE(Dialogs->DialogTitles,
                 QStringList{QStringLiteral("ZaroSimモデルに名前をつけて保存")});
        QVERIFY(QFileInfo::exists(File("first.ZSM")));
        QCOMPARE(Window->windowTitle(), QStringLiteral("first.ZSM - ZaroSim"));
        QVERIFY(StatusText(0).isEmpty());

        Place("AtnDeviceC");
        const QByteArray before = [&] {
            QFile f(File("first.ZSM"));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        Dialogs->Answer(QMessageBox::No);
        Trigger("AtnFileSave");
        QCOMPARE(Dialogs->Messages.last(),
                 QFileInfo(File("first.ZSM")).absoluteFilePath() +
                     QStringLiteral(" は既に存在しています。上書きしてもよろしいですか？[Y/N]"));
        QCOMPARE(StatusText(0), QStringLiteral("変更"));
        QFile kept(File("first.ZSM"));
        kept.open(QIODevice::ReadOnly);
        QCOMPARE(kept.readAll(), before);

        Dialogs->Answer(QMessageBox::Yes);
        Trigger("AtnFileSave");
        QVERIFY(StatusText(0).isEmpty());
        QVERIFY(QFileInfo(File("first.ZSM")).size() > before.size());
    }

    void newWithChangesAnsweredNoDiscardsThem() {
        Place("AtnDeviceR");
        Dialogs->Answer(QMessageBox::No);
        Trigger("AtnFileNew");
        QCOMPARE(Dialogs->Messages, QStringList{NewQuestion});
        QCOMPARE(Canvas().DragPanelCount(), 0);
        QCOMPARE(View().PanelWidgetCount(), 0);
        QCOMPARE(Window->windowTitle(), QStringLiteral("Untitled - ZaroSim"));
    }

    // Yes saves first; cancelling that save keeps the circuit.
    void newWithChangesAnsweredYesAndSaveCancelledKeepsThem() {
        Place("AtnDeviceR");
        Dialogs->Answer(QMessageBox::Yes);
        Dialogs->ChooseFile(QString());
        Trigger("AtnFileNew");
        QCOMPARE(Dialogs->DialogTitles.size(), 1);
        QCOMPARE(Canvas().DragPanelCount(), 1);
        QCOMPARE(StatusText(0), QStringLiteral("変更"));
    }

    void openShowsTheFileInTheWindow() {
        Dialogs->ChooseFile(ExamplePath("divider.zsm"));
        Trigger("AtnFileOpen");
        QCOMPARE(Dialogs->DialogTitles, QStringList{QStringLiteral("ZaroSimモデルを開く")});
        QCOMPARE(Dialogs->DialogFilters,
                 (QStringList{QStringLiteral("ZaroSim Model(*.ZSM) (*.ZSM *.zsm)"),
                              QStringLiteral("All Files(*.*) (*)")}));
        QCOMPARE(View().PanelWidgetCount(), Canvas().DragPanelCount());
        QVERIFY(Canvas().DragPanelCount() >= 8);
        QVERIFY(Window->MemoVariables().toPlainText().contains(QStringLiteral("VIN=10")));
        QCOMPARE(Window->windowTitle(), QStringLiteral("divider.zsm - ZaroSim"));
    }

    // The message says what is wrong; the drawing stays and can be edited.
    void aDamagedFileIsReportedAndChangesNothing() {
        Place("AtnDeviceR");
        QFile broken(File("broken.zsm"));
        broken.open(QIODevice::WriteOnly);
        broken.write("ZaroSim Model Definition, but not really");
        broken.close();
        Dialogs->Answer(QMessageBox::No);
        Dialogs->ChooseFile(broken.fileName());
        Trigger("AtnFileOpen");
        QCOMPARE(Dialogs->Messages.size(), 2); // the question, then the error
        QVERIFY(!Dialogs->Messages.last().isEmpty());
        QCOMPARE(Canvas().DragPanelCount(), 1);
        QCOMPARE(View().PanelWidgetCount(), 1);
        Place("AtnDeviceC");
        QCOMPARE(View().PanelWidgetCount(), 2);
        QVERIFY(Window->Actions().AllEnabled());
    }

    void closingAsksAboutChanges() {
        Place("AtnDeviceR");
        Dialogs->Answer(QMessageBox::Yes);
        Dialogs->ChooseFile(QString());
        QVERIFY(!Window->close());
        QVERIFY(Window->isVisible());
        QCOMPARE(Dialogs->Messages, QStringList{CloseQuestion});
        Dialogs->Answer(QMessageBox::No);
        QVERIFY(Window->close());
    }
};

static TGuiSuite<TFilesTest> FilesSuite("Files");

} // namespace zaro::test

#include "FilesTest.moc"
