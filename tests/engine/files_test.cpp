// The state file and the subprogram file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Files.h"

using namespace orlan;
namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("orlan-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    void writeBytes(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> readBytes(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    fs::path dir;
};

Machine sampleMachine() {
    Machine m;
    for (int i = 0; i < 0x10000; ++i) m.s.memory[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    uint8_t v = 0xA1;
    for (Reg r : {A, B, C, D, E, H, L}) m.s.reg[r] = v++;
    m.s.w = 0xB8;
    m.s.z = 0xB9;
    m.s.pc = 0x1234;
    m.s.sp = 0xFFFF;
    return m;
}

}  // namespace

TEST_F(Files, StateFileLayout) {
    const Machine m = sampleMachine();
    ASSERT_EQ(saveStateFile(path("a.vst"), m), FileError::None);
    const auto bytes = readBytes("a.vst");
    ASSERT_EQ(bytes.size(), 65549u);
    EXPECT_EQ(bytes[0x1234], m.s.memory[0x1234]);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 65536, bytes.end()),
              (std::vector<uint8_t>{0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xB8, 0xB9, 0x34, 0x12, 0xFF, 0xFF}));
}

TEST_F(Files, StateFileRoundTripKeepsFlagsAndScheme) {
    const Machine saved = sampleMachine();
    ASSERT_EQ(saveStateFile(path("a.vst"), saved), FileError::None);

    Machine m;
    m.s.flags = 0xD7;
    m.setLamp(Lamp::C, true);
    m.s.cycleNum = 3;
    ASSERT_EQ(loadStateFile(path("a.vst"), m), FileError::None);
    EXPECT_EQ(m.s.memory, saved.s.memory);
    EXPECT_EQ(m.s.reg, saved.s.reg);
    EXPECT_EQ(m.s.w, saved.s.w);
    EXPECT_EQ(m.s.z, saved.s.z);
    EXPECT_EQ(m.s.pc, 0x1234);
    EXPECT_EQ(m.s.sp, 0xFFFF);
    EXPECT_EQ(m.s.flags, 0xD7);
    EXPECT_TRUE(m.lamp(Lamp::C));
    EXPECT_EQ(m.s.cycleNum, 3);
    EXPECT_TRUE(m.changes.pcMoved);
}

TEST_F(Files, StateFileOfWrongSizeChangesNothing) {
    for (size_t size : {size_t{65548}, size_t{65550}, size_t{0}}) {
        writeBytes("bad.vst", std::vector<uint8_t>(size, 0x55));
        Machine m = sampleMachine();
        const MachineState before = m.s;
        EXPECT_EQ(loadStateFile(path("bad.vst"), m), FileError::WrongSize) << size;
        EXPECT_EQ(m.s, before);
        EXPECT_FALSE(m.changes.memoryChanged());
    }
}

TEST_F(Files, MissingFileOrFolderIsNotFound) {
    Machine m;
    std::vector<uint8_t> image;
    EXPECT_EQ(readStateFile(path("nope.vst"), image), FileError::NotFound);
    EXPECT_EQ(readStateFile(dir.string(), image), FileError::NotFound);
    EXPECT_EQ(loadSubprogram(path("nope.vsp"), 0, m), FileError::NotFound);
}

TEST_F(Files, SavesThatCannotWriteKeepThePreviousFile) {
    ASSERT_EQ(saveStateFile(path("keep.vst"), sampleMachine()), FileError::None);
    const auto before = readBytes("keep.vst");
    fs::permissions(path("keep.vst"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directory(dir / "ro");
    fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    // A write-protected file, a folder, no folder, a new file in a read-only folder.
    for (const std::string& name :
         {path("keep.vst"), dir.string(), path("no/such/folder/x.vst"), path("ro/new.vst")}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(saveStateFile(name, Machine{}), FileError::CannotWrite);
        EXPECT_EQ(saveSubprogram(name, Machine{}, 0, 0), FileError::CannotWrite);
    }
    fs::permissions(dir / "ro", fs::perms::owner_all);
    EXPECT_EQ(readBytes("keep.vst"), before);
    EXPECT_FALSE(fs::exists(dir / "ro" / "new.vst"));
}

TEST_F(Files, SubprogramFitsUpToTheLastCell) {
    writeBytes("sixteen.vsp", std::vector<uint8_t>(16, 0xAB));
    Machine m;
    EXPECT_EQ(loadSubprogram(path("sixteen.vsp"), 0xFFF1, m), FileError::TooLarge);
    EXPECT_FALSE(m.changes.memoryChanged());
    ASSERT_EQ(loadSubprogram(path("sixteen.vsp"), 0xFFF0, m), FileError::None);
    EXPECT_EQ(m.s.memory[0xFFF0], 0xAB);
    EXPECT_EQ(m.s.memory[0xFFFF], 0xAB);
    EXPECT_EQ(m.s.memory[0x0000], 0x00);  // nothing wrapped round
}

TEST_F(Files, EmptySubprogramLoadsAnywhere) {
    writeBytes("empty.vsp", {});
    Machine m;
    const MachineState before = m.s;
    for (uint16_t start : {uint16_t{0}, uint16_t{0x8000}, uint16_t{0xFFFF}})
        EXPECT_EQ(loadSubprogram(path("empty.vsp"), start, m), FileError::None) << start;
    EXPECT_EQ(m.s, before);
}

TEST_F(Files, SubprogramLargerThanMemoryIsRefusedEverywhere) {
    writeBytes("big.vsp", std::vector<uint8_t>(0x10001, 1));
    Machine m;
    EXPECT_EQ(loadSubprogram(path("big.vsp"), 0, m), FileError::TooLarge);
    EXPECT_FALSE(m.changes.memoryChanged());
}

TEST_F(Files, SubprogramSaveRanges) {
    Machine m = sampleMachine();
    ASSERT_EQ(saveSubprogram(path("one.vsp"), m, 0x0100, 0x0100), FileError::None);
    EXPECT_EQ(readBytes("one.vsp"), std::vector<uint8_t>{m.s.memory[0x0100]});
    ASSERT_EQ(saveSubprogram(path("all.vsp"), m, 0x0000, 0xFFFF), FileError::None);
    EXPECT_EQ(readBytes("all.vsp").size(), 65536u);
    EXPECT_EQ(saveSubprogram(path("bad.vsp"), m, 0x0101, 0x0100), FileError::BadRange);
    EXPECT_FALSE(fs::exists(path("bad.vsp")));

    Machine loaded;
    ASSERT_EQ(loadSubprogram(path("all.vsp"), 0, loaded), FileError::None);
    EXPECT_EQ(loaded.s.memory, m.s.memory);
}
