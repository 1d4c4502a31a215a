// The Edit commands follow the keyboard focus: a text control's text goes
// through the text clipboard, the schematic's devices through their own
// format. The Help and Options commands reach the desktop and the About box.

#include "AboutDialog.h"
#include "ClipboardCommands.h"
#include "GuiFixture.h"
#include "GuiSuites.h"
#include "HelpCommands.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace zaro::test {

namespace {

const QString DeviceFormat = QString::fromLatin1(DeviceClipboardFormat);

void PutOnClipboard(const QString& text, const QByteArray& device = {}) {
    auto* data = new QMimeData;
    data->setText(text);
    if (!device.isEmpty()) {
        data->setData(DeviceFormat, device);
    }
    QApplication::clipboard()->setMimeData(data);
}

bool ClipboardHoldsDevice() {
    return QApplication::clipboard()->mimeData()->hasFormat(DeviceFormat);
}

// Collects the addresses the desktop is asked to open.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    TUrlCatcher() {
        for (const char* scheme : {"file", "https"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
        }
    }
    ~TUrlCatcher() override {
        for (const char* scheme : {"file", "https"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    QList<QUrl> Opened;
public Q_SLOTS:
    void Open(const QUrl& url) { Opened << url; }
};

} // namespace

class TShellTest : public TWindowSuite {
    Q_OBJECT

    // A resistor, selected, with the canvas focused.
    void SelectedResistor() {
        Place("AtnDeviceR");
        SelectPanel(0);
        View().setFocus();
    }
    void FocusOn(QWidget& control) {
        Window->activateWindow();
        control.setFocus();
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), &control);
    }

private Q_SLOTS:
    void init() { OpenWindow(); }
    void cleanup() { CloseWindow(); }

    // The focused memo copies its text even while a device is selected; the
    // focused canvas copies the device.
    void focusDecidesBetweenTextAndDevice() {
        SelectedResistor();
        FocusOn(Window->MemoProperty());
        Window->MemoProperty().selectAll();
        Trigger("AtnEditCopy");
        QCOMPARE(QApplication::clipboard()->text(), Window->MemoProperty().toPlainText());
        QVERIFY(!ClipboardHoldsDevice());
        FocusOn(View());
        Trigger("AtnEditCopy");
        QVERIFY(ClipboardHoldsDevice());
    }

