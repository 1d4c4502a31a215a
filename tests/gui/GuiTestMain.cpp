// Runs one suite of the Qt tests: tests_gui SUITE [QtTest options], or every
// suite without a name. ZaroMath is bound as the program binds it.

#include "ApplicationSetup.h"
#include "GuiSuites.h"
#include "ZaroMathImport.h"

#include <QApplication>
#include <QTest>

#include <iostream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!zaro::gui::SetUpApplication()) {
        std::cerr << "libZaroMath.so could not be bound from the program's folder\n";
        return 1;
    }
    QStringList args = QApplication::arguments();
    std::string only;
    if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
        only = args.takeAt(1).toStdString();
    }
    int failures = 0;
    bool ran = false;
    for (const auto& [name, make] : zaro::test::GuiSuites()) {
        if (only.empty() || only == name) {
            ran = true;
            const std::unique_ptr<QObject> suite = make();
            failures += QTest::qExec(suite.get(), args);
        }
    }
    zaro::UnloadZaroMath();
    if (!ran) {
        std::cerr << "no suite named " << only << '\n';
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
