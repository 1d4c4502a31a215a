#pragma once
// The devices that show results on the schematic: three meters that write a
// complex reading into their read-only box, and the lamp, a resistor given by
// rated voltage and power that shows its brightness with its picture.

#include "ZaroSimDevices.h"

namespace zaro {

// Series resistance of the ammeter, ohms.
constexpr double AmMeterResistance = 0.0001;

// "<re> + j<im>", both parts with PrefixedFloatToStrF(x, 3, 4, 2).
std::string MeterReadingText(const TComplex& reading);

// Potential difference port 0 minus port 1; draws no current.
class TVoltMeter : public T2PortDevice {
public:
    explicit TVoltMeter(TTinyParser& evaluator);
    std::string ClassName() const override { return "TVoltMeter"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;
    void ShowDeviceResult(const TPortComplexArray& Potentials,
                          const TPortComplexArray& Currents) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Current into port 0 ("+"); a 0.0001 ohm short.
class TAmMeter : public T2PortDevice {
public:
    explicit TAmMeter(TTinyParser& evaluator);
    std::string ClassName() const override { return "TAmMeter"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;
    void ShowDeviceResult(const TPortComplexArray& Potentials,
                          const TPortComplexArray& Currents) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Potential of its wire against the reference; draws no current.
class TPotentialMeter : public T1PortDevice {
public:
    explicit TPotentialMeter(TTinyParser& evaluator);
    std::string ClassName() const override { return "TPotentialMeter"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;
    void ShowDeviceResult(const TPortComplexArray& Potentials,
                          const TPortComplexArray& Currents) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Rated voltage in ValueEdit (default "1.5"), rated power in PowerEdit
// (default "500m"); Value = (Vr^2 / Pr, 0). Images 12 (dark) to 17.
class TLamp : public T2PortDevice {
public:
    static constexpr int DarkImageIndex = 12;

    explicit TLamp(TTinyParser& evaluator);
    std::string ClassName() const override { return "TLamp"; }

    TEditBox* PowerEdit() const { return FPowerEdit.get(); }
    std::vector<TEditBox*> EditBoxes() const override;

    void UpdateDeviceValue() override;
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;
    void ShowDeviceResult(const TPortComplexArray& Potentials,
                          const TPortComplexArray& Currents) override;
    void ClearDeviceResult() override;

    // Brightness level 0..5 for a power `ratio` of the rated power.
    static int BrightnessLevel(double ratio);

protected:
    std::vector<TEditBox*> StoredEdits() const override;
    const TOldSizeConversion* OldSizeConversion() const override;

private:
    struct TRating {
        double Voltage;
        double Power;
        double Resistance;
    };
    // Both texts evaluated; a rated power of 0 raises the math error.
    TRating EvaluateRating() const;

    std::unique_ptr<TEditBox> FPowerEdit;
};

} // namespace zaro
