// Writes seed corpora of the fuzz targets: valid inputs made with the
// program's own writers, and damaged copies of them that each break one
// rule of the formats (a wrong tag, a length word, a count, a number that
// does not fit, a truncation). Every file holds one input.
//
//   zaro_fuzz_seeds OUTDIR [MODEL.zsm ...]
//
// writes OUTDIR/<target>/<name>; the model files given (the examples) are
// also split into device records for the clipboard target.

#include "ClipboardCommands.h"
#include "ComponentText.h"
#include "DeviceFactory.h"
#include "DeviceRecord.h"
#include "FuzzDocument.h"
#include "LabelDevice.h"
#include "Meters.h"
#include "NoteEditor.h"
#include "VariablesText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zaro::fuzz {
namespace {

namespace fs = std::filesystem;

TBytes Bytes(const std::string& text) {
    return TBytes(text.begin(), text.end());
}

TBytes Concat(std::initializer_list<TBytes> parts) {
    TBytes all;
    for (const TBytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

TBytes Integer(std::int32_t value) {
    TMemoryStream stream;
    WriteIntegerToStr(stream, value);
    return stream.Bytes();
}

// A String of raw bytes, not converted (for damaged text).
TBytes RawString(const std::string& bytes) {
    return Concat({Integer(static_cast<std::int32_t>(bytes.size())), Bytes(bytes)});
}

std::size_t Find(const TBytes& bytes, const TBytes& what, std::size_t from = 0) {
    auto at = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(),
                          what.begin(), what.end());
    if (at == bytes.end()) {
        throw std::runtime_error("seed pattern not found: " +
                                 std::string(what.begin(), what.end()));
    }
    return static_cast<std::size_t>(at - bytes.begin());
}

// Replaces the first String that holds exactly `old` by a String of `raw`.
TBytes ReplaceString(TBytes bytes, const std::string& old, const std::string& raw) {
    const TBytes pattern = RawString(old);
    const std::size_t at = Find(bytes, pattern);
    const TBytes replacement = RawString(raw);
    bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                bytes.begin() + static_cast<std::ptrdiff_t>(at + pattern.size()));
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), replacement.begin(),
                 replacement.end());
    return bytes;
}

// Replaces text inside the String that contains it and corrects its length.
TBytes ReplaceInString(TBytes bytes, const std::string& old, const std::string& raw) {
    const std::size_t at = Find(bytes, Bytes(old));
    for (std::size_t word = at - std::min<std::size_t>(at, 4);; --word) {
        std::int32_t length = 0;
        std::memcpy(&length, &bytes[word], 4);
        if (length >= 0 && word + 4 + static_cast<std::size_t>(length) >= at + old.size()) {
            const auto delta =
                static_cast<std::int32_t>(raw.size()) - static_cast<std::int32_t>(old.size());
            const TBytes fixed = Integer(length + delta);
            std::copy(fixed.begin(), fixed.end(),
                      bytes.begin() + static_cast<std::ptrdiff_t>(word));
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                        bytes.begin() + static_cast<std::ptrdiff_t>(at + old.size()));
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), raw.begin(), raw.end());
            return bytes;
        }
        if (word == 0) {
            throw std::runtime_error("no String around this seed pattern");
        }
    }
}

