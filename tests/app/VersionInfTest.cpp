// Version information: read back from the built zarosim-cli, from files made
// here with one section, and from files without it; damaged blocks are
// refused without reading outside them.

#include "VersionInf.h"
#include "DocumentFixture.h"
#include "SharedLibrary.h"
#include "VersionBlock.h"

#include <gtest/gtest.h>

namespace zaro::test {
namespace {

template <typename F> std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const EZaroError& e) {
        return e.what();
    }
    return "no error";
}

void Put(TBytes& out, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A 64-bit ELF file holding a name table and one section: what the readers
// need of a program file.
TBytes ElfWithSection(const std::string& name, const TBytes& contents) {
    const std::string names = std::string("\0.shstrtab\0", 11) + name + '\0';
    const std::uint64_t namesAt = 64;
    const std::uint64_t contentsAt = namesAt + names.size();
    const std::uint64_t tableAt = contentsAt + contents.size();
    TBytes elf{0x7F, 'E', 'L', 'F', 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put(elf, 2, 2);  // executable
    Put(elf, 62, 2); // x86-64
    Put(elf, 1, 4);
    Put(elf, 0, 8);
    Put(elf, 0, 8);
    Put(elf, tableAt, 8);
    Put(elf, 0, 4);
    for (std::uint64_t v : {64, 0, 0, 64, 3, 1}) {
        Put(elf, v, 2);
    }
    elf.insert(elf.end(), names.begin(), names.end());
    elf.insert(elf.end(), contents.begin(), contents.end());
    auto section = [&](std::uint32_t nameAt, std::uint32_t type, std::uint64_t at,
                       std::uint64_t size) {
        Put(elf, nameAt, 4);
        Put(elf, type, 4);
        for (std::uint64_t v : {std::uint64_t{0}, std::uint64_t{0}, at, size, std::uint64_t{0},
                                std::uint64_t{1}, std::uint64_t{0}}) {
            Put(elf, v, 8);
        }
    };
    section(0, 0, 0, 0);
    section(1, 3, namesAt, names.size());
    section(11, 1, contentsAt, contents.size());
    return elf;
}

TBytes OneTranslationBlock() {
    TVersionStrings english{0x0409, 0x04E4, {}};
    english.Values[2] = "2.5.0.1"; // FileVersion
    const std::vector<std::uint8_t> block = EncodeVersionBlock(std::array{english});
    return TBytes(block.begin(), block.end());
}

class VersionInfTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const TBytes& bytes) {
        WriteFileBytes(Folder / name, bytes);
        return Folder / name;
    }
    TTempFolder Folder;
    TVersionInf Info;
};

TEST_F(VersionInfTest, ReadsTheBuiltProgramInBothTranslations) {
    Info.SetFileName(ProgramDirectory() + "/zarosim-cli");
    EXPECT_EQ(Info.Translations(), (std::vector<std::uint32_t>{0x03A40411, 0x04E40409}));
    EXPECT_EQ(Info.ProductName(), "ZaroSim");
    EXPECT_EQ(Info.CompanyName(), "ZaroSim プロジェクト");
    EXPECT_EQ(Info.OriginalFilename(), "zarosim-cli");
    EXPECT_EQ(Info.FileVersion(), Info.ProductVersion() + ".0");
    EXPECT_EQ(Info.ExtractString(1, "LegalCopyright"), "Copyright (C) 2026 The ZaroSim Project");
    EXPECT_EQ(Info.ExtractString(0, "NoSuchKey"), "");
    const TVersionDisplayTexts shown = Info.DisplayTexts();
    EXPECT_EQ(shown.FileDescription, "ZaroSim コマンドラインツール");
    EXPECT_EQ(shown.LegalCopyright, "Copyright (C) 2026 ZaroSim プロジェクト");
}

TEST_F(VersionInfTest, IndexBeyondTheTranslationsIsOutOfRange) {
    Info.SetFileName(Write("one", ElfWithSection(VersionSectionName, OneTranslationBlock())));
    EXPECT_EQ(Info.FileVersion(), "2.5.0.1");
    EXPECT_EQ(MessageOf([&] { Info.ExtractString(1, "FileVersion"); }),
              VersionIndexOutOfRangeMessage);
    Info.SetTranslationIndex(1);
    EXPECT_EQ(Info.DisplayTexts(), TVersionDisplayTexts{});
}

TEST_F(VersionInfTest, FilesWithoutVersionInformationGiveEmptyTexts) {
    const std::string files[] = {
        Folder / "missing",
        Write("text", {'h', 'i'}),
        Write("empty", {}),
        Write("other-section", ElfWithSection("other", OneTranslationBlock())),
        Write("damaged-block", ElfWithSection(VersionSectionName, {1, 2, 3, 4, 5, 6, 7, 8})),
        ProgramFileName()}; // the test program has none
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        Info.SetFileName(file);
        EXPECT_FALSE(Info.Available());
        EXPECT_EQ(Info.DisplayTexts(), TVersionDisplayTexts{});
        EXPECT_EQ(MessageOf([&] { Info.CompanyName(); }), CannotReadVersionMessage);
    }
}

TEST_F(VersionInfTest, FileNameStartsOverAndUseExeNameNamesTheProgram) {
    Info.SetFileName(Write("one", ElfWithSection(VersionSectionName, OneTranslationBlock())));
    Info.SetTranslationIndex(3);
    Info.SetUseExeName(true);
    EXPECT_EQ(Info.FileName(), ProgramFileName());
    EXPECT_TRUE(Info.UseExeName());
    EXPECT_EQ(Info.TranslationIndex(), 0);
    EXPECT_FALSE(Info.Available());
    Info.SetFileName(Folder / "one");
    EXPECT_FALSE(Info.UseExeName());
    EXPECT_EQ(Info.FileVersion(), "2.5.0.1");
}

TEST(VersionBlock, DamagedBlocksAreRefusedWithinTheirBytes) {
    const TBytes block = OneTranslationBlock();
    const std::string path = "\\StringFileInfo\\040904E4\\FileVersion";
    ASSERT_TRUE(QueryVersionValue(block, path));
    for (std::size_t size = 0; size < block.size(); ++size) {
        // Copies, so that AddressSanitizer sees a read past the end.
        const std::vector<std::uint8_t> cut(block.begin(), block.begin() + size);
        EXPECT_FALSE(QueryVersionValue(cut, path)) << size;
    }
    for (std::size_t at = 0; at < block.size(); ++at) {
        TBytes damaged = block;
        damaged[at] ^= 0xFF;
        const auto value = QueryVersionValue(damaged, path);
        if (value) {
            EXPECT_GE(value->data(), damaged.data());
            EXPECT_LE(value->data() + value->size(), damaged.data() + damaged.size());
        }
    }
}

} // namespace
} // namespace zaro::test