    // With the variables memo focused, paste inserts the text even when the
    // clipboard also holds a device; cut and delete act on its selection.
    void aFocusedMemoPastesCutsAndDeletesText() {
        SelectedResistor();
        Trigger("AtnEditCopy");
        const QByteArray device = QApplication::clipboard()->mimeData()->data(DeviceFormat);
        PutOnClipboard(QStringLiteral("R1 = 10"), device);
        QPlainTextEdit& memo = Window->MemoVariables();
        Window->Pages().setCurrentWidget(&memo);
        FocusOn(memo);
        memo.clear();
        Trigger("AtnEditPaste");
        QCOMPARE(memo.toPlainText(), QStringLiteral("R1 = 10"));
        QCOMPARE(Canvas().DragPanelCount(), 1);
        memo.selectAll();
        Trigger("AtnEditCut");
        QCOMPARE(memo.toPlainText(), QString());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("R1 = 10"));
        memo.setPlainText(QStringLiteral("abc"));
        QTextCursor cursor = memo.textCursor();
        cursor.setPosition(1, QTextCursor::MoveAnchor);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        memo.setTextCursor(cursor);
        Trigger("AtnEditDelete");
        QCOMPARE(memo.toPlainText(), QStringLiteral("ac"));
        QCOMPARE(Canvas().DragPanelCount(), 1);
    }

    // Cut in the read-only property memo only copies; Delete and Paste do nothing.
    void aReadOnlyMemoOnlyCopies() {
        SelectedResistor();
        QPlainTextEdit& memo = Window->MemoProperty();
        const QString text = memo.toPlainText();
        FocusOn(memo);
        memo.selectAll();
        PutOnClipboard(QStringLiteral("other"));
        for (const char* command : {"AtnEditDelete", "AtnEditPaste", "AtnEditCut"}) {
            Trigger(command);
        }
        QCOMPARE(memo.toPlainText(), text);
        QCOMPARE(QApplication::clipboard()->text(), text);
        QCOMPARE(Canvas().DragPanelCount(), 1);
    }

    // The frequency field and a value box paste into themselves.
    void lineFieldsPasteIntoThemselves() {
        SelectedResistor();
        PutOnClipboard(QStringLiteral("50"));
        QLineEdit* fields[] = {&Window->EditFreq(), PanelWidget(0).ValueBoxes().at(0)};
        for (QLineEdit* field : fields) {
            FocusOn(*field);
            field->selectAll();
            Trigger("AtnEditPaste");
            QCOMPARE(field->text(), QStringLiteral("50"));
        }
        QCOMPARE(Canvas().DragPanelCount(), 1);
    }

    // Copy without a selection, in a text field or on the canvas, leaves the
    // clipboard as it was.
    void copyWithNothingSelectedKeepsTheClipboard() {
        Place("AtnDeviceR");
        PutOnClipboard(QStringLiteral("keep"));
        FocusOn(Window->EditFreq());
        Window->EditFreq().deselect();
        Trigger("AtnEditCopy");
        Trigger("AtnEditCut");
        QCOMPARE(Window->EditFreq().text(), QStringLiteral("1000"));
        FocusOn(View());
        Canvas().SetSelectedDragPanelNo(-1);
        Trigger("AtnEditCopy");
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("keep"));
        QVERIFY(!ClipboardHoldsDevice());
    }

    // A damaged device payload is reported and adds nothing.
    void aDamagedPayloadIsReportedAndChangesNothing() {
        SelectedResistor();
        PutOnClipboard(QString(), QByteArray("\x0bTNoSuchPart\x01\x02", 14));
        Trigger("AtnEditPaste");
        QCOMPARE(Canvas().DragPanelCount(), 1);
        QCOMPARE(Dialogs->Messages.size(), 1);
    }

    // Help opens the manual beside the program and the support page.
    void helpOpensTheManualAndTheSupportPage() {
        const TUrlCatcher catcher;
        Trigger("AtnHelpIndex");
        Trigger("AtnHelpZaro");
        QCOMPARE(catcher.Opened.size(), 2);
        const QString manual = QDir(QApplication::applicationDirPath()).filePath(HelpFileName);
        QCOMPARE(catcher.Opened[0], QUrl::fromLocalFile(manual));
        QVERIFY(QFileInfo::exists(manual));
        QCOMPARE(catcher.Opened[1], QUrl(QString::fromLatin1(SupportPageAddress)));
    }

    // Registering writes the association into the user's data folder;
    // unregistering takes it away again.
    void optionsRegisterAndUnregister() {
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", Folder.path().toUtf8());
        Dialogs->Answer(QMessageBox::Ok);
        Trigger("AtnOptionsRegister");
        const QDir packages(Folder.filePath(QStringLiteral("mime/packages")));
        const int written = static_cast<int>(packages.entryList({"*.xml"}, QDir::Files).size());
        Dialogs->Answer(QMessageBox::Ok);
        Trigger("AtnOptionsUnregieter");
        const int left = static_cast<int>(packages.entryList({"*.xml"}, QDir::Files).size());
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(written, 1);
        QCOMPARE(left, 0);
        QCOMPARE(Dialogs->Messages.size(), 4); // question and result, twice
    }

    // The About box of a program file without version information shows
    // empty values; with the built program's file it shows its version.
    void theAboutBoxShowsTheProgramsVersion() {
        gui::TFrmAbout about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About ZaroSim"));
        QCOMPARE(about.size(), QSize(311, 117));
        QCOMPARE(about.LblFileVersion().text(), QString()); // the test program has none
        about.VersionInf1().SetFileName(QDir(QApplication::applicationDirPath())
                                            .filePath(QStringLiteral("zarosim"))
                                            .toStdString());
        about.UpdateDisplays();
        QVERIFY(about.LblFileVersion().text().contains(QLatin1Char('.')));
        QVERIFY(about.LblLegalCopyright().text().contains(QStringLiteral("ZaroSim")));
    }

    // The Help command shows the box modally.
    void helpAboutShowsTheBox() {
        QString shown;
        QTimer::singleShot(50, [&shown] {
            if (auto* box = qobject_cast<gui::TFrmAbout*>(QApplication::activeModalWidget())) {
                shown = box->windowTitle();
                box->accept();
            }
        });
        Trigger("AtnHelpAbout");
        QCOMPARE(shown, QStringLiteral("About ZaroSim"));
    }
};

static TGuiSuite<TShellTest> ShellSuite("Shell");

} // namespace zaro::test

#include "ShellTest.moc"
