#pragma once
// A document on the recording platform, a private folder for its files, and
// what a test compares to see that a failed command changed nothing.

#include "CircuitDocument.h"
#include "DevicePlacement.h"
#include "DocumentSnapshot.h"
#include "FakePlatform.h"
#include "FakeProgressView.h"
#include "ModelFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zaro::test {

using TBytes = std::vector<std::uint8_t>;

inline TBytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::filesystem::path& path, const TBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline TBytes Concat(std::initializer_list<TBytes> parts) {
    TBytes all;
    for (const TBytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A folder of its own for every test, removed with everything in it.
class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zaro-app-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        Path = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (Path / name).string(); }
    // Names of the entries, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Path)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path Path;
};

// The message of the error that `action` raises, or "" when it raises none.
template <typename TAction> std::string ErrorOf(TAction&& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

class TDocumentFixture : public ::testing::Test {
protected:
    TDocumentFixture() {
        // The canvas as the window shows it at start: the visible part and the scroll ranges.
        Doc.Canvas().SetSize(555, 364);
        Doc.Canvas().SetHorzScrollRange(2000);
        Doc.Canvas().SetVertScrollRange(1500);
    }

    // A device placed as its command places it, then moved to (left, top).
    TZaroSimDevice& Place(std::string_view className, int left = 0, int top = 0) {
        return Builder.Place(className, left, top);
    }
    void Wire(const TDragPanel& from, int fromPort, const TDragPanel& to, int toPort) {
        Builder.Wire(from, fromPort, to, toPort);
    }
    // A source across a resistor, grounded through a junction: four devices,
    // four wires, every port wired; modified.
    void BuildSmallCircuit() {
        TZaroSimDevice& source = Place("TVDC", 16, 16);
        TZaroSimDevice& resistor = Place("TResistor", 160, 16);
        TZaroSimDevice& junction = Place("TYConnection", 160, 120);
        TZaroSimDevice& gnd = Place("TGnd", 280, 200);
        resistor.ValueEdit()->SetText("2.2k");
        Wire(source, 1, resistor, 0);
        Wire(resistor, 1, junction, 0);
        Wire(junction, 1, source, 0);
        Wire(junction, 2, gnd, 0);
        Doc.SetVariableLines({"VCC=5"});
    }

    TFakePlatform Platform;
    TFakeProgressView ProgressView;
    TCircuitDocument Doc{Platform, ProgressView};
    TCircuitBuilder Builder = PlacingBuilder(Doc);
    TTempFolder Folder;
};

} // namespace zaro::test
