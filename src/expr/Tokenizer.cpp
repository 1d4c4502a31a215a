#include "Tokenizer.h"

#include "AsciiText.h"
#include "ZaroSub.h"

#include <string>

namespace zaro {

namespace {

constexpr int MultiplyPriority = 90;

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Where the scan of the remaining text stopped.
struct TStop {
    std::size_t Position = std::string_view::npos; // npos: nothing found
    int Entry = -1;                                // table entry, -1 at a blank
};

bool EntryMatches(std::string_view rest, std::size_t p, std::string_view symbol) {
    if (rest.compare(p, symbol.size(), symbol) != 0) {
        return false;
    }
    // A function name must not run on into a longer name: SINX is a name.
    std::size_t after = p + symbol.size();
    return !IsLetter(symbol[0]) || after >= rest.size() || !IsLetter(rest[after]);
}

int MatchAt(std::string_view rest, std::size_t p, bool numeric, const TOpeList& opes) {
    // The sign of a decimal exponent inside a number is not an operator.
    if (numeric && p > 0 && (rest[p] == '+' || rest[p] == '-') && rest[p - 1] == 'E') {
        return -1;
    }
    for (int i : opes.StartingWith(rest[p])) {
        const std::string& symbol = opes.Symbol(i);
        if (IsLetter(symbol[0]) && p != 0) {
            continue; // function names only at the start of the remaining text
        }
        if (EntryMatches(rest, p, symbol)) {
            return i;
        }
    }
    return -1;
}

TStop Scan(std::string_view rest, bool numeric, const TOpeList& opes) {
    for (std::size_t p = 0; p < rest.size(); ++p) {
        int entry = MatchAt(rest, p, numeric, opes);
        if (entry >= 0 || IsBlankOrControl(rest[p])) {
            return {p, entry};
        }
    }
    return {};
}

double OperandValue(std::string_view text, bool numeric) {
    return numeric ? ZaroStrToFloat(text) : 0;
}

void SplitIntoTerms(std::string_view text, const TOpeList& opes, TTrmList& trms) {
    std::string upper = UpperAscii(text);
    std::string_view rest = Trimmed(upper);
    double carried = 0;
    while (!rest.empty()) {
        bool numeric = IsAsciiDigit(rest[0]);
        TStop stop = Scan(rest, numeric, opes);
        if (stop.Position == std::string_view::npos) {
            trms.Add(0, std::string(rest), OperandValue(rest, numeric));
            return;
        }
        if (stop.Position > 0) {
            std::string_view operand = rest.substr(0, stop.Position);
            carried = OperandValue(operand, numeric);
            trms.Add(0, std::string(Trimmed(operand)), carried);
        }
        std::size_t skip = 1;
        if (stop.Entry >= 0) {
            const std::string& symbol = opes.Symbol(stop.Entry);
            trms.Add(opes.Priority(stop.Entry), symbol, carried);
            skip = symbol.size();
        }
        rest = Trimmed(rest.substr(stop.Position + skip));
    }
}

bool NeedsMultiply(const TTerm& prev, const TTerm& cur) {
    bool prevEnds = prev.IsOperand() || prev.Text == ")";
    bool curStarts = cur.IsOperand() || cur.Text == "(";
    return prevEnds && curStarts;
}

// Rebuilds the list in one pass, so long inputs do not pay for insertions.
void InsertImplicitMultiplications(TTrmList& trms) {
    TTrmList::TItems source = trms.Release();
    TTrmList::TItems result;
    result.reserve(source.size() + source.size() / 2);
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (!result.empty() && NeedsMultiply(*result.back(), *source[i])) {
            result.push_back(std::make_unique<TTerm>(MultiplyPriority, "*", 0));
        }
        result.push_back(std::move(source[i]));
    }
    trms.Assign(std::move(result));
}

} // namespace

void Tokenize(std::string_view expression, const TOpeList& opes, TTrmList& trms) {
    trms.Clear();
    SplitIntoTerms(expression, opes, trms);
    InsertImplicitMultiplications(trms);
}

} // namespace zaro
