// The window as it opens: the tool bar and the menus in their order with
// every caption and hint, the left pane's pages, the status bar, the title,
// the interface font and what a screen reader is told.

#include "GuiFixture.h"
#include "GuiSuites.h"
#include "InterfaceFont.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QWidgetAction>

namespace zaro::test {
namespace {

// A menu as text: items by caption, "-" for separators, submenus indented,
// hidden items in brackets.
void DumpMenu(const QMenu& menu, const QString& indent, QStringList& lines) {
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            lines << indent + QStringLiteral("-");
        } else if (action->menu() != nullptr) {
            lines << indent + action->text();
            DumpMenu(*action->menu(), indent + QStringLiteral("  "), lines);
        } else {
            lines << indent + (action->isVisible() ? action->text()
                                                   : QStringLiteral("[%1]").arg(action->text()));
        }
    }
}

const char* const ExpectedMenus = "&File\n"
                                  "  新規作成(&N)\n"
                                  "  -\n"
                                  "  開く(&O)\n"
                                  "  上書き保存(&S)\n"
                                  "  名前を付けて保存(&A)...\n"
                                  "  -\n"
                                  "  終了(&X)\n"
                                  "&Edit\n"
                                  "  元に戻す(&Z)\n"
                                  "  やり直し(&Y)\n"
                                  "  -\n"
                                  "  切り取り(&T)\n"
                                  "  コピー(&C)\n"
                                  "  貼り付け(&P)\n"
                                  "  削除(&D)\n"
                                  "  -\n"
                                  "  フォント(&F)\n"
                                  "  太字(&B)\n"
                                  "  斜体(&I)\n"
                                  "  下線(&U)\n"
                                  "&Device\n"
                                  "  Basic\n"
                                  "    Resistor(抵抗器)\n"
                                  "    Capacitor(蓄電器)\n"
                                  "    Inductor(誘導子)\n"
                                  "  Source and GND\n"
                                  "    VDC(直流電源)\n"
                                  "    VAC(交流電源)\n"
                                  "    Current Source(電流源)\n"
                                  "    -\n"
                                  "    Voltage Level(定電位)\n"
                                  "    GND(接地)\n"
                                  "    Open(開放端)\n"
                                  "  Concatenator\n"
                                  "    Y Connection(Y型分岐)\n"
                                  "    X Connection(X型分岐)\n"
                                  "  Meter\n"
                                  "    Potential Meter(電位計)\n"
                                  "    Volt Meter(電位差計)\n"
                                  "    Ampere Meter(電流系)\n"
                                  "  Semiconductor\n"
                                  "    Diode(整流器)\n"
                                  "    NPN Transistor\n"
                                  "    PNP Transistor\n"
                                  "    LED(発光ダイオード)\n"
                                  "    Zenar Diode(ツェナダイオード)\n"
                                  "  Special\n"
                                  "    Lamp(電球)\n"
                                  "    &Label(ラベル)\n"
                                  "&Simulate\n"
                                  "  直流解析\n"
                                  "  交流解析\n"
                                  "  -\n"
                                  "  線形直流解析\n"
                                  "  線形交流解析\n"
                                  "  直流解析(動作点初期化無し)\n"
                                  "  交流解析(動作点初期化無し)\n"
                                  "  -\n"
                                  "  掃引解析(&W)...\n"
                                  "&Options\n"
                                  "  レジストリ登録\n"
                                  "  レジストリ登録の抹消\n"
                                  "&Help\n"
                                  "  Help Index...\n"
                                  "  Zaroの広場を開く...\n"
                                  "  -\n"
                                  "  ZaroSimについて...\n"
                                  "  [DebugLog Copy]\n"
                                  "  [List resistors]";

// The tool bar by command name; "|" separates groups.
const char* const ExpectedToolBar =
    "AtnFileNew AtnFileOpen AtnFileSave | AtnEditCopy AtnEditCut AtnEditPaste | AtnEditDelete | "
    "AtnSimulateDCNonLinear AtnSimulateACNonLinear | REditBold1 REditItalic1 REditUnderline1 | "
    "AtnDeviceR AtnDeviceC AtnDeviceL | AtnDeviceVDC AtnDeviceVAC AtnDeviceLevel AtnDeviceISrc "
    "AtnDeviceGnd AtnDeviceOpen | AtnDevicePotMeter AtnDeviceVMeter AtnDeviceAmMeter | "
    "AtnDeviceY AtnDeviceX | AtnDeviceDiode AtnDeviceTrNPN AtnDeviceTrPNP AtnDeviceLED "
    "AtnDeviceZenarDiode | AtnDeviceLamp AtnDeviceLabel | EditFreq | AtnHelpIndex AtnHelpZaro "
    "AtnHelpAbout | AtnFileExit";

QString AccessibleName(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

} // namespace

