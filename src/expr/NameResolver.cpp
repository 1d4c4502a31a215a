#include "NameResolver.h"

#include "PredefinedNames.h"
#include "ZaroSub.h"

#include <string>

namespace zaro {

namespace {

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsName(const TTrmList& trms, int i) {
    const TTerm& term = trms.Items(i);
    if (!term.IsOperand() || term.Text.empty() || !IsNameStart(term.Text[0])) {
        return false;
    }
    return i + 1 >= trms.Count() || trms.Items(i + 1).Text != ":=";
}

void ResolveConstant(TTerm& term, TEvalContext& context) {
    std::optional<double> value =
        term.Text == "_RND" ? context.NextRandom() : PredefinedValue(term.Text);
    if (value) {
        // In parentheses, so that the variable pass no longer takes it for a name.
        term.Value = *value;
        term.Text = "(" + FloatToStrG(*value, 15) + ")";
    }
}

void ResolveVariable(TTerm& term, bool lenient, const TEvalContext& context) {
    auto text = context.FindVariable(term.Text);
    if (text && !text->empty()) {
        term.Value = ZaroStrToFloat(*text);
        term.Text = std::string(*text);
    } else if (!lenient) {
        throw EConvertError(term.Text + " is not defined variable.");
    }
}

} // namespace

void ResolveNames(TTrmList& trms, TResolveOptions options, TEvalContext& context) {
    if (options.Constants) {
        for (int i = 0; i < trms.Count(); ++i) {
            if (IsName(trms, i)) {
                ResolveConstant(trms.Items(i), context);
            }
        }
    }
    if (options.Variables && context.HasVariables()) {
        for (int i = 0; i < trms.Count(); ++i) {
            if (IsName(trms, i)) {
                ResolveVariable(trms.Items(i), options.Lenient, context);
            }
        }
    }
}

} // namespace zaro
