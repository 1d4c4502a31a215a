// How the program starts: without the complex library it says so and
// closes; with a file on the command line it opens it; the window comes
// back where it was left.

#include "GuiFixture.h"
#include "GuiSuites.h"
#include "ZaroMathImport.h"

#include <QSettings>

namespace zaro::test {

class TStartUpTest : public TWindowSuite {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() {
        CloseWindow();
        UnloadZaroMath();
        SetZaroMathFileName(ZaroMathDefaultFileName);
        LoadZaroMath();
    }

    void withoutTheLibraryTheProgramSaysSoAndCloses() {
        UnloadZaroMath();
        SetZaroMathFileName("libNoSuchZaroMath.so");
        LoadZaroMath();
        OpenWindow();
        QTRY_VERIFY(!Window->isVisible());
        QCOMPARE(Dialogs->Messages, QStringList{QStringLiteral(
                                        "ZaroMath.DLLが読み込めません。\nこのファイルが正しくイン"
                                        "ストールされているかを確認して再起動してください。")});
    }

    void theFirstArgumentIsOpened() {
        OpenWindow({ExamplePath("led-resistor.zsm")});
        QCOMPARE(Window->windowTitle(), QStringLiteral("led-resistor.zsm - ZaroSim"));
        QVERIFY(Canvas().DragPanelCount() > 0);
        QCOMPARE(View().PanelWidgetCount(), Canvas().DragPanelCount());
        QVERIFY(!Doc().Modified());
    }

    void aDamagedArgumentIsReportedAndTheWindowStays() {
        OpenWindow({QStringLiteral("/no/such/folder/circuit.zsm")});
        QCOMPARE(Dialogs->Messages.size(), 1);
        QVERIFY(Window->isVisible());
        QCOMPARE(Window->windowTitle(), QStringLiteral("Untitled - ZaroSim"));
    }

    void theWindowOpensWhereItWasClosed() {
        QSettings().clear();
        OpenWindow();
        Window->resize(900, 620);
        QVERIFY(Window->close());
        CloseWindow();
        OpenWindow();
        QCOMPARE(Window->size(), QSize(900, 620));
        QSettings().clear();
    }
};

static TGuiSuite<TStartUpTest> StartUpSuite("StartUp");

} // namespace zaro::test

#include "StartUpTest.moc"
