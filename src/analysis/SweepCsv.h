#pragma once
// A sweep's data as comma-separated text: a header row naming the swept
// quantity and every probe, then one row per point. AC rows give per probe
// the magnitude (linear) and the phase in degrees; DC rows the value.

#include "Sweep.h"

#include <ostream>
#include <string>

namespace zaro {

// Magnitude in dB and phase in degrees of a reading.
double MagnitudeDB(const TComplex& reading);
double PhaseDegrees(const TComplex& reading);

// The shortest text that reads back as the same double, in C notation.
std::string CsvNumber(double value);

void WriteSweepCsv(const TSweepResult& result, std::ostream& out);

} // namespace zaro
