#pragma once
// The device layer. Every circuit element is a drag panel that also knows its
// rows of the wire-based equation system: one row per port, written into the
// block the engine hands over (P rows of 2P columns; column 2p is the
// potential of the wire at port p, column 2p + 1 its current as stored).
// Non-linear devices also expose adjustable parameters and residuals.

#include "DeviceArrays.h"
#include "DragPanels.h"
#include "EditBox.h"
#include "Geometry.h"
#include "ZaroMathImport.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zaro {

class TTinyParser;

// Turns a device value text into a number through the given evaluator: the
// text becomes its expression, its answer text is read back with
// ZaroStrToFloat. Errors of the evaluator pass through.
double EvaluateExpression(TTinyParser& evaluator, const std::string& text);

// Where a device's value box sits, unless the class says otherwise.
inline constexpr TRect DeviceValueEditBounds = TRect::FromBounds(12, 26, 72, 16);
inline constexpr int DeviceEditFontHeight = 12;

// What a panel stored in an earlier, larger layout becomes after loading.
struct TOldSizeConversion {
    std::vector<std::int32_t> LoadedWidths; // the conversion applies to these
    TPoint Move;                            // added to the loaded Left and Top
    std::int32_t NewWidth = 0;
    std::int32_t NewHeight = 0; // 0 keeps the loaded height
    std::vector<std::pair<int, TRect>> PortRects;
};

class TZaroSimDevice : public TDragPanel4P {
public:
    // The evaluator is the one of the document that owns the device; it must
    // outlive the device.
    explicit TZaroSimDevice(TTinyParser& evaluator);
    ~TZaroSimDevice() override;

    // The type tag of the device in files and on the clipboard.
    std::string ClassName() const override = 0;

    // --- The operations the analysis engine calls -------------------------
    virtual void BuildDCDeviceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs);
    virtual void BuildACDeviceEquation(TACCoefArray& Coef, TACRhsArray& Rhs);
    virtual void ShowDeviceResult(const TPortComplexArray& Potentials,
                                  const TPortComplexArray& Currents);
    virtual bool IsNonLinear() const;
    virtual void ClearDeviceResult();
    virtual void UpdateDeviceValue();
    virtual int NonLinearParamCount() const;
    // Storage of parameter / residual `index`; nullptr where the device has none.
    virtual double* NonLinearParam(int index);
    virtual double* NonLinearResidual(int index);
    // Receives the real parts of the port potentials and (unsigned) currents.
    virtual double CalcNonLinearResidual(const TPortRealArray& Potentials,
                                         const TPortRealArray& Currents);
    // The residuals CalcNonLinearResidual would store, one per non-linear
    // parameter, with `params` (in NonLinearParam order) in place of the
    // device's own; returns what it would return. Changes nothing, so
    // several threads may ask at once. Devices with parameters override it.
    virtual double NonLinearResidualsAt(const TPortRealArray& Potentials,
                                        const TPortRealArray& Currents, const double* params,
                                        double* residuals) const;

    // +1, or -1 when the wire at the port starts at this panel.
    int PortCurrentSign(int port) const;
    double EvaluateExpression(const std::string& text) const;
    TTinyParser& Evaluator() const { return *FEvaluator; }

    // Record: class name, the device's own items, the TDragPanel4P record.
    void SaveToStream(TStream& stream) override;
    void LoadFromStream(TStream& stream) override;

    // The boxes the view shows on the panel: ValueEdit, where there is one.
    std::vector<TEditBox*> EditBoxes() const override;
    // The value text box, or nullptr for devices without one.
    TEditBox* ValueEdit() const { return FValueEdit.get(); }
    // The text of ValueEdit; empty for devices without one.
    std::string ValueText() const;

    // The value the equations use, set by UpdateDeviceValue; the source
    // stepping of the non-linear analysis scales it.
    const TComplex& Value() const { return FValue; }
    void SetValue(const TComplex& value) { FValue = value; }
    // What the last CalcNonLinearResidual left, one per non-linear parameter.
    const std::vector<double>& Residuals() const { return FResiduals; }

protected:
    // Sized by the non-linear classes; NonLinearResidual points into it.
    std::vector<double> FResiduals;

    // Own items of the record. The default writes the texts of StoredEdits().
    virtual void WriteOwnItems(TStream& stream) const;
    // Reads the own items and returns the step that puts them into the
    // controls; it runs only once the whole record has been read.
    virtual std::function<void()> ReadOwnItems(TStream& stream);
    // Edit boxes whose texts are the record's own items, in order.
    virtual std::vector<TEditBox*> StoredEdits() const;
    virtual const TOldSizeConversion* OldSizeConversion() const;

    // Editable value box, font height 12.
    TEditBox& CreateValueEdit(const std::string& defaultText, TRect bounds = DeviceValueEditBounds);
    // Read-only result box at the same place, empty, in the panel's colour.
    TEditBox& CreateResultEdit();
    // A further edit box owned by the device (the lamp's power box).
    std::unique_ptr<TEditBox> MakeEditBox(TRect bounds, const std::string& text) const;

    // Value = (the evaluated value text, 0); unchanged when evaluation fails.
    void EvaluateRealValue();

    // Shared geometry setters of the constructors.
    void SetPanelSize(std::int32_t width, std::int32_t height);
    void SetPortRects(const std::vector<std::pair<int, TRect>>& rects);
    void SetPortCaptions(const std::vector<std::string>& captions);

private:
    void ApplyOldSizeConversion();

    TTinyParser* FEvaluator;
    std::unique_ptr<TEditBox> FValueEdit;
    TComplex FValue{0.0, 0.0};
};

class T1PortDevice : public TZaroSimDevice {
public:
    explicit T1PortDevice(TTinyParser& evaluator);
};

class T2PortDevice : public TZaroSimDevice {
public:
    explicit T2PortDevice(TTinyParser& evaluator);

    // An impedance Z between port 0 and port 1:
    // row 0: V0 - Z s0 I0 - V1 = 0; row 1: s0 I0 + s1 I1 = 0.
    virtual void BuildACImpedanceEquation(TACCoefArray& Coef, TACRhsArray& Rhs, const TComplex& Z);
    virtual void BuildDCResistanceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs, double R);
};

class T3PortDevice : public TZaroSimDevice {
public:
    explicit T3PortDevice(TTinyParser& evaluator);
};

class T4PortDevice : public TZaroSimDevice {
public:
    explicit T4PortDevice(TTinyParser& evaluator);
};

// Conversions shared by several classes of the earlier layout.
extern const TOldSizeConversion OldSize2Port128; // 96 x 48 two-port devices
extern const TOldSizeConversion OldSize1Port128; // 96 x 48 one-port devices

} // namespace zaro
