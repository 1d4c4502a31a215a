#pragma once
// The points of a sweep: frequencies spaced logarithmically (points per
// decade) or any value stepped linearly. Ranges are read from the user's texts
// and checked before anything runs; a bad one raises ESweepRange with the
// message to show.

#include <stdexcept>
#include <string>
#include <vector>

namespace zaro {

class ESweepRange : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* MsgStopBelowStart = "終了値が開始値より小さくなっています。";
inline constexpr const char* MsgStepNotPositive = "刻み幅には正の数を指定してください。";
inline constexpr const char* MsgPerDecadeInvalid =
    "1ディケードあたりの点数には1以上の整数を指定してください。";
inline constexpr const char* MsgFrequencyNotPositive = "周波数には正の数を指定してください。";
// Points of one sweep at most; a finer range is refused rather than run for hours.
inline constexpr int MaxSweepPoints = 100000;

// "「TEXT」は数値ではありません。"
std::string NotANumberMessage(const std::string& text);
// "点数が多すぎます(最大100000点)。"
std::string TooManyPointsMessage();

// A value text as the analyses read their fields ("1k", "2.2u"); anything
// else raises ESweepRange.
double ReadSweepNumber(const std::string& text);

enum class TSweepSpacing { PerDecade, LinearStep };

struct TSweepRange {
    double From = 0.0;
    double To = 0.0;
    TSweepSpacing Spacing = TSweepSpacing::LinearStep;
    // Points per decade, or the linear step.
    double Step = 0.0;

    // Raises ESweepRange when the range cannot be swept.
    void Check() const;
    // From, the stepped values, and To; checked first.
    std::vector<double> Points() const;
};

TSweepRange FrequencyRange(double from, double to, double perDecade);
TSweepRange LinearRange(double from, double to, double step);

} // namespace zaro
