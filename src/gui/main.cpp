// zarosim: the desktop program. Binds ZaroMath, opens the main window (with
// the model file named by the first argument) and runs until it closes.

#include "ApplicationSetup.h"
#include "MainWindow.h"
#include "ZaroMathImport.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zaro::gui::SetUpApplication();
    int result = 0;
    {
        zaro::gui::TFrmMainWnd window(QApplication::arguments().mid(1));
        window.show();
        result = QApplication::exec();
    }
    zaro::UnloadZaroMath();
    return result;
}
