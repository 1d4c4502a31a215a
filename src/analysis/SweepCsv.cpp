#include "SweepCsv.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace zaro {

double MagnitudeDB(const TComplex& reading) {
    return 20.0 * std::log10(std::hypot(reading.re, reading.im));
}

double PhaseDegrees(const TComplex& reading) {
    return std::atan2(reading.im, reading.re) * 180.0 / std::numbers::pi;
}

std::string CsvNumber(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string("nan");
}

namespace {

void WriteHeader(const TSweepResult& result, std::ostream& out) {
    out << result.VariableName;
    for (const TSweepProbe& probe : result.Probes) {
        if (result.IsAC) {
            out << ',' << probe.Label() << " mag," << probe.Label() << " phase";
        } else {
            out << ',' << probe.Label();
        }
    }
    out << '\n';
}

void WriteRow(const TSweepResult& result, std::size_t k, std::ostream& out) {
    out << CsvNumber(result.Values[k]);
    for (const TComplex& reading : result.Readings[k]) {
        if (result.IsAC) {
            out << ',' << CsvNumber(std::hypot(reading.re, reading.im)) << ','
                << CsvNumber(PhaseDegrees(reading));
        } else {
            out << ',' << CsvNumber(reading.re);
        }
    }
    out << '\n';
}

} // namespace

void WriteSweepCsv(const TSweepResult& result, std::ostream& out) {
    WriteHeader(result, out);
    for (std::size_t k = 0; k < result.Values.size(); ++k) {
        WriteRow(result, k, out);
    }
}

} // namespace zaro
