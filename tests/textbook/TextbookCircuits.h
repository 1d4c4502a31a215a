#pragma once
// Textbook circuits with junction devices: each family with its values
// given, and a generator that draws the values at random (E12 resistors from
// 100 Ohm to 1 MOhm, supplies from 1 to 24 V, Zener voltages from 3.3 to
// 12 V, both orientations, optional loads), deterministic from its seed.

#include "Netlist.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zaro::test {

enum class TFamily { Diode, LED, Zener, Clamp, NPNStage, PNPStage, TwoStage, Bridge };

inline constexpr std::array<TFamily, 8> AllFamilies{
    TFamily::Diode,    TFamily::LED,      TFamily::Zener,    TFamily::Clamp,
    TFamily::NPNStage, TFamily::PNPStage, TFamily::TwoStage, TFamily::Bridge};

std::string FamilyName(TFamily family);

// A value of 0 for an optional resistor leaves it out.

// Source, series resistor and the junction device to ground; reversed turns
// the device round. The load sits across the device. zenerVolts only for the
// Zener diode.
struct TSeriesValues {
    double Volts = 12;
    double Series = 1000;
    double ZenerVolts = 5.1;
    bool Reversed = false;
    double Load = 0;
};
TNetlist SeriesCircuit(TPartKind device, const TSeriesValues& values);

// Input through a resistor to a node that a diode clamps to a second source;
// reversed turns the diode round (a lower instead of an upper clamp).
struct TClampValues {
    double Volts = 12;
    double Series = 1000;
    double Reference = 5;
    bool Reversed = false;
    double Load = 0;
};
TNetlist ClampCircuit(const TClampValues& values);

// Common-emitter stage with a base divider: Top from the supply rail to the
// base, Bottom from the base to the other rail, the collector resistor and
// the emitter resistor (0: the emitter on its rail), a load from the
// collector to the emitter's rail. The PNP stage is the mirror image.
// With ground on the positive rail the circuit hangs below ground.
struct TStageValues {
    double Volts = 12;
    double Top = 47000;
    double Bottom = 10000;
    double Collector = 4700;
    double Emitter = 1000;
    double Load = 0;
    bool GroundOnPositiveRail = false;
};
TNetlist TransistorStage(TPartKind transistor, const TStageValues& values);

// A 10 V source driving `sections` sections of 100 Ohm in series and 1 kOhm
// to ground.
TNetlist ResistorLadder(int sections);

// K common-emitter NPN stages on one 10 V rail: each base is driven from the
// previous collector (the first from a 10 V bias source) through 1 MOhm,
// each collector hangs on the rail through 1 kOhm.
TNetlist NPNCascade(int stages);

// An NPN stage driving, direct coupled, an NPN emitter follower (resistor
// Second from its emitter to ground) or a PNP common-emitter stage (Second
// from the supply to its emitter, Third from its collector to ground).
struct TTwoStageValues {
    TStageValues First;
    TPartKind Second = TPartKind::NPN;
    double SecondResistor = 1000;
    double ThirdResistor = 1000;
};
TNetlist TwoStageAmplifier(const TTwoStageValues& values);

// A source, through an optional series resistor, into a four-diode bridge
// whose output feeds the load; ground on the load's negative end. Reversed
// swaps the source's poles, so the other pair of diodes conducts.
struct TBridgeValues {
    double Volts = 12;
    double Load = 1000;
    double Series = 0;
    bool Reversed = false;
};
TNetlist BridgeRectifier(const TBridgeValues& values);

// Random circuits of each family, the same ones for the same seed on every
// platform (only the raw output of the standard engine is used).
class TTextbookGenerator {
public:
    explicit TTextbookGenerator(std::uint64_t seed) : Engine(seed) {}

    TNetlist Next(TFamily family);
    // perFamily circuits of every family, the families taking turns.
    std::vector<TNetlist> Batch(int perFamily);

private:
    std::uint64_t Below(std::uint64_t n) { return Engine() % n; }
    bool Chance(int percent) { return Below(100) < static_cast<std::uint64_t>(percent); }
    double Resistor();
    double OptionalResistor(int percent);
    double Supply();
    double ZenerVoltage();
    TStageValues Stage();

    std::mt19937_64 Engine;
};

} // namespace zaro::test