TBytes PatchInteger(TBytes bytes, std::size_t at, std::int32_t value) {
    const TBytes word = Integer(value);
    std::copy(word.begin(), word.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
    return bytes;
}

TBytes Truncated(const TBytes& bytes, std::size_t size) {
    return TBytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
}

class TSeedFolder {
public:
    TSeedFolder(const fs::path& root, const std::string& target) : Path(root / target) {
        fs::create_directories(Path);
    }
    void Add(const std::string& name, const TBytes& bytes) const {
        std::ofstream out(Path / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    void Add(const std::string& name, std::uint8_t selector, const TBytes& bytes) const {
        Add(name, Concat({TBytes{selector}, bytes}));
    }

private:
    fs::path Path;
};

// --- Circuits ------------------------------------------------------------------

TZaroSimDevice& DeviceOf(TCircuitDocument& doc, const std::string& className) {
    const std::vector<std::string>& names = DeviceClassNames();
    const auto at = std::find(names.begin(), names.end(), className) - names.begin();
    return static_cast<TZaroSimDevice&>(doc.Canvas().DragPanel(static_cast<int>(at)));
}

const std::string LabelRtf = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fnil\\fcharset128 "
                             "MS UI Gothic;}}\\f0\\fs18 \\'93\\'fa\\'96\\'7b\\'8c\\'ea "
                             "note\\par\r\n}\r\n";

// Every class once, in lookup order, with values, Japanese text and wires of
// four and five segments, one of them with a moved middle segment.
void BuildAllClasses(TFuzzDocument& fuzz) {
    TCircuitDocument& doc = fuzz.Doc;
    ClearCircuit(doc.Canvas());
    const std::vector<std::string>& names = DeviceClassNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        fuzz.Place(names[i], 16 + static_cast<int>(i % 5) * 120,
                   16 + static_cast<int>(i / 5) * 104);
    }
    DeviceOf(doc, "TResistor").ValueEdit()->SetText("R1");
    DeviceOf(doc, "TCapacitor").ValueEdit()->SetText("10u");
    DeviceOf(doc, "TVDC").ValueEdit()->SetText("VCC");
    DeviceOf(doc, "TLamp").ValueEdit()->SetText("3");
    static_cast<TLamp&>(DeviceOf(doc, "TLamp")).PowerEdit()->SetText("250m");
    auto& label = static_cast<TLabelDevice&>(DeviceOf(doc, "TLabelDevice"));
    label.NoteEditor().Document().SetRtf(Bytes(LabelRtf));
    label.SetCaption("ラベル");
    label.SetBounds(label.Left(), label.Top(), 200, 120);
    TCodingPanel& canvas = doc.Canvas();
    auto wire = [&](const char* a, int pa, const char* b, int pb) {
        fuzz.Builder.Wire(DeviceOf(doc, a), pa, DeviceOf(doc, b), pb);
    };
    wire("TResistor", 1, "TCapacitor", 0);
    wire("TVDC", 1, "TAmMeter", 0);
    wire("TTrNPN", 2, "TInductor", 0);
    wire("TYConnection", 2, "TGnd", 0);
    wire("TXConnection", 3, "TLED", 1);
    wire("TVoltMeter", 1, "TTrPNP", 2);
    TConnector& moved = canvas.Connector(0);
    for (int i : {2, 3}) {
        moved.SetPointY(i, moved.Point(i).y + 12);
        moved.SetPointFlag(i, true);
    }
    doc.SetVariableLines({"R1=4.7k", "' 電源電圧：日本語の注釈", "VCC=12", "ＣＯＵＴ=全角"});
}

// 10 V over two resistors, with meters on the middle: every port wired.
void BuildDivider(TFuzzDocument& fuzz) {
    TCircuitDocument& doc = fuzz.Doc;
    ClearCircuit(doc.Canvas());
    TZaroSimDevice& source = fuzz.Place("TVDC", 16, 16);
    TZaroSimDevice& meter = fuzz.Place("TAmMeter", 120, 16);
    TZaroSimDevice& r1 = fuzz.Place("TResistor", 240, 16);
    TZaroSimDevice& junction = fuzz.Place("TXConnection", 360, 16);
    TZaroSimDevice& r2 = fuzz.Place("TResistor", 360, 120);
    TZaroSimDevice& volts = fuzz.Place("TVoltMeter", 480, 16);
    TZaroSimDevice& potential = fuzz.Place("TPotentialMeter", 360, 240);
    source.ValueEdit()->SetText("V0");
    r1.ValueEdit()->SetText("1k");
    r2.ValueEdit()->SetText("2.2k");
    auto wire = [&](TDragPanel& a, int pa, TDragPanel& b, int pb) {
        fuzz.Builder.Wire(a, pa, b, pb);
    };
    wire(source, 0, fuzz.Place("TGnd", 16, 160), 0);
    wire(source, 1, meter, 0);
    wire(meter, 1, r1, 0);
    wire(r1, 1, junction, 0);
    wire(junction, 3, r2, 0);
    wire(r2, 1, fuzz.Place("TGnd", 360, 360), 0);
    wire(junction, 1, volts, 0);
    wire(volts, 1, fuzz.Place("TGnd", 480, 160), 0);
    wire(junction, 2, potential, 0);
    doc.SetVariableLines({"V0=10"});
}

// --- Model files -----------------------------------------------------------------

struct TModelLayout {
    TBytes Bytes;
    std::size_t ConnectorCountAt = 0; // offset of the connector count
    std::size_t VariablesAt = 0;      // offset of the variables String
};

TModelLayout Layout(TCircuitDocument& doc) {
    TModelLayout layout;
    layout.Bytes = ModelBytes(doc);
    std::size_t at = 4 + 24 + 4;
    for (int i = 0; i < doc.Canvas().DragPanelCount(); ++i) {
        at += DeviceRecordBytes(doc.Canvas().DragPanel(i)).size();
    }
    layout.ConnectorCountAt = at;
    TMemoryStream variables;
    WriteStringToStr(variables, JoinVariableLines(doc.VariableLines()));
    layout.VariablesAt = layout.Bytes.size() - variables.Bytes().size();
    return layout;
}

// Connector records are 14 (tag) + 6 * 4 + 6 * 4 + 12 * 4 + 4 bytes long.
constexpr std::size_t ConnectorRecordSize = 14 + 24 + 24 + 48 + 4;

void WriteDamagedModels(const TSeedFolder& seeds, const TModelLayout& m, const std::string& tag) {
    const TBytes& b = m.Bytes;
    const std::size_t firstWire = m.ConnectorCountAt + 4;
    auto add = [&](const std::string& what, const TBytes& bytes) {
        seeds.Add(tag + "-" + what + ".zsm", bytes);
    };
    add("wrong-header", ReplaceString(b, ModelFileHeader, "ZaroSim Model Definitioo"));
    add("header-only", Truncated(b, 28));
    add("no-bytes", {});
    add("unknown-class", ReplaceString(b, "TVDC", "TVDX"));
    add("huge-panel-count", PatchInteger(b, 28, 0x7fffffff));
    add("negative-panel-count", PatchInteger(b, 28, -1));
    add("one-panel-more", PatchInteger(b, 28, b[28] + 1));
    add("huge-wire-count", PatchInteger(b, m.ConnectorCountAt, 0x7fffffff));
    add("negative-wire-count", PatchInteger(b, m.ConnectorCountAt, -2));
    add("cut-in-first-device", Truncated(b, 60));
    add("cut-in-devices", Truncated(b, m.ConnectorCountAt / 2));
    add("cut-in-wires", Truncated(b, firstWire + ConnectorRecordSize + 30));
    add("cut-in-variables", Truncated(b, b.size() - 1));
    add("old-format", Truncated(b, m.VariablesAt));
    add("trailing-bytes", Concat({b, Bytes("\x01\x02\x03")}));
    add("variables-length-65536", PatchInteger(b, m.VariablesAt, 65536));
    add("variables-length-negative", PatchInteger(b, m.VariablesAt, -1));
    add("panel-tag-version-9", ReplaceString(b, "TDragPanel_3", "TDragPanel_9"));
    add("panel4p-tag", ReplaceString(b, "TDragPanel4P", "TDragPanel4Q"));
    add("wire-tag", ReplaceString(b, "TConnector", "TConnectoR"));
    add("wire-end-panel-99", PatchInteger(b, firstWire + 14, 99));
    add("wire-end-port-7", PatchInteger(b, firstWire + 18, 7));
    add("wire-line-count-9", PatchInteger(b, firstWire + 26, 9));
    add("wire-start-panel-negative", PatchInteger(b, firstWire + 30, -5));
    add("wire-point-extreme", PatchInteger(b, firstWire + 62, 0x7ffffff0));
    add("left-extreme", ReplaceInString(b, "Left = 16", "Left = 2147483647"));
    add("left-beyond-64-bits", ReplaceInString(b, "Left = 16", "Left = 99999999999999999999"));
    add("width-negative", ReplaceInString(b, "Width = 96", "Width = -96"));
    add("resize-style-unknown", ReplaceInString(b, "dprsFixed", "dprsBogus"));
    add("component-text-unknown-property",
        ReplaceInString(b, "  Left = 16", "  Foo.Bar = (1 2)\r\n  Left = 16"));
    add("component-text-nested-object",
        ReplaceInString(b, "\r\nend",
                        "\r\n  object X: TLabel\r\n    Caption = 'x'#13'y'\r\n  end\r\nend"));
    add("component-text-no-end", ReplaceInString(b, "\r\nend", "\r\n"));
    add("value-bad-cp932", ReplaceString(b, "V0", "\x81\x20"));
}

void WriteModelSeeds(const TSeedFolder& seeds) {
    TFuzzDocument fuzz;
    TCircuitDocument& doc = fuzz.Doc;

    ClearCircuit(doc.Canvas());
    doc.SetVariableLines({});
    seeds.Add("empty.zsm", ModelBytes(doc));

    BuildAllClasses(fuzz);
    const TModelLayout all = Layout(doc);
    seeds.Add("all-classes.zsm", all.Bytes);
    seeds.Add("all-classes-old-format.zsm", Truncated(all.Bytes, all.VariablesAt));
    TBytes label = all.Bytes;
    const std::size_t rtf = Find(label, Bytes("{\\rtf1"));
    seeds.Add("all-classes-note-size-huge.zsm", PatchInteger(label, rtf - 4, 0x7fffffff));
    seeds.Add("all-classes-note-size-negative.zsm", PatchInteger(label, rtf - 4, -1));

    BuildDivider(fuzz);
    const TModelLayout divider = Layout(doc);
    seeds.Add("divider.zsm", divider.Bytes);
    WriteDamagedModels(seeds, divider, "divider");

    // Numbers that do not fit together, written through the objects.
    TZaroSimDevice& source = static_cast<TZaroSimDevice&>(doc.Canvas().DragPanel(0));
    const std::int32_t wire = source.PortConnectorNo(1);
    source.SetPortConnectorNo(1, 77);
    seeds.Add("divider-port-names-missing-wire.zsm", ModelBytes(doc));
    source.SetPortConnectorNo(1, wire == 0 ? 1 : 0);
    seeds.Add("divider-port-names-other-wire.zsm", ModelBytes(doc));
    source.SetPortConnectorNo(1, wire);
    doc.Canvas().Connector(0).SetEndPortNo(doc.Canvas().Connector(0).StartPortNo());
    doc.Canvas().Connector(0).SetEndPanelNo(doc.Canvas().Connector(0).StartPanelNo());
    seeds.Add("divider-wire-to-itself.zsm", ModelBytes(doc));
    BuildDivider(fuzz);
    static_cast<TZaroSimDevice&>(doc.Canvas().DragPanel(2)).SetPortCount(3);
    seeds.Add("divider-resistor-with-three-ports.zsm", ModelBytes(doc));
}

// --- Clipboard payloads ----------------------------------------------------------

void WriteDeviceRecords(const TSeedFolder& seeds, TCodingPanel& canvas, const std::string& tag) {
    for (int i = 0; i < canvas.DragPanelCount(); ++i) {
        TDragPanel& panel = canvas.DragPanel(i);
        seeds.Add(tag + "-" + std::to_string(i) + "-" + panel.ClassName(),
                  DeviceRecordBytes(panel));
    }
}

void WriteClipboardSeeds(const TSeedFolder& seeds) {
    TFuzzDocument fuzz;
    BuildAllClasses(fuzz);
    WriteDeviceRecords(seeds, fuzz.Doc.Canvas(), "all-classes");
    const TBytes resistor = DeviceRecordBytes(DeviceOf(fuzz.Doc, "TResistor"));
    seeds.Add("damaged-no-bytes", {});
    seeds.Add("damaged-cut-resistor", Truncated(resistor, resistor.size() / 2));
    seeds.Add("damaged-resistor-trailing-bytes", Concat({resistor, resistor}));
    seeds.Add("damaged-unknown-class", ReplaceString(resistor, "TResistor", "TResistorX"));
    seeds.Add("damaged-class-name-length", PatchInteger(resistor, 0, 65536));
    seeds.Add("damaged-class-name-cp932", ReplaceString(resistor, "TResistor", "T\x82Resistor"));
    seeds.Add("damaged-value-length", PatchInteger(resistor, 13, -7));
    seeds.Add("damaged-panel-tag", ReplaceString(resistor, "TDragPanel_3", "TDragPanel_0"));
    seeds.Add("damaged-index-in-text",
              ReplaceInString(resistor, "Index = ", "Index = -2147483649"));
}

// --- Stream records --------------------------------------------------------------

enum TStreamSelector : std::uint8_t {
    sStrings,
    sComponentText,
    sPanelRecord,
    sConnector,
    sRichText
};

// A panel record of the older versions, which the program no longer writes.
TBytes OlderPanelRecord(TDragPanel4P& panel, int version) {
    TMemoryStream s;
    WriteStringToStr(s, "TDragPanel4P");
    WriteStringToStr(s, version == 1 ? "TDragPanel" : "TDragPanel_2");
    WriteStringToStr(s, ComponentToText(panel));
    WriteStringToStr(s, panel.Caption());
    WriteIntegerToStr(s, panel.ImageIndex());
    WriteIntegerToStr(s, panel.Index());
    if (version == 2) {
        WriteBooleanToStr(s, panel.CanIconize());
        WriteBooleanToStr(s, panel.Iconized());
    }
    WriteBooleanToStr(s, panel.ImageHorzCenter());
    WriteBooleanToStr(s, panel.ImageVertCenter());
    WriteIntegerToStr(s, panel.PortCount());
    for (int i = 0; i < panel.PortCount(); ++i) {
        WriteIntegerToStr(s, panel.PortConnectorNo(i));
    }
    for (int i = 0; i < panel.PortCount(); ++i) {
        WriteStringToStr(s, PortDirectionToStr(panel.PortDirection(i)));
    }
    for (int i = 0; i < panel.PortCount(); ++i) {
        const TRect r = panel.PortRect(i);
        for (std::int32_t v : {r.Left, r.Top, r.Right, r.Bottom}) {
            WriteIntegerToStr(s, v);
        }
    }
    if (version == 2) {
        for (int i = 0; i < panel.PortCount(); ++i) {
            WriteStringToStr(s, panel.PortCaption(i));
        }
    }
    return s.Bytes();
}

const char* const FullComponentText =
    "object Panel1: TDragPanel4P\r\n"
    "  Left = -8\r\n  Top = +16\r\n  Width = 200\r\n  Height = $40\r\n"
    "  Caption = 'It''s '#26085#26412' + more' +\r\n    ' joined'\r\n"
    "  Font.Style = [fsBold, fsItalic]\r\n  Items.Strings = (\r\n    'a'\r\n    'b')\r\n"
    "  Glyph.Data = {\r\n    0A0B0C0D}\r\n  Scale = 1.5E3\r\n  Collection = <\r\n"
    "    item\r\n      Width = 3\r\n    end>\r\n  ResizeStyle = dprsLine\r\n"
    "  CanIconize = True\r\n  Iconized = False\r\n"
    "  inline Child: TFrame\r\n  end\r\nend\r\n";

void WriteStreamSeeds(const TSeedFolder& seeds) {
    TMemoryStream strings;
    for (const char* text : {"", "pdUp", "pdDown", "pdLeft", "pdRight", "PDRIGHT",
                             "日本語のテキスト", "半角ｶﾀｶﾅ", "①②③ⅰⅱ"}) {
        WriteStringToStr(strings, text);
    }
    seeds.Add("strings", sStrings, strings.Bytes());
    seeds.Add("string-length-negative", sStrings, Integer(-1));
    seeds.Add("string-length-65535-short", sStrings, Concat({Integer(65535), Bytes("abc")}));
    seeds.Add("string-nec-and-ibm-rows", sStrings, RawString("\x87\x90\xed\x40\xfa\x5c\x81\xe0"));
    seeds.Add("string-lone-lead-byte", sStrings, RawString("ab\x82"));

    TDragPanel4P panel;
    panel.SetBounds(96, 48, 120, 80);
    panel.SetCaption("パネル");
    panel.SetResizeStyle(TDragPanelResizeStyle::dprsLine);
    panel.SetCanIconize(true);
    panel.SetPortCaption(0, "+");
    seeds.Add("component-text", sComponentText, Bytes(ComponentToText(panel)));
    seeds.Add("component-text-full-grammar", sComponentText, Bytes(FullComponentText));
    seeds.Add("component-text-bad-value", sComponentText,
              Bytes("object TDragPanel4P\r\n  Left = 'x'\r\nend\r\n"));

    TMemoryStream record;
    panel.SaveToStream(record);
    seeds.Add("panel-record-3", sPanelRecord, record.Bytes());
    seeds.Add("panel-record-2", sPanelRecord, OlderPanelRecord(panel, 2));
    seeds.Add("panel-record-1", sPanelRecord, OlderPanelRecord(panel, 1));
    const std::size_t portCount = Find(record.Bytes(), RawString("pdLeft")) - 4 * 4 - 4;
    seeds.Add("panel-record-port-count-huge", sPanelRecord,
              PatchInteger(record.Bytes(), portCount, 0x7fffffff));

    test::TFakePlatform platform;
    TCodingPanel canvas(platform);
    canvas.AddDragPanel(std::make_unique<TDragPanel4P>());
    canvas.AddDragPanel(std::make_unique<TDragPanel4P>()).SetBounds(200, 96, 64, 64);
    canvas.ConnectPorts(0, 1, 1, 0);
    canvas.ConnectPorts(0, 3, 1, 2);
    for (int i = 0; i < canvas.ConnectorCount(); ++i) {
        TMemoryStream wire;
        canvas.Connector(i).SaveToStream(wire);
        seeds.Add("connector-" + std::to_string(i), sConnector, wire.Bytes());
    }

    TRichTextDocument note;
    note.SetRtf(Bytes(LabelRtf));
    TMemoryStream rich;
    WriteRichTextToStr(rich, note);
    seeds.Add("rich-text", sRichText, rich.Bytes());
    seeds.Add("rich-text-empty", sRichText, Integer(0));
    seeds.Add("rich-text-size-beyond-end", sRichText, Concat({Integer(1000), Bytes("{\\rtf1}")}));
}

// --- Rich text -------------------------------------------------------------------

// A note as a rich-text control on a Japanese system saves it.
const char* const ControlNoteRtf =
    "{\\rtf1\\ansi\\ansicpg932\\deff0\\deflang1033\\deflangfe1041{\\fonttbl"
    "{\\f0\\fswiss\\fprq2\\fcharset128 \\'82\\'6c\\'82\\'72 "
    "\\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;}"
    "{\\f1\\fnil\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
    "{\\*\\generator Seed 1.0;}\\viewkind4\\uc1\\pard\\sa200\\b\\f0\\fs21\\lang1041 "
    "\\'93\\'fa\\'96\\'7b\\'8c\\'ea\\b0\\par\r\n\\cf1\\i\\ul\\f1 caf\\'e9\\cf0\\i0\\ulnone\\f0  "
    "\\u9731?\\tab\\strike x\\strike0\\line y\\par\r\n}\r\n";

void WriteRichTextSeeds(const TSeedFolder& seeds) {
    const TBytes note = Bytes(ControlNoteRtf);
    seeds.Add("control-note.rtf", note);
    seeds.Add("label-note.rtf", Bytes(LabelRtf));
    TNoteEditor fresh;
    seeds.Add("new-label.rtf", fresh.Document().Rtf());
    seeds.Add("plain-text-cp932", Bytes("\x93\xfa\x96\x7b\r\nline 2"));
    seeds.Add("empty", {});
    seeds.Add("cut-in-font-table", Truncated(note, 60));
    seeds.Add("cut-in-text", Truncated(note, note.size() - 30));
    seeds.Add("unbalanced-groups", Bytes("{\\rtf1 {\\b a}}}{{\\i b"));
    seeds.Add("deep-groups",
              Bytes("{\\rtf1 " + std::string(300, '{') + "a" + std::string(300, '}')));
    seeds.Add("unicode-and-surrogates",
              Bytes("{\\rtf1\\uc2\\u12354\\'82\\'a0\\uc1\\u-10179?\\u-8704?\\u-10179?x\\u65536?}"));
    seeds.Add("binary-and-skipped",
              Bytes("{\\rtf1{\\pict\\bin99999 ab}{\\*\\x y}{\\info z}\\bin-5 c}"));
    seeds.Add("broken-escapes-and-numbers",
              Bytes("{\\rtf1\\'\\'4\\'zz\\fs-99999999999\\f99999999999\\cf-1 x\\}"));
}

// --- Expressions -----------------------------------------------------------------

void WriteExpressionSeeds(const TSeedFolder& seeds) {
    const char* const expressions[] = {
        "1+2*3",      "(1+2)*3",     "2^3^2",        "-2^2",         "2(3+4)",
        "(1+2)(3+4)", "2 3",         "((1+2)",       "2*-3",         "2 SIN(0)",
        "SIN2",       "SINX",        "1E-3*2",       "X1E-3",        ".5",
        "5+",         "SIN",         "4.7K",         "10MG",         "30DG",
        "SUM(1,2,3)", "MEAN(2,4)",   "MAX(1,2)",     "IND(1M, 1K)",  "AIND(1000, 1K)",
        "CAP(1U)",    "ROUND(-2.5)", "TRUNC(-2.7)",  "FLOOR(-2.7)",  "CEIL(2.1)",
        "3 // 6",     "2 \\\\ 3",    "TRUE & FALSE", "TRUE | FALSE", "!0",
        "3 >= 2",     "7 % 2",       "7.9 # 2.9",    "X := 2+3",     "RADTODEG(PI)",
        "DB(100)",    "ADB2(20)",    "_RND",         "ARCTANH(1)",   "EXP(1000)",
        "LN 0",       "SQRT(-1)",    "1/0",          "2*PI*F*1M",    "-1/(2*PI*F*1U)",
        "Y*2",        "_E0*_C^2"};
    int n = 0;
    for (const char* text : expressions) {
        seeds.Add("expression-" + std::to_string(n++), Bytes(text));
    }
    const std::string variables = std::string("\0", 1) + "X=2\nF=1000\n_F=1K\nY=X\nZ=2*Y\n";
    seeds.Add("with-variables-1", Bytes("X*3+Y" + variables));
    seeds.Add("with-variables-2", Bytes("IND(1M)+CAP(1U)" + variables));
    seeds.Add("with-variables-3", Bytes("Q := X*F" + variables));
}

// --- Example circuits ------------------------------------------------------------

TBytes ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteExampleSeeds(const TSeedFolder& models, const TSeedFolder& clipboard,
                       const fs::path& file) {
    const TBytes bytes = ReadFile(file);
    const std::string name = file.stem().string();
    models.Add("example-" + name + ".zsm", bytes);
    TFuzzDocument fuzz;
    LoadModel(fuzz.Doc, file.string());
    WriteDeviceRecords(clipboard, fuzz.Doc.Canvas(), "example-" + name);
}

} // namespace
} // namespace zaro::fuzz

int main(int argc, char** argv) {
    using namespace zaro::fuzz;
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTDIR [MODEL.zsm ...]\n", argv[0]);
        return 2;
    }
    try {
        zaro::LoadZaroMath();
        const fs::path root = argv[1];
        const TSeedFolder models(root, "model_file");
        const TSeedFolder clipboard(root, "clipboard_paste");
        WriteModelSeeds(models);
        WriteClipboardSeeds(clipboard);
        WriteStreamSeeds(TSeedFolder(root, "stream_records"));
        WriteExpressionSeeds(TSeedFolder(root, "expression"));
        WriteRichTextSeeds(TSeedFolder(root, "rich_text"));
        for (int i = 2; i < argc; ++i) {
            WriteExampleSeeds(models, clipboard, argv[i]);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
