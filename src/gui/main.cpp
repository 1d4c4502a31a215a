// zarosim: the desktop program. Binds ZaroMath, opens the main window (with
// the model file named by the first argument) and runs until it closes.
// zarosim --screenshot PNG [FILE]: starts the same way, saves a picture of
// the window once it is up and quits; it shows that an installed copy runs
// (the exit status is 1 when ZaroMath could not be bound or PNG not written).

#include "ApplicationSetup.h"
#include "MainWindow.h"
#include "ZaroMathImport.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

namespace {

constexpr int StartUpWaitMs = 500;

void SaveWhenUp(zaro::gui::TFrmMainWnd& window, const QString& picture) {
    QTimer::singleShot(StartUpWaitMs, &window, [&window, picture] {
        const bool saved = window.grab().save(picture);
        QApplication::exit(saved && zaro::ZaroMathLoaded() ? 0 : 1);
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zaro::gui::SetUpApplication();
    QStringList arguments = QApplication::arguments().mid(1);
    QString picture;
    if (arguments.size() >= 2 && arguments.constFirst() == QStringLiteral("--screenshot")) {
        picture = arguments.at(1);
        arguments = arguments.mid(2);
    }
    int result = 0;
    {
        zaro::gui::TFrmMainWnd window(arguments);
        window.show();
        if (!picture.isEmpty()) {
            SaveWhenUp(window, picture);
        }
        result = QApplication::exec();
    }
    zaro::UnloadZaroMath();
    return result;
}
