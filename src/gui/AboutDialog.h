#pragma once
// TFrmAbout: the program's icon and title with the file version and the
// copyright of the program file, read through its version information. A
// program file without version information shows empty value labels.

#include "VersionInf.h"

#include <QDialog>

class QLabel;

namespace zaro::gui {

// The program icon drawn from its built-in SVG at `size` pixels square.
QPixmap ProgramIconPixmap(int size);

class TFrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAbout(QWidget* parent = nullptr);

    TVersionInf& VersionInf1() { return FVersionInf; }
    QLabel& LblFileVersion() const { return *FLblFileVersion; }
    QLabel& LblLegalCopyright() const { return *FLblLegalCopyright; }

    // Fills the value labels from VersionInf1's file.
    void UpdateDisplays();

private:
    void BuildLayout();

    TVersionInf FVersionInf;
    QLabel* FLblFileVersion = nullptr;
    QLabel* FLblLegalCopyright = nullptr;
};

} // namespace zaro::gui
