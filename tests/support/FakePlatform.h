#pragma once
// A platform that records every call as a line of text and answers questions,
// file dialogs and the clipboard from what the test put in beforehand.

#include "Platform.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zaro::test {

class TFakePlatform : public TPlatform {
public:
    std::vector<std::string> Calls;
    std::vector<std::string> Messages; // texts of the message boxes, in order
    std::deque<TModalResult> Answers;  // answers to non-OK boxes; mrYes when empty
    std::deque<std::optional<std::string>> FileAnswers;
    std::vector<TFileDialogOptions> FileDialogs; // options of every file dialog shown
    std::map<std::string, std::vector<std::uint8_t>> Clipboard;
    std::string ClipboardText;
    std::string Title;
    std::map<int, std::string> Status;
    bool CommandsEnabled = true;
    TCursorShape Cursor = TCursorShape::crDefault;
    std::int32_t Tick = 0;
    int TickStep = 0; // added to Tick on every read
    int ProcessMessagesCount = 0;
    std::function<void()> OnProcessMessages;

    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& c : Calls) {
            n += c.rfind(prefix, 0) == 0 ? 1 : 0;
        }
        return n;
    }

    TModalResult MessageBox(const std::string& text, TMsgDlgType, TMsgDlgButtons buttons) override {
        Calls.push_back("MessageBox: " + text);
        Messages.push_back(text);
        if (buttons == TMsgDlgButtons::mbOK) {
            return TModalResult::mrOk;
        }
        if (Answers.empty()) {
            return TModalResult::mrYes;
        }
        TModalResult answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void Beep() override { Calls.push_back("Beep"); }
    TCursorShape ScreenCursor() override { return Cursor; }
    void SetScreenCursor(TCursorShape cursor) override {
        Calls.push_back("SetScreenCursor");
        Cursor = cursor;
    }
    void RepaintPanel(const TDragPanel&) override { Calls.push_back("RepaintPanel"); }
    void RepaintCanvas() override { Calls.push_back("RepaintCanvas"); }
    void BeginPanelDrag(TDragPanel&, int threshold) override {
        Calls.push_back("BeginPanelDrag " + std::to_string(threshold));
    }
    void FocusCanvas() override { Calls.push_back("FocusCanvas"); }
    void ProcessMessages() override {
        ++ProcessMessagesCount;
        if (OnProcessMessages) {
            OnProcessMessages();
        }
    }
    std::int32_t TickCount() override {
        Tick += TickStep;
        return Tick;
    }
    void SetTitle(const std::string& title) override { Title = title; }
    void SetStatusText(int panelIndex, const std::string& text) override {
        Status[panelIndex] = text;
    }
    void SetCommandsEnabled(bool enabled) override { CommandsEnabled = enabled; }
    void RepaintWindow() override { Calls.push_back("RepaintWindow"); }
    std::optional<std::string> ChooseOpenFile(const TFileDialogOptions& o) override {
        FileDialogs.push_back(o);
        return NextFile("ChooseOpenFile: " + o.Title);
    }
    std::optional<std::string> ChooseSaveFile(const TFileDialogOptions& o) override {
        FileDialogs.push_back(o);
        return NextFile("ChooseSaveFile: " + o.Title);
    }
    void SetClipboardData(const std::string& format,
                          const std::vector<std::uint8_t>& bytes) override {
        Clipboard[format] = bytes;
    }
    std::optional<std::vector<std::uint8_t>> ClipboardData(const std::string& format) override {
        auto it = Clipboard.find(format);
        if (it == Clipboard.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    void SetClipboardText(const std::string& text) override { ClipboardText = text; }
    void OpenWithDesktop(const std::string& url) override {
        Calls.push_back("OpenWithDesktop: " + url);
    }

private:
    std::optional<std::string> NextFile(const std::string& call) {
        Calls.push_back(call);
        if (FileAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = FileAnswers.front();
        FileAnswers.pop_front();
        return answer;
    }
};

} // namespace zaro::test
