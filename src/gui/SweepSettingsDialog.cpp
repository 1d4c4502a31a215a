#include "SweepSettingsDialog.h"

#include "Sweep.h"
#include "VariableLines.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace zaro::gui {

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::string FieldText(const TSweepSettingsDialog& dialog, const std::string& name) {
    return dialog.Field(name.c_str())->text().trimmed().toStdString();
}

} // namespace

std::vector<std::string> VariableNames(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    std::vector<std::string> seen; // "NAME=" lines, for the lookup that ignores case
    for (const std::string& line : lines) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) {
            continue;
        }
        const std::string name = line.substr(0, equals);
        if (!FindVariableValue(seen, name)) {
            seen.push_back(name + "=");
            names.push_back(name);
        }
    }
    return names;
}

TSweepSettingsDialog::TSweepSettingsDialog(const std::vector<std::string>& variableLines,
                                           QWidget* parent)
    : QDialog(parent), FLines(variableLines) {
    setWindowTitle(Text("掃引解析"));
    setObjectName(QStringLiteral("SweepSettingsDialog"));
    FAC = new QRadioButton(Text("周波数特性(&F)"), this);
    FAC->setObjectName(QStringLiteral("SweepAC"));
    FDC = new QRadioButton(Text("直流掃引(&D)"), this);
    FDC->setObjectName(QStringLiteral("SweepDC"));
    FAC->setChecked(true);
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(FAC);
    kinds->addWidget(FDC);

    FPages = new QStackedWidget(this);
    FPages->addWidget(BuildACPage());
    FPages->addWidget(BuildDCPage());
    connect(FDC, &QRadioButton::toggled, FPages,
            [this](bool dc) { FPages->setCurrentIndex(dc ? 1 : 0); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Text("実行"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Text("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(FPages);
    layout->addWidget(buttons);
}

QLineEdit* TSweepSettingsDialog::AddField(QFormLayout& form, const char* name, const char* label,
                                          const char* text) {
    auto* field = new QLineEdit(Text(text));
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(Text(label));
    form.addRow(Text(label), field);
    return field;
}

QWidget* TSweepSettingsDialog::BuildACPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    AddField(*form, "ACFrom", "開始周波数 (Hz)", "10");
    AddField(*form, "ACTo", "終了周波数 (Hz)", "100k");
    FSpacing = new QComboBox;
    FSpacing->setObjectName(QStringLiteral("ACSpacing"));
    FSpacing->setAccessibleName(Text("刻み方"));
    FSpacing->addItem(Text("1ディケードあたりの点数"));
    FSpacing->addItem(Text("線形の刻み幅 (Hz)"));
    form->addRow(Text("刻み方"), FSpacing);
    AddField(*form, "ACStep", "点数・刻み幅", "50");
    return page;
}

QWidget* TSweepSettingsDialog::BuildDCPage() {
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    FVariable = new QComboBox;
    FVariable->setObjectName(QStringLiteral("DCVariable"));
    FVariable->setAccessibleName(Text("変数"));
    FVariable->setEditable(true);
    for (const std::string& name : VariableNames(FLines)) {
        FVariable->addItem(QString::fromStdString(name));
    }
    form->addRow(Text("変数"), FVariable);
    AddField(*form, "DCFrom", "開始値", "0");
    AddField(*form, "DCTo", "終了値", "1");
    AddField(*form, "DCStep", "刻み幅", "0.05");
    return page;
}

QLineEdit* TSweepSettingsDialog::Field(const char* objectName) const {
    return findChild<QLineEdit*>(QString::fromLatin1(objectName));
}

std::optional<TSweepRequest> TSweepSettingsDialog::Request(std::string& message) const {
    TSweepRequest request;
    request.IsAC = FAC->isChecked();
    const std::string prefix = request.IsAC ? "AC" : "DC";
    try {
        request.Range.From = ReadSweepNumber(FieldText(*this, prefix + "From"));
        request.Range.To = ReadSweepNumber(FieldText(*this, prefix + "To"));
        request.Range.Step = ReadSweepNumber(FieldText(*this, prefix + "Step"));
        request.Range.Spacing = request.IsAC && FSpacing->currentIndex() == 0
                                    ? TSweepSpacing::PerDecade
                                    : TSweepSpacing::LinearStep;
        request.Range.Check();
        if (!request.IsAC) {
            request.Variable = FVariable->currentText().trimmed().toStdString();
            if (!FindVariableValue(FLines, request.Variable)) {
                throw ESweepRange(MissingVariableMessage(request.Variable));
            }
        }
    } catch (const ESweepRange& e) {
        message = e.what();
        return std::nullopt;
    }
    return request;
}

void TSweepSettingsDialog::accept() {
    std::string message;
    const std::optional<TSweepRequest> request = Request(message);
    if (!request) {
        QMessageBox::information(this, windowTitle(), QString::fromStdString(message));
        return;
    }
    FAccepted = *request;
    QDialog::accept();
}

} // namespace zaro::gui
