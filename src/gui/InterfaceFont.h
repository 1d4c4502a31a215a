#pragma once
// The interface font: "ＭＳ Ｐゴシック" where it is installed, otherwise a
// Japanese font that is (the set-up installs IPA P Gothic).

#include <QFont>
#include <QString>

namespace zaro::gui {

// The family chosen; empty when no Japanese font is installed at all.
QString InterfaceFontFamily();
// 9 points, as the main window uses it.
QFont InterfaceFont();
// The same family at a size in pixels.
QFont InterfaceFont(int pixelSize);

} // namespace zaro::gui
