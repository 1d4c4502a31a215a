#include "ZaroSimDevices.h"

#include "CodingPanel.h"
#include "Connector.h"
#include "TinyParser.h"
#include "ZaroStream.h"
#include "ZaroSub.h"

namespace zaro {

namespace {

const TRect PortLeft{0, 16, 8, 32};
const TRect PortRight{88, 16, 96, 32};
const TRect PortDown{40, 40, 56, 48};
const TRect PortUp{40, 0, 56, 8};

} // namespace

const TOldSizeConversion OldSize2Port128{{128}, {16, 8}, 96, 48, {{0, PortLeft}, {1, PortRight}}};
const TOldSizeConversion OldSize1Port128{{128}, {16, 8}, 96, 48, {{0, PortLeft}}};

double EvaluateExpression(TTinyParser& evaluator, const std::string& text) {
    evaluator.SetExpression(text);
    return ZaroStrToFloat(evaluator.Answer());
}

// --- TZaroSimDevice --------------------------------------------------------

TZaroSimDevice::TZaroSimDevice(TTinyParser& evaluator) : FEvaluator(&evaluator) {
    SetPanelSize(96, 48);
    SetImageHorzCenter(true);
}

TZaroSimDevice::~TZaroSimDevice() = default;

void TZaroSimDevice::BuildDCDeviceEquation(TDCCoefArray&, TDCRhsArray&) {
    throw EZaroError("TZaroSimDevice.BuildDCDeviceEquation is called.");
}

void TZaroSimDevice::BuildACDeviceEquation(TACCoefArray&, TACRhsArray&) {
    throw EZaroError("TZaroSimDevice.BuildACDeviceEquation is called.");
}

void TZaroSimDevice::ShowDeviceResult(const TPortComplexArray&, const TPortComplexArray&) {}

bool TZaroSimDevice::IsNonLinear() const {
    return false;
}

void TZaroSimDevice::ClearDeviceResult() {}

void TZaroSimDevice::UpdateDeviceValue() {}

int TZaroSimDevice::NonLinearParamCount() const {
    return 0;
}

double* TZaroSimDevice::NonLinearParam(int) {
    return nullptr;
}

double* TZaroSimDevice::NonLinearResidual(int) {
    return nullptr;
}

double TZaroSimDevice::CalcNonLinearResidual(const TPortRealArray&, const TPortRealArray&) {
    return 0.0;
}

double TZaroSimDevice::NonLinearResidualsAt(const TPortRealArray&, const TPortRealArray&,
                                            const double*, double*) const {
    return 0.0;
}

int TZaroSimDevice::PortCurrentSign(int port) const {
    const TCodingPanel* canvas = Parent();
    if (canvas == nullptr) {
        return 1;
    }
    const TConnector& wire = canvas->Connector(PortConnectorNo(port));
    return wire.StartPanelNo() == Index() ? -1 : 1;
}

double TZaroSimDevice::EvaluateExpression(const std::string& text) const {
    return zaro::EvaluateExpression(*FEvaluator, text);
}

std::vector<TEditBox*> TZaroSimDevice::EditBoxes() const {
    if (FValueEdit) {
        return {FValueEdit.get()};
    }
    return {};
}

std::string TZaroSimDevice::ValueText() const {
    return FValueEdit ? FValueEdit->Text() : std::string();
}

// --- Persistence -------------------------------------------------------------

void TZaroSimDevice::SaveToStream(TStream& stream) {
    WriteStringToStr(stream, ClassName());
    WriteOwnItems(stream);
    TDragPanel4P::SaveToStream(stream);
}

void TZaroSimDevice::LoadFromStream(TStream& stream) {
    const std::int64_t start = stream.Position();
    CheckRecordTag(stream, ClassName());
    try {
        std::function<void()> applyOwnItems = ReadOwnItems(stream);
        TDragPanel4P::LoadFromStream(stream);
        applyOwnItems();
    } catch (...) {
        // A damaged record leaves the stream where the record began, like a wrong tag.
        stream.SetPosition(start);
        throw;
    }
    ApplyOldSizeConversion();
}

void TZaroSimDevice::WriteOwnItems(TStream& stream) const {
    for (const TEditBox* edit : StoredEdits()) {
        WriteStringToStr(stream, edit->Text());
    }
}

std::function<void()> TZaroSimDevice::ReadOwnItems(TStream& stream) {
    std::vector<TEditBox*> edits = StoredEdits();
    std::vector<std::string> texts(edits.size());
    for (std::string& text : texts) {
        text = ReadStringFromStr(stream);
    }
    return [edits, texts] {
        for (std::size_t i = 0; i < edits.size(); ++i) {
            edits[i]->SetText(texts[i]);
        }
    };
}

std::vector<TEditBox*> TZaroSimDevice::StoredEdits() const {
    if (FValueEdit && !FValueEdit->ReadOnly()) {
        return {FValueEdit.get()};
    }
    return {};
}

const TOldSizeConversion* TZaroSimDevice::OldSizeConversion() const {
    return nullptr;
}

void TZaroSimDevice::ApplyOldSizeConversion() {
    const TOldSizeConversion* conversion = OldSizeConversion();
    if (conversion == nullptr) {
        return;
    }
    bool matches = false;
    for (std::int32_t width : conversion->LoadedWidths) {
        matches = matches || width == Width();
    }
    if (!matches) {
        return;
    }
    // A record without the class's ports is no earlier layout of it (the
    // readers refuse it for its port count); its missing ports are not set.
    for (const auto& [port, rect] : conversion->PortRects) {
        if (port >= PortCount()) {
            return;
        }
    }
    const std::int32_t height = conversion->NewHeight != 0 ? conversion->NewHeight : Height();
    SetBounds(Left() + conversion->Move.x, Top() + conversion->Move.y, conversion->NewWidth,
              height);
    SetPortRects(conversion->PortRects);
}

// --- Construction helpers ------------------------------------------------------

std::unique_ptr<TEditBox> TZaroSimDevice::MakeEditBox(TRect bounds, const std::string& text) const {
    auto edit = std::make_unique<TEditBox>();
    edit->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    edit->SetFontHeight(DeviceEditFontHeight);
    edit->SetText(text);
    return edit;
}

TEditBox& TZaroSimDevice::CreateValueEdit(const std::string& defaultText, TRect bounds) {
    FValueEdit = MakeEditBox(bounds, defaultText);
    return *FValueEdit;
}

TEditBox& TZaroSimDevice::CreateResultEdit() {
    FValueEdit = MakeEditBox(DeviceValueEditBounds, "");
    FValueEdit->SetReadOnly(true);
    FValueEdit->SetColor(Color());
    return *FValueEdit;
}

void TZaroSimDevice::SetPanelSize(std::int32_t width, std::int32_t height) {
    SetBounds(Left(), Top(), width, height);
}

void TZaroSimDevice::EvaluateRealValue() {
    SetValue(MakeComplex(EvaluateExpression(ValueText()), 0.0));
}

void TZaroSimDevice::SetPortRects(const std::vector<std::pair<int, TRect>>& rects) {
    for (const auto& [port, rect] : rects) {
        SetPortRect(port, rect);
    }
}

void TZaroSimDevice::SetPortCaptions(const std::vector<std::string>& captions) {
    for (std::size_t port = 0; port < captions.size(); ++port) {
        SetPortCaption(static_cast<int>(port), captions[port]);
    }
}

// --- Port-count bases ------------------------------------------------------------

T1PortDevice::T1PortDevice(TTinyParser& evaluator) : TZaroSimDevice(evaluator) {
    SetPortCount(1);
    SetPortRect(0, PortLeft);
    SetPortDirection(0, TPortDirection::pdLeft);
}

T2PortDevice::T2PortDevice(TTinyParser& evaluator) : TZaroSimDevice(evaluator) {
    SetPortCount(2);
    SetPortRects({{0, PortLeft}, {1, PortRight}});
}

void T2PortDevice::BuildDCResistanceEquation(TDCCoefArray& Coef, TDCRhsArray& Rhs, double R) {
    const int s0 = PortCurrentSign(0);
    const int s1 = PortCurrentSign(1);
    Coef[0] = 1.0;
    Coef[1] = -R * s0;
    Coef[2] = -1.0;
    Coef[5] = s0;
    Coef[7] = s1;
    Rhs[0] = 0.0;
    Rhs[1] = 0.0;
}

void T2PortDevice::BuildACImpedanceEquation(TACCoefArray& Coef, TACRhsArray& Rhs,
                                            const TComplex& Z) {
    const double s0 = PortCurrentSign(0);
    const double s1 = PortCurrentSign(1);
    Coef[0] = MakeComplex(1.0, 0.0);
    Coef[1] = ComplexTimes(ComplexNegate(Z), MakeComplex(s0, 0.0));
    Coef[2] = MakeComplex(-1.0, 0.0);
    Coef[5] = MakeComplex(s0, 0.0);
    Coef[7] = MakeComplex(s1, 0.0);
    Rhs[0] = MakeComplex(0.0, 0.0);
    Rhs[1] = MakeComplex(0.0, 0.0);
}

T3PortDevice::T3PortDevice(TTinyParser& evaluator) : TZaroSimDevice(evaluator) {
    SetPortCount(3);
    SetPortRects({{0, PortLeft}, {1, PortRight}, {2, PortDown}});
    SetPortDirection(2, TPortDirection::pdDown);
}

T4PortDevice::T4PortDevice(TTinyParser& evaluator) : TZaroSimDevice(evaluator) {
    SetPortCount(4);
    SetPortRects({{0, PortLeft}, {1, PortRight}, {2, PortDown}, {3, PortUp}});
    SetPortDirection(2, TPortDirection::pdDown);
    SetPortDirection(3, TPortDirection::pdUp);
}

} // namespace zaro
