#pragma once
// The core's platform on Qt: message boxes, cursor, repaints and the panel
// drag through the canvas view, pending events, title, status bar, command
// enabling, file dialogs and the clipboard.

#include "Platform.h"

#include <QElapsedTimer>
#include <QPointer>

#include <array>

class QLabel;
class QWidget;

namespace zaro::gui {

class TActionSet;
class TCanvasView;

// The window parts the platform works on; any may be missing (nullptr).
struct TPlatformTargets {
    QWidget* Window = nullptr;
    TCanvasView* Canvas = nullptr;
    std::array<QLabel*, 3> StatusPanels{};
    TActionSet* Actions = nullptr;
};

// The dialog filter of the core ("Name(*.ZSM)|*.ZSM|...") as Qt writes it;
// patterns match in either letter case.
QString QtFileFilter(const std::string& filter);

class TQtPlatform : public TPlatform {
public:
    TQtPlatform();
    ~TQtPlatform() override;

    void Attach(const TPlatformTargets& targets);

    TModalResult MessageBox(const std::string& text, TMsgDlgType type,
                            TMsgDlgButtons buttons) override;
    void Beep() override;
    TCursorShape ScreenCursor() override { return Cursor; }
    void SetScreenCursor(TCursorShape cursor) override;
    void RepaintPanel(const TDragPanel& panel) override;
    void RepaintCanvas() override;
    void BeginPanelDrag(TDragPanel& panel, int threshold) override;
    void FocusCanvas() override;
    void ProcessMessages() override;
    std::int32_t TickCount() override;
    void SetTitle(const std::string& title) override;
    void SetStatusText(int panelIndex, const std::string& text) override;
    void SetCommandsEnabled(bool enabled) override;
    void RepaintWindow() override;
    std::optional<std::string> ChooseOpenFile(const TFileDialogOptions& options) override;
    std::optional<std::string> ChooseSaveFile(const TFileDialogOptions& options) override;
    void SetClipboardData(const std::string& format,
                          const std::vector<std::uint8_t>& bytes) override;
    std::optional<std::vector<std::uint8_t>> ClipboardData(const std::string& format) override;
    void SetClipboardText(const std::string& text) override;
    void OpenWithDesktop(const std::string& url) override;

private:
    std::optional<std::string> ChooseFile(const TFileDialogOptions& options, bool save);

    QPointer<QWidget> Window;
    TCanvasView* Canvas = nullptr;
    std::array<QPointer<QLabel>, 3> StatusPanels;
    TActionSet* Actions = nullptr;
    TCursorShape Cursor = TCursorShape::crDefault;
    QElapsedTimer Ticks;
};

} // namespace zaro::gui
