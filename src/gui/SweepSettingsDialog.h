#pragma once
// The sweep dialog: a frequency sweep (start, stop, points per decade or a
// linear step) or a DC sweep of one variable of the variables pane. OK checks
// the range and keeps the dialog open with the reason when it is bad.

#include "SweepRange.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace zaro::gui {

struct TSweepRequest {
    bool IsAC = true;
    std::string Variable; // DC only
    TSweepRange Range;
};

class TSweepSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // The lines of the variables pane; their names are offered for the DC sweep.
    TSweepSettingsDialog(const std::vector<std::string>& variableLines, QWidget* parent = nullptr);

    // The checked request, or the message that tells what is wrong with it.
    std::optional<TSweepRequest> Request(std::string& message) const;
    const TSweepRequest& Accepted() const { return FAccepted; }

    QRadioButton* ACButton() const { return FAC; }
    QRadioButton* DCButton() const { return FDC; }
    QLineEdit* Field(const char* objectName) const;
    QComboBox* Variables() const { return FVariable; }

    void accept() override;

private:
    QWidget* BuildACPage();
    QWidget* BuildDCPage();
    QLineEdit* AddField(QFormLayout& form, const char* name, const char* label, const char* text);

    QRadioButton* FAC = nullptr;
    QRadioButton* FDC = nullptr;
    QStackedWidget* FPages = nullptr;
    QComboBox* FSpacing = nullptr;
    QComboBox* FVariable = nullptr;
    std::vector<std::string> FLines;
    TSweepRequest FAccepted;
};

// The names of the lines NAME=VALUE, in order, each once whatever its case.
std::vector<std::string> VariableNames(const std::vector<std::string>& lines);

} // namespace zaro::gui
