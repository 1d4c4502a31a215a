#pragma once
// The evaluator through which the program turns expression texts into numbers:
// set Expression, read Answer (text) or AnswerValue. Evaluation is lazy and cached in
// the answer text; the variable list is the caller's and is not watched.

#include "OpeList.h"
#include "RandomSource.h"
#include "SubstituteEvent.h"
#include "TrmList.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zaro {

class TTinyParser {
public:
    TTinyParser();
    TTinyParser(const TTinyParser&) = delete;
    TTinyParser& operator=(const TTinyParser&) = delete;

    const std::string& Expression() const { return FExpression; }
    // Stores the text and clears the answer; nothing is evaluated yet.
    void SetExpression(const std::string& text);

    // Evaluates first when the answer text is empty. Errors of the evaluation pass out
    // (EConvertError, EMathError) and leave the answer text empty.
    const std::string& Answer();
    // Stores an answer text without evaluating.
    void SetAnswer(const std::string& text) { FAnswer = text; }
    double AnswerValue();
    void SetAnswerValue(double value) { FAnswerValue = value; }

    // Lines NAME=VALUE used for names, assignments and the reactance frequency.
    // Not owned; nullptr detaches.
    void SetVariables(std::vector<std::string>* lines) { FVariables = lines; }
    std::vector<std::string>* Variables() const { return FVariables; }

    const TSubstituteEvent& OnSubstitute() const { return FOnSubstitute; }
    void SetOnSubstitute(TSubstituteEvent handler) { FOnSubstitute = std::move(handler); }

    // Restarts the generator of _RND (it is seeded from the clock on creation).
    void SeedRandom(std::uint64_t seed) { FRandom.Seed(seed); }

    const TOpeList& Opes() const { return FOpes; }
    // The terms of the last evaluation: its final term, or the state an error left.
    const TTrmList& Trms() const { return FTrms; }

private:
    void Evaluate();

    std::string FExpression;
    std::string FAnswer;
    std::vector<std::string>* FVariables = nullptr;
    TSubstituteEvent FOnSubstitute;
    double FAnswerValue = 0;
    TOpeList FOpes;
    TTrmList FTrms;
    TRandomSource FRandom;
};

} // namespace zaro
