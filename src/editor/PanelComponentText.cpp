// The panel's side of the component text: which published properties are
// written, in which order, and how the ones read back are applied.

#include "ComponentText.h"

#include "DragPanels.h"

#include <cctype>
#include <functional>
#include <limits>
#include <optional>

namespace zaro {

namespace {

const char* const CRLF = "\r\n";

void AddLine(std::string& text, std::string_view name, std::string_view value) {
    text += "  ";
    text += name;
    text += " = ";
    text += value;
    text += CRLF;
}

std::string BooleanText(bool value) {
    return value ? "True" : "False";
}

std::string ResizeStyleText(TDragPanelResizeStyle style) {
    return style == TDragPanelResizeStyle::dprsLine ? "dprsLine" : "dprsFixed";
}

[[noreturn]] void BadValue(const TComponentProperty& p, const char* expected) {
    throw EZaroStreamError("TextToComponent: " + p.Name + " needs " + expected + " in line " +
                           std::to_string(p.Line) + ".");
}

std::int32_t IntegerOf(const TComponentProperty& p) {
    if (p.Value.Kind != TComponentValue::TKind::Integer ||
        p.Value.Integer < std::numeric_limits<std::int32_t>::min() ||
        p.Value.Integer > std::numeric_limits<std::int32_t>::max()) {
        BadValue(p, "a 32-bit integer");
    }
    return static_cast<std::int32_t>(p.Value.Integer);
}

bool BooleanOf(const TComponentProperty& p) {
    if (p.Value.Kind == TComponentValue::TKind::Identifier) {
        if (SameText(p.Value.Text, "True")) {
            return true;
        }
        if (SameText(p.Value.Text, "False")) {
            return false;
        }
    }
    BadValue(p, "True or False");
}

TDragPanelResizeStyle ResizeStyleOf(const TComponentProperty& p) {
    if (p.Value.Kind == TComponentValue::TKind::Identifier) {
        if (SameText(p.Value.Text, "dprsFixed")) {
            return TDragPanelResizeStyle::dprsFixed;
        }
        if (SameText(p.Value.Text, "dprsLine")) {
            return TDragPanelResizeStyle::dprsLine;
        }
    }
    BadValue(p, "dprsFixed or dprsLine");
}

std::string StringOf(const TComponentProperty& p) {
    if (p.Value.Kind != TComponentValue::TKind::String) {
        BadValue(p, "a string");
    }
    return p.Value.Text;
}

using TApply = std::function<void(TDragPanel&)>;
using TIntSetter = void (TDragPanel::*)(int);
using TBoolSetter = void (TDragPanel::*)(bool);

struct TIntProperty {
    const char* Name;
    TIntSetter Setter;
};
struct TBoolProperty {
    const char* Name;
    TBoolSetter Setter;
};

constexpr TIntProperty IntProperties[] = {
    {"ImageIndex", &TDragPanel::SetImageIndex}, {"Index", &TDragPanel::SetIndex},
    {"MinHeight", &TDragPanel::SetMinHeight},   {"MinWidth", &TDragPanel::SetMinWidth},
    {"MaxHeight", &TDragPanel::SetMaxHeight},   {"MaxWidth", &TDragPanel::SetMaxWidth},
};
constexpr TBoolProperty BoolProperties[] = {
    {"ImageHorzCenter", &TDragPanel::SetImageHorzCenter},
    {"ImageVertCenter", &TDragPanel::SetImageVertCenter},
    {"CanIconize", &TDragPanel::SetCanIconize},
    {"Iconized", &TDragPanel::SetIconized},
};

// Left, Top, Width and Height found in the text; applied in one SetBounds.
struct TBoundsChange {
    std::optional<int> Values[4];

    bool Take(const TComponentProperty& p) {
        static const char* const Names[4] = {"Left", "Top", "Width", "Height"};
        for (int i = 0; i < 4; ++i) {
            if (SameText(p.Name, Names[i])) {
                Values[i] = IntegerOf(p);
                return true;
            }
        }
        return false;
    }
    void ApplyTo(TDragPanel& panel) const {
        panel.SetBounds(Values[0].value_or(panel.Left()), Values[1].value_or(panel.Top()),
                        Values[2].value_or(panel.Width()), Values[3].value_or(panel.Height()));
    }
};

// The step that applies one known property, or nothing for unknown names.
std::optional<TApply> ApplyStep(const TComponentProperty& p) {
    for (const auto& ip : IntProperties) {
        if (SameText(p.Name, ip.Name)) {
            int v = IntegerOf(p);
            return [v, s = ip.Setter](TDragPanel& panel) { (panel.*s)(v); };
        }
    }
    for (const auto& bp : BoolProperties) {
        if (SameText(p.Name, bp.Name)) {
            bool v = BooleanOf(p);
            return [v, s = bp.Setter](TDragPanel& panel) { (panel.*s)(v); };
        }
    }
    if (SameText(p.Name, "ResizeStyle")) {
        TDragPanelResizeStyle v = ResizeStyleOf(p);
        return [v](TDragPanel& panel) { panel.SetResizeStyle(v); };
    }
    if (SameText(p.Name, "Caption")) {
        std::string v = StringOf(p);
        return [v](TDragPanel& panel) { panel.SetCaption(v); };
    }
    return std::nullopt;
}

} // namespace

std::string ComponentToText(const TDragPanel& panel) {
    std::string text = "object " + panel.ClassName() + CRLF;
    AddLine(text, "Left", std::to_string(panel.Left()));
    AddLine(text, "Top", std::to_string(panel.Top()));
    AddLine(text, "Width", std::to_string(panel.Width()));
    AddLine(text, "Height", std::to_string(panel.Height()));
    if (!panel.Caption().empty()) {
        AddLine(text, "Caption", QuoteComponentString(panel.Caption()));
    }
    AddLine(text, "ImageIndex", std::to_string(panel.ImageIndex()));
    AddLine(text, "ImageHorzCenter", BooleanText(panel.ImageHorzCenter()));
    AddLine(text, "ImageVertCenter", BooleanText(panel.ImageVertCenter()));
    AddLine(text, "Index", std::to_string(panel.Index()));
    AddLine(text, "MinHeight", std::to_string(panel.MinHeight()));
    AddLine(text, "MinWidth", std::to_string(panel.MinWidth()));
    AddLine(text, "MaxHeight", std::to_string(panel.MaxHeight()));
    AddLine(text, "MaxWidth", std::to_string(panel.MaxWidth()));
    AddLine(text, "ResizeStyle", ResizeStyleText(panel.ResizeStyle()));
    AddLine(text, "CanIconize", BooleanText(panel.CanIconize()));
    AddLine(text, "Iconized", BooleanText(panel.Iconized()));
    text += "end";
    text += CRLF;
    return text;
}

std::function<void(TDragPanel&)> ComponentTextChange(const TComponentObject& object) {
    TBoundsChange bounds;
    std::vector<TApply> steps;
    for (const auto& p : object.Properties) {
        if (bounds.Take(p)) {
            continue;
        }
        if (auto step = ApplyStep(p)) {
            steps.push_back(std::move(*step));
        }
    }
    return [bounds, steps = std::move(steps)](TDragPanel& panel) {
        bounds.ApplyTo(panel);
        for (const auto& step : steps) {
            step(panel);
        }
    };
}

void TextToComponent(TDragPanel& panel, std::string_view text) {
    ComponentTextChange(ParseComponentText(text))(panel);
}

} // namespace zaro
