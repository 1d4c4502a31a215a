#include "SweepRange.h"

#include "ZaroSub.h"

#include <cmath>

namespace zaro {

namespace {

// Rounding slack when the last step lands on the stop value.
constexpr double StepSlack = 1e-9;

double PointCountEstimate(const TSweepRange& range) {
    if (range.Spacing == TSweepSpacing::PerDecade) {
        return std::log10(range.To / range.From) * range.Step;
    }
    return (range.To - range.From) / range.Step;
}

void CheckSpacing(const TSweepRange& range) {
    if (range.Spacing == TSweepSpacing::LinearStep) {
        if (!(range.Step > 0.0) || !std::isfinite(range.Step)) {
            throw ESweepRange(MsgStepNotPositive);
        }
        return;
    }
    if (!(range.From > 0.0)) {
        throw ESweepRange(MsgFrequencyNotPositive);
    }
    if (!(range.Step >= 1.0) || range.Step != std::floor(range.Step)) {
        throw ESweepRange(MsgPerDecadeInvalid);
    }
}

double PointAt(const TSweepRange& range, int k) {
    if (range.Spacing == TSweepSpacing::PerDecade) {
        return range.From * std::pow(10.0, k / range.Step);
    }
    return range.From + k * range.Step;
}

} // namespace

std::string NotANumberMessage(const std::string& text) {
    return "「" + text + "」は数値ではありません。";
}

std::string TooManyPointsMessage() {
    return "点数が多すぎます(最大" + std::to_string(MaxSweepPoints) + "点)。";
}

double ReadSweepNumber(const std::string& text) {
    double value = 0.0;
    try {
        value = ZaroStrToFloat(text);
    } catch (const std::exception&) {
        throw ESweepRange(NotANumberMessage(text));
    }
    if (!std::isfinite(value)) {
        throw ESweepRange(NotANumberMessage(text));
    }
    return value;
}

void TSweepRange::Check() const {
    if (!std::isfinite(From) || !std::isfinite(To)) {
        throw ESweepRange(
            NotANumberMessage(std::isfinite(From) ? FloatToStrG(To, 15) : FloatToStrG(From, 15)));
    }
    CheckSpacing(*this);
    if (To < From) {
        throw ESweepRange(MsgStopBelowStart);
    }
    if (PointCountEstimate(*this) + 2.0 > MaxSweepPoints) {
        throw ESweepRange(TooManyPointsMessage());
    }
}

std::vector<double> TSweepRange::Points() const {
    Check();
    std::vector<double> points;
    const double last = PointCountEstimate(*this);
    for (int k = 0; k <= last + StepSlack; ++k) {
        points.push_back(PointAt(*this, k));
    }
    // The stop value itself, whether or not the steps land on it.
    if (last - std::floor(last + StepSlack) > StepSlack) {
        points.push_back(To);
    } else {
        points.back() = To;
    }
    return points;
}

TSweepRange FrequencyRange(double from, double to, double perDecade) {
    return {from, to, TSweepSpacing::PerDecade, perDecade};
}

TSweepRange LinearRange(double from, double to, double step) {
    return {from, to, TSweepSpacing::LinearStep, step};
}

} // namespace zaro
