#pragma once
// The one seam between the core and the outside world. The Qt shell, the
// command-line tool and the tests (a recording fake) implement it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zaro {

class TDragPanel;

enum class TMsgDlgType { mtInformation, mtConfirmation, mtWarning, mtError, mtCustom };
enum class TMsgDlgButtons { mbOK, mbYesNo, mbYesNoCancel, mbOKCancel };
enum class TModalResult { mrOk, mrYes, mrNo, mrCancel };

// Screen cursors the editor switches between.
enum class TCursorShape { crDefault, crSizeAll, crDrag, crNoDrop, crHourGlass };

struct TFileDialogOptions {
    std::string Title;
    std::string Filter;     // "ZaroSim Model File(*.zsm)|*.zsm" style pairs
    std::string DefaultExt; // without the dot
    std::string FileName;   // initial name
};

class TPlatform {
public:
    virtual ~TPlatform() = default;

    // Modal message box; the answer for mbOK boxes is mrOk.
    virtual TModalResult MessageBox(const std::string& text, TMsgDlgType type,
                                    TMsgDlgButtons buttons) = 0;
    virtual void Beep() = 0;

    virtual TCursorShape ScreenCursor() = 0;
    virtual void SetScreenCursor(TCursorShape cursor) = 0;

    // Repaint requests: the view redraws the panel or the whole canvas.
    virtual void RepaintPanel(const TDragPanel& panel) = 0;
    virtual void RepaintCanvas() = 0;

    // Starts the toolkit drag of a panel once the mouse moved `threshold` pixels.
    virtual void BeginPanelDrag(TDragPanel& panel, int threshold) = 0;
    virtual void FocusCanvas() = 0;

    // Processes pending GUI events from inside a running command.
    virtual void ProcessMessages() = 0;
    // Millisecond tick count, read as signed 32 bits.
    virtual std::int32_t TickCount() = 0;

    // Main window: caption, status bar panels, command enabling, immediate repaint.
    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetStatusText(int panelIndex, const std::string& text) = 0;
    virtual void SetCommandsEnabled(bool enabled) = 0;
    virtual void RepaintWindow() = 0;

    // File dialogs: the chosen name, or nothing when the user cancels.
    virtual std::optional<std::string> ChooseOpenFile(const TFileDialogOptions& options) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const TFileDialogOptions& options) = 0;

    // Clipboard: a private format carries bytes unchanged; plain text is UTF-8.
    virtual void SetClipboardData(const std::string& format,
                                  const std::vector<std::uint8_t>& bytes) = 0;
    virtual std::optional<std::vector<std::uint8_t>> ClipboardData(const std::string& format) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    // Opens a document or web page (a URL, file:// for local files) with the
    // desktop's opener; a failure is not reported.
    virtual void OpenWithDesktop(const std::string& url) = 0;
};

} // namespace zaro
