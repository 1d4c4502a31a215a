// Reading and writing a label's RTF: a note of the size people write, a long
// formatted Japanese document, and hostile blocks (deep groups, one paragraph
// mark after another) to see that time stays linear in the input.

#include "NoteEditor.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace zaro;

// `paragraphs` paragraphs of Japanese and ASCII text in alternating formats.
TRichText FormattedDocument(int paragraphs) {
    TRichText text;
    TRichTextFormat plain = TNoteEditor::DefaultFormat();
    TRichTextFormat bold = plain;
    bold.Bold = true;
    bold.Color = TColor{200, 0, 0};
    for (int i = 0; i < paragraphs; ++i) {
        TRichTextParagraph paragraph;
        paragraph.Append("抵抗 R" + std::to_string(i) + " は ", plain);
        paragraph.Append("4.7kΩ", bold);
        paragraph.Append(" です。電源電圧は 12 V、負荷電流は約 2.5 mA。", plain);
        paragraph.MarkFormat = plain;
        text.Paragraphs.push_back(std::move(paragraph));
    }
    return text;
}

void Read(benchmark::State& state, const std::string& rtf) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadRtf(rtf));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * rtf.size()));
}

void BM_ReadNote(benchmark::State& state) {
    Read(state, WriteRtf(FormattedDocument(3)));
}
BENCHMARK(BM_ReadNote);

void BM_ReadLongDocument(benchmark::State& state) {
    Read(state, WriteRtf(FormattedDocument(static_cast<int>(state.range(0)))));
}
BENCHMARK(BM_ReadLongDocument)->Arg(100)->Arg(1000);

void BM_WriteLongDocument(benchmark::State& state) {
    const TRichText text = FormattedDocument(static_cast<int>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string rtf = WriteRtf(text);
        bytes = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteLongDocument)->Arg(100)->Arg(1000);

void BM_ReadDeepGroups(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    Read(state, "{\\rtf1 " + std::string(n, '{') + "a" + std::string(n, '}') + "}");
}
BENCHMARK(BM_ReadDeepGroups)->Arg(1 << 16)->Arg(1 << 20);

void BM_ReadParagraphMarks(benchmark::State& state) {
    std::string rtf = "{\\rtf1 ";
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        rtf += "\\par ";
    }
    Read(state, rtf + "}");
}
BENCHMARK(BM_ReadParagraphMarks)->Arg(1 << 14)->Arg(1 << 18);

} // namespace
