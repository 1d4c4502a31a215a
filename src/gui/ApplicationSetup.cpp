#include "ApplicationSetup.h"

#include "InterfaceFont.h"
#include "ZaroMathImport.h"

#include <QApplication>

namespace zaro::gui {

bool SetUpApplication() {
    QApplication::setApplicationName(QStringLiteral("ZaroSim"));
    QApplication::setOrganizationName(QStringLiteral("ZaroSim"));
    QApplication::setFont(InterfaceFont());
    LoadZaroMath();
    return ZaroMathLoaded();
}

} // namespace zaro::gui
