#include "AboutDialog.h"

#include "ProgramIcon.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>

namespace zaro::gui {

namespace {

constexpr QSize ClientSize(311, 117);

QLabel* AddLabel(QWidget* parent, const QString& text, QRect place, const char* name = nullptr) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    if (name != nullptr) {
        label->setObjectName(QString::fromLatin1(name));
    }
    return label;
}

} // namespace

QPixmap ProgramIconPixmap(int size) {
    const std::string_view svg = ProgramIconSvg();
    QSvgRenderer renderer(QByteArray(svg.data(), static_cast<qsizetype>(svg.size())));
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

TFrmAbout::TFrmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("About ZaroSim"));
    setFixedSize(ClientSize);
    BuildLayout();
    // The program's own file, as the box's stored settings name it.
    FVersionInf.SetUseExeName(true);
    UpdateDisplays();
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TFrmAbout::BuildLayout() {
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setAccessibleName(QStringLiteral("ZaroSim"));
    icon->setGeometry(8, 8, 32, 32);
    icon->setPixmap(ProgramIconPixmap(32));

    QLabel* title = AddLabel(this, QStringLiteral("Ostrel"), {60, 8, 193, 36}, "LblTitle");
    QFont font = title->font();
    font.setPixelSize(27);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);

    QLabel* version = AddLabel(this, QStringLiteral("File Version:"), {12, 52, 78, 16});
    QLabel* copyright = AddLabel(this, QStringLiteral("Copyright:"), {12, 70, 78, 16});
    FLblFileVersion =
        AddLabel(this, QStringLiteral("LblFileVersion"), {92, 52, 215, 16}, "LblFileVersion");
    FLblLegalCopyright =
        AddLabel(this, QStringLiteral("LblLegalCopyright"), {92, 70, 215, 16}, "LblLegalCopyright");
    // A Japanese copyright line fits the fixed box in the smaller face.
    QFont values = FLblLegalCopyright->font();
    values.setPixelSize(11);
    FLblFileVersion->setFont(values);
    FLblLegalCopyright->setFont(values);
    version->setBuddy(FLblFileVersion);
    copyright->setBuddy(FLblLegalCopyright);
    FLblFileVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FLblLegalCopyright->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(118, 90, 75, 23);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TFrmAbout::UpdateDisplays() {
    const TVersionDisplayTexts texts = FVersionInf.DisplayTexts();
    FLblFileVersion->setText(QString::fromStdString(texts.FileVersion));
    FLblLegalCopyright->setText(QString::fromStdString(texts.LegalCopyright));
}

} // namespace zaro::gui
