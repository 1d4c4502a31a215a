#pragma once
// A document for the fuzz targets that read whole circuits: it holds a small
// wired circuit to start with, so that a refused input can be seen to leave
// it intact, and after an accepted input it is worked with as a user would
// (analysed, listed, dragged, edited, saved) to show that it stays usable.

#include "CircuitDocument.h"
#include "DevicePlacement.h"
#include "DocumentSnapshot.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "FuzzCheck.h"
#include "ModelFile.h"
#include "ZaroMathImport.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zaro::fuzz {

using TBytes = std::vector<std::uint8_t>;

using test::Snapshot;
using test::TDocumentSnapshot;

// The analyses need ZaroMath; it lies beside the fuzz programs.
inline void BindZaroMath() {
    LoadZaroMath();
    Expect(ZaroMathLoaded(), "ZaroMath could not be bound from the program's folder");
}

class TFuzzDocument {
public:
    TFuzzDocument() {
        Doc.Canvas().SetSize(555, 364);
        Doc.Canvas().SetHorzScrollRange(2000);
        Doc.Canvas().SetVertScrollRange(1500);
        TZaroSimDevice& source = Place("TVDC", 16, 16);
        TZaroSimDevice& resistor = Place("TResistor", 160, 16);
        TZaroSimDevice& gnd = Place("TGnd", 16, 160);
        resistor.ValueEdit()->SetText("VCC*1k");
        Builder.Wire(source, 1, resistor, 0);
        Builder.Wire(resistor, 1, source, 0);
        Builder.Wire(source, 0, gnd, 0);
        Doc.SetVariableLines({"VCC=5"});
        Doc.SetFileName("/previous/circuit.zsm");
        Doc.SetModified(true);
    }

    // A model written from the document reads back, and what was read writes
    // the same bytes again. Loading gives every port the captions of its class,
    // so a document whose devices carry others (a pasted record keeps its own)
    // writes them only until it is read; `exact` asks for no such difference.
    void CheckSavedModelReadsBack(bool exact = false) {
        TBytes saved;
        if (!Survives([&] { saved = ModelBytes(Doc); })) {
            return; // texts longer than a String holds, refused before writing
        }
        const TBytes again = ReadAndWrite(saved);
        Expect(!exact || again == saved, "saved model reads back to another model");
        Expect(ReadAndWrite(again) == again, "model read twice writes other bytes");
    }

    // What a user does with a circuit, each step ending in a result or an
    // error of the program; the circuit stays consistent throughout.
    void WorkWith() {
        Survives([&] { Doc.AtnSimulateDC(); });
        Survives([&] { Doc.AtnSimulateAC(); });
        TCodingPanel& canvas = Doc.Canvas();
        for (int i = 0; i < canvas.DragPanelCount(); ++i) {
            canvas.SetSelectedDragPanelNo(i);
            Survives([&] { Doc.ShowDeviceProperty(); });
            Survives([&] { canvas.DragPanel(i).Picture(); });
        }
        for (int i = 0; i < canvas.ConnectorCount(); ++i) {
            Survives([&] { canvas.Connector(i).Draw(); });
        }
        if (canvas.DragPanelCount() > 0) {
            DragPanel(canvas.DragPanel(0), 137, 93);
        }
        CheckSavedModelReadsBack();
        if (canvas.DragPanelCount() > 0) {
            Survives([&] { canvas.DeleteDragPanel(0); });
            CheckSavedModelReadsBack();
        }
    }

    TZaroSimDevice& Place(std::string_view className, int left, int top) {
        return Builder.Place(className, left, top);
    }

    test::TFakePlatform Platform;
    test::TFakeProgressView ProgressView;
    TCircuitDocument Doc{Platform, ProgressView};
    TCircuitBuilder Builder = PlacingBuilder(Doc);

private:
    static TBytes ReadAndWrite(const TBytes& bytes) {
        TMemoryStream stream(bytes);
        TTinyParser evaluator;
        TModelContents contents;
        Expect(Survives([&] { contents = ReadModel(stream, evaluator); }),
               "saved model does not read back");
        test::TFakePlatform platform;
        TCodingPanel canvas(platform);
        for (auto& device : contents.Devices) {
            canvas.AddDragPanel(std::move(device));
        }
        for (const auto& connector : contents.Connectors) {
            TMemoryStream record;
            connector->SaveToStream(record);
            record.SetPosition(0);
            canvas.NewConnector().LoadFromStream(record);
        }
        TMemoryStream written;
        WriteModel(written, canvas, contents.Variables);
        return written.Bytes();
    }

    // Press on the body, move over the canvas, drop: the wires follow.
    void DragPanel(TDragPanel& panel, int x, int y) {
        Survives([&] {
            panel.MouseDown(TMouseButton::mbLeft, {}, panel.Width() / 2, panel.Height() / 2);
            Doc.Canvas().DragOver(&panel, true, x, y);
            Doc.Canvas().EndPanelDrag(panel, TDropTarget::dtCanvas, x, y);
        });
    }
};

} // namespace zaro::fuzz
