#pragma once
// Independent sources and the one-port reference elements. The voltage
// sources and the level carry a 0.0001 ohm series term on the wire current at
// port 0 as stored, without the port current sign.

#include "ZaroSimDevices.h"

namespace zaro {

// Series resistance of the voltage sources and the level, ohms.
constexpr double SourceSeriesResistance = 0.0001;

// DC voltage of port 1 ("+") over port 0 ("-"); a short in AC. Default "15".
class TVDC : public T2PortDevice {
public:
    explicit TVDC(TTinyParser& evaluator);
    std::string ClassName() const override { return "TVDC"; }

    void UpdateDeviceValue() override;
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// AC voltage (phase 0) of port 1 over port 0; a short in DC. Default "100m".
class TVAC : public T2PortDevice {
public:
    explicit TVAC(TTinyParser& evaluator);
    std::string ClassName() const override { return "TVAC"; }

    void UpdateDeviceValue() override;
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// DC current entering at port 0 ("-") and leaving at port 1 ("+"); open in
// AC. Default "1m".
class TISRC : public T2PortDevice {
public:
    explicit TISRC(TTinyParser& evaluator);
    std::string ClassName() const override { return "TISRC"; }

    void UpdateDeviceValue() override;
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Ground: the potential of its wire is 0.
class TGnd : public T1PortDevice {
public:
    explicit TGnd(TTinyParser& evaluator);
    std::string ClassName() const override { return "TGnd"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Open terminal: the current of its wire is 0.
class TOpen : public T1PortDevice {
public:
    explicit TOpen(TTinyParser& evaluator);
    std::string ClassName() const override { return "TOpen"; }

    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Voltage level: the DC potential of its wire; 0 in AC. Default "15".
class TLevel : public T1PortDevice {
public:
    explicit TLevel(TTinyParser& evaluator);
    std::string ClassName() const override { return "TLevel"; }

    void UpdateDeviceValue() override;
    void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs) override;
    void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs) override;

protected:
    const TOldSizeConversion* OldSizeConversion() const override;
};

// Ground and open share the small 32 x 32 panel of the earlier layout's 64.
extern const TOldSizeConversion OldSizeTerminal64;

} // namespace zaro
