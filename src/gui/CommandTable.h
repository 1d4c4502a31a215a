#pragma once
// Every command of the main window as one row: name, caption, hint, glyph
// and the menu it sits in, in menu order; and the order of the tool bar.
// The device commands come from the core's placement table.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zaro::gui {

struct TCommandRow {
    std::string Name;
    std::string Caption; // "&" marks the access key
    std::string Hint;    // status tip and tool tip; empty: none
    int Glyph = -1;      // -1: none
    std::string Menu;    // "&File", or a submenu as "&Device/Basic"
    bool SeparatorBefore = false;
    bool Hidden = false; // created, never shown
};

// The menu bar's menus, in order.
std::span<const std::string_view> MenuTitles();
// All commands in menu order.
const std::vector<TCommandRow>& CommandRows();

// Tool bar entries in order: command names, "|" for a group separator and
// "EditFreq" for the frequency field with its "Hz" label.
inline constexpr std::string_view ToolBarSeparator = "|";
inline constexpr std::string_view ToolBarFrequency = "EditFreq";
std::span<const std::string_view> ToolBarLayout();

} // namespace zaro::gui
