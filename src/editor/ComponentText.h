#pragma once
// The textual component form of a panel, as it is stored inside the panel
// record:
//
//   object TResistor
//     Left = 96
//     ...
//   end
//
// every line ending with CR LF. The reader accepts the usual grammar of such
// texts (nested objects, sets, lists, binary data, floats, strings built from
// quoted parts, #nnn codes and +) so that texts with properties it does not
// know can still be read; it applies the properties of the panel it knows and
// ignores the rest.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zaro {

class TDragPanel;

struct TComponentValue {
    // Other: a float, set, list or binary value; parsed, not kept.
    enum class TKind { Integer, Identifier, String, Other };
    TKind Kind = TKind::Other;
    std::int64_t Integer = 0;
    std::string Text; // identifier, or string value as UTF-8
};

struct TComponentProperty {
    std::string Name; // dotted names kept as written, e.g. Font.Height
    TComponentValue Value;
    int Line = 0;
};

struct TComponentObject {
    std::string InstanceName; // empty for panels created at run time
    std::string ClassName;
    std::vector<TComponentProperty> Properties;
    std::vector<TComponentObject> Children;
};

// Parses one object; anything else than one object and trailing blanks raises
// EZaroStreamError "TextToComponent: <what> in line <n>.".
TComponentObject ParseComponentText(std::string_view text);

// Names and keywords of the form compare without regard to ASCII case.
bool SameText(std::string_view a, std::string_view b);

// Quotes a string value: printable characters inside single quotes with the
// quote doubled, control characters as #nnn codes, '' for the empty string.
std::string QuoteComponentString(std::string_view text);

// The panel's published properties in the textual form: Left, Top, Width,
// Height, Caption (only when not empty), ImageIndex, ImageHorzCenter,
// ImageVertCenter, Index, MinHeight, MinWidth, MaxHeight, MaxWidth,
// ResizeStyle, CanIconize, Iconized.
std::string ComponentToText(const TDragPanel& panel);

// Checks every known property of the parsed object and returns the step that
// applies them to a panel in text order (Left, Top, Width and Height
// together); names it does not know are ignored. A wrong value raises
// EZaroStreamError before anything is applied.
std::function<void(TDragPanel&)> ComponentTextChange(const TComponentObject& object);
// Parses, checks, then applies; a malformed text leaves the panel unchanged.
void TextToComponent(TDragPanel& panel, std::string_view text);

} // namespace zaro
