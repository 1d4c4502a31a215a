#pragma once
// A device's value box (or a meter's reading) as a QLineEdit over the core's
// TEditBox: text, read-only flag, colour, font height and place follow the
// core; the user's edit goes back to the panel when it is complete (Return
// or leaving the box). A character that a model file cannot hold (code page
// 932 has no 〜, − or — of many input methods) is pointed out while typing.

#include "Signal.h"

#include <QLineEdit>

namespace zaro {
class TDragPanel;
class TEditBox;
} // namespace zaro

namespace zaro::gui {

// The first character of `text` that code page 932 cannot hold, or an empty
// string when it can hold all of them.
QString FirstUnsavableCharacter(const QString& text);
// "「〜」(U+301C) はファイルに保存できない文字です。" for that character.
QString UnsavableCharacterMessage(const QString& character);

class TValueBox : public QLineEdit {
    Q_OBJECT
public:
    TValueBox(TDragPanel& panel, TEditBox& box, QWidget* parent);
    ~TValueBox() override;

    TEditBox& Box() const { return FBox; }
    // Hands a finished edit to the panel; the box shows the core's text
    // afterwards (the old one when the edit was refused).
    void Commit();
    // The problem with the present text, or empty.
    QString Problem() const { return FProblem; }

    void UpdateAccessibleName(const QString& name);
    // While an analysis runs the box takes no typing.
    void SetLocked(bool locked);

private:
    void FollowBox();
    QFont FittingFont() const;
    void CheckCharacters();

    TDragPanel& FPanel;
    TEditBox& FBox;
    QString FProblem;
    bool Locked = false;
    TConnectionList Links;
};

} // namespace zaro::gui
