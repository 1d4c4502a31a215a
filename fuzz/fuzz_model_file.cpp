// The model loader over arbitrary bytes: the bytes are the file that the
// open command reads into a document that already holds a circuit. Loading
// is all or nothing: a refused file leaves the document exactly as it was; an
// accepted one replaces it, saves back to a file that reads again to the same
// bytes, and stays usable (analysed, listed, dragged, edited).

#include "FuzzDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zaro::fuzz {
namespace {

// One file per fuzz process, rewritten for every input.
class TInputFile {
public:
    TInputFile() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zaro-fuzz-model-XXXXXX").string();
        const int fd = ::mkstemp(pattern.data());
        Expect(fd != -1, "cannot create the input file");
        ::close(fd);
        Path = pattern;
    }
    ~TInputFile() { std::remove(Path.c_str()); }

    void Write(const std::uint8_t* data, std::size_t size) {
        std::FILE* file = std::fopen(Path.c_str(), "wb");
        Expect(file != nullptr, "cannot open the input file");
        Expect(std::fwrite(data, 1, size, file) == size, "cannot write the input file");
        std::fclose(file);
    }

    std::string Path;
};

TInputFile& InputFile() {
    static TInputFile file;
    return file;
}

} // namespace
} // namespace zaro::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    zaro::fuzz::BindZaroMath();
    zaro::fuzz::InputFile();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zaro::fuzz;
    TInputFile& file = InputFile();
    file.Write(data, size);

    TFuzzDocument fuzz;
    zaro::TCircuitDocument& doc = fuzz.Doc;
    const TDocumentSnapshot before = Snapshot(doc);
    if (!Survives([&] { zaro::LoadModel(doc, file.Path); })) {
        Expect(Snapshot(doc) == before, "refused model file changed the document");
        return 0;
    }
    Expect(doc.FileName() == zaro::FullFileName(file.Path), "loaded document has another name");
    Expect(!doc.Modified(), "loaded document is marked modified");
    Expect(!doc.Analysis().ResultsValid(), "loaded document has valid results");
    fuzz.CheckSavedModelReadsBack(true);
    fuzz.WorkWith();
    return 0;
}
