#pragma once
// The editor of a label's note: a QTextEdit showing the note's formatted
// text. What the user changed goes back to the label when editing ends
// (leaving the editor, or a command run from the window), as one edit of the
// document; a note changed elsewhere is shown anew.

#include <QTextEdit>

#include <cstdint>
#include <vector>

namespace zaro {
class TLabelDevice;
}

namespace zaro::gui {

class TNoteTextEdit : public QTextEdit {
    Q_OBJECT
public:
    TNoteTextEdit(TLabelDevice& label, QWidget* parent);

    // Hands a changed text to the label; the editor shows the label's note
    // afterwards (the old one when the edit was refused).
    void Commit();
    // Shows the label's note unless the user is changing it.
    void FollowNote();
    // While an analysis runs the note takes no typing.
    void SetLocked(bool locked);

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowNote();

    TLabelDevice& FLabel;
    std::vector<std::uint8_t> ShownRtf;
};

} // namespace zaro::gui
