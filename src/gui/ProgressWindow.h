#pragma once
// TFrmProgress on the screen: the small always-on-top window an analysis
// shows while it runs, with the three step boxes, the solve count, the
// residual as text and bar, the status line and Stop. The core's
// TFrmProgress decides what it shows; Stop goes back to it.

#include "ProgressView.h"

#include <QDialog>

#include <map>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace zaro {
class TFrmProgress;
}

namespace zaro::gui {

class TProgressWindow : public QDialog, public TProgressView {
    Q_OBJECT
public:
    explicit TProgressWindow(QWidget* parent = nullptr);

    // The state whose Stop the button presses.
    void SetProgress(TFrmProgress* progress) { Progress = progress; }

    void Show() override;
    void Hide() override;
    void SetText(TProgressControl control, const std::string& text) override;
    void SetEnabled(TProgressControl control, bool enabled) override;
    void SetCheckState(TProgressControl control, TCheckBoxState state) override;
    void SetBarPosition(int position) override;
    void RepaintNow(TProgressControl control) override;

    QPushButton* StopButton() const { return BtnStop; }

protected:
    // Esc presses Stop instead of closing the window under the analysis.
    void reject() override;

private:
    QLabel* AddLabel(const char* name, int left, int top, const char* caption);
    QCheckBox* AddStep(const char* name, int left, int top, int width, const char* caption);
    QWidget* Control(TProgressControl control) const;
    void StopClicked();

    TFrmProgress* Progress = nullptr;
    std::map<TProgressControl, QWidget*> Controls;
    QPushButton* BtnStop = nullptr;
    QProgressBar* PBarError = nullptr;
};

} // namespace zaro::gui