class TLayoutTest : public TWindowSuite {
    Q_OBJECT
private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    void menusHoldEveryCommandInOrder() {
        QStringList lines;
        for (QAction* top : Window->menuBar()->actions()) {
            lines << top->text();
            DumpMenu(*top->menu(), QStringLiteral("  "), lines);
        }
        QCOMPARE(lines.join(QLatin1Char('\n')), QString::fromUtf8(ExpectedMenus));
    }

    void toolBarHoldsItsCommandsInOrder() {
        QStringList names;
        for (QAction* action : Window->ToolBar().actions()) {
            if (action->isSeparator()) {
                names << QStringLiteral("|");
            } else if (qobject_cast<QWidgetAction*>(action) != nullptr ||
                       action->objectName().isEmpty()) {
                names << QStringLiteral("EditFreq");
            } else {
                names << action->objectName();
            }
        }
        QCOMPARE(names.join(QLatin1Char(' ')), QString::fromLatin1(ExpectedToolBar));
        QCOMPARE(Window->EditFreq().text(), QStringLiteral("1000"));
        QCOMPARE(Window->EditFreq().width(), 84);
    }

    // Hints are the status tips and tool tips; a device without a hint has none.
    void hintsGoToStatusAndToolTips() {
        const QAction* save = Window->Actions().Action("AtnFileSave");
        QCOMPARE(save->statusTip(), QStringLiteral("現在の回路を保存します"));
        QCOMPARE(save->toolTip(), save->statusTip());
        QCOMPARE(Window->Actions().Action("AtnDeviceLamp")->statusTip(),
                 QStringLiteral("電球(光る抵抗)"));
        QVERIFY(Window->Actions().Action("AtnDeviceLED")->statusTip().isEmpty());
        QCOMPARE(Window->Actions().Action("AtnFileSave")->shortcut(),
                 QKeySequence(QKeySequence::Save));
    }

    void leftPaneCanvasAndStatusBar() {
        QCOMPARE(Window->Pages().count(), 2);
        QCOMPARE(Window->Pages().tabText(0), QStringLiteral("状態"));
        QCOMPARE(Window->Pages().tabText(1), QStringLiteral("変数"));
        QCOMPARE(Window->Pages().currentIndex(), 0);
        QVERIFY(Window->MemoProperty().isReadOnly());
        QVERIFY(!Window->MemoVariables().isReadOnly());
        QCOMPARE(Window->Pages().width(), 165);
        QVERIFY(View().width() > 500);
        QCOMPARE(Canvas().HorzScrollRange(), 2000);
        QCOMPARE(Canvas().VertScrollRange(), 1500);
        QCOMPARE(Canvas().Width(), Viewport()->width());
        const int widths[] = {50, 100, 200};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(Window->StatusPanel(i).width(), widths[i]);
            QVERIFY(StatusText(i).isEmpty());
        }
        QCOMPARE(Window->windowTitle(), QStringLiteral("Untitled - ZaroSim"));
        QVERIFY(!gui::InterfaceFontFamily().isEmpty());
        QCOMPARE(Window->font().family(), gui::InterfaceFontFamily());
    }

    void screenReadersHearEveryControl() {
        for (QAction* action : Window->ToolBar().actions()) {
            if (auto* button =
                    qobject_cast<QToolButton*>(Window->ToolBar().widgetForAction(action))) {
                QVERIFY2(!AccessibleName(button).isEmpty(), qPrintable(action->objectName()));
            }
        }
        QCOMPARE(AccessibleName(&Window->EditFreq()), QStringLiteral("周波数 (Hz)"));
        QCOMPARE(AccessibleName(&Window->MemoProperty()), QStringLiteral("状態"));
        QCOMPARE(AccessibleName(&Window->MemoVariables()), QStringLiteral("変数"));
        QCOMPARE(AccessibleName(&Window->StatusPanel(0)), QStringLiteral("変更状態"));
        Place("AtnDeviceR");
        Place("AtnDeviceVMeter");
        MovePanelTo(1, 16, 16);
        QCOMPARE(AccessibleName(&PanelWidget(0)), QStringLiteral("Resistor(抵抗器) No. 0"));
        QCOMPARE(AccessibleName(PanelWidget(0).ValueBoxes()[0]),
                 QStringLiteral("Resistor(抵抗器) No. 0 値"));
        QCOMPARE(AccessibleName(PanelWidget(1).ValueBoxes()[0]),
                 QStringLiteral("Volt Meter(電位差計) No. 1 表示値"));
        SelectPanel(0);
        QTest::keyClick(&View(), Qt::Key_Delete);
        QCOMPARE(AccessibleName(&PanelWidget(0)), QStringLiteral("Volt Meter(電位差計) No. 0"));
    }
};

static TGuiSuite<TLayoutTest> LayoutSuite("Layout");

} // namespace zaro::test

#include "LayoutTest.moc"
