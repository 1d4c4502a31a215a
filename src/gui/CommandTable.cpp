#include "CommandTable.h"

#include "ActionGlyphs.h"
#include "DevicePlacement.h"
#include "UndoCommands.h"

#include <array>

namespace zaro::gui {

namespace {

constexpr std::array<std::string_view, 6> Menus = {"&File",     "&Edit",    "&Device",
                                                   "&Simulate", "&Options", "&Help"};

std::vector<TCommandRow> FileAndEditRows() {
    return {
        {"AtnFileNew", "新規作成(&N)", "回路を新規作成します", 1, "&File"},
        {"AtnFileOpen", "開く(&O)", "回路を開きます", 4, "&File", true},
        {"AtnFileSave", "上書き保存(&S)", "現在の回路を保存します", 3, "&File"},
        {"AtnFileSaveAs", "名前を付けて保存(&A)...", "現在の回路に名前をつけて保存します", -1,
         "&File"},
        {"AtnFileExit", "終了(&X)", "ZaroSimを終了します", 0, "&File", true},
        {"AtnEditUndo", UndoCaption, UndoHint, UndoGlyph, "&Edit"},
        {"AtnEditRedo", RedoCaption, RedoHint, RedoGlyph, "&Edit"},
        {"AtnEditCut", "切り取り(&T)", "切り取り", 9, "&Edit", true},
        {"AtnEditCopy", "コピー(&C)", "コピー", 10, "&Edit"},
        {"AtnEditPaste", "貼り付け(&P)", "貼り付け", PasteGlyph, "&Edit"},
        {"AtnEditDelete", "削除(&D)", "選択した部品・接続線を削除します", 5, "&Edit"},
        {"REditFont1", "フォント(&F)", "フォント", 38, "&Edit", true},
        {"REditBold1", "太字(&B)", "太字", 36, "&Edit"},
        {"REditItalic1", "斜体(&I)", "斜体", 37, "&Edit"},
        {"REditUnderline1", "下線(&U)", "下線", 35, "&Edit"},
    };
}

std::vector<TCommandRow> DeviceRows() {
    std::vector<TCommandRow> rows;
    for (const TDevicePlacement& p : DevicePlacements()) {
        rows.push_back({std::string(p.Command), std::string(p.Caption), std::string(p.Hint),
                        p.Glyph, "&Device/" + std::string(p.Menu), p.SeparatorBefore});
    }
    return rows;
}

std::vector<TCommandRow> SimulateOptionsHelpRows() {
    return {
        {"AtnSimulateDCNonLinear", "直流解析", "回路の直流解析を行います", 32, "&Simulate"},
        {"AtnSimulateACNonLinear", "交流解析", "回路の交流解析を実行します", 33, "&Simulate"},
        {"AtnSimulateDC", "線形直流解析", "デバイスを線形とみなして回路の直流解析を実行します", -1,
         "&Simulate", true},
        {"AtnSimulateAC", "線形交流解析", "デバイスを線形とみなして回路の交流解析を実行します", -1,
         "&Simulate"},
        {"AtnSimulateDCAdditional", "直流解析(動作点初期化無し)",
         "現在の動作点を初期値として回路の直流解析を行います", -1, "&Simulate"},
        {"AtnSimulateACAdditional", "交流解析(動作点初期化無し)",
         "現在の動作点を初期値として回路の交流解析を行います", -1, "&Simulate"},
        {"AtnSimulateSweep", "掃引解析(&W)...",
         "周波数や変数を掃引して周波数特性・直流特性をグラフに描きます", -1, "&Simulate", true},
        {"AtnOptionsRegister", "レジストリ登録", "ZaroSimをレジストリに登録します", 31, "&Options"},
        {"AtnOptionsUnregieter", "レジストリ登録の抹消", "ZaroSimのレジストリ登録を抹消します", -1,
         "&Options"},
        {"AtnHelpIndex", "Help Index...", "ZaroSimヘルプを表示します", 30, "&Help"},
        {"AtnHelpZaro", "Zaroの広場を開く...", "ZaroSimのサポートページ「Zaroの広場」を開きます．",
         42, "&Help"},
        {"AtnHelpAbout", "ZaroSimについて...", "ZaroSimのバージョン情報を表示します", 11, "&Help",
         true},
        {"DebugLogCopy1", "DebugLog Copy", "", -1, "&Help", false, true},
        {"MoreAnalyze1", "List resistors", "", -1, "&Help", false, true},
    };
}

constexpr std::array<std::string_view, 51> ToolBar = {
    "AtnFileNew",
    "AtnFileOpen",
    "AtnFileSave",
    ToolBarSeparator,
    "AtnEditCopy",
    "AtnEditCut",
    "AtnEditPaste",
    ToolBarSeparator,
    "AtnEditDelete",
    ToolBarSeparator,
    "AtnSimulateDCNonLinear",
    "AtnSimulateACNonLinear",
    ToolBarSeparator,
    "REditBold1",
    "REditItalic1",
    "REditUnderline1",
    ToolBarSeparator,
    "AtnDeviceR",
    "AtnDeviceC",
    "AtnDeviceL",
    ToolBarSeparator,
    "AtnDeviceVDC",
    "AtnDeviceVAC",
    "AtnDeviceLevel",
    "AtnDeviceISrc",
    "AtnDeviceGnd",
    "AtnDeviceOpen",
    ToolBarSeparator,
    "AtnDevicePotMeter",
    "AtnDeviceVMeter",
    "AtnDeviceAmMeter",
    ToolBarSeparator,
    "AtnDeviceY",
    "AtnDeviceX",
    ToolBarSeparator,
    "AtnDeviceDiode",
    "AtnDeviceTrNPN",
    "AtnDeviceTrPNP",
    "AtnDeviceLED",
    "AtnDeviceZenarDiode",
    ToolBarSeparator,
    "AtnDeviceLamp",
    "AtnDeviceLabel",
    ToolBarSeparator,
    ToolBarFrequency,
    ToolBarSeparator,
    "AtnHelpIndex",
    "AtnHelpZaro",
    "AtnHelpAbout",
    ToolBarSeparator,
    "AtnFileExit",
};

} // namespace

std::span<const std::string_view> MenuTitles() {
    return Menus;
}

const std::vector<TCommandRow>& CommandRows() {
    static const std::vector<TCommandRow> rows = [] {
        std::vector<TCommandRow> all = FileAndEditRows();
        for (auto part : {DeviceRows(), SimulateOptionsHelpRows()}) {
            all.insert(all.end(), part.begin(), part.end());
        }
        return all;
    }();
    return rows;
}

std::span<const std::string_view> ToolBarLayout() {
    return ToolBar;
}

} // namespace zaro::gui
