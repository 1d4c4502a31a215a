#include "InterfaceFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace zaro::gui {

QString InterfaceFontFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* wanted : {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPA Pゴシック",
                                   "IPAGothic", "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic"}) {
            const QString name = QString::fromUtf8(wanted);
            if (installed.contains(name)) {
                return name;
            }
        }
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        return japanese.isEmpty() ? QString() : japanese.constFirst();
    }();
    return family;
}

QFont InterfaceFont() {
    QFont font;
    if (!InterfaceFontFamily().isEmpty()) {
        font.setFamily(InterfaceFontFamily());
    }
    font.setPointSize(9);
    return font;
}

QFont InterfaceFont(int pixelSize) {
    QFont font = InterfaceFont();
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace zaro::gui
