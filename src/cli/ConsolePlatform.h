#pragma once
// The platform of the command-line tool: messages go to the error stream,
// questions are answered No so that nothing is replaced or discarded without
// being asked for on the command line, and there is no screen, dialog, clipboard or
// desktop to open documents with.

#include "Platform.h"

#include <ostream>

namespace zaro::cli {

class TConsolePlatform : public TPlatform {
public:
    explicit TConsolePlatform(std::ostream& messages) : Messages(messages) {}

    TModalResult MessageBox(const std::string& text, TMsgDlgType type,
                            TMsgDlgButtons buttons) override;
    void Beep() override {}
    TCursorShape ScreenCursor() override { return Cursor; }
    void SetScreenCursor(TCursorShape cursor) override { Cursor = cursor; }
    void RepaintPanel(const TDragPanel&) override {}
    void RepaintCanvas() override {}
    void BeginPanelDrag(TDragPanel&, int) override {}
    void FocusCanvas() override {}
    void ProcessMessages() override {}
    std::int32_t TickCount() override;
    void SetTitle(const std::string&) override {}
    void SetStatusText(int, const std::string&) override {}
    void SetCommandsEnabled(bool) override {}
    void RepaintWindow() override {}
    std::optional<std::string> ChooseOpenFile(const TFileDialogOptions&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseSaveFile(const TFileDialogOptions&) override {
        return std::nullopt;
    }
    void SetClipboardData(const std::string&, const std::vector<std::uint8_t>&) override {}
    std::optional<std::vector<std::uint8_t>> ClipboardData(const std::string&) override {
        return std::nullopt;
    }
    void SetClipboardText(const std::string&) override {}
    void OpenWithDesktop(const std::string&) override {}

private:
    std::ostream& Messages;
    TCursorShape Cursor = TCursorShape::crDefault;
};

} // namespace zaro::cli
