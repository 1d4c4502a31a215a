#include "TinyParser.h"

#include "EvalContext.h"
#include "NameResolver.h"
#include "Reducer.h"
#include "Tokenizer.h"
#include "ZaroSub.h"

namespace zaro {

TTinyParser::TTinyParser() {
    FOpes.FillStandard();
}

void TTinyParser::SetExpression(const std::string& text) {
    FExpression = text;
    FAnswer.clear();
}

const std::string& TTinyParser::Answer() {
    if (FAnswer.empty()) {
        Evaluate();
    }
    return FAnswer;
}

double TTinyParser::AnswerValue() {
    if (FAnswer.empty()) {
        Evaluate();
    }
    return FAnswerValue;
}

// A failed evaluation leaves the answer text empty and puts back any variable line
// it had already assigned, so the next read evaluates again from the same state.
void TTinyParser::Evaluate() {
    FAnswer.clear();
    TEvalContext context(FVariables, FRandom);
    context.SetSubstitute(this, &FOnSubstitute);
    try {
        Tokenize(FExpression, FOpes, FTrms);
        ResolveNames(FTrms, TResolveOptions{}, context);
        TReducer(FTrms, context).Reduce();
    } catch (...) {
        context.RestoreVariables();
        throw;
    }
    if (FTrms.Count() == 0) {
        FAnswerValue = 0;
        return;
    }
    FAnswerValue = FTrms.Items(0).Value;
    FAnswer = FloatToStrG(FAnswerValue, 15);
}

} // namespace zaro
